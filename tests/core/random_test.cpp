#include "core/random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <thread>
#include <utility>
#include <vector>

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

}  // namespace
