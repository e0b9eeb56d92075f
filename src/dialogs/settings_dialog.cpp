#include "dialogs/settings_dialog.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>

#include "core/console.h"
#include "core/front_end.h"
#include "core/game_lock.h"
#include "core/paths.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/text.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/screen_hooks.h"
#include "gui/cursor.h"
#include "framework/fw_main.h"
#include "framework/map_skin.h"
#include "framework/music_manager.h"
#include "framework/texture_handles.h"
#include "gui/fw_combobox.h"
#include "gui/fw_listbox.h"
#include "gui/gui_builders.h"
#include "gui/gui_layout.h"
#include "platform/d3d.h"
#include "platform/text_layout.h"
#include "world/country.h"
#include "world/game.h"
#include "world/selection.h"

const sBorderColour kBorderColourTable[kBorderColours] = {
    {0xFFF5A52Cu, L"Default "}, {0xFFF0F8FFu, L"AliceBlue "}, {0xFFFAEBD7u, L"AntiqueWhite "},
    {0xFF00FFFFu, L"Aqua "}, {0xFF7FFFD4u, L"Aquamarine "}, {0xFFF0FFFFu, L"Azure "}, {0xFFF5F5DCu, L"Beige "},
    {0xFFFFE4C4u, L"Bisque "}, {0xFF000000u, L"Black "}, {0xFFFFEBCDu, L"BlanchedAlmond "}, {0xFF0000FFu, L"Blue "},
    {0xFF8A2BE2u, L"BlueViolet "}, {0xFFA52A2Au, L"Brown "}, {0xFFDEB887u, L"BurlyWood "},
    {0xFF5F9EA0u, L"CadetBlue "}, {0xFF7FFF00u, L"Chartreuse "}, {0xFFD2691Eu, L"Chocolate "},
    {0xFFFF7F50u, L"Coral "}, {0xFF6495EDu, L"CornflowerBlue "}, {0xFFFFF8DCu, L"Cornsilk "},
    {0xFFDC143Cu, L"Crimson "}, {0xFF00FFFFu, L"Cyan "}, {0xFF00008Bu, L"DarkBlue "}, {0xFF008B8Bu, L"DarkCyan "},
    {0xFFB8860Bu, L"DarkGoldenRod "}, {0xFFA9A9A9u, L"DarkGray "}, {0xFFA9A9A9u, L"DarkGrey "},
    {0xFF006400u, L"DarkGreen "}, {0xFFBDB76Bu, L"DarkKhaki "}, {0xFF8B008Bu, L"DarkMagenta "},
    {0xFF556B2Fu, L"DarkOliveGreen "}, {0xFFFF8C00u, L"Darkorange "}, {0xFF9932CCu, L"DarkOrchid "},
    {0xFF8B0000u, L"DarkRed "}, {0xFFE9967Au, L"DarkSalmon "}, {0xFF8FBC8Fu, L"DarkSeaGreen "},
    {0xFF483D8Bu, L"DarkSlateBlue "}, {0xFF2F4F4Fu, L"DarkSlateGray "}, {0xFF2F4F4Fu, L"DarkSlateGrey "},
    {0xFF00CED1u, L"DarkTurquoise "}, {0xFF9400D3u, L"DarkViolet "}, {0xFFFF1493u, L"DeepPink "},
    {0xFF00BFFFu, L"DeepSkyBlue "}, {0xFF696969u, L"DimGray "}, {0xFF696969u, L"DimGrey "},
    {0xFF1E90FFu, L"DodgerBlue "}, {0xFFB22222u, L"FireBrick "}, {0xFFFFFAF0u, L"FloralWhite "},
    {0xFF228B22u, L"ForestGreen "}, {0xFFFF00FFu, L"Fuchsia "}, {0xFFDCDCDCu, L"Gainsboro "},
    {0xFFF8F8FFu, L"GhostWhite "}, {0xFFFFD700u, L"Gold "}, {0xFFDAA520u, L"GoldenRod "}, {0xFF808080u, L"Gray "},
    {0xFF808080u, L"Grey "}, {0xFF008000u, L"Green "}, {0xFFADFF2Fu, L"GreenYellow "}, {0xFFF0FFF0u, L"HoneyDew "},
    {0xFFFF69B4u, L"HotPink "}, {0xFFCD5C5Cu, L"IndianRed  "}, {0xFF4B0082u, L"Indigo  "}, {0xFFFFFFF0u, L"Ivory "},
    {0xFFF0E68Cu, L"Khaki "}, {0xFFE6E6FAu, L"Lavender "}, {0xFFFFF0F5u, L"LavenderBlush "},
    {0xFF7CFC00u, L"LawnGreen "}, {0xFFFFFACDu, L"LemonChiffon "}, {0xFFADD8E6u, L"LightBlue "},
    {0xFFF08080u, L"LightCoral "}, {0xFFE0FFFFu, L"LightCyan "}, {0xFFFAFAD2u, L"LightGoldenRodYellow "},
    {0xFFD3D3D3u, L"LightGray "}, {0xFFD3D3D3u, L"LightGrey "}, {0xFF90EE90u, L"LightGreen "},
    {0xFFFFB6C1u, L"LightPink "}, {0xFFFFA07Au, L"LightSalmon "}, {0xFF20B2AAu, L"LightSeaGreen "},
    {0xFF87CEFAu, L"LightSkyBlue "}, {0xFF778899u, L"LightSlateGray "}, {0xFF778899u, L"LightSlateGrey "},
    {0xFFB0C4DEu, L"LightSteelBlue "}, {0xFFFFFFE0u, L"LightYellow "}, {0xFF00FF00u, L"Lime "},
    {0xFF32CD32u, L"LimeGreen "}, {0xFFFAF0E6u, L"Linen "}, {0xFFFF00FFu, L"Magenta "}, {0xFF800000u, L"Maroon "},
    {0xFF66CDAAu, L"MediumAquaMarine "}, {0xFF0000CDu, L"MediumBlue "}, {0xFFBA55D3u, L"MediumOrchid "},
    {0xFF9370D8u, L"MediumPurple "}, {0xFF3CB371u, L"MediumSeaGreen "}, {0xFF7B68EEu, L"MediumSlateBlue "},
    {0xFF00FA9Au, L"MediumSpringGreen "}, {0xFF48D1CCu, L"MediumTurquoise "}, {0xFFC71585u, L"MediumVioletRed "},
    {0xFF191970u, L"MidnightBlue "}, {0xFFF5FFFAu, L"MintCream "}, {0xFFFFE4E1u, L"MistyRose "},
    {0xFFFFE4B5u, L"Moccasin "}, {0xFFFFDEADu, L"NavajoWhite "}, {0xFF000080u, L"Navy "},
    {0xFFFDF5E6u, L"OldLace "}, {0xFF808000u, L"Olive "}, {0xFF6B8E23u, L"OliveDrab "}, {0xFFFFA500u, L"Orange "},
    {0xFFFF4500u, L"OrangeRed "}, {0xFFDA70D6u, L"Orchid "}, {0xFFEEE8AAu, L"PaleGoldenRod "},
    {0xFF98FB98u, L"PaleGreen "}, {0xFFAFEEEEu, L"PaleTurquoise "}, {0xFFD87093u, L"PaleVioletRed "},
    {0xFFFFEFD5u, L"PapayaWhip "}, {0xFFFFDAB9u, L"PeachPuff "}, {0xFFCD853Fu, L"Peru "}, {0xFFFFC0CBu, L"Pink "},
    {0xFFDDA0DDu, L"Plum "}, {0xFFB0E0E6u, L"PowderBlue "}, {0xFF800080u, L"Purple "}, {0xFFFF0000u, L"Red "},
    {0xFFBC8F8Fu, L"RosyBrown "}, {0xFF4169E1u, L"RoyalBlue "}, {0xFF8B4513u, L"SaddleBrown "},
    {0xFFFA8072u, L"Salmon "}, {0xFFF4A460u, L"SandyBrown "}, {0xFF2E8B57u, L"SeaGreen "},
    {0xFFFFF5EEu, L"SeaShell "}, {0xFFA0522Du, L"Sienna "}, {0xFFC0C0C0u, L"Silver "}, {0xFF87CEEBu, L"SkyBlue "},
    {0xFF6A5ACDu, L"SlateBlue "}, {0xFF708090u, L"SlateGray "}, {0xFF708090u, L"SlateGrey "},
    {0xFFFFFAFAu, L"Snow "}, {0xFF00FF7Fu, L"SpringGreen "}, {0xFF4682B4u, L"SteelBlue "}, {0xFFD2B48Cu, L"Tan "},
    {0xFF008080u, L"Teal "}, {0xFFD8BFD8u, L"Thistle "}, {0xFFFF6347u, L"Tomato "}, {0xFF40E0D0u, L"Turquoise "},
    {0xFFEE82EEu, L"Violet "}, {0xFFF5DEB3u, L"Wheat "}, {0xFFFFFFFFu, L"White "}, {0xFFF5F5F5u, L"WhiteSmoke "},
    {0xFFFFFF00u, L"Yellow "}, {0xFF9ACD32u, L"YellowGreen "},
};

