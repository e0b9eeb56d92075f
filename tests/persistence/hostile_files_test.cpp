// Damaged or hostile copies of the small test scenario and of a save made
// from it, through the real loader: they end with a data error (exit code 1)
// or load and play on, and never crash or reach undefined behaviour.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/front_end.h"
#include "events/event_manager.h"
#include "persistence/loader.h"
#include "persistence/saver.h"
#include "support/folder_bytes.h"
#include "two_shores_folder.h"

namespace fs = std::filesystem;

namespace {

using persistence_test::kTwoShoresFolder;

const char* const kSave = "data/save/base";
const sLoadRequest kSaveRequest{L"data\\save\\base\\%s", 2};

class HostileFilesTest : public persistence_test::TwoShoresFolder {
 protected:
  HostileFilesTest() {
    cQuietFrontEnd quiet;
    cFrontEndScope scope(&quiet);
    EXPECT_EQ(LoadNewScenario(Scenario()), 0);
    EXPECT_TRUE(cZapisGry().SaveGame(L"base", true).ok);
    DestroyGame();
  }
};

void WriteBytes(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The scenario's events with the first condition's <and> holding a chain of
// nested <and> elements, so that the deepest element lies `depth` levels
// down (the root <events> is level 1, the condition's <and> level 4).
std::string EventsNestedTo(const std::string& events, int depth) {
  const std::string anchor = "<condition>\r\n      <and>";
  const size_t at = events.find(anchor);
  if (at == std::string::npos) return events;
  std::string chain;
  for (int level = 5; level <= depth; ++level) chain += "<and>";
  for (int level = 5; level <= depth; ++level) chain += "</and>";
  std::string out = events;
  out.insert(at + anchor.size(), chain);
  return out;
}

using HostileFilesDeathTest = HostileFilesTest;

TEST_F(HostileFilesDeathTest, EventNestingLoadsAtTheLimitAndEndsTheLoadOnePastIt) {
  const fs::path events = fs::path(kTwoShoresFolder) / "events.xml";
  const std::string original = ReadFileBytes(events);
  ASSERT_NE(EventsNestedTo(original, 10), original) << "the anchor of the nesting is gone";
  // The scenario and a save of it read the same event files.
  for (const sLoadRequest& request : {Scenario(), kSaveRequest}) {
    WriteBytes(events, EventsNestedTo(original, kMaxEventNesting));
    {
      cQuietFrontEnd quiet;
      cFrontEndScope scope(&quiet);
      ASSERT_EQ(LoadNewScenario(request), 0);
      EXPECT_EQ(gGra->events->events.size(), 2u);
      DestroyGame();
    }
    // Also far past it, where the parser itself would overflow its stack.
    for (int depth : {kMaxEventNesting + 1, 200000}) {
      WriteBytes(events, EventsNestedTo(original, depth));
      EXPECT_EXIT(
          {
            LogToStderr();
            cQuietFrontEnd quiet;
            cFrontEndScope scope(&quiet);
            LoadNewScenario(request);
            std::_Exit(0);
          },
          ::testing::ExitedWithCode(1),
          "nested deeper than 256 levels[^\n]*\n[^\n]*ERROR initializing events from file "
          "data.scenarios.TwoShores1939.events.xml");
    }
  }
}

}  // namespace
