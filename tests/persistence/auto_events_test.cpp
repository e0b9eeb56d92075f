// The automatic-events repository: its file in both directions and the
// choice of the best option per event.
#include "persistence/auto_events.h"

#include <gtest/gtest.h>

#include "persistence_test_support.h"

using namespace persistence_test;

namespace {

using Pair = cAutoEventsRepository::sPair;

class AutoEventsTest : public GameFolderTest {
 protected:
  void Load() { repo_.LoadAutoEvents(request_.pathTemplate); }
  cAutoEventsRepository repo_;
};

TEST_F(AutoEventsTest, SavedPairsReadBackInOrder) {
  cAutoEventsRepository saved;
  saved.Add(7, 2);
  saved.Add(3, -1);
  saved.Add(7, 5);  // the same event may come twice
  saved.Add(-4, 2147483647);
  std::filesystem::create_directories("save");
  saved.SaveAutoEvents(L"save");
  EXPECT_EQ(dir_.Read("save/auto_events.csv"), "7;2\r\n3;-1\r\n7;5\r\n-4;2147483647\r\n");

  repo_.Add(99, 99);  // replaced by the file
  request_.pathTemplate = L"save\\%s";
  Load();
  EXPECT_EQ(repo_.Pairs(), saved.Pairs());
}

TEST_F(AutoEventsTest, EmptyRepositoryWritesAnEmptyFileThatReadsBackEmpty) {
  std::filesystem::create_directories("save");
  cAutoEventsRepository().SaveAutoEvents(L"save");
  EXPECT_EQ(dir_.Read("save/auto_events.csv"), "");
  repo_.Add(1, 1);
  request_.pathTemplate = L"save\\%s";
  Load();
  EXPECT_TRUE(repo_.Pairs().empty());
}

TEST_F(AutoEventsTest, CommentsTrailingSeparatorsAndIncompleteLines) {
  WriteLoaded("auto_events.csv", {"#event;option", "1;2;", " 3 ; 4", "  #5;6", "", "8", "9;", "+10;-11x"});
  Load();
  // "  #5" is no comment: its event reads as 0. Lines without two numbers carry no pair.
  EXPECT_EQ(repo_.Pairs(), (std::vector<Pair>{{1, 2}, {3, 4}, {0, 6}, {10, -11}}));
}

TEST_F(AutoEventsTest, ThirdFieldIsFatal) {
  WriteLoaded("auto_events.csv", {"1;2", "3;4;5"});
  // The file itself opened: the end comes from the row.
  EXPECT_EXIT((LogToStderr(), Load()), ::testing::ExitedWithCode(1), "Otwarcie OK");
}

TEST_F(AutoEventsTest, MissingFileIsFatal) {
  EXPECT_EXIT((LogToStderr(), Load()), ::testing::ExitedWithCode(1), "Blad otwarcia pliku! \\(nie istnieje\\?\\)");
}

TEST(AutoEventsChoice, BestOptionPerEventAndNoneForEventsWithoutAChoice) {
  const std::vector<sAutoEventCandidate> events = {
      {1, {}},                          // no options: left out, not given 0
      {2, {{21, 10}, {22, 30}, {23, 30}}},  // first on ties
      {3, {{31, -1}, {32, -5}}},        // no chance of 0 or more: left out, not given 22
      {4, {{41, -1}, {42, 0}}},         // chance 0 still beats none
      {5, {{-1, 50}}},                  // an option without an id keeps -1
  };
  cAutoEventsRepository repo;
  repo.Add(9, 9);
  world_test::LogCapture log;
  repo.AddBestOptions(events);
  EXPECT_EQ(repo.Pairs(), (std::vector<Pair>{{9, 9}, {2, 22}, {4, 42}, {5, -1}}));
  EXPECT_EQ(log.CountContaining(L"no automatic choice stored"), 2);
}

}  // namespace
