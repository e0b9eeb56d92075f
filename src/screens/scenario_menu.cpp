#include "screens/scenario_menu.h"

#include <filesystem>
#include <system_error>

#include "core/console.h"
#include "core/ini_file.h"
#include "core/paths.h"
#include "core/string_table.h"
#include "core/text.h"
#include "framework/texture.h"
#include "gui/fw_editbox.h"
#include "gui/fw_listbox.h"
#include "gui/fw_memo.h"
#include "gui/gui_builders.h"
#include "gui/gui_layout.h"
#include "persistence/load_request.h"
#include "persistence/loader.h"
#include "screens/loading_menu.h"
#include "screens/main_menu.h"
#include "world/folder_template.h"
#include "world/game.h"

std::wstring gLastScenarioName;
ScenarioPreviewFn gDrawScenarioPreview = nullptr;

namespace {
int LoadThroughLoader(const std::wstring& pattern, int loadMode) {
  sLoadRequest request;
  request.pathTemplate = pattern.substr(0, 299);
  request.loadMode = loadMode;
  return LoadNewScenario(request);
}

struct sModeInfo {
  const wchar_t* folder;
  const char* columnsKey;
  int widths[3];
  int sorts[3];
};

const sModeInfo* ModeInfo(int mode) {
  static const sModeInfo kNew{L"data\\scenarios", "scenarios_list_new_game_columns", {70, 15, 15}, {1, 3, 7}};
  static const sModeInfo kSaved{L"data\\save", "scenarios_list_saved_game_columns", {40, 40, 20}, {1, 1, 3}};
  static const sModeInfo kPbem{L"data\\pbem", "scenarios_list_saved_pbem_columns", {40, 40, 20}, {1, 1, 3}};
  switch (mode) {
    case cScenarioMenu::kSavedGames:
      return &kSaved;
    case cScenarioMenu::kPbemGames:
      return &kPbem;
    default:
      return &kNew;
  }
}

std::string NameKey(const char* fmt) {
  return WideToUtf8(WFormat(Utf8ToWide(fmt).c_str(), gStringTable.Language().c_str()));
}

// The lines "<prefix>1", "<prefix>2"... up to the first missing one, at most 99.
std::wstring ReadLines(cIniFile& ini, const char* fmt) {
  const std::wstring pattern = WFormat(Utf8ToWide(fmt).c_str(), gStringTable.Language().c_str());
  std::wstring text;
  for (int i = 1; i <= 99; ++i) {
    const std::string key = WideToUtf8(WFormat(pattern.c_str(), i));
    if (!ini.HasKey(key)) break;
    text += ini.GetString(key, L"") + L"\n";
  }
  return text;
}
}  // namespace

ScenarioLoadFn gScenarioLoad = &LoadThroughLoader;