std::vector<sDisplayMode> displayModes;

int BorderColourIndex(uint32_t colour) {
  int found = 0;
  for (int i = 0; i < kBorderColours; ++i)
    if (kBorderColourTable[i].colour == colour) found = i;
  return found;
}

namespace {

constexpr int kFpsItems[] = {0, 25, 30, 60};
const char* const kFpsKeys[] = {"fps_no_limit", "fps_25", "fps_30", "fps_60"};

// Source rectangles of the border pieces in the map skin's "others.png".
constexpr RECT kPreviewSource[6] = {{1, 669, 167, 835},   {1, 669, 167, 835},   {167, 669, 333, 835},
                                    {333, 669, 499, 835}, {333, 669, 499, 835}, {333, 669, 499, 835}};

int RowOfDelaySlider(int id) {
  for (int i = 0; i < kDelayCount; ++i)
    if (delaySettings[i].controlId == id) return i;
  return -1;
}

cPlatformTexture* OthersPicture() { return TextureOfHandle(MapSkinPicture(kPictureMapOthers)); }

// The check boxes that store their setting under its key at once.
struct sToggle {
  int id;
  bool sProgramSettings::*field;
  const char* key;
};
const sToggle kToggles[] = {
    {cDialogUstawien::kDynamicUnits, &sProgramSettings::dynamicUnitAppearance, "UnitsDisplay/DynamicAppearance"},
    {cDialogUstawien::kShowUnitNames, &sProgramSettings::showUnitNames, "UnitsDisplay/ShowName"},
    {cDialogUstawien::kAlliesActions, &sProgramSettings::showAlliesActions, "Gameplay/ShowAlliesActions"},
    {cDialogUstawien::kShowGrid, &sProgramSettings::showGrid, "MapDisplay/ShowGrid"},
    {cDialogUstawien::kShowWeather, &sProgramSettings::showWeather, "MapDisplay/ShowWeather"},
    {cDialogUstawien::kShowCityNames, &sProgramSettings::showCityNames, "MapDisplay/ShowCityName"},
    {cDialogUstawien::kShowSeaZoneNames, &sProgramSettings::showSeaZoneNames, "MapDisplay/ShowSeaZoneName"},
    {cDialogUstawien::kShowApLeft, &sProgramSettings::showActionPointsLeft, "MapDisplay/ShowAPLeft"},
};

}  // namespace

