#pragma once
// A game folder of its own holding the small test scenario (tests/data,
// made by tools/scenario with --small) under data/scenarios, the working
// directory while the test runs, with the shipped string base loaded.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/text.h"
#include "persistence/load_request.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"
#include "support/shipped_pictures.h"
#include "support/unit_fixtures.h"
#include "world/game.h"

namespace persistence_test {

inline constexpr const wchar_t* kTwoShores = L"TwoShores1939";
inline constexpr const char* kTwoShoresFolder = "data/scenarios/TwoShores1939";

class TwoShoresFolder : public ::testing::Test {
 protected:
  TwoShoresFolder() : dir_("two_shores"), before_(std::filesystem::current_path()) {
    unit_test::LoadShippedStrings();
    std::filesystem::create_directories(dir_.File(kTwoShoresFolder));
    std::filesystem::copy(std::filesystem::path(BRENNMARK_TEST_DATA_DIR) / "TwoShores1939", dir_.File(kTwoShoresFolder),
                          std::filesystem::copy_options::recursive);
    CopyShippedPictures(dir_.Path());
    std::filesystem::current_path(dir_.Path());
  }
  ~TwoShoresFolder() override {
    if (gGra != nullptr) DestroyGame();
    std::filesystem::current_path(before_);
  }

  static sLoadRequest Scenario() { return ScenarioLoadRequest(kTwoShores); }
  std::string ScenarioFile(const std::string& name) const { return std::string(kTwoShoresFolder) + "/" + name; }

  cTempDir dir_;
  std::filesystem::path before_;
};

// The log lines that tell of a problem.
inline std::vector<std::wstring> ProblemLines(const cLogCapture& log) {
  std::vector<std::wstring> out;
  for (const std::wstring& l : log.Lines())
    if (l.find(L"WARNING") != std::wstring::npos || l.find(L"ERR") != std::wstring::npos) out.push_back(l);
  return out;
}

}  // namespace persistence_test
