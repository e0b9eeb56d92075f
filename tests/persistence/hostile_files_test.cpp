// Damaged or hostile copies of the small test scenario and of a save made
// from it, through the real loader: they end with a data error (exit code 1)
// or load and play on, and never crash or reach undefined behaviour.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

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

// ---- ranges of single fields, through the loader --------------------------

struct sRangeCase {
  const char* file;
  std::string from;  // the first occurrence becomes `to`
  std::string to;
  bool fatal;
  const char* message;  // the log line, a regular expression
};

// An id ends the load naming file, line and field; a value a bound serves is
// held at it with a warning, and the game loads on.
TEST_F(HostileFilesDeathTest, OutOfRangeFieldsEndTheLoadOrAreHeldWithAWarning) {
  const sRangeCase cases[] = {
      {"land_units.csv", "\r\n1;1st Nordmark Infantry Corps;", "\r\n2147483647;1st Nordmark Infantry Corps;", true,
       "land_units.csv line 3: field ID is 2.14748e\\+09, which is outside 0..1e\\+06"},
      {"convoys.csv", "\r\n1;1;1;5;3;5;", "\r\n-2147483648;1;1;5;3;5;", true,
       "convoys.csv line 3: field ID is -2.14748e\\+09, which is outside 0..1e\\+06"},
      {"land_units.csv", "Infantry Corps;1;2;2;1;2;100;3;0;0;-1;-1;3;-1;1;0;0.000000;",
       "Infantry Corps;1;2;2;1;2;100;3;0;0;-1;-1;3;-1;1;0;1e300;", false,
       "WARNING: .*land_units.csv line 3: field ShoreBombEffect is 1e\\+300, which is outside -1000..1000; 1000 is "
       "used"},
      {"Info.ini", "Turn=1", "Turn=2147483647", false,
       "WARNING: .*Info.ini: field Save/Turn is 2.14748e\\+09, which is outside 0..100000; 100000 is used"},
      {"cities.csv", "Eisenfeld;3;3;1;5;", "Eisenfeld;3;3;1;2147483647;", false,
       "WARNING: .*cities.csv line 2: field victory points is 2.14748e\\+09, which is outside -1000..1000; 1000 is "
       "used"},
  };
  for (const sRangeCase& c : cases) {
    SCOPED_TRACE(c.message);
    const fs::path file = fs::path(kTwoShoresFolder) / c.file;
    const std::string original = ReadFileBytes(file);
    std::string bytes = original;
    const size_t at = bytes.find(c.from);
    ASSERT_NE(at, std::string::npos) << c.from;
    WriteBytes(file, bytes.replace(at, c.from.size(), c.to));
    EXPECT_EXIT(
        {
          LogToStderr();
          cQuietFrontEnd quiet;
          cFrontEndScope scope(&quiet);
          const int result = LoadNewScenario(Scenario());
          std::_Exit(result == 0 ? 0 : 2);
        },
        ::testing::ExitedWithCode(c.fatal ? 1 : 0), c.message);
    WriteBytes(file, original);
  }
}

// ---- every numeric field at the ends of the range ------------------------

// One number of one text file of the scenario or of the save.
struct sField {
  fs::path file;
  size_t at;
  size_t size;
  int line;
};

bool IsBoundary(char c) { return c == ';' || c == '=' || c == '"' || c == ',' || c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The numbers standing alone between separators, quotes or line ends; lines
// of comment ('#' or ';' first) and numbers inside words ("1st") are passed over.
std::vector<sField> NumericFields(const fs::path& file) {
  const std::string bytes = ReadFileBytes(file);
  std::vector<sField> fields;
  int line = 1;
  bool comment = false;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    const bool lineStart = i == 0 || bytes[i - 1] == '\n';
    if (lineStart) comment = c == '#' || c == ';';
    if (c == '\n') ++line;
    if (comment || !(lineStart || IsBoundary(bytes[i - 1]))) continue;
    size_t end = i + (c == '-' ? 1 : 0);
    const size_t digits = end;
    while (end < bytes.size() && IsDigit(bytes[end])) ++end;
    if (end == digits) continue;
    if (end + 1 < bytes.size() && bytes[end] == '.' && IsDigit(bytes[end + 1]))
      for (++end; end < bytes.size() && IsDigit(bytes[end]);) ++end;
    if (end < bytes.size() && !IsBoundary(bytes[end]) && bytes[end] != '\r' && bytes[end] != '\n') continue;
    fields.push_back({file, i, end - i, line});
    i = end - 1;
  }
  return fields;
}

