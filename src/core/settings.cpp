#include "core/settings.h"

#include <cmath>

#include "core/console.h"
#include "core/string_table.h"
#include "core/text.h"

cIniFile gSettings;
sProgramSettings gProgramSettings;
std::array<float, kDelayCount> delayValues{};

const std::array<sDelaySetting, kDelayCount> delaySettings = {{
    {"Delay/ControlHint", "delay_control_hint", 157},
    {"Delay/AICombatResult", "delay_ai_combat_result", 160},
    {"Delay/HumanCombatResult", "delay_human_combat_result", 163},
    {"Delay/HumanDeployAfter", "delay_human_deploy_after", 166},
    {"Delay/HumanReconAfter", "delay_human_recon_after", 169},
    {"Delay/AIMoveBefore", "delay_ai_move_before", 116},
    {"Delay/AIMoveBetween", "delay_ai_move_between", 119},
    {"Delay/AIMoveAfter", "delay_ai_move_after", 122},
    {"Delay/AICombatBefore", "delay_ai_combat_before", 125},
    {"Delay/AICombatAfter", "delay_ai_combat_after", 128},
    {"Delay/AIDeployBefore", "delay_ai_deploy_before", 131},
    {"Delay/AIDeployAfter", "delay_ai_deploy_after", 134},
    {"Delay/AIReplacementBefore", "delay_ai_replacement_before", 137},
    {"Delay/AIReplacementAfter", "delay_ai_replacement_after", 140},
    {"Delay/HumanMoveBetween", "delay_human_move_between", 143},
}};

void LoadSettings(const std::wstring& path) {
  LogLine(L"Loading settings...");
  gProgramSettings = sProgramSettings{};
  delayValues.fill(0.0f);
  // The language is not a setting: the string base is found even when the
  // settings file is missing.
  gStringTable.SetLanguage(L"ENG");
  if (!gSettings.Load(path)) return;

  sProgramSettings& s = gProgramSettings;
  s.resolutionX = gSettings.GetInt("Main/ResolutionX", 1024);
  s.resolutionY = gSettings.GetInt("Main/ResolutionY", 768);
  s.windowed = !gSettings.GetBool("Main/Fullscreen", false);
  int fps = gSettings.GetInt("Main/FPSLimit", 0);
  s.frameDelayMs = fps == 0 ? 0u : 1000u / static_cast<uint32_t>(fps);

  s.showUnits = gSettings.GetBool("UnitsDisplay/ShowUnit", true);
  s.showUnitNames = gSettings.GetBool("UnitsDisplay/ShowName", true);
  s.unitsSkin = gSettings.GetString("UnitsDisplay/Skin", L"Counters");
  s.dynamicUnitAppearance = gSettings.GetBool("UnitsDisplay/DynamicAppearance", true);

  s.mapSkin = gSettings.GetString("MapDisplay/Skin", L"Normal");
  s.mapZoom = static_cast<float>(gSettings.GetInt("MapDisplay/Zoom", 100) / 100.0);
  s.showGrid = gSettings.GetBool("MapDisplay/ShowGrid", true);
  s.showCityNames = gSettings.GetBool("MapDisplay/ShowCityName", true);
  s.showActionPointsLeft = gSettings.GetBool("MapDisplay/ShowAPLeft", true);
  s.showWeather = gSettings.GetBool("MapDisplay/ShowWeather", true);
  s.showSeaZoneNames = gSettings.GetBool("MapDisplay/ShowSeaZoneName", true);
  s.mapOwnershipMode = gSettings.GetInt("MapDisplay/OwnershipMode", 0);
  s.mapMode = gSettings.GetInt("MapDisplay/Mode", 0);
  if (s.mapMode > 2) s.mapMode = 2;

  s.borderMode = gSettings.GetInt("Border/Mode", 0);
  s.showSeaZoneBorders = gSettings.GetBool("Border/ShowSeaZonesBorders", true);
  // Each term is added unmasked: a component above 255 carries into the next.
  uint32_t a = static_cast<uint32_t>(gSettings.GetInt("Border/ColorA", 255));
  uint32_t r = static_cast<uint32_t>(gSettings.GetInt("Border/ColorR", 255));
  uint32_t g = static_cast<uint32_t>(gSettings.GetInt("Border/ColorG", 255));
  uint32_t b = static_cast<uint32_t>(gSettings.GetInt("Border/ColorB", 255));
  s.borderColor = ((a * 256u + r) * 256u + g) * 256u + b;

  s.fogOfWar = gSettings.GetInt("Gameplay/FogOfWar", 0);
  s.showAlliesActions = gSettings.GetBool("Gameplay/ShowAlliesActions", true);
  s.minimapOwnershipMode = gSettings.GetInt("MinimapDisplay/OwnershipMode", 0);
  s.skipEndTurnConfirmation = !gSettings.GetBool("InterfaceSettings/ConfirmEndTurn", true);
  s.seaBattleTimeout = gSettings.GetInt("InterfaceSettings/SeaBattleTimeout", 2);
  s.musicVolume = static_cast<float>(gSettings.GetInt("Audio/MusicVolume", 100) / 100.0);
  s.sfxVolume = static_cast<float>(gSettings.GetInt("Audio/SFXVolume", 100) / 100.0);

  for (int i = 0; i < kDelayCount; ++i)
    delayValues[i] = static_cast<float>(gSettings.GetInt(delaySettings[i].iniKey, 1000));
}