void cDialogUstawien::AddModeIfLayoutExists(const sDisplayMode& mode) {
  const std::wstring file = WFormat(L"data\\GUI_%dx%d.csv", mode.width, mode.height);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(NativePath(file), ec)) return;
  // The name must end in "<digit>.csv" with an "x" in it.
  if (file.find(L'x') == std::wstring::npos || file.size() < 5 || !std::iswdigit(file[file.size() - 5])) return;
  sDisplayMode m = mode;
  m.flag = 0;
  displayModes.push_back(m);
}

void cDialogUstawien::DetectResolutions() {
  LogLine(L"Detecting resolutions...");
  displayModes.clear();
  cPlatformD3D* d3d = Direct3DCreate9(32);
  if (d3d != nullptr) {
    const uint32_t count = d3d->GetAdapterModeCount(0, D3DFMT_X8R8G8B8);
    for (uint32_t i = 0; i < count; ++i) {
      D3DDISPLAYMODE dm;
      if (FAILED(d3d->EnumAdapterModes(0, D3DFMT_X8R8G8B8, i, &dm))) continue;
      const int w = static_cast<int>(dm.Width), h = static_cast<int>(dm.Height);
      const bool known = std::any_of(displayModes.begin(), displayModes.end(),
                                     [&](const sDisplayMode& m) { return m.width == w && m.height == h; });
      if (!known) AddModeIfLayoutExists({0, w, h, 0});
    }
    d3d->Release();
  }
  // A windowed game keeps the size it was started with even where the
  // display does not list it.
  const int w = gProgramSettings.resolutionX, h = gProgramSettings.resolutionY;
  if (gProgramSettings.windowed && std::none_of(displayModes.begin(), displayModes.end(), [&](const sDisplayMode& m) {
        return m.width == w && m.height == h;
      }))
    AddModeIfLayoutExists({0, w, h, 0});
  std::stable_sort(displayModes.begin(), displayModes.end(), [](const sDisplayMode& a, const sDisplayMode& b) {
    return a.width != b.width ? a.width < b.width : a.height < b.height;
  });
  for (size_t i = 0; i < displayModes.size(); ++i) displayModes[i].index = static_cast<int>(i);
}

