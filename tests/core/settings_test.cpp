#include "core/settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <memory>
#include <string>
#include <vector>

#include "core/console.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"
#include "core/string_table.h"
#include "core/text.h"

namespace fs = std::filesystem;

namespace {
class SettingsTest : public cOneFileTest {
 protected:
  SettingsTest() : cOneFileTest("settings_test", "Settings.ini") {}
  // Loads a settings file holding [Main] and the given lines.
  void LoadWith(const std::string& lines) {
    Write("[Main]\r\n" + lines);
    LoadSettings(Path());
  }

};

// The keys the loader asks for, with their defaults as the store writes them.
const std::map<std::string, std::string> kDefaults = {
    {"Main/ResolutionX", "1024"},
    {"Main/ResolutionY", "768"},
    {"Main/Fullscreen", "false"},
    {"Main/FPSLimit", "0"},
    {"UnitsDisplay/ShowUnit", "true"},
    {"UnitsDisplay/ShowName", "true"},
    {"UnitsDisplay/Skin", "Counters"},
    {"UnitsDisplay/DynamicAppearance", "true"},
    {"MapDisplay/Skin", "Normal"},
    {"MapDisplay/Zoom", "100"},
    {"MapDisplay/ShowGrid", "true"},
    {"MapDisplay/ShowCityName", "true"},
    {"MapDisplay/ShowAPLeft", "true"},
    {"MapDisplay/ShowWeather", "true"},
    {"MapDisplay/ShowSeaZoneName", "true"},
    {"MapDisplay/OwnershipMode", "0"},
    {"MapDisplay/Mode", "0"},
    {"Border/Mode", "0"},
    {"Border/ShowSeaZonesBorders", "true"},
    {"Border/ColorA", "255"},
    {"Border/ColorR", "255"},
    {"Border/ColorG", "255"},
    {"Border/ColorB", "255"},
    {"Gameplay/FogOfWar", "0"},
    {"Gameplay/ShowAlliesActions", "true"},
    {"MinimapDisplay/OwnershipMode", "0"},
    {"InterfaceSettings/ConfirmEndTurn", "true"},
    {"InterfaceSettings/SeaBattleTimeout", "2"},
    {"Audio/MusicVolume", "100"},
    {"Audio/SFXVolume", "100"},
    {"Delay/ControlHint", "1000"},
    {"Delay/AICombatResult", "1000"},
    {"Delay/HumanCombatResult", "1000"},
    {"Delay/HumanDeployAfter", "1000"},
    {"Delay/HumanReconAfter", "1000"},
    {"Delay/AIMoveBefore", "1000"},
    {"Delay/AIMoveBetween", "1000"},
    {"Delay/AIMoveAfter", "1000"},
    {"Delay/AICombatBefore", "1000"},
    {"Delay/AICombatAfter", "1000"},
    {"Delay/AIDeployBefore", "1000"},
    {"Delay/AIDeployAfter", "1000"},
    {"Delay/AIReplacementBefore", "1000"},
    {"Delay/AIReplacementAfter", "1000"},
    {"Delay/HumanMoveBetween", "1000"},
};
}  // namespace

TEST_F(SettingsTest, FrameDelayFromFpsLimit) {
  LoadWith("FPSLimit=60\r\n");
  EXPECT_EQ(gProgramSettings.frameDelayMs, 16u);
  LoadWith("FPSLimit=0\r\n");
  EXPECT_EQ(gProgramSettings.frameDelayMs, 0u);
  LoadWith("FPSLimit=2000\r\n");
  EXPECT_EQ(gProgramSettings.frameDelayMs, 0u);
  // Unsigned division: a negative limit is a huge divisor.
  LoadWith("FPSLimit=-5\r\n");
  EXPECT_EQ(gProgramSettings.frameDelayMs, 0u);
}

TEST_F(SettingsTest, MapModeIsClampedFromAboveOnly) {
  LoadWith("[MapDisplay]\r\nMode=7\r\n");
  EXPECT_EQ(gProgramSettings.mapMode, 2);
  LoadWith("[MapDisplay]\r\nMode=-1\r\n");
  EXPECT_EQ(gProgramSettings.mapMode, -1);
  LoadWith("[MapDisplay]\r\nMode=1\r\n");
  EXPECT_EQ(gProgramSettings.mapMode, 1);
}