cScenarioMenu::cScenarioMenu() {
  gConsole.AddLine(L"----- SinglePlayer Menu -----");
  gScenarioMenuWallpaper.Release();
  gScenarioMenuWallpaper.Load(L"data\\gfx\\wallpaper_scenario.png", kTextureFromFile, 1);
  CFWStatic* title = nullptr;
  AddStatic(kTitle, Txt("scenario_title").c_str(), &title);
  if (title != nullptr) {
    title->m_iTextElement = 2;
    title->m_dwTextFormat = DT_CENTER | DT_VCENTER;
  }
  CFWTabFrame* tabs = nullptr;
  AddTabFrame(kTabs, &tabs);
  gConsole.AddLine(L"----- Adding listbox");
  CFWListBox* list = nullptr;
  AddListBox(kList, 0, &list);
  gConsole.AddLine(L"----- Setting columns");
  gConsole.AddLine(L"----- Setting columns sort type");
  if (list != nullptr) {
    const sModeInfo* info = ModeInfo(kNewGames);
    list->SetColumns(3, Txt(info->columnsKey).c_str(), {info->widths[0], info->widths[1], info->widths[2]});
    list->SetColumnSortTypes({info->sorts[0], info->sorts[1], info->sorts[2]});
  }
  gConsole.AddLine(L"----- Adding other GUI components");
  AddEditBoxWithLabel(this, kAuthor, L"-", L"", kAuthorLabel, Txt("scenario_author").c_str());
  AddEditBoxWithLabel(this, kVersion, L"-", L"", kVersionLabel, Txt("scenario_version").c_str());
  AddEditBoxWithLabel(this, kDuration, L"-", L"", kDurationLabel, Txt("scenario_duration").c_str());
  AddMemoWithLabel(this, kDescription, L"", kDescriptionLabel, Txt("scenario_description").c_str());
  AddMemoWithLabel(this, kGoals, L"", kGoalsLabel, Txt("scenario_goals").c_str());
  AddEditBoxWithLabel(this, kMapSize, L"-", L"", kMapSizeLabel, Txt("scenario_map_size").c_str());
  // The preview: the largest square of its layout rectangle, centred.
  sGuiRect square = GuiRect(kPreview);
  AlignRect(square, 1, 1);
  CFWImage* preview = nullptr;
  AddImage(kPreview, nullptr, 0, 0, 512, 512, square.x, square.y, square.w, square.h, 0, false, &preview);
  if (preview != nullptr) preview->SetVisible(false);
  AddEditBoxWithLabel(this, kSaveDate, L"-", L"", kSaveDateLabel, Txt("scenario_save_date").c_str());
  AddEditBoxWithLabel(this, kSaveTurn, L"-", L"", kSaveTurnLabel, Txt("scenario_save_turn").c_str());
  AddButton(kStart, Txt("scenario_new_game_start").c_str(), Txt("scenario_new_game_start_hint").c_str());
  AddButton(kBack, Txt("scenario_back").c_str(), Txt("scenario_back_hint").c_str());
  if (tabs != nullptr) {
    tabs->AddTab(Txt("scenario_tab_new_game").c_str(), nullptr, 0, -1);
    tabs->AddTab(Txt("scenario_tab_load_game").c_str(), nullptr, kSaveDateLabel, kSaveTurn);
    tabs->AddTab(Txt("scenario_tab_load_pbem_game").c_str(), nullptr, kSaveDateLabel, kSaveTurn);
  }
  AddVersionLabel(kProgramVersion);
  SetVisible(true);
  gConsole.AddLine(L"----- End");
}

void cScenarioMenu::FillScenarioList() {
  CFWListBox* list = Get<CFWListBox>(kList, FWCONTROL_LISTBOX);
  if (auto* memo = Get<CFWMemo>(kDescription, FWCONTROL_MEMO)) memo->ClearText();
  if (auto* memo = Get<CFWMemo>(kGoals, FWCONTROL_MEMO)) memo->ClearText();
  if (list == nullptr) return;
  list->RemoveAllItems();
  patterns_.clear();
  const sModeInfo* info = ModeInfo(listMode_);
  if (listMode_ == kNewGames) gConsole.AddLine(L"----- Setting columns");
  list->SetColumns(3, Txt(info->columnsKey).c_str(), {info->widths[0], info->widths[1], info->widths[2]});
  if (listMode_ == kNewGames) gConsole.AddLine(L"----- Setting columns sort types");
  list->SetColumnSortTypes({info->sorts[0], info->sorts[1], info->sorts[2]});
  if (listMode_ == kNewGames) gConsole.AddLine(L"----- done");

  int select = -1;
  std::error_code ec;
  std::filesystem::directory_iterator it(NativePath(std::wstring(info->folder)), ec);
  if (!ec) {
    bool first = true;
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
      if (ec) break;
      const std::string name = it->path().filename().string();
      if (name.empty() || name[0] == '.' || !it->is_directory(ec)) continue;
      std::wstring key;
      AddScenarioEntry(key, Utf8ToWide(name));
      if (first) select = 0;
      else if (key == gLastScenarioName) select = list->GetSize() - 1;
      first = false;
    }
  }
  list->SelectItem(select < 0 ? 0 : select, true);
  SetControlEnabled(kStart, list->GetSize() > 0);
}

