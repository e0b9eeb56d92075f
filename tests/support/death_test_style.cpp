// Linked into every test program. Death tests in the fast style fork a
// process that already runs the console's flush thread, and a child forked
// while that thread holds the console's lock never gets it: the thread-safe
// style starts the test program afresh for each death test instead.
#include <gtest/gtest.h>

namespace {
const bool kThreadSafeDeathTests = [] {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  return true;
}();
}  // namespace
