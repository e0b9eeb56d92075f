#include "core/ini_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "core/console.h"
#include "support/temp_dir.h"
#include "core/text.h"

namespace fs = std::filesystem;

namespace {
class IniFileTest : public cOneFileTest {
 protected:
  IniFileTest() : cOneFileTest("ini_test", "Test.ini") {}
  // Loads the given file text into ini.
  void LoadText(cIniFile& ini, const std::string& bytes) {
    Write(bytes);
    ASSERT_TRUE(ini.Load(Path()));
  }
  static std::string Value(const cIniFile& ini, const std::string& key) {
    auto it = ini.Entries().find(key);
    if (it == ini.Entries().end()) return "<missing>";
    if (!it->second.value) return "<section>";
    return *it->second.value;
  }
  void Capture() {
    gConsole.SetListener([this](const std::wstring& l) { log_.push_back(l); });
  }

  std::vector<std::wstring> log_;
};
}  // namespace

TEST_F(IniFileTest, KeyAndValueAreTrimmed) {
  cIniFile ini;
  LoadText(ini, "[Main]\r\n   Key  \t =   some value   \r\n");
  EXPECT_EQ(Value(ini, "Main/Key"), "some value");
  EXPECT_EQ(Value(ini, "Main"), "<section>");
  EXPECT_EQ(ini.GetString("Main/Key", L"x"), L"some value");
}

TEST_F(IniFileTest, KeyBeforeAnySectionAndValueWithEquals) {
  cIniFile ini;
  LoadText(ini, "a=b=c\n[S]\nk=v\n");
  EXPECT_EQ(Value(ini, "a"), "b=c");
  EXPECT_EQ(Value(ini, "S/k"), "v");
  ini.Save();
  EXPECT_EQ(ReadBack(), "\r\n[S]\r\nk = v\r\na = b=c\r\n");
}

TEST_F(IniFileTest, UnclosedSectionHeaderLosesItsLastCharacter) {
  cIniFile ini;
  LoadText(ini, "[Main\r\nA=1\r\n");
  EXPECT_EQ(Value(ini, "Mai"), "<section>");
  EXPECT_EQ(Value(ini, "Mai/A"), "1");
  EXPECT_FALSE(ini.HasKey("Main"));
}

TEST_F(IniFileTest, LastOccurrenceWins) {
  cIniFile ini;
  LoadText(ini, "; first\r\n[S]\r\nX=1\r\nX=2\r\n; again\r\n[S]\r\nY=3\r\n");
  EXPECT_EQ(ini.GetInt("S/X", 0), 2);
  EXPECT_EQ(ini.GetInt("S/Y", 0), 3);
  // The repeated header replaced the section's comment.
  EXPECT_EQ(ini.Entries().at("S").comment, "; again\r\n");
}

TEST_F(IniFileTest, MalformedLinesAreIgnoredAndCommentStaysPending) {
  cIniFile ini;
  LoadText(ini, "[S]\n# note\nno equals here\n\n   \nK=1\n");
  ASSERT_EQ(ini.Entries().size(), 2u);
  EXPECT_EQ(ini.Entries().at("S/K").comment, "# note\r\n");
}

TEST_F(IniFileTest, ContentStopsAtNulByte) {
  cIniFile ini;
  LoadText(ini, std::string("[S]\nA=1\n\0B=2\n", 13));
  EXPECT_EQ(Value(ini, "S/A"), "1");
  EXPECT_FALSE(ini.HasKey("S/B"));
  EXPECT_FALSE(ini.HasKey("B"));
}

TEST_F(IniFileTest, CommentIsWrittenAboveItsKeyEndingCrCrLf) {
  cIniFile ini;
  LoadText(ini, "[Main]\r\n; the width\r\nWidth=800\r\n; lost at the end\r\n");
  ini.Save();
  EXPECT_EQ(ReadBack(), "\r\n[Main]\r\n; the width\r\r\nWidth = 800\r\n");
  cIniFile again;
  ASSERT_TRUE(again.Load(Path()));
  EXPECT_EQ(again.Entries().at("Main/Width").comment, "; the width\r\n");
  EXPECT_EQ(again.GetInt("Main/Width", 0), 800);
}

