#pragma once
// The country-by-country matrix of war flags and of the losses each country
// has dealt to each other one, with the shares of those losses.
#include <cstdint>
#include <string>
#include <vector>

class cRelacje {
 public:
  // One ordered pair (a, b): whether a is at war with b and the losses a has
  // dealt to b.
  struct sCell {
    uint8_t war = 0;
    float losses = 0.0f;
  };

  // Sizes the matrix for n countries, every pair at peace with no losses.
  void Resize(int n);
  int Count() const { return count_; }

  // Sizes the matrix for n countries and reads "relations.csv", then
  // "losses.csv", from the folder of the template (one "%s" for the file
  // name). A missing file or a row naming no country ends the program.
  void LoadFromCsv(const std::wstring& folderTemplate, int n);

  // 0 for a equal to b. Country id 0 is nobody (the controller of an
  // uncontrolled hex): at war with nobody. Ids outside the matrix answer 0.
  uint8_t IsAtWar(int a, int b) const;
  // Sets the flag of (a, b) only; the caller sets (b, a) as well.
  void SetWar(int a, int b, uint8_t value);
  void ChangeLosses(int a, int b, float amount);
  float GetLosses(int a, int b) const;
  // Losses suffered by b from everybody, the diagonal included.
  float GetTotalLossesSuffered(int b) const;
  // For each b: the part of b's losses that each a dealt; 0 when b lost nothing.
  void ComputeLossShares();
  float GetLossShare(int a, int b) const;
  // Ends every war of the country, in both directions.
  void MakePeaceWithAll(int id);

 private:
  bool Valid(int id) const { return id >= 1 && id <= count_; }
  size_t Index(int a, int b) const {
    return static_cast<size_t>(a - 1) * static_cast<size_t>(count_) + static_cast<size_t>(b - 1);
  }
  // Fatal for id 0; false (after a log line) for any other id outside the matrix.
  bool CheckIds(int a, int b, const std::wstring& zeroLine) const;
  void ReadTable(const std::wstring& folderTemplate, const wchar_t* fileName, bool losses);

  int count_ = 0;
  std::vector<sCell> cells_;
  std::vector<float> shares_;
};