cDialogUstawien::cDialogUstawien()
    : cDialog(kDialog, GuiRect(kDialog).x, GuiRect(kDialog).y, GuiRect(kDialog).w, GuiRect(kDialog).h) {
  // Outside a game the dialog stays where it is.
  if (gGra == nullptr)
    if (CFWControl* frame = m_GuiDialog.GetControl(kDialog)) frame->m_bMovable = false;
  DetectResolutions();
  const sProgramSettings& ps = gProgramSettings;
  CFWTabFrame* tabs = nullptr;
  m_GuiDialog.AddTabFrame(kTabs, &tabs);
  m_GuiDialog.AddStatic(kResolutionLabel, Txt("pref_resolution").c_str());
  CFWComboBox* resolution = nullptr;
  m_GuiDialog.AddComboBox(kResolution, Txt("pref_resolution_hint").c_str(), &resolution);
  m_GuiDialog.AddCheckBox(kWindowed, Txt("pref_windowed").c_str(), Txt("pref_windowed_hint").c_str(), ps.windowed);
  m_GuiDialog.AddStatic(kFpsLabel, Txt("pref_fps_limit").c_str());
  CFWComboBox* fps = nullptr;
  m_GuiDialog.AddComboBox(kFps, Txt("pref_fps_limit_hint").c_str(), &fps);
  if (fps != nullptr) {
    for (int i = 0; i < 4; ++i)
      fps->AddItem(Txt(kFpsKeys[i]).c_str(), reinterpret_cast<void*>(static_cast<intptr_t>(kFpsItems[i])));
    fps->SetSelectedByIndex(0);
  }
  AddSliderWithLabels(&m_GuiDialog, kSfx, 0, 20, static_cast<int>(ps.sfxVolume * 20.0f), kSfxLabel,
                      Txt("pref_sound_volume").c_str(), kSfxValue, L"");
  AddSliderWithLabels(&m_GuiDialog, kMusic, 0, 20, static_cast<int>(ps.musicVolume * 20.0f), kMusicLabel,
                      Txt("pref_music_volume").c_str(), kMusicValue, L"");
  AddSliderWithLabels(&m_GuiDialog, kSeaBattle, 0, 20, ps.seaBattleTimeout, kSeaBattleLabel,
                      Txt("pref_seabattle_delay").c_str(), kSeaBattleValue, L"");
  m_GuiDialog.AddCheckBox(kAlliesActions, Txt("pref_units_show_allies_actions").c_str(),
                          Txt("pref_units_show_allies_actions_hint").c_str(), ps.showAlliesActions);
  m_GuiDialog.AddStatic(kUnitsSkinLabel, Txt("pref_units_skin").c_str());
  m_GuiDialog.AddListBox(kUnitsSkin, 0);
  FillSkinList(kUnitsSkin, L"[UnitsSkin]", ps.unitsSkin);
  m_GuiDialog.AddCheckBox(kDynamicUnits, Txt("pref_units_dynamic_display").c_str(), L"", ps.dynamicUnitAppearance);
  m_GuiDialog.AddCheckBox(kShowUnitNames, Txt("pref_show_unit_name").c_str(), L"", ps.showUnitNames);
  AddSliderWithLabels(&m_GuiDialog, kVisibility, 0, 20, ps.fogOfWar, kVisibilityLabel,
                      Txt("pref_visibility_range").c_str(), kVisibilityValue, L"");
  for (int row = 0; row < kDelayCount; ++row) {
    const sDelaySetting& d = delaySettings[row];
    const int c = d.controlId;
    const int minimum = row == DELAY_AI_COMBAT_RESULT || row == DELAY_HUMAN_COMBAT_RESULT ? -1 : 0;
    const float ms = delayValues[row];
    const int position = std::isnan(ms) ? 0 : std::clamp(static_cast<int>(ms / 1000.0f), minimum, 20);
    AddSliderWithLabels(&m_GuiDialog, c, minimum, 20, position, c - 2, Txt(d.labelKey).c_str(), c - 1, L"");
  }
  m_GuiDialog.AddCheckBox(kConfirmEndTurn, Txt("pref_show_end_turn_confirm").c_str(), L"", !ps.skipEndTurnConfirmation);
  m_GuiDialog.AddStatic(kMapSkinLabel, Txt("pref_map_skin").c_str());
  m_GuiDialog.AddListBox(kMapSkin, 0);
  FillSkinList(kMapSkin, L"[MapSkin]", ps.mapSkin);
  m_GuiDialog.AddCheckBox(kShowGrid, Txt("pref_show_grid").c_str(), L"", ps.showGrid);
  m_GuiDialog.AddStatic(kBorderLabel, Txt("pref_border_color").c_str());
  m_GuiDialog.AddComboBox(kBorderColour, L"");
  for (int i = 0; i < 6; ++i) {
    const RECT& r = kPreviewSource[i];
    m_GuiDialog.AddImage(kBorderPreviewFirst + i, OthersPicture(), r.left, r.top, r.right, r.bottom, L"",
                         ps.borderColor);
  }
  m_GuiDialog.AddCheckBox(kShowCityNames, Txt("pref_show_city_names").c_str(), L"", ps.showCityNames);
  m_GuiDialog.AddCheckBox(kShowSeaZoneNames, Txt("pref_show_sea_zones_names").c_str(), L"", ps.showSeaZoneNames);
  m_GuiDialog.AddCheckBox(kShowApLeft, Txt("pref_show_ap_left").c_str(), L"", ps.showActionPointsLeft);
  m_GuiDialog.AddCheckBox(kShowWeather, Txt("pref_show_weather").c_str(), L"", ps.showWeather);
  m_GuiDialog.AddButton(kOk, Txt("pref_ok").c_str(), Txt("pref_ok_hint").c_str());

  if (resolution != nullptr) {
    int selected = 0;
    for (sDisplayMode& m : displayModes) {
      resolution->AddItem(WFormat(L"%ix%i", m.width, m.height).c_str(), &m);
      if (m.width == ps.resolutionX && m.height == ps.resolutionY) selected = m.index;
    }
    resolution->SetSelectedByIndex(selected);
  }
  FillBorderColours();
  UpdateDelayLabels();
  UpdateVisibilityLabel();
  UpdateVolumeLabels();
  UpdateSeaBattleDelayLabel();
  if (tabs != nullptr) {
    tabs->AddTab(Txt("pref_tab_general").c_str(), nullptr, 84, 88);
    tabs->AddTab(Txt("pref_tab_gameplay").c_str(), nullptr, 111, 147);
    tabs->AddTab(Txt("pref_tab_units").c_str(), nullptr, 90, 95);
    tabs->AddTab(Txt("pref_tab_map").c_str(), nullptr, 96, 110);
    tabs->AddTab(Txt("pref_tab_interface").c_str(), nullptr, 154, 169);
    tabs->AddTab(Txt("pref_tab_audio").c_str(), nullptr, 148, 153);
  }
  m_GuiDialog.SetVisible(true);
}

