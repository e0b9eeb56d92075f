#pragma once
// The counter layout of the current units skin: for each unit category and
// for up to ten zoom groups, where each part of a counter is cut from and
// where it is drawn, and in which fonts. The framework reads it from the
// skin's files; the units draw their counters from it.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "core/front_end.h"

// A font of a skin group: face, height, weight (code * 8 + 100) and the text
// and shadow colours as opaque ARGB. An empty face is no font.
struct sUnitsSkinFont {
  std::wstring face;
  int32_t height = 0;
  int32_t weight = 0;
  uint32_t color1 = 0;
  uint32_t color2 = 0;
};

constexpr int kUnitsSkinEntries = 23;
constexpr int kUnitsSkinFlags = 14;
constexpr int kUnitsSkinGroups = 10;
constexpr int kUnitsSkinFontsPerGroup = 3;
constexpr int32_t kUnitsSkinNoThreshold = -100;

// One zoom group. Rectangle entries hold left, top, right, bottom; the other
// entries hold four values as the file gives them.
struct sUnitsSkinGroup {
  std::wstring name;
  int32_t threshold = kUnitsSkinNoThreshold;
  std::array<std::array<int32_t, 4>, kUnitsSkinEntries> entries{};
  std::array<uint8_t, kUnitsSkinFlags> flags{};
  std::array<sUnitsSkinFont, kUnitsSkinFontsPerGroup> fonts;
};

enum eUnitsSkinTable : int { kSkinLand = 0, kSkinAir = 1, kSkinNaval = 2, kSkinTables = 3 };

struct sUnitsSkin {
  std::array<std::array<sUnitsSkinGroup, kUnitsSkinGroups>, kSkinTables> tables;
  // The group in use of each table.
  std::array<int, kSkinTables> current{};
  // "units.png" (the shared counter sheet) and "info.png" (markers); 0 when
  // not loaded.
  FrontEndHandle unitsPicture = 0;
  FrontEndHandle infoPicture = 0;

  const sUnitsSkinGroup& Current(int table) const {
    return tables[static_cast<size_t>(table)][static_cast<size_t>(current[static_cast<size_t>(table)])];
  }
  // The number of a group's font among the skin's fonts (add kFontUnitsSkin
  // for the draw target).
  static int FontNumber(int table, int group, int k) {
    return (table * kUnitsSkinGroups + group) * kUnitsSkinFontsPerGroup + k;
  }
  int CurrentFontNumber(int table, int k) const {
    return FontNumber(table, current[static_cast<size_t>(table)], k);
  }
};

extern sUnitsSkin gUnitsSkin;

// What loading a units skin needs of a running game; the world fills it in.
struct sUnitsSkinGame {
  // Loads every country's own counter sheet of the skin.
  std::function<void(const std::wstring& skin)> loadCountryTextures;
  // The scenario's "countries.csv" (a game path).
  std::wstring scenarioCountriesFile;
  int countryCount = 0;
  // Sets the first two colours of a country (1-based id).
  std::function<void(int id, uint32_t colour1, uint32_t colour2)> setColours;
  float mapZoom = 1.0f;
};
