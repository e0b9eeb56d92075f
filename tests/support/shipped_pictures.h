#pragma once
// The pictures of the game folder that loading a game reads beside the
// scenario (the countries' flags and the units skin), copied into a test's
// own game folder so that a clean load stays free of warnings.
#include <filesystem>

inline void CopyShippedPictures(const std::filesystem::path& gameFolder) {
  namespace fs = std::filesystem;
  for (const char* d : {"data/gfx/Flags", "data/gfx/[UnitsSkin]Counters"}) {
    fs::create_directories(gameFolder / d);
    fs::copy(fs::path(BRENNMARK_SOURCE_DIR) / d, gameFolder / d,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  }
}
