#pragma once
// A game of its own in a scratch folder that is the working directory for
// the test, so that files the code names relative to the game folder
// ("data\scenarios\...") land there too.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "persistence/load_request.h"
#include "support/temp_dir.h"
#include "world/world_test_support.h"

namespace persistence_test {

class GameFolderTest : public ::testing::Test {
 protected:
  GameFolderTest() : dir_("persistence"), before_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir_.Path());
    request_.pathTemplate = L"loaded\\%s";
  }
  ~GameFolderTest() override { std::filesystem::current_path(before_); }

  // Writes lines each ended by CR LF into a file of the scratch folder.
  void WriteLines(const std::string& name, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\r\n";
    dir_.Write(name, text);
  }
  void WriteLoaded(const std::string& name, const std::vector<std::string>& lines) {
    WriteLines("loaded/" + name, lines);
  }

  cTempDir dir_;
  std::filesystem::path before_;
  world_test::GameFixture game_{4, 4, 5};
  cGra& game() { return *game_.game; }
  sLoadRequest request_;
};

}  // namespace persistence_test
