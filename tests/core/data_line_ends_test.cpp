// The tables are read with CR as the line end; a shipped table or text with
// a lone LF would silently merge its lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

TEST(DataLineEnds, ShippedTablesAndTextsUseCrLf) {
  fs::path root = fs::path(BRENNMARK_SOURCE_DIR) / "data";
  ASSERT_TRUE(fs::is_directory(root));
  int checked = 0;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(root)) {
    if (!e.is_regular_file()) continue;
    std::string ext = e.path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext != ".csv" && ext != ".txt") continue;
    std::ifstream in(e.path(), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    size_t lines = 1;
    for (size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] != '\n') continue;
      EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << e.path() << ": lone LF ending line " << lines;
      ++lines;
    }
    ++checked;
  }
  // The English text source at least is always there.
  EXPECT_GE(checked, 1);
}
