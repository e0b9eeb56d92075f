#include "core/random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <utility>
#include <memory>
#include <thread>
#include <vector>

#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// The seed whose first draw is the given value: the generator's step is a
// bijection of the 32-bit state, so it can be run backwards.
uint32_t SeedForFirstDraw(int value) {
  const uint32_t a = 214013u;
  uint32_t inv = a;  // Newton's iteration for the inverse modulo 2^32
  for (int i = 0; i < 5; ++i) inv *= 2u - a * inv;
  uint32_t state = static_cast<uint32_t>(value) << 16;
  return (state - 2531011u) * inv;
}

const std::vector<int> kSeedOneSequence = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};

std::vector<int> Draw(int n) {
  std::vector<int> v;
  for (int i = 0; i < n; ++i) v.push_back(Rand());
  return v;
}

TEST(RandomTest, SequenceFromSeedOneIsTheDocumentedGenerator) {
  SeedRandom(1);
  EXPECT_EQ(Draw(10), kSeedOneSequence);
  // A thread that never seeded starts from state 1 as well.
  std::vector<int> fresh;
  std::thread([&fresh] { fresh = Draw(10); }).join();
  EXPECT_EQ(fresh, kSeedOneSequence);
}

TEST(RandomTest, SeedInversionHitsEveryValue) {
  for (int v : {0, 1, 16384, 32766, 32767}) {
    SeedRandom(SeedForFirstDraw(v));
    EXPECT_EQ(Rand(), v);
  }
}

TEST(RandomTest, EachThreadHasItsOwnState) {
  SeedRandom(999);
  std::vector<int> expected = Draw(20);
  SeedRandom(999);
  std::vector<int> got = Draw(10);
  std::vector<int> other, third;
  std::thread a([&other] {
    SeedRandom(5);
    other = Draw(1000);
  });
  std::thread b([&third] {
    SeedRandom(5);
    third = Draw(1000);
  });
  a.join();
  b.join();
  std::vector<int> rest = Draw(10);
  got.insert(got.end(), rest.begin(), rest.end());
  EXPECT_EQ(got, expected);
  EXPECT_EQ(other, third);
}

TEST(RandomTest, FloatCoversZeroToOneInclusive) {
  SeedRandom(SeedForFirstDraw(0));
  EXPECT_EQ(RandomFloat01(), 0.0f);
  SeedRandom(SeedForFirstDraw(32767));
  EXPECT_EQ(RandomFloat01(), 1.0f);
  SeedRandom(SeedForFirstDraw(16384));
  EXPECT_FLOAT_EQ(RandomFloat01(), 16384.0f / 32767.0f);
}

TEST(RandomTest, RangeReachesItsTopOnlyForTheLargestDraw) {
  for (int v = 0; v <= 32767; ++v) {
    SeedRandom(SeedForFirstDraw(v));
    int r = RandomInRange(1, 100);
    if (v == 32767) {
      ASSERT_EQ(r, 100);
    } else {
      ASSERT_GE(r, 1) << v;
      ASSERT_LE(r, 99) << v;
    }
  }
  SeedRandom(SeedForFirstDraw(32766));
  EXPECT_EQ(RandomInRange(1, 100), 99);
  SeedRandom(SeedForFirstDraw(0));
  EXPECT_EQ(RandomInRange(1, 100), 1);
  // Truncation is toward zero when the range runs downwards.
  SeedRandom(SeedForFirstDraw(16384));
  EXPECT_EQ(RandomInRange(10, 0), 5);
}