// The text files of a folder; the binary ones (map, reports) have tests of their own.
std::vector<sField> FolderFields(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const fs::directory_entry& e : fs::directory_iterator(folder))
    if (e.is_regular_file() && ReadFileBytes(e.path()).find('\0') == std::string::npos) files.push_back(e.path());
  std::sort(files.begin(), files.end());
  std::vector<sField> fields;
  for (const fs::path& f : files) {
    const std::vector<sField> more = NumericFields(f);
    fields.insert(fields.end(), more.begin(), more.end());
  }
  return fields;
}

const char* const kExtremes[] = {"2147483647", "-2147483648", "1e300"};

// Loads the folder in a child process and plays one end of turn. Returns
// what went wrong, or nothing: a data error (exit code 1) is a sound end.
// played tells whether the end of turn was reached.
std::string LoadAndPlayInChild(const sLoadRequest& request, bool& played) {
  const std::string report = "child.txt";
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    std::FILE* out = std::freopen(report.c_str(), "w", stderr);
    if (out == nullptr) std::_Exit(3);
    // The lines that tell why a load ended, and nothing else, for speed.
    gConsole.SetListener([](const std::wstring& l) {
      if (l.find(L"ERROR") != std::wstring::npos || l.find(L"rror") != std::wstring::npos)
        std::fprintf(stderr, "%s\n", WideToUtf8(l).c_str());
    });
    cQuietFrontEnd quiet;
    cFrontEndScope scope(&quiet);
    if (LoadNewScenario(request) == 0) gGra->EndOfImpulse(true);
    std::_Exit(0);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  const std::string text = ReadFileBytes(report);
  const bool sanitizer = text.find("runtime error") != std::string::npos || text.find("Sanitizer") != std::string::npos;
  played = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  if (WIFEXITED(status) && (WEXITSTATUS(status) == 0 || WEXITSTATUS(status) == 1) && !sanitizer) return "";
  return "status " + std::to_string(status) + ": " + text;
}

// Shards of the sweep, each its own test so that ctest runs them side by side.
constexpr int kShards = 12;
// Under the sanitizers, or with BRENNMARK_FULL_SWEEP set, every case runs;
// otherwise a fixed one in 37 of each shard.
size_t SampleStride() {
#if defined(__SANITIZE_ADDRESS__)
  return 1;
#else
  return std::getenv("BRENNMARK_FULL_SWEEP") != nullptr ? 1 : 37;
#endif
}

class FieldSweepTest : public HostileFilesTest, public ::testing::WithParamInterface<int> {};

TEST_P(FieldSweepTest, EveryNumericFieldAtTheIntExtremesAnd1e300LoadsCleanOrEndsWithADataError) {
  std::vector<std::pair<sField, sLoadRequest>> cases;
  for (const sField& f : FolderFields(kTwoShoresFolder)) cases.push_back({f, Scenario()});
  const size_t scenarioFields = cases.size();
  for (const sField& f : FolderFields(kSave)) cases.push_back({f, kSaveRequest});
  // The scan finds the tables' numbers, not a handful.
  ASSERT_GT(scenarioFields, 1500u);
  ASSERT_GT(cases.size() - scenarioFields, 1500u);
  size_t ran = 0;
  size_t played = 0;
  for (size_t i = static_cast<size_t>(GetParam()); i < cases.size(); i += kShards) {
    if ((i / kShards) % SampleStride() != 0) continue;
    const sField& f = cases[i].first;
    const std::string original = ReadFileBytes(f.file);
    for (const char* value : kExtremes) {
      std::string bytes = original;
      bytes.replace(f.at, f.size, value);
      WriteBytes(f.file, bytes);
      bool endOfTurn = false;
      const std::string fault = LoadAndPlayInChild(cases[i].second, endOfTurn);
      played += endOfTurn ? 1 : 0;
      EXPECT_EQ(fault, "") << f.file.string() << " line " << f.line << " field \"" << original.substr(f.at, f.size)
                           << "\" set to " << value;
      ++ran;
    }
    WriteBytes(f.file, original);
  }
  EXPECT_GT(ran, 0u);
  // Most values are held at a bound and the game plays on: the sweep does
  // not pass by ending every load.
  EXPECT_GT(played, ran / 2);
}

INSTANTIATE_TEST_SUITE_P(Shards, FieldSweepTest, ::testing::Range(0, kShards));

}  // namespace