TEST_F(SettingsTest, BorderColourTermsCarryUnmasked) {
  LoadWith("[Border]\r\nColorR=300\r\n");
  EXPECT_EQ(gProgramSettings.borderColor, 0x002CFFFFu);
  LoadWith("[Border]\r\nColorA=128\r\nColorR=1\r\nColorG=2\r\nColorB=3\r\n");
  EXPECT_EQ(gProgramSettings.borderColor, 0x80010203u);
}

TEST_F(SettingsTest, ValuesAndConversions) {
  LoadWith(
      "ResolutionX=1280\r\nResolutionY=720\r\nFullscreen=true\r\n"
      "[UnitsDisplay]\r\nSkin=NATO\r\nShowName=false\r\n"
      "[MapDisplay]\r\nZoom=150\r\nSkin=Winter\r\n"
      "[InterfaceSettings]\r\nConfirmEndTurn=false\r\n"
      "[Audio]\r\nMusicVolume=50\r\nSFXVolume=25\r\n"
      "[Gameplay]\r\nFogOfWar=4\r\n"
      "[Delay]\r\nAIMoveBetween=-1\r\nHumanMoveBetween=250\r\n");
  const sProgramSettings& s = gProgramSettings;
  EXPECT_EQ(s.resolutionX, 1280);
  EXPECT_EQ(s.resolutionY, 720);
  EXPECT_FALSE(s.windowed);
  EXPECT_EQ(s.unitsSkin, L"NATO");
  EXPECT_FALSE(s.showUnitNames);
  EXPECT_EQ(s.mapSkin, L"Winter");
  EXPECT_FLOAT_EQ(s.mapZoom, 1.5f);
  EXPECT_TRUE(s.skipEndTurnConfirmation);
  EXPECT_FLOAT_EQ(s.musicVolume, 0.5f);
  EXPECT_FLOAT_EQ(s.sfxVolume, 0.25f);
  EXPECT_EQ(s.fogOfWar, 4);
  EXPECT_EQ(delayValues[DELAY_AI_MOVE_BETWEEN], -1.0f);
  EXPECT_EQ(delayValues[DELAY_HUMAN_MOVE_BETWEEN], 250.0f);
  EXPECT_EQ(delayValues[DELAY_CONTROL_HINT], 1000.0f);
}

TEST_F(SettingsTest, IniDefaultsDifferFromBuiltIns) {
  LoadWith("");
  const sProgramSettings& s = gProgramSettings;
  EXPECT_EQ(s.resolutionX, 1024);
  EXPECT_EQ(s.resolutionY, 768);
  EXPECT_TRUE(s.windowed);
  EXPECT_TRUE(s.showCityNames);
  EXPECT_TRUE(s.showWeather);
  EXPECT_EQ(s.borderMode, 0);
  EXPECT_EQ(s.fogOfWar, 0);
  EXPECT_EQ(s.borderColor, 0xFFFFFFFFu);
  EXPECT_FLOAT_EQ(s.mapZoom, 1.0f);
  EXPECT_FLOAT_EQ(s.musicVolume, 1.0f);
  EXPECT_FALSE(s.skipEndTurnConfirmation);
  for (float d : delayValues) EXPECT_EQ(d, 1000.0f);
}

TEST_F(SettingsTest, FileWithOnlyMainGetsEveryKeyOnSave) {
  LoadWith("");
  SaveZoomSetting();
  cIniFile back;
  ASSERT_TRUE(back.Load(Path()));
  std::set<std::string> keys;
  for (const auto& [key, e] : back.Entries())
    if (e.value) keys.insert(key);
  EXPECT_EQ(keys.size(), kDefaults.size());
  for (const auto& [key, def] : kDefaults) {
    auto it = back.Entries().find(key);
    ASSERT_NE(it, back.Entries().end()) << key;
    ASSERT_TRUE(it->second.value) << key;
    EXPECT_EQ(*it->second.value, def) << key;
  }
  // Every section header stands above its keys.
  std::string text = ReadBack();
  EXPECT_EQ(text.rfind("\r\n[Audio]\r\nMusicVolume = 100\r\nSFXVolume = 100\r\n", 0), 0u);
}