TEST(RandomTest, RollsAgreeWithTheExtendedPrecisionRuleForEveryDraw) {
  // Every draw against the rule as written, in long double, over ranges
  // small and large, rising and falling, up to and past the double's limit.
  const std::pair<int, int> ranges[] = {{1, 100}, {1, 6},        {10, 0},           {-50, 50},
                                        {0, 1},   {3, 1000003}, {0, (1 << 29)},    {(1 << 29), 0},
                                        {0, (1 << 29) + 1},     {-(1 << 30), (1 << 30) - 1}};
  for (int v = 0; v <= 32767; ++v) {
    const float r = static_cast<float>(v / 32767.0);
    for (const auto& [a, b] : ranges) {
      SeedRandom(SeedForFirstDraw(v));
      const long double t = static_cast<long double>(r) * static_cast<long double>(b - a);
      ASSERT_EQ(RandomInRange(a, b), a + static_cast<int>(t)) << v << " " << a << ".." << b;
      if (b - a > 1 << 24) continue;  // a float range that large is no die
      SeedRandom(SeedForFirstDraw(v));
      const long double u = static_cast<long double>(r) * static_cast<long double>(static_cast<float>(b - a));
      ASSERT_EQ(RandomRollSum(1, a, b), a + static_cast<int>(u)) << v << " " << a << ".." << b;
    }
  }
}

TEST(RandomTest, RangeOfOneValue) {
  SeedRandom(77);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(RandomInRange(5, 5), 5);
}

TEST(RandomTest, RollSum) {
  EXPECT_EQ(RandomRollSum(0, 1, 6), 0);
  EXPECT_EQ(RandomRollSum(-2, 1, 6), 0);
  SeedRandom(SeedForFirstDraw(32767));
  EXPECT_EQ(RandomRollSum(1, 1, 6), 6);
  // Each die of the sum is drawn as a single roll would be.
  SeedRandom(4242);
  int a = RandomInRange(1, 6), b = RandomInRange(1, 6), c = RandomInRange(1, 6);
  SeedRandom(4242);
  EXPECT_EQ(RandomRollSum(3, 1, 6), a + b + c);
  SeedRandom(31);
  for (int i = 0; i < 1000; ++i) {
    int s = RandomRollSum(3, 1, 6);
    ASSERT_GE(s, 3);
    ASSERT_LE(s, 18);
  }
}

TEST(RandomTest, IndexIsUniformOverEveryCandidate) {
  EXPECT_EQ(RandomIndex(0), 0);
  EXPECT_EQ(RandomIndex(1), 0);
  SeedRandom(9);
  // A pick of one of three: each candidate about a third of the time, the
  // last one included (a truncated range would almost never give it).
  for (int n : {2, 3, 7, 40000}) {
    std::vector<int> hits(static_cast<size_t>(std::min(n, 7)), 0);
    const int draws = 70000;
    for (int i = 0; i < draws; ++i) {
      int k = RandomIndex(n);
      ASSERT_GE(k, 0);
      ASSERT_LT(k, n);
      if (k < static_cast<int>(hits.size())) ++hits[static_cast<size_t>(k)];
    }
    const double expected = static_cast<double>(draws) / n;
    for (int h : hits) EXPECT_NEAR(h, expected, expected * 0.1 + 3) << "n=" << n;
  }
}

TEST(HexDistanceTest, ListedCases) {
  EXPECT_EQ(HexDistance(2, 5, 3, 5), 1);
  EXPECT_EQ(HexDistance(2, 5, 3, 6), 1);
  EXPECT_EQ(HexDistance(2, 5, 3, 4), 2);
  EXPECT_EQ(HexDistance(3, 5, 4, 4), 1);
  EXPECT_EQ(HexDistance(3, 5, 4, 6), 2);
  EXPECT_EQ(HexDistance(0, 0, 0, 3), 3);
  EXPECT_EQ(HexDistance(0, 0, 4, 0), 4);
  EXPECT_EQ(HexDistance(0, 0, 4, 5), 7);
  EXPECT_EQ(HexDistance(7, 7, 7, 7), 0);
}

// From an even column the neighbours in the adjacent columns are rows y and
// y + 1; from an odd one rows y - 1 and y (negative odd columns are odd).
std::vector<std::pair<int, int>> Neighbours(int x, int y) {
  int lo = (x & 1) ? y - 1 : y;
  return {{x, y - 1}, {x, y + 1}, {x - 1, lo}, {x - 1, lo + 1}, {x + 1, lo}, {x + 1, lo + 1}};
}