void cDialogUstawien::FillSkinList(int listId, const wchar_t* prefix, const std::wstring& current) {
  auto* list = m_GuiDialog.Get<CFWListBox>(listId, FWCONTROL_LISTBOX);
  if (list == nullptr) return;
  list->SetColumns(1, Txt(listId == kUnitsSkin ? "pref_units_skin" : "pref_map_skin").c_str(), {100});
  const std::string narrowPrefix = WideToUtf8(prefix);
  std::vector<std::wstring> names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(NativePath(std::wstring(L"data\\gfx")), ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string n = it->path().filename().string();
    if (!it->is_directory(ec) || n.compare(0, narrowPrefix.size(), narrowPrefix) != 0) continue;
    names.push_back(Utf8ToWide(n.substr(narrowPrefix.size())));
  }
  std::sort(names.begin(), names.end());
  int selected = 0;
  for (const std::wstring& n : names) {
    if (n == current) selected = list->GetSize();
    list->AddItem(n.c_str(), nullptr);
  }
  // Not on the stack yet: the selection's event reaches no action of this dialog.
  list->SelectItem(selected, false);
}

void cDialogUstawien::FillBorderColours() {
  auto* combo = m_GuiDialog.Get<CFWComboBox>(kBorderColour, FWCONTROL_COMBOBOX);
  if (combo == nullptr) return;
  for (const sBorderColour& c : kBorderColourTable) combo->AddItem(c.name, const_cast<uint32_t*>(&c.colour));
  combo->SetSelectedByIndex(BorderColourIndex(gProgramSettings.borderColor));
  combo->m_nDropHeight = 300;
  combo->UpdateRects();
}