TEST_F(SettingsTest, ZoomIsSavedAsCeilingPercent) {
  LoadWith("");
  gProgramSettings.mapZoom = 0.754f;
  SaveZoomSetting();
  EXPECT_EQ(gSettings.GetInt("MapDisplay/Zoom", 0), 76);
  EXPECT_NE(ReadBack().find("\r\nZoom = 76\r\n"), std::string::npos);
  gProgramSettings.mapZoom = 0.75f;
  SaveZoomSetting();
  EXPECT_NE(ReadBack().find("\r\nZoom = 75\r\n"), std::string::npos);
}

TEST_F(SettingsTest, WithoutFileBuiltInsApplyAndLanguageIsEnglish) {
  LoadWith("[Main]\r\nResolutionX=1600\r\n");
  ASSERT_EQ(gProgramSettings.resolutionX, 1600);
  gStringTable.SetLanguage(L"XYZ");
  std::vector<std::wstring> log;
  {
    cLogCapture capture;
    fs::remove(path_);
    LoadSettings(Path());
    log = capture.lines;
  }

  EXPECT_EQ(gStringTable.Language(), L"ENG");
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0], L"Loading settings...");
  EXPECT_EQ(log[2], L"ERROR during opening INI file " + Path());
  const sProgramSettings& s = gProgramSettings;
  EXPECT_EQ(s.resolutionX, 0);
  EXPECT_EQ(s.resolutionY, 0);
  EXPECT_FALSE(s.windowed);
  EXPECT_EQ(s.frameDelayMs, 0u);
  EXPECT_EQ(s.unitsSkin, L"Counters");
  EXPECT_EQ(s.mapSkin, L"Normal");
  EXPECT_FLOAT_EQ(s.mapZoom, 1.0f);
  EXPECT_FALSE(s.showCityNames);
  EXPECT_EQ(s.borderMode, 2);
  EXPECT_EQ(s.borderColor, 0xFFFFFFFFu);
  EXPECT_EQ(s.fogOfWar, 3);
  EXPECT_FALSE(s.skipEndTurnConfirmation);
  EXPECT_EQ(s.musicVolume, 0.0f);
  for (float d : delayValues) EXPECT_EQ(d, 0.0f);

  // Nothing is saved during such a run.
  SaveZoomSetting();
  EXPECT_FALSE(fs::exists(path_));
}

// The Settings.ini the build puts in the game folder, what a new player
// starts with (read from its source: the road tests play in the game folder
// and may save their own over the copy): sound,
// combat results, fog of war and borders on; it holds every key, so a save
// that changes nothing writes it back byte for byte.
TEST_F(SettingsTest, TheShippedFileSuitsANewPlayerAndSavesBackUnchanged) {
  std::ifstream in(BRENNMARK_SOURCE_DIR "/tools/settings/Settings.ini", std::ios::binary);
  const std::string shipped((std::istreambuf_iterator<char>(in)), {});
  ASSERT_FALSE(shipped.empty()) << "no shipped Settings.ini";
  Write(shipped);
  LoadSettings(Path());
  const sProgramSettings& s = gProgramSettings;
  EXPECT_GT(s.sfxVolume, 0.0f);
  EXPECT_GT(s.musicVolume, 0.0f);
  EXPECT_NE(delayValues[DELAY_AI_COMBAT_RESULT], 0.0f) << "the computer's combats are shown";
  EXPECT_NE(delayValues[DELAY_HUMAN_COMBAT_RESULT], 0.0f) << "the player's combats are shown";
  EXPECT_GT(s.fogOfWar, 0);
  EXPECT_NE(s.borderMode, 0);
  EXPECT_TRUE(s.windowed);
  SaveZoomSetting();
  EXPECT_EQ(ReadBack(), shipped);
}

TEST_F(SettingsTest, LanguageIsEnglishWithFileToo) {
  gStringTable.SetLanguage(L"XYZ");
  LoadWith("");
  EXPECT_EQ(gStringTable.Language(), L"ENG");
}

