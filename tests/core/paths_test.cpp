#include "core/paths.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/text.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

class PathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tmp_ = std::make_unique<cTempDir>("paths_test");
    dir_ = tmp_->Path();
    tmp_->Write("data/music/Song.ogg", "x");
    root_ = dir_.string();
  }
  void TearDown() override { tmp_.reset(); }
  std::unique_ptr<cTempDir> tmp_;
  fs::path dir_;
  std::string root_;
};

// Runs a block with the working directory set to dir, restoring it after.
class cWorkingDir {
 public:
  explicit cWorkingDir(const fs::path& dir) : old_(fs::current_path()) { fs::current_path(dir); }
  ~cWorkingDir() { fs::current_path(old_); }

 private:
  fs::path old_;
};

TEST_F(PathsTest, BackslashesBecomeSlashesAndMissingNamesKeepTheirSpelling) {
  cWorkingDir cwd(dir_);
  EXPECT_EQ(NativePath("data\\Scenarios\\X.csv"), "data/Scenarios/X.csv");
  EXPECT_EQ(NativePath("data\\\\save\\\\Game1"), "data/save/Game1");
  EXPECT_EQ(NativePath(""), "");
}

TEST_F(PathsTest, CaseInsensitiveFallbackFindsExistingNames) {
  cWorkingDir cwd(dir_);
  EXPECT_EQ(NativePath("data\\Music"), "data/music");
  EXPECT_EQ(NativePath(L"DATA\\Music\\SONG.OGG"), "data/music/Song.ogg");
  EXPECT_EQ(NativePath("data\\Music\\"), "data/music/");
  // The components that exist are found, the rest keep their spelling.
  EXPECT_EQ(NativePath("Data\\MUSIC\\New.ogg"), "data/music/New.ogg");
  EXPECT_EQ(NativePath(root_ + "/data\\Music\\song.OGG"), root_ + "/data/music/Song.ogg");
}

TEST_F(PathsTest, ExactNameWinsOverCaseVariant) {
  fs::create_directories(dir_ / "data" / "Music");
  cWorkingDir cwd(dir_);
  EXPECT_EQ(NativePath("data\\Music"), "data/Music");
  EXPECT_EQ(NativePath("data\\music"), "data/music");
}

TEST_F(PathsTest, OpenGameFileAndDirectoryExistsUseTheFallback) {
  cWorkingDir cwd(dir_);
  std::FILE* f = OpenGameFile(L"data\\MUSIC\\song.ogg", "rb");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(std::fgetc(f), 'x');
  std::fclose(f);
  EXPECT_EQ(OpenGameFile(L"data\\music\\none.ogg", "rb"), nullptr);
  EXPECT_TRUE(DirectoryExists(L"Data\\Music"));
  EXPECT_FALSE(DirectoryExists(L"data\\music\\Song.ogg"));
  EXPECT_FALSE(DirectoryExists(L"data\\sound"));
}

// Sets environment variables for one test and puts the old values back.
class cEnv {
 public:
  void Set(const char* name, const std::optional<std::string>& value) {
    const char* old = std::getenv(name);
    saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
    Apply(name, value);
  }
  ~cEnv() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) Apply(it->first, it->second);
  }

 private:
  static void Apply(const char* name, const std::optional<std::string>& v) {
    if (v) setenv(name, v->c_str(), 1);
    else unsetenv(name);
  }
  std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

TEST_F(PathsTest, UserFolderUnderXdgDocumentsIsCreated) {
  cEnv env;
  env.Set("XDG_DOCUMENTS_DIR", root_ + "/docs");
  std::wstring folder = GetUserDataFolder();
  EXPECT_EQ(folder, Utf8ToWide(root_ + "/docs/My Games/Corvalle/Brennmark/"));
  EXPECT_TRUE(fs::is_directory(dir_ / "docs" / "My Games" / "Corvalle" / "Brennmark"));
  // A second call finds the folders already there.
  EXPECT_EQ(GetUserDataFolder(), folder);
}