void cDialogUstawien::SetLabel(int id, const std::wstring& text) {
  if (auto* s = m_GuiDialog.Get<CFWStatic>(id, FWCONTROL_STATIC)) s->SetText(text.c_str());
}

void cDialogUstawien::UpdateDelayLabels() {
  for (int row = 0; row < kDelayCount; ++row) SetLabel(delaySettings[row].controlId - 1, DelayValueText(row, delayValues[row]));
}

void cDialogUstawien::UpdateVisibilityLabel() {
  const int range = gProgramSettings.fogOfWar;
  SetLabel(kVisibilityValue,
           range > 0 ? WFormat(Txt("pref_visibility_%i_hexes").c_str(), range) : Txt("pref_visibility_disabled"));
}

void cDialogUstawien::UpdateVolumeLabels() {
  SetLabel(kSfxValue, WFormat(L"%.0f%%", static_cast<double>(gProgramSettings.sfxVolume * 100.0f)));
  SetLabel(kMusicValue, WFormat(L"%.0f%%", static_cast<double>(gProgramSettings.musicVolume * 100.0f)));
}

void cDialogUstawien::UpdateSeaBattleDelayLabel() {
  SetLabel(kSeaBattleValue, WFormat(L"%.1f sec", static_cast<double>(gProgramSettings.seaBattleTimeout)));
}

void cDialogUstawien::UpdateBorderPreview() {
  cPlatformTexture* others = OthersPicture();
  for (int i = 0; i < 6; ++i)
    if (auto* img = m_GuiDialog.Get<CFWImage>(kBorderPreviewFirst + i, FWCONTROL_IMAGE)) {
      img->SetTexture(others);
      img->m_Color = gProgramSettings.borderColor;
    }
}

int cDialogUstawien::SliderValue(int id) {
  auto* s = m_GuiDialog.Get<CFWSlider>(id, FWCONTROL_SLIDER);
  return s != nullptr ? s->GetValue() : 0;
}