void cScenarioMenu::AddScenarioEntry(std::wstring& key, const std::wstring& folder) {
  gConsole.AddLine(L"----- Adding scenario:");
  gConsole.AddLine(folder);
  const wchar_t* base = listMode_ == kSavedGames   ? L"data\\save\\%s\\%%s"
                        : listMode_ == kPbemGames ? L"data\\pbem\\%s\\%%s"
                                                  : L"data\\scenarios\\%s\\%%s";
  const std::wstring pattern = WFormat(base, folder.c_str());
  cIniFile ini;
  if (!ini.Load(FormatFolderTemplate(pattern, L"Info.ini"))) {
    key.clear();
    return;
  }
  const std::string nameKey = NameKey("General_%s/Name");
  std::wstring row;
  if (listMode_ == kNewGames) {
    const std::wstring name = ini.GetString(nameKey, L"Unknown name");
    row = WFormat(L"%s;%i;%ix%i", name.c_str(), ini.GetInt("Duration/Turns", 0), ini.GetInt("Map/SizeX", 0),
                  ini.GetInt("Map/SizeY", 0));
    key = name;
  } else {
    const std::wstring date = ini.GetString("Save/Date", L"--.--.-- --:--");
    const std::wstring name = ini.GetString(nameKey, L"Unknown name");
    row = WFormat(L"%s;%s;%s", folder.c_str(), name.c_str(), date.c_str());
    key = folder;
  }
  // Tutorials are started elsewhere.
  if (std::filesystem::exists(NativePath(FormatFolderTemplate(pattern, L"tutorial.csv")))) return;
  gConsole.AddLine(L"-------- Adding");
  patterns_.push_back(std::make_unique<std::wstring>(pattern));
  if (CFWListBox* list = Get<CFWListBox>(kList, FWCONTROL_LISTBOX)) list->AddItem(row.c_str(), patterns_.back().get());
  gConsole.AddLine(L"-------- done");
}

void cScenarioMenu::ShowDetails() {
  CFWListBox* list = Get<CFWListBox>(kList, FWCONTROL_LISTBOX);
  const auto* pattern = list != nullptr ? static_cast<const std::wstring*>(list->GetSelectedData()) : nullptr;
  if (pattern == nullptr) return;
  gConsole.AddLine(L"sp12");
  cIniFile ini;
  ini.Load(FormatFolderTemplate(*pattern, L"Info.ini"));
  gLastScenarioName = ini.GetString(NameKey("General_%s/Name"), L"Unknown name");
  auto setEdit = [this](int id, const std::wstring& text) {
    if (auto* e = Get<CFWEditBox>(id, FWCONTROL_EDITBOX)) e->SetText(text.c_str());
  };
  setEdit(kAuthor, ini.GetString("Misc/Author", L"unknown"));
  setEdit(kVersion, ini.GetString("Misc/Version", L"1.0"));
  setEdit(kDuration, WFormat(Txt("scenario_duration_%s_to_%s_%i_turns").c_str(),
                             ini.GetString("Duration/StartDate", L"--.--.-- --:--").c_str(),
                             ini.GetString("Duration/EndDate", L"--.--.-- --:--").c_str(),
                             ini.GetInt("Duration/Turns", 0)));
  setEdit(kMapSize, WFormat(L"%ix%i", ini.GetInt("Map/SizeX", 0), ini.GetInt("Map/SizeY", 0)));
  if (listMode_ != kNewGames && ini.HasKey("Save/Date")) setEdit(kSaveDate, ini.GetString("Save/Date", L""));
  if (listMode_ != kNewGames && ini.HasKey("Save/Turn"))
    setEdit(kSaveTurn, WFormat(Txt("%02d.%02d.%02d_turn_%i").c_str(), ini.GetInt("Save/GameYearDisplayed", 0),
                               ini.GetInt("Save/GameMonthDisplayed", 0), ini.GetInt("Save/GameDayDisplayed", 0),
                               ini.GetInt("Save/Turn", 0)));
  if (auto* memo = Get<CFWMemo>(kDescription, FWCONTROL_MEMO))
    memo->SetText(ReadLines(ini, "General_%s/DescriptionLine%%i").c_str());
  if (auto* memo = Get<CFWMemo>(kGoals, FWCONTROL_MEMO))
    memo->SetText(ReadLines(ini, "General_%s/ObjectivesLine%%i").c_str());

  CFWImage* image = Get<CFWImage>(kPreview, FWCONTROL_IMAGE);
  if (image != nullptr) {
    image->SetVisible(false);
    image->SetTexture(nullptr);
  }
  HRESULT hr = gScenarioPreviewTexture.Load(FormatFolderTemplate(*pattern, L"image.png").c_str(), kTextureFromFile, 1);
  if (FAILED(hr) && ini.HasKey("Save/ScenarioName")) {
    const std::wstring name = ini.GetString("Save/ScenarioName", L"unknown scenario");
    hr = gScenarioPreviewTexture.Load(WFormat(L"data\\scenarios\\%s\\image.png", name.c_str()).c_str(),
                                      kTextureFromFile, 1);
  }
  if (SUCCEEDED(hr) && gScenarioPreviewTexture.Texture() != nullptr && image != nullptr) {
    image->SetTexture(gScenarioPreviewTexture.Texture());
    image->m_rcSource = RECT{0, 0, 512, 512};
    image->SetVisible(true);
  }
  gConsole.AddLine(L"sp23");
}