TEST_F(PathsTest, UserFolderUnderHomeDocuments) {
  cEnv env;
  env.Set("XDG_DOCUMENTS_DIR", std::nullopt);
  env.Set("HOME", root_ + "/home");
  fs::create_directories(dir_ / "home");
  EXPECT_EQ(GetUserDataFolder(), Utf8ToWide(root_ + "/home/Documents/My Games/Corvalle/Brennmark/"));
  EXPECT_TRUE(fs::is_directory(dir_ / "home" / "Documents" / "My Games" / "Corvalle" / "Brennmark"));
}

TEST_F(PathsTest, UserFolderFallsBackToWorkingDirectory) {
  cEnv env;
  // A regular file where a folder should be: nothing can be created below it.
  env.Set("XDG_DOCUMENTS_DIR", root_ + "/data/music/Song.ogg/docs");
  EXPECT_EQ(GetUserDataFolder(), L"./");

  env.Set("XDG_DOCUMENTS_DIR", std::nullopt);
  env.Set("HOME", std::nullopt);
  EXPECT_EQ(GetUserDataFolder(), L"./");
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

// The game ships one music folder, "data/Music"; the play lists and the
// menus' jingles are opened under both spellings and find its files.
TEST(ShippedMusicFolder, BothSpellingsFindTheShippedFiles) {
  cWorkingDir cwd(BRENNMARK_GAME_DIR);
  for (const char* name : {"data/Music/playlists.csv", "data/music/playlists.csv", "data/music/IntroLogo.wav",
                           "data/music/IntroGameLogo.wav", "data/music/MainMenuMusicLoop.wav", "data\\Music\\default.txt"}) {
    const std::string found = NativePath(std::string(name));
    EXPECT_TRUE(fs::is_regular_file(found)) << name << " -> " << found;
    EXPECT_EQ(found.rfind("data/Music/", 0), 0u) << name << " -> " << found;
  }
  // Every track of the default play list is there too.
  std::unique_ptr<std::FILE, decltype(&std::fclose)> list(OpenGameFile(L"data\\music\\default.txt", "rb"), std::fclose);
  ASSERT_NE(list, nullptr);
  char line[256];
  int tracks = 0;
  while (std::fgets(line, sizeof line, list.get()) != nullptr) {
    std::string track(line);
    while (!track.empty() && (track.back() == '\n' || track.back() == '\r')) track.pop_back();
    if (track.empty() || track[0] == ';') continue;
    ++tracks;
    EXPECT_TRUE(fs::is_regular_file(NativePath(track))) << track;
  }
  EXPECT_GT(tracks, 0);
}

}  // namespace

TEST_F(PathsTest, LookupScopeAnswersAsWithoutOne) {
  tmp_->Write("data/gfx/Flags/Land.png", "x");
  tmp_->Write("data/gfx/units_A.png", "x");
  fs::create_directories(dir_ / "data" / "Music");  // beside "music": the exact name wins
  cWorkingDir cwd(dir_);
  const std::vector<std::string> paths = {
      "data\\gfx\\Flags\\Land.png", "DATA\\GFX\\flags\\land.PNG", "data\\gfx\\Flags\\Sea.png",
      "data\\scenarios\\X\\Flags\\Land.png", "data\\gfx\\[Skin]\\units_A.png", "data\\GFX\\Units_a.png",
      "data\\Music", "data\\MUSIC\\song.ogg", "nowhere\\..\\data\\gfx", "data\\gfx\\Flags\\", ""};
  std::vector<std::string> plain;
  for (const std::string& p : paths) plain.push_back(NativePath(p));
  EXPECT_EQ(plain[1], "data/gfx/Flags/Land.png");
  EXPECT_EQ(plain[3], "data/scenarios/X/Flags/Land.png");
  EXPECT_EQ(plain[5], "data/gfx/units_A.png");
  {
    cFolderLookupScope scope;
    for (int round = 0; round < 2; ++round)
      for (size_t i = 0; i < paths.size(); ++i) EXPECT_EQ(NativePath(paths[i]), plain[i]) << paths[i];
    cFolderLookupScope inner;
    EXPECT_EQ(NativePath("data\\gfx\\flags\\LAND.png"), "data/gfx/Flags/Land.png");
  }
  // Once the scope is gone the file system is asked again.
  tmp_->Write("data/gfx/Flags/Sea.png", "x");
  EXPECT_EQ(NativePath("data\\GFX\\flags\\SEA.png"), "data/gfx/Flags/Sea.png");
}