bool cDialogUstawien::Checked(int id) {
  auto* c = m_GuiDialog.Get<CFWCheckBox>(id, FWCONTROL_CHECKBOX);
  return c != nullptr && c->GetChecked();
}

void cDialogUstawien::OnDelaySlider(int row) {
  const float ms = static_cast<float>(SliderValue(delaySettings[row].controlId)) * 1000.0f;
  delayValues[row] = ms;
  gSettings.SetInt(delaySettings[row].iniKey, static_cast<int>(ms));
  gCursor.SetHintDelay(static_cast<int>(delayValues[DELAY_CONTROL_HINT]));
  UpdateDelayLabels();
}

void cDialogUstawien::OnEvent(UINT, int controlId, CFWControl*) {
  sProgramSettings& ps = gProgramSettings;
  if (const int row = RowOfDelaySlider(controlId); row >= 0) {
    OnDelaySlider(row);
    return;
  }
  switch (controlId) {
    case kResolution: {
      auto* combo = m_GuiDialog.Get<CFWComboBox>(kResolution, FWCONTROL_COMBOBOX);
      const auto* mode = combo != nullptr ? static_cast<const sDisplayMode*>(combo->GetSelectedData()) : nullptr;
      if (mode == nullptr) return;
      gSettings.SetInt("Main/ResolutionX", mode->width);
      gSettings.SetInt("Main/ResolutionY", mode->height);
      return;
    }
    case kWindowed:
      gSettings.SetBool("Main/Fullscreen", !Checked(kWindowed));
      return;
    case kFps: {
      auto* combo = m_GuiDialog.Get<CFWComboBox>(kFps, FWCONTROL_COMBOBOX);
      const int n = combo != nullptr ? static_cast<int>(reinterpret_cast<intptr_t>(combo->GetSelectedData())) : 0;
      ps.frameDelayMs = n < 1 ? 0u : static_cast<uint32_t>(1000 / n);
      gSettings.SetInt("Main/FPSLimit", n);
      return;
    }
    case kUnitsSkin:
    case kMapSkin: {
      auto* list = m_GuiDialog.Get<CFWListBox>(controlId, FWCONTROL_LISTBOX);
      const FWListBoxItem* item = list != nullptr ? list->GetSelectedItem() : nullptr;
      if (controlId == kUnitsSkin) {
        if (item == nullptr || item->Texts.empty() || item->Texts[0] == ps.unitsSkin) return;
        ps.unitsSkin = item->Texts[0];
        FrontEnd().LoadUnitsSkin(ps.unitsSkin);
        gSettings.SetString("UnitsDisplay/Skin", ps.unitsSkin);
        return;
      }
      cGameLockGuard lock(__FILE__, __LINE__);
      if (item != nullptr && !item->Texts.empty() && item->Texts[0] != ps.mapSkin) {
        ps.mapSkin = item->Texts[0];
        // The front end's load brings the running game's decorations with the skin.
        FrontEnd().LoadMapSkin(ps.mapSkin);
        gSettings.SetString("MapDisplay/Skin", ps.mapSkin);
      }
      UpdateBorderPreview();
      return;
    }
    case kDynamicUnits:
    case kShowUnitNames:
    case kAlliesActions:
    case kShowGrid:
    case kShowWeather:
    case kShowCityNames:
    case kShowSeaZoneNames:
    case kShowApLeft:
      for (const sToggle& t : kToggles)
        if (t.id == controlId) {
          ps.*t.field = Checked(controlId);
          gSettings.SetBool(t.key, ps.*t.field);
        }
      return;
    case kSfx:
    case kMusic: {
      ps.sfxVolume = static_cast<float>(SliderValue(kSfx)) / 20.0f;
      ps.musicVolume = static_cast<float>(SliderValue(kMusic)) / 20.0f;
      // The slider's twentieths are stored as the nearest percent. A twentieth
      // is not exact in single precision: rounding up would store 16, 31 and
      // 61 for 15, 30 and 60.
      gSettings.SetInt("Audio/SFXVolume", static_cast<int>(std::lround(ps.sfxVolume * 100.0f)));
      gSettings.SetInt("Audio/MusicVolume", static_cast<int>(std::lround(ps.musicVolume * 100.0f)));
      if (gMusicManager != nullptr) gMusicManager->SetVolume(ps.musicVolume);
      UpdateVolumeLabels();
      return;
    }
    case kSeaBattle:
      ps.seaBattleTimeout = SliderValue(kSeaBattle);
      UpdateSeaBattleDelayLabel();
      gSettings.SetInt("InterfaceSettings/SeaBattleTimeout", ps.seaBattleTimeout);
      return;
    case kVisibility:
      ps.fogOfWar = SliderValue(kVisibility);
      gSettings.SetInt("Gameplay/FogOfWar", ps.fogOfWar);
      UpdateVisibilityLabel();
      return;
    case kBorderColour: {
      auto* combo = m_GuiDialog.Get<CFWComboBox>(kBorderColour, FWCONTROL_COMBOBOX);
      const auto* c = combo != nullptr ? static_cast<const uint32_t*>(combo->GetSelectedData()) : nullptr;
      if (c == nullptr) return;
      ps.borderColor = *c;
      gSettings.SetInt("Border/ColorA", static_cast<int>((*c >> 24) & 0xFF));
      gSettings.SetInt("Border/ColorR", static_cast<int>((*c >> 16) & 0xFF));
      gSettings.SetInt("Border/ColorG", static_cast<int>((*c >> 8) & 0xFF));
      gSettings.SetInt("Border/ColorB", static_cast<int>(*c & 0xFF));
      UpdateBorderPreview();
      return;
    }
    case kConfirmEndTurn:
      ps.skipEndTurnConfirmation = !Checked(controlId);
      gSettings.SetBool("InterfaceSettings/ConfirmEndTurn", !ps.skipEndTurnConfirmation);
      return;
    case kOk:
      OnOk();
      return;
    default:
      return;
  }
}