TEST(DelayValueText, TextsByDelay) {
  const std::map<std::string, std::wstring> texts = {
      {"pref_delay_%.1f", L"%.1f s"},
      {"pref_delay_wait_for_click", L"Wait for click"},
      {"pref_delay_immediately", L"Immediately"},
      {"pref_delay_dont_show", L"Don't show"},
  };
  TextLookup lookup = [&texts](const std::string& key) {
    auto it = texts.find(key);
    return it == texts.end() ? std::wstring() : it->second;
  };
  EXPECT_EQ(DelayValueText(DELAY_AI_MOVE_BEFORE, 1500.0f, lookup), L"1.5 s");
  EXPECT_EQ(DelayValueText(DELAY_CONTROL_HINT, 250.0f, lookup), L"0.2 s");
  EXPECT_EQ(DelayValueText(DELAY_AI_MOVE_BEFORE, -1.0f, lookup), L"Wait for click");
  EXPECT_EQ(DelayValueText(DELAY_CONTROL_HINT, -1000.0f, lookup), L"Wait for click");
  EXPECT_EQ(DelayValueText(DELAY_AI_MOVE_BEFORE, std::nanf(""), lookup), L"Wait for click");
  EXPECT_EQ(DelayValueText(DELAY_CONTROL_HINT, 0.0f, lookup), L"Immediately");
  EXPECT_EQ(DelayValueText(DELAY_AI_COMBAT_RESULT, 0.0f, lookup), L"Don't show");
  EXPECT_EQ(DelayValueText(DELAY_HUMAN_COMBAT_RESULT, 0.0f, lookup), L"Don't show");
  EXPECT_EQ(DelayValueText(DELAY_HUMAN_DEPLOY_AFTER, 0.0f, lookup), L"0.0 s");
  EXPECT_EQ(DelayValueText(DELAY_HUMAN_MOVE_BETWEEN, 0.0f, lookup), L"0.0 s");
}

TEST(DelayValueText, FormatTextThatWantsOtherArgumentsIsNotUsed) {
  std::wstring fmt;
  TextLookup lookup = [&fmt](const std::string& key) {
    return key == "pref_delay_%.1f" ? fmt : std::wstring();
  };
  fmt = L"%s and %s";
  EXPECT_EQ(DelayValueText(DELAY_AI_MOVE_BEFORE, 2000.0f, lookup), L"2.0");
  fmt = L"%i";
  EXPECT_EQ(DelayValueText(DELAY_AI_MOVE_BEFORE, 2000.0f, lookup), L"2.0");
  fmt = L"%.1f and %.1f";
  EXPECT_EQ(DelayValueText(DELAY_AI_MOVE_BEFORE, 2000.0f, lookup), L"2.0");
  fmt = L"%.2f%% s";
  EXPECT_EQ(DelayValueText(DELAY_AI_MOVE_BEFORE, 2000.0f, lookup), L"2.00% s");
  // A missing text stays empty, as every missing key does.
  fmt = L"";
  EXPECT_EQ(DelayValueText(DELAY_AI_MOVE_BEFORE, 2000.0f, lookup), L"");
}

TEST(DelaySettingsTable, EveryTextKeyIsInTheEnglishSource) {
  std::ifstream in(std::string(BRENNMARK_SOURCE_DIR) + "/data/text/lang_ENG.txt", std::ios::binary);
  ASSERT_TRUE(in);
  std::set<std::string> keys;
  std::string line;
  while (std::getline(in, line)) {
    size_t tab = line.find('\t');
    if (tab != std::string::npos && !line.empty() && line[0] != '#') keys.insert(line.substr(0, tab));
  }
  std::set<std::string> iniKeys;
  for (const sDelaySetting& d : delaySettings) {
    EXPECT_TRUE(keys.count(d.labelKey)) << d.labelKey;
    EXPECT_TRUE(iniKeys.insert(d.iniKey).second) << d.iniKey;
  }
  for (const char* k : {"pref_delay_%.1f", "pref_delay_wait_for_click", "pref_delay_immediately",
                        "pref_delay_dont_show"})
    EXPECT_TRUE(keys.count(k)) << k;
}