TEST_F(IniFileTest, SaveSortsBytewise) {
  cIniFile ini;
  LoadText(ini, "[b]\nz=1\n[B]\nb=2\nB=3\n\xC9=4\n");
  ini.Save();
  EXPECT_EQ(ReadBack(), "\r\n[B]\r\nB = 3\r\nb = 2\r\n\xC9 = 4\r\n\r\n[b]\r\nz = 1\r\n");
}

TEST_F(IniFileTest, RoundTripKeepsEveryEntry) {
  cIniFile ini;
  LoadText(ini, "# top\n[Main]\nResolutionX=1280\n[Audio]\n;vol\nMusicVolume = 40\n");
  ini.SetString("Main/Skin", L"Plain Map");
  ini.SetBool("Audio/Mute", true);
  ini.SetInt("Audio/MusicVolume", -3);
  EXPECT_EQ(ini.GetInt("New/Key", 9), 9);
  ini.Save();

  cIniFile back;
  ASSERT_TRUE(back.Load(Path()));
  ASSERT_EQ(back.Entries().size(), ini.Entries().size());
  for (const auto& [key, e] : ini.Entries()) {
    ASSERT_TRUE(back.HasKey(key)) << key;
    const cIniFile::sEntry& b = back.Entries().at(key);
    EXPECT_EQ(b.comment, e.comment) << key;
    ASSERT_EQ(b.value != nullptr, e.value != nullptr) << key;
    if (e.value) {
      EXPECT_EQ(*b.value, *e.value) << key;
    }
  }
  EXPECT_EQ(back.GetString("Main/Skin", L""), L"Plain Map");
  EXPECT_TRUE(back.GetBool("Audio/Mute", false));
  EXPECT_EQ(back.GetInt("Audio/MusicVolume", 0), -3);
  EXPECT_EQ(back.GetInt("New/Key", 0), 9);
}

TEST_F(IniFileTest, BooleansAreTrueOrYesOnly) {
  cIniFile ini;
  LoadText(ini, "[B]\na=TRUE\nb=1\nc=yes\nd=true\ne=Yes\n");
  EXPECT_FALSE(ini.GetBool("B/a", true));
  EXPECT_FALSE(ini.GetBool("B/b", true));
  EXPECT_TRUE(ini.GetBool("B/c", false));
  EXPECT_TRUE(ini.GetBool("B/d", false));
  EXPECT_FALSE(ini.GetBool("B/e", true));
}

TEST_F(IniFileTest, IntegersFollowTheCLibraryRule) {
  cIniFile ini;
  LoadText(ini, "[N]\na=  42abc\nb=-7\nc=abc\nd=+5\ne=99999999999\nf=-99999999999\n");
  EXPECT_EQ(ini.GetInt("N/a", 1), 42);
  EXPECT_EQ(ini.GetInt("N/b", 1), -7);
  EXPECT_EQ(ini.GetInt("N/c", 1), 0);
  EXPECT_EQ(ini.GetInt("N/d", 1), 5);
  EXPECT_EQ(ini.GetInt("N/e", 1), INT_MAX);
  EXPECT_EQ(ini.GetInt("N/f", 1), INT_MIN);
}

TEST_F(IniFileTest, GettersAddMissingKeysWithTheirDefaults) {
  cIniFile ini;
  LoadText(ini, "[Main]\r\n");
  EXPECT_EQ(ini.GetInt("Main/FPSLimit", 30), 30);
  EXPECT_EQ(ini.GetString("Skin/Name", L"Normal"), L"Normal");
  EXPECT_FALSE(ini.GetBool("Skin/Grid", false));
  ini.Save();
  EXPECT_EQ(ReadBack(),
            "\r\n[Main]\r\nFPSLimit = 30\r\n"
            "\r\n[Skin]\r\nGrid = false\r\nName = Normal\r\n");

  // Without auto-create a getter answers its default and adds nothing;
  // a setter adds its key all the same.
  ini.autoCreate = 0;
  EXPECT_EQ(ini.GetInt("Other/X", 5), 5);
  EXPECT_FALSE(ini.HasKey("Other/X"));
  EXPECT_FALSE(ini.HasKey("Other"));
  ini.SetInt("Other/Y", 6);
  EXPECT_EQ(Value(ini, "Other/Y"), "6");
  EXPECT_FALSE(ini.HasKey("Other"));
  // A present key is read whatever auto-create says.
  EXPECT_EQ(ini.GetInt("Other/Y", 0), 6);
}