// The display mode chosen: outside a game the device is made again at once
// at the new size, with its layout table, before the main menu is built on
// it; a running game's screen keeps its size until the next start.
void cDialogUstawien::ApplyDisplayMode() {
  if (gGra != nullptr) return;
  const int w = gSettings.GetInt("Main/ResolutionX", gProgramSettings.resolutionX);
  const int h = gSettings.GetInt("Main/ResolutionY", gProgramSettings.resolutionY);
  const bool windowed = !gSettings.GetBool("Main/Fullscreen", !gProgramSettings.windowed);
  if (w == gProgramSettings.resolutionX && h == gProgramSettings.resolutionY && windowed == gProgramSettings.windowed)
    return;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(NativePath(WFormat(L"data\\GUI_%dx%d.csv", w, h)), ec)) return;
  LogF(L"Changing the display to %ix%i%s", w, h, windowed ? L" (windowed)" : L"");
  gProgramSettings.resolutionX = w;
  gProgramSettings.resolutionY = h;
  gProgramSettings.windowed = windowed;
  LoadGuiLayout();
  FWCreateDevice(0, windowed, w, h);
}

void cDialogUstawien::OnOk() {
  SaveZoomSetting();
  ApplyDisplayMode();
  const sScreenHooks hooks = ScreenHooks();
  CloseDialogs(1);
  // This dialog is gone: nothing of it is touched from here on.
  if (gGra != nullptr) {
    // Only a paused game is given back to the player. Opened over the
    // computer's turn, the dialog leaves the state the worker has set, and
    // the fog shown stays the viewing country's, not the computer's sight.
    const cSelection& s = gGra->selection;
    const bool paused = gGra->GetState() == kStateScreenStarted;
    cPanstwo* seen = paused || s.lastShownCountry == nullptr ? s.currentCountry : s.lastShownCountry;
    if (seen != nullptr) seen->RecalculateUnitsVisibility(seen->id);
    if (paused && hooks.returnToGame != nullptr) hooks.returnToGame();
  } else if (hooks.openMainMenu != nullptr) {
    hooks.openMainMenu();
  }
}
