#pragma once
// The country-by-country matrix of war flags.
#include <cstdint>
#include <vector>

class cRelacje {
 public:
  // Sizes the matrix for n countries, every pair at peace.
  void Resize(int n) {
    count_ = n > 0 ? n : 0;
    war_.assign(static_cast<size_t>(count_) * static_cast<size_t>(count_), 0);
  }
  int Count() const { return count_; }

  // Country id 0 is nobody: at war with nobody.
  bool IsAtWar(int a, int b) const {
    if (!Valid(a) || !Valid(b)) return false;
    return war_[Index(a, b)] != 0;
  }
  // Sets the flag in one direction.
  void SetWar(int a, int b, bool war) {
    if (Valid(a) && Valid(b)) war_[Index(a, b)] = war ? 1 : 0;
  }

 private:
  bool Valid(int id) const { return id >= 1 && id <= count_; }
  size_t Index(int a, int b) const { return static_cast<size_t>(a - 1) * static_cast<size_t>(count_) + static_cast<size_t>(b - 1); }
  int count_ = 0;
  std::vector<uint8_t> war_;
};