TEST_F(IniFileTest, SetterKeepsTheCommentOfAnExistingKey) {
  cIniFile ini;
  LoadText(ini, "[S]\n;c\nK=1\n");
  ini.SetInt("S/K", 2);
  EXPECT_EQ(ini.Entries().at("S/K").comment, ";c\r\n");
  EXPECT_EQ(Value(ini, "S/K"), "2");
}

TEST_F(IniFileTest, FailedLoadGivesDefaultsAndSavesNothing) {
  Capture();
  cIniFile ini;
  EXPECT_FALSE(ini.Load(Path()));
  EXPECT_FALSE(ini.IsLoaded());
  EXPECT_EQ(ini.GetInt("Main/FPSLimit", 0), 0);
  EXPECT_TRUE(ini.HasKey("Main/FPSLimit"));
  ini.Save();
  EXPECT_FALSE(fs::exists(path_));
  EXPECT_EQ(log_, (std::vector<std::wstring>{L"Loading INI file " + Path() + L" ...",
                                             L"ERROR during opening INI file " + Path()}));
}

TEST_F(IniFileTest, FolderInPlaceOfTheFileIsAFailedLoad) {
  cIniFile ini;
  LoadText(ini, "[A]\nx=1\n");
  fs::remove(path_);
  fs::create_directory(path_);
  Capture();
  EXPECT_FALSE(ini.Load(Path()));
  EXPECT_FALSE(ini.IsLoaded());
  EXPECT_FALSE(ini.HasKey("A/x"));
  EXPECT_EQ(log_, (std::vector<std::wstring>{L"Loading INI file " + Path() + L" ...",
                                             L"ERROR during opening INI file " + Path()}));
  // Nothing is saved over the folder.
  log_.clear();
  ini.Save();
  EXPECT_TRUE(log_.empty());
  EXPECT_TRUE(fs::is_directory(path_));
}

TEST_F(IniFileTest, LoadEmptiesTheStoreAndLogs) {
  cIniFile ini;
  LoadText(ini, "[A]\nx=1\n");
  Capture();
  LoadText(ini, "[B]\ny=2\n");
  EXPECT_FALSE(ini.HasKey("A/x"));
  EXPECT_EQ(Value(ini, "B/y"), "2");
  EXPECT_EQ(log_, (std::vector<std::wstring>{L"Loading INI file " + Path() + L" ...", L"Loaded"}));
}

TEST_F(IniFileTest, FailedSaveIsLoggedAndKeepsTheStore) {
  cIniFile ini;
  LoadText(ini, "[A]\nx=1\n");
  fs::remove_all(dir_);
  Capture();
  ini.Save();
  EXPECT_EQ(log_, (std::vector<std::wstring>{L"ERROR during saving INI file " + Path()}));
  EXPECT_EQ(Value(ini, "A/x"), "1");
}

TEST_F(IniFileTest, TraceLinesNameTheKey) {
  cIniFile ini;
  LoadText(ini, "[A]\nx=1\n");
  ini.trace = 1;
  Capture();
  ini.GetString("A/x", L"");
  ini.GetInt("A/x", 0);
  ini.GetBool("A/x", false);
  ini.SetString("A/x", L"2");
  ini.SetInt("A/x", 3);
  ini.SetBool("A/x", true);
  EXPECT_EQ(log_, (std::vector<std::wstring>{L"Get string value of A/x", L"Get integer value of A/x",
                                             L"Get boolean value of A/x", L"Set string value of A/x",
                                             L"Set integer value of A/x", L"Set boolean value of A/x"}));
  // Loading switches the trace off again.
  LoadText(ini, "[A]\n");
  EXPECT_EQ(ini.trace, 0);
}