TEST(HexDistanceTest, MatchesShortestWalkOverTheNeighbourRelation) {
  const int lo = -6, hi = 5;          // the 12 x 12 area compared, negative columns included
  const int blo = lo - 8, bhi = hi + 8;  // room for walks to leave the area
  const int span = bhi - blo + 1;
  int compared = 0;
  for (int sx = lo; sx <= hi; ++sx) {
    for (int sy = lo; sy <= hi; ++sy) {
      std::vector<int> dist(static_cast<size_t>(span * span), -1);
      auto at = [&](int x, int y) -> int& { return dist[static_cast<size_t>((y - blo) * span + (x - blo))]; };
      std::deque<std::pair<int, int>> queue{{sx, sy}};
      at(sx, sy) = 0;
      while (!queue.empty()) {
        auto [x, y] = queue.front();
        queue.pop_front();
        for (auto [nx, ny] : Neighbours(x, y)) {
          if (nx < blo || nx > bhi || ny < blo || ny > bhi || at(nx, ny) >= 0) continue;
          at(nx, ny) = at(x, y) + 1;
          queue.push_back({nx, ny});
        }
      }
      for (int tx = lo; tx <= hi; ++tx) {
        for (int ty = lo; ty <= hi; ++ty) {
          ASSERT_EQ(HexDistance(sx, sy, tx, ty), at(tx, ty)) << sx << "," << sy << " -> " << tx << "," << ty;
          ++compared;
        }
      }
    }
  }
  EXPECT_EQ(compared, 144 * 144);
}

class FileUtilTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tmp_ = std::make_unique<cTempDir>("files_test");
    dir_ = tmp_->Path();
    fs::create_directories(dir_ / "Sub");
  }
  void TearDown() override { tmp_.reset(); }
  std::unique_ptr<cTempDir> tmp_;
  fs::path dir_;
};

TEST_F(FileUtilTest, FileExists) {
  std::ofstream((dir_ / "Sub" / "a.txt").string()) << "abc";
  EXPECT_TRUE(FileExists((dir_ / "Sub" / "a.txt").wstring()));
  EXPECT_TRUE(FileExists(dir_.wstring() + L"\\sub\\A.TXT"));
  EXPECT_FALSE(FileExists((dir_ / "Sub").wstring()));
  EXPECT_FALSE(FileExists((dir_ / "missing.txt").wstring()));
}

TEST_F(FileUtilTest, ReadWholeFile) {
  std::vector<uint8_t> buf{1, 2, 3};
  std::ofstream((dir_ / "empty").string());
  EXPECT_TRUE(ReadWholeFile((dir_ / "empty").string(), buf));
  EXPECT_EQ(buf.size(), 0u);

  std::string bytes("ab\0\xff\r\n", 6);
  std::ofstream((dir_ / "data.bin").string(), std::ios::binary) << bytes;
  ASSERT_TRUE(ReadWholeFile((dir_ / "data.bin").string(), buf));
  EXPECT_EQ(std::string(buf.begin(), buf.end()), bytes);

  EXPECT_FALSE(ReadWholeFile((dir_ / "missing").string(), buf));
  EXPECT_FALSE(ReadWholeFile((dir_ / "Sub").string(), buf));
  // A device tells no size: it is no file to read whole.
  EXPECT_FALSE(ReadWholeFile("/dev/null", buf));
  EXPECT_TRUE(buf.empty());
}

TEST_F(FileUtilTest, ReadWholeFileIntoUnclearedStorage) {
  std::unique_ptr<uint8_t[]> buf;
  size_t size = 99;
  std::ofstream((dir_ / "empty").string());
  EXPECT_TRUE(ReadWholeFile((dir_ / "empty").string(), buf, size));
  EXPECT_EQ(size, 0u);

  std::string bytes("ab\0\xff\r\n", 6);
  std::ofstream((dir_ / "data.bin").string(), std::ios::binary) << bytes;
  ASSERT_TRUE(ReadWholeFile((dir_ / "data.bin").string(), buf, size));
  ASSERT_EQ(size, bytes.size());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(buf.get()), size), bytes);

  for (const std::string& bad : {(dir_ / "missing").string(), (dir_ / "Sub").string(), std::string("/dev/null")}) {
    size = 5;
    EXPECT_FALSE(ReadWholeFile(bad, buf, size)) << bad;
    EXPECT_EQ(size, 0u) << bad;
    EXPECT_EQ(buf, nullptr) << bad;
  }
}

}  // namespace
