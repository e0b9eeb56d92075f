#include "core/console.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "core/text.h"
#include "support/temp_dir.h"

namespace {
class ConsoleTest : public cOneFileTest {
 protected:
  ConsoleTest() : cOneFileTest("console_test", "ConsoleOut.txt") {}
};

// Splits UTF-16LE bytes into lines at CR LF, checking that the text is valid
// UTF-16 (every surrogate paired) and that nothing follows the last CR LF.
::testing::AssertionResult SplitUtf16Lines(const std::string& bytes, std::vector<std::wstring>& lines) {
  lines.clear();
  if (bytes.size() % 2 != 0) return ::testing::AssertionFailure() << "odd byte count " << bytes.size();
  std::vector<uint16_t> units(bytes.size() / 2);
  for (size_t i = 0; i < units.size(); ++i)
    units[i] = static_cast<uint16_t>(static_cast<uint8_t>(bytes[2 * i]) | (static_cast<uint8_t>(bytes[2 * i + 1]) << 8));
  size_t start = 0;
  for (size_t i = 0; i < units.size(); ++i) {
    uint16_t u = units[i];
    if (u >= 0xD800 && u <= 0xDBFF) {
      if (i + 1 >= units.size() || units[i + 1] < 0xDC00 || units[i + 1] > 0xDFFF)
        return ::testing::AssertionFailure() << "unpaired high surrogate at unit " << i;
      ++i;
    } else if (u >= 0xDC00 && u <= 0xDFFF) {
      return ::testing::AssertionFailure() << "lone low surrogate at unit " << i;
    } else if (u == 0x0A) {
      return ::testing::AssertionFailure() << "LF without CR at unit " << i;
    } else if (u == 0x0D) {
      if (i + 1 >= units.size() || units[i + 1] != 0x0A)
        return ::testing::AssertionFailure() << "CR without LF at unit " << i;
      lines.push_back(Utf16LeToWide(reinterpret_cast<const uint8_t*>(bytes.data()) + 2 * start, 2 * (i - start)));
      ++i;
      start = i + 1;
    }
  }
  if (start != units.size()) return ::testing::AssertionFailure() << "text after the last line end";
  return ::testing::AssertionSuccess();
}
}  // namespace

TEST_F(ConsoleTest, LinesAreUtf16WithCrLfAndNoByteOrderMark) {
  cConsole c(path_.string());
  c.AddLine(L"");
  c.Flush();
  EXPECT_EQ(ReadBack(), std::string("\r\0\n\0", 4));
  c.AddLine(L"Ab\u0105");
  c.AddFormatted(L"%s=%i", L"x", 5);
  c.Flush();
  EXPECT_EQ(ReadBack(), std::string("\r\0\n\0A\0b\0\x05\x01\r\0\n\0x\0=\x00" "5\0\r\0\n\0", 24));
}

TEST_F(ConsoleTest, TextStopsAtFirstNul) {
  cConsole c(path_.string());
  c.AddLine(std::wstring(L"ab\0cd", 5));
  c.Flush();
  EXPECT_EQ(ReadBack(), std::string("a\0b\0\r\0\n\0", 8));
}

TEST_F(ConsoleTest, ReopenStartsAgainWithByteOrderMark) {
  cConsole c(path_.string());
  c.AddLine(L"before");
  c.Reopen();
  c.AddLine(L"after");
  c.Flush();
  std::string bytes = ReadBack();
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  std::vector<std::wstring> lines;
  ASSERT_TRUE(SplitUtf16Lines(bytes.substr(2), lines));
  EXPECT_EQ(lines, std::vector<std::wstring>{L"after"});
}

TEST_F(ConsoleTest, DisabledWritesNothing) {
  cConsole c(path_.string());
  int heard = 0;
  c.SetListener([&heard](const std::wstring&) { ++heard; });
  c.enabled = false;
  c.AddLine(L"hidden");
  c.AddFormatted(L"%i", 1);
  c.Flush();
  EXPECT_EQ(ReadBack(), "");
  EXPECT_EQ(heard, 0);
  c.enabled = true;
  c.AddLine(L"x");
  EXPECT_EQ(heard, 1);
  c.Flush();
  EXPECT_EQ(ReadBack().size(), 6u);
}

