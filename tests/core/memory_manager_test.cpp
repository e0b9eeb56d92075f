// The allocation tracker: plain frees for everything the game deletes, the
// report's blocks for frees it finds wrong, and plain frees after shutdown.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/memory_manager.h"

namespace {

const std::string kHeader = "XMEMORY_MANAGER Report -------------------------------------------\n\n";

TEST(MemoryManager, TheProgramsDeletesArePlainFreesThatReportNothing) {
  XMEMORY_MANAGER& m = MemoryManager();
  ASSERT_TRUE(m.Enabled());
  delete new int(7);
  delete[] new char[40];
  std::string* s = new std::string(100, 'x');
  delete s;
  delete static_cast<int*>(nullptr);
  EXPECT_EQ(m.ReportLines(), std::vector<std::string>{kHeader});
  EXPECT_EQ(m.RecordCount(), 0);
#ifndef BRENNMARK_SANITIZED_BUILD
  // The program's delete reaches the tracker: with a source named, an
  // unregistered pointer is reported.
  m.SetCurrentLocation("test", 1);
  int* volatile kept = new int(8);  // a pair the optimiser may not elide
  delete kept;
  EXPECT_EQ(m.ReportLines().size(), 2u);
#endif
}

TEST(MemoryManager, WrongFreesOfRegisteredCodeAreReported) {
  XMEMORY_MANAGER m;
  EXPECT_EQ(XMEMORY_MANAGER::BucketOf(0x12345678u), ((0x78u * 0x50000u) - 0x12345678u) % 2048u);
  // Null without a named source: nothing at all.
  m.Deallocate(nullptr, false);
  EXPECT_EQ(m.ReportLines().size(), 1u);

  m.SetCurrentLocation("units.cpp", 12);
  m.Deallocate(nullptr, false);
  ASSERT_EQ(m.ReportLines().size(), 2u);
  EXPECT_EQ(m.ReportLines()[1].rfind("ERROR\n{\n\tAction: Deallocating memory\n\tInformation: Trying to free NULL", 0), 0u);
  EXPECT_NE(m.ReportLines()[1].find("File: units.cpp\n\t\tLine: 12"), std::string::npos);

  // An unregistered pointer with a named source is freed and reported.
  m.SetCurrentLocation("map.cpp", 3);
  m.Deallocate(std::malloc(8), false);
  ASSERT_EQ(m.ReportLines().size(), 3u);
  EXPECT_NE(m.ReportLines()[2].find("Memory allocation was not registered"), std::string::npos);

  // Scalar and array forms crossed: reported whether or not a source is named.
  void* a = std::malloc(16);
  void* b = std::malloc(24);
  ASSERT_TRUE(m.Register(a, 16, true, "city.cpp", 40));
  ASSERT_TRUE(m.Register(b, 24, false, "city.cpp", 41));
  EXPECT_FALSE(m.Register(b, 24, false, "city.cpp", 41)) << "one record per pointer";
  EXPECT_EQ(m.RecordCount(), 2);
  EXPECT_EQ(m.RegisteredBytes(), 40);
  m.Deallocate(a, false);
  m.Deallocate(b, true);
  const std::vector<std::string> lines = m.ReportLines();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_NE(lines[3].find("allocated by new[] and is deallocated by delete\n"), std::string::npos);
  EXPECT_NE(lines[3].find("File: city.cpp\n\t\tLine: 40"), std::string::npos);
  EXPECT_NE(lines[3].find("Size:16"), std::string::npos);
  EXPECT_NE(lines[4].find("allocated by new and is deallocated by delete[]"), std::string::npos);
  EXPECT_EQ(m.RecordCount(), 0);
  EXPECT_EQ(m.RegisteredBytes(), 0);

  // After shutdown the table and report are gone and frees are plain.
  m.Shutdown();
  EXPECT_FALSE(m.Enabled());
  EXPECT_TRUE(m.ReportLines().empty());
  m.SetCurrentLocation("late.cpp", 9);
  m.Deallocate(std::malloc(8), true);
  EXPECT_TRUE(m.ReportLines().empty());
}

}  // namespace
