// Linked into every test program. Death tests in the fast style fork a
// process that already runs the console's flush thread, and a child forked
// while that thread holds the console's lock never gets it: the thread-safe
// style starts the test program afresh for each death test instead. It is
// set when the tests start, after every flag has been read.
#include <gtest/gtest.h>

namespace {
class cThreadSafeDeathTests : public ::testing::Environment {
 public:
  void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

[[maybe_unused]] const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new cThreadSafeDeathTests);
}  // namespace
