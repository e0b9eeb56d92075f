// repo.dat whose length is not a whole number of 504-byte records (a write
// that failed part way): a record before the cut-off tail is still updated
// in place, a name whose record is cut is not found, and a new record takes
// the tail's place, so that every record stays where reading finds it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text.h"
#include "persistence/saver.h"
#include "persistence_test_support.h"

namespace {

std::string Record(const std::wstring& name, uint32_t id) {
  std::string r(kPbemRepoRecordSize, '\0');
  const std::string units = WideToUtf16Le(name);
  r.replace(0, units.size(), units);
  for (int i = 0; i < 4; ++i) r[500 + static_cast<size_t>(i)] = static_cast<char>(id >> (8 * i));
  return r;
}

class PbemRepoTailTest : public persistence_test::GameFolderTest {};

TEST_F(PbemRepoTailTest, RecordsBeforeATailUpdateInPlaceAndNewOnesFollowTheTail) {
  const std::string tail(10, 'x');
  const std::string cutTwo = Record(L"two", 5).substr(0, kPbemRepoRecordSize - 1);
  struct sCase {
    const char* what;
    std::string before;
    uint32_t id;
    std::wstring name;
    std::string after;
  };
  const std::vector<sCase> cases = {
      {"update before a tail", Record(L"one", 9) + tail, 4, L"one", Record(L"one", 4) + tail},
      {"update the second of two before a tail", Record(L"one", 9) + Record(L"two", 3) + tail, 6, L"two",
       Record(L"one", 9) + Record(L"two", 6) + tail},
      {"append over a tail", Record(L"one", 9) + tail, 2, L"two", Record(L"one", 9) + Record(L"two", 2)},
      {"a file shorter than one record", std::string(300, 'y'), 2, L"two", Record(L"two", 2)},
      {"a record cut by one byte is not found", Record(L"one", 9) + cutTwo, 7, L"two",
       Record(L"one", 9) + Record(L"two", 7)},
  };
  for (const sCase& c : cases) {
    SCOPED_TRACE(c.what);
    dir_.Write("data/pbem/repo.dat", c.before);
    WritePbemRepoEntry(c.id, c.name);
    EXPECT_EQ(dir_.Read("data/pbem/repo.dat"), c.after);
    EXPECT_EQ(ReadPbemRepoEntry(c.name), c.id);
    // Reading a stored name changes nothing.
    EXPECT_EQ(dir_.Read("data/pbem/repo.dat"), c.after);
  }
}

TEST_F(PbemRepoTailTest, ANameWhoseRecordIsCutIsStoredAgainAndFoundFromThen) {
  // The first mover's id is stored for a name that is not found.
  game().countries[1]->humanControlled = 1;
  game().countries[1]->pbemPlayerId = 3;
  dir_.Write("data/pbem/repo.dat", Record(L"one", 9) + Record(L"two", 5).substr(0, 400));
  EXPECT_EQ(ReadPbemRepoEntry(L"two"), 3u);
  EXPECT_EQ(ReadPbemRepoEntry(L"two"), 3u);
  EXPECT_EQ(ReadPbemRepoEntry(L"one"), 9u);
  EXPECT_EQ(dir_.Read("data/pbem/repo.dat"), Record(L"one", 9) + Record(L"two", 3));
}

}  // namespace