TEST_F(ConsoleTest, UnwritableFileDropsLinesQuietly) {
  cConsole c((path_ / "no" / "such" / "dir.txt").string());
  std::vector<std::wstring> heard;
  c.SetListener([&heard](const std::wstring& l) { heard.push_back(l); });
  c.AddLine(L"still heard");
  EXPECT_EQ(heard, std::vector<std::wstring>{L"still heard"});
}

TEST_F(ConsoleTest, TwoThreadsWriteWholeLines) {
  constexpr int kLines = 300;
  cConsole c(path_.string());
  auto text = [](int thread, int i) {
    // Non-BMP characters become surrogate pairs on disk.
    return WFormat(L"thread %i line %i \U0001F600 \u00E9 \U00010400 end", thread, i);
  };
  auto writer = [&](int thread) {
    for (int i = 0; i < kLines; ++i) c.AddLine(text(thread, i));
  };
  std::thread a(writer, 1);
  std::thread b(writer, 2);
  a.join();
  b.join();
  c.Close();

  std::vector<std::wstring> lines;
  ASSERT_TRUE(SplitUtf16Lines(ReadBack(), lines));
  ASSERT_EQ(lines.size(), 2u * kLines);
  // Every line intact, each thread's lines in their order.
  std::map<int, int> next = {{1, 0}, {2, 0}};
  for (const std::wstring& l : lines) {
    int thread = l.size() > 7 ? l[7] - L'0' : 0;
    ASSERT_TRUE(thread == 1 || thread == 2) << WideToUtf8(l);
    ASSERT_EQ(l, text(thread, next[thread])) << WideToUtf8(l);
    ++next[thread];
  }
  EXPECT_EQ(next[1], kLines);
  EXPECT_EQ(next[2], kLines);
}

TEST_F(ConsoleTest, GatheredLinesReachTheFileWithinASecondOnCloseAndOnACrash) {
  {
    cConsole c(path_.string());
    c.AddLine(L"waits");
    // Gathered, not yet written; the helper writes it within about a second
    // even with no further line (waited for up to 10 s, for a loaded machine).
    EXPECT_EQ(ReadBack(), "");
    std::string bytes;
    for (int i = 0; i < 200 && bytes.empty(); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      bytes = ReadBack();
    }
    EXPECT_EQ(bytes, std::string("w\0a\0i\0t\0s\0\r\0\n\0", 14));
    c.AddLine(L"y");
    c.Close();
    EXPECT_EQ(ReadBack().size(), 20u);
    c.AddLine(L"dropped");
  }
  EXPECT_EQ(ReadBack().size(), 20u);
  // The lines before a crash are written by its signal. The child of a
  // thread-safe death test runs this test again from the top, in a folder of
  // its own: the parent names the file, and the child inherits the name.
  setenv("BRENNMARK_CRASH_LOG_TEST", path_.string().c_str(), 0);
  const std::string crashLog = getenv("BRENNMARK_CRASH_LOG_TEST");
  EXPECT_EXIT(
      {
        cConsole c(crashLog);
        c.FlushOnCrash();
        c.AddLine(L"last words");
        ::raise(SIGSEGV);
      },
      ::testing::KilledBySignal(SIGSEGV), "");
  unsetenv("BRENNMARK_CRASH_LOG_TEST");
  std::vector<std::wstring> lines;
  ASSERT_TRUE(SplitUtf16Lines(ReadBack(), lines));
  EXPECT_EQ(lines, std::vector<std::wstring>{L"last words"});
}

// A child forked while another thread is writing a line must still be able
// to write: the writers' flag is not left taken by a thread the child lacks.
TEST_F(ConsoleTest, AChildForkedDuringAnotherThreadsLineCanWrite) {
  cConsole c(path_.string());
  std::atomic<bool> stop{false};
  std::thread writer([&] {
    while (!stop) c.AddLine(L"a line of the parent's other thread");
  });
  for (int i = 0; i < 100; ++i) {
    const pid_t pid = fork();
    if (pid == 0) {
      c.AddLine(L"the child's line");
      std::_Exit(0);
    }
    ASSERT_GT(pid, 0);
    int status = 0;
    pid_t done = 0;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while ((done = waitpid(pid, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < until)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (done == 0) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      ADD_FAILURE() << "child " << i << " hung on the log";
      break;
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child " << i;
  }
  stop = true;
  writer.join();
}
