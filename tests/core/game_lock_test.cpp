#include "core/game_lock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/console.h"
#include "support/log_capture.h"

namespace {

using namespace std::chrono_literals;

class GameLockTest : public ::testing::Test {
 protected:
  void SetUp() override { CreateGameLock(); }
  void TearDown() override { DeleteGameLock(); }
  std::vector<std::wstring> Lines() { return log_.Lines(); }
  bool Logged(const std::wstring& line) { return log_.Has(line); }
  // True when another thread can take and give back the lock within a while.
  bool FreeForAnotherThread() {
    std::atomic<bool> done{false};
    std::thread t([&done] {
      AcquireGameLock(nullptr, 0);
      ReleaseGameLock(nullptr, 0);
      done = true;
    });
    for (int i = 0; i < 500 && !done; ++i) std::this_thread::sleep_for(10ms);
    bool ok = done;
    t.join();
    return ok;
  }

  cLogCapture log_;
};

TEST_F(GameLockTest, NestedAcquiresAndReleasesLeaveTheLockFree) {
  AcquireGameLock("gra.cpp", 10);
  AcquireGameLock("gra.cpp", 11);
  EXPECT_EQ(GameLockHoldCount(), 2);
  ReleaseGameLock("gra.cpp", 12);
  ReleaseGameLock("gra.cpp", 13);
  EXPECT_EQ(GameLockHoldCount(), 0);
  EXPECT_EQ(Lines(), (std::vector<std::wstring>{L"AC:gra.cpp:10", L"AC:gra.cpp:11", L"RC:gra.cpp:12", L"RC:gra.cpp:13"}));
  EXPECT_TRUE(FreeForAnotherThread());
}

TEST_F(GameLockTest, NullFileNameLeavesNoTrace) {
  AcquireGameLock(nullptr, 0);
  EXPECT_EQ(GameLockHoldCount(), 1);
  ReleaseGameLock(nullptr, 0);
  EXPECT_EQ(GameLockHoldCount(), 0);
  EXPECT_TRUE(Lines().empty());
}

TEST_F(GameLockTest, GuardHoldsForItsScope) {
  {
    cGameLockGuard guard("seabattle.cpp", 42);
    EXPECT_EQ(GameLockHoldCount(), 1);
  }
  EXPECT_EQ(GameLockHoldCount(), 0);
  EXPECT_EQ(Lines(), (std::vector<std::wstring>{L"AC:seabattle.cpp:42", L"RC:seabattle.cpp:42"}));
}

TEST_F(GameLockTest, TracesNameTheSourceFileFromTheTreeNotTheBuildPath) {
  const int line = __LINE__;
  AcquireGameLock(__FILE__, line);
  ReleaseGameLock(__FILE__, line);
  const std::wstring where = L"tests/core/game_lock_test.cpp:" + std::to_wstring(line);
  EXPECT_EQ(Lines(), (std::vector<std::wstring>{L"AC:" + where, L"RC:" + where}));
}

TEST_F(GameLockTest, CallsWhileDisabledChangeNothing) {
  DeleteGameLock();
  EXPECT_FALSE(GameLockEnabled());
  AcquireGameLock("ai2.cpp", 1);
  EXPECT_EQ(GameLockHoldCount(), 0);
  ReleaseGameLock("ai2.cpp", 2);
  ReleaseGameLock("ai2.cpp", 3);
  EXPECT_EQ(GameLockHoldCount(), 0);
  EXPECT_TRUE(Lines().empty());
  CreateGameLock();
  EXPECT_TRUE(GameLockEnabled());
}

TEST_F(GameLockTest, UnmatchedReleaseOnlyLogs) {
  ReleaseGameLock("gra_endturn.cpp", 5);
  EXPECT_EQ(Lines(), (std::vector<std::wstring>{L"RC:gra_endturn.cpp:5", L"LCS przy C<=0"}));
  EXPECT_EQ(GameLockHoldCount(), 0);
  ReleaseGameLock(nullptr, 0);
  EXPECT_EQ(GameLockHoldCount(), 0);
  // The lock still works afterwards.
  AcquireGameLock(nullptr, 0);
  EXPECT_EQ(GameLockHoldCount(), 1);
  ReleaseGameLock(nullptr, 0);
  EXPECT_EQ(GameLockHoldCount(), 0);
  EXPECT_TRUE(FreeForAnotherThread());
}

TEST_F(GameLockTest, SecondThreadBlocksWhileTheFirstHoldsTheLock) {
  AcquireGameLock("gra.cpp", 1);
  std::atomic<bool> entered{false};
  std::thread worker([&entered] {
    AcquireGameLock("ai3.cpp", 2);
    entered = true;
    ReleaseGameLock("ai3.cpp", 3);
  });
  // The worker writes its trace before it waits for the lock.
  for (int i = 0; i < 500 && !Logged(L"AC:ai3.cpp:2"); ++i) std::this_thread::sleep_for(10ms);
  EXPECT_TRUE(Logged(L"AC:ai3.cpp:2"));
  std::this_thread::sleep_for(100ms);
  EXPECT_FALSE(entered.load());
  EXPECT_EQ(GameLockHoldCount(), 1);
  ReleaseGameLock("gra.cpp", 4);
  worker.join();
  EXPECT_TRUE(entered.load());
  EXPECT_EQ(GameLockHoldCount(), 0);
  EXPECT_FALSE(Logged(L"LCS przy C<=0"));
  auto l = Lines();
  auto release = std::find(l.begin(), l.end(), L"RC:gra.cpp:4");
  auto entry = std::find(l.begin(), l.end(), L"RC:ai3.cpp:3");
  EXPECT_LT(release, entry);
}

}  // namespace