void cScenarioMenu::StartSelected(bool logged) {
  CFWListBox* list = Get<CFWListBox>(kList, FWCONTROL_LISTBOX);
  const auto* selected = list != nullptr ? static_cast<const std::wstring*>(list->GetSelectedData()) : nullptr;
  if (selected == nullptr) return;
  // This menu is retired by the loading menu: take copies first.
  const std::wstring pattern = *selected;
  const int loadMode = listMode_ == kNewGames ? 0 : 2;
  if (logged) {
    gConsole.AddLine(L"sp34");
    gConsole.AddLine(WFormat(Txt("loading_scenario_from_%s").c_str(), pattern.c_str()));
  } else {
    gScenarioMenuWallpaper.Release();
  }
  // A game left loaded would be overwritten without its teardown.
  if (gGra != nullptr) DestroyGame();
  gCurrentMenu = new cLoadingMenu();
  gScenarioLoad(pattern, loadMode);
  if (logged) gConsole.AddLine(L"sp45");
}

void cScenarioMenu::OnEvent(UINT event, int controlId, CFWControl*) {
  switch (controlId) {
    case kTabs: {
      const CFWTabFrame* tabs = Get<CFWTabFrame>(kTabs, FWCONTROL_TABFRAME);
      const int tab = tabs != nullptr ? tabs->GetActiveTab() : -1;
      if (tab == 0) listMode_ = kNewGames;
      else if (tab == 1) listMode_ = kSavedGames;
      else if (tab == 2) listMode_ = kPbemGames;
      FillScenarioList();
      break;
    }
    case kList:
      if (event == EVENT_LISTBOX_SELECTION) ShowDetails();
      else if (event == EVENT_LISTBOX_ITEM_DBLCLK) StartSelected(true);
      break;
    case kStart:
      StartSelected(false);
      break;
    case kBack:
      BackToMainMenu();
      break;
    default:
      break;
  }
}

void cScenarioMenu::OnKeyboard(UINT key, bool keyDown, bool) {
  if (key == VK_ESCAPE && keyDown) BackToMainMenu();
}

void cScenarioMenu::OnRender(float elapsed) {
  // The wallpaper, the preview's frame, then the controls over them.
  RenderWithWallpaper(gScenarioMenuWallpaper, elapsed, false);
  if (gDrawScenarioPreview != nullptr) {
    const sGuiRect outer = GuiRect(kPreviewFrameOuter);
    gDrawScenarioPreview(outer.x, outer.y, outer.w, outer.h, nullptr);
  }
  CFWDialog::OnRender(elapsed);
}

void cScenarioMenu::BackToMainMenu() {
  gScenarioMenuWallpaper.Release();
  gCurrentMenu = new cMainMenu();
}
