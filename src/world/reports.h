#pragma once
// The store of turn reports: everything noteworthy that happens in a game,
// stamped with the game date and turn, filed under a kind and a country, and
// kept in "reports.dat" with every saved game.
#include <cstdint>
#include <list>
#include <string>
#include <vector>

struct sRaport {
  // Chosen by the operation that files the report.
  int32_t kind = 0;
  int32_t year = 0;
  int32_t month = 0;
  int32_t day = 0;
  int32_t turn = 0;
  int32_t countryId = 0;
  // 1 for every report made in a game; kept through saving and loading.
  int32_t flag = 1;
  std::wstring text;

  bool operator==(const sRaport&) const = default;
};

class cRaporty {
 public:
  virtual ~cRaporty() = default;

  // Appends a copy as it stands, without stamping.
  void Append(const sRaport& report) { reports.push_back(report); }
  // Clears out and copies into it the reports of that kind and country.
  void CollectReports(std::vector<sRaport>& out, int countryId, int kind) const;

  // The file's bytes, and the store filled from them; false (and an empty
  // store) for bytes that are not a whole reports file.
  std::vector<uint8_t> Serialize() const;
  bool Deserialize(const std::vector<uint8_t>& bytes);

  std::list<sRaport> reports;
};

// Stamps the report with the game's date and turn and files a copy.
void AddReport(sRaport report);
// Files a report of the kind for the country.
void AddReport(int kind, int countryId, const std::wstring& text);
// "<folder>\reports.dat"; a file that cannot be written is fatal.
void SaveReports(const std::wstring& folder);
// "reports.dat" of the saved game's folder template; a missing file is fatal,
// a damaged one leaves the store empty.
void LoadReports(const std::wstring& pathTemplate);