void SaveZoomSetting() {
  float percent = gProgramSettings.mapZoom * 100.0f;
  gSettings.SetInt("MapDisplay/Zoom", static_cast<int>(std::ceil(percent)));
  gSettings.Save();
}

namespace {
// True when the text takes at most one argument, a real, so that a changed
// string base cannot make the formatter read what is not there.
bool TakesAtMostOneReal(const std::wstring& fmt) {
  int conversions = 0;
  for (size_t i = 0; i < fmt.size(); ++i) {
    if (fmt[i] != L'%') continue;
    if (++i >= fmt.size()) return false;
    if (fmt[i] == L'%') continue;
    while (i < fmt.size() && std::wstring_view(L"-+ #0").find(fmt[i]) != std::wstring_view::npos) ++i;
    while (i < fmt.size() && fmt[i] >= L'0' && fmt[i] <= L'9') ++i;
    if (i < fmt.size() && fmt[i] == L'.') {
      ++i;
      while (i < fmt.size() && fmt[i] >= L'0' && fmt[i] <= L'9') ++i;
    }
    if (i >= fmt.size() || std::wstring_view(L"fFeEgG").find(fmt[i]) == std::wstring_view::npos) return false;
    ++conversions;
  }
  return conversions <= 1;
}

std::wstring SecondsText(float delayMs, const TextLookup& text) {
  std::wstring fmt = text("pref_delay_%.1f");
  double seconds = delayMs / 1000.0f;
  return WFormat(TakesAtMostOneReal(fmt) ? fmt.c_str() : L"%.1f", seconds);
}
}  // namespace

std::wstring DelayValueText(int row, float delayMs, const TextLookup& text) {
  if (std::isnan(delayMs) || delayMs < 0.0f) return text("pref_delay_wait_for_click");
  if (delayMs > 0.0f) return SecondsText(delayMs, text);
  if (row == DELAY_CONTROL_HINT) return text("pref_delay_immediately");
  if (row == DELAY_AI_COMBAT_RESULT || row == DELAY_HUMAN_COMBAT_RESULT) return text("pref_delay_dont_show");
  return SecondsText(delayMs, text);
}

std::wstring DelayValueText(int row, float delayMs) {
  return DelayValueText(row, delayMs, [](const std::string& key) { return Txt(key); });
}
