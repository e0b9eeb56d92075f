// The whole road a player takes, in one process under the dummy drivers:
// the preferences changed and kept through Settings.ini, a scenario loaded,
// the all-computer refusal, one human country, a unit moved, the turn ended
// and the computer's turn with every dialog it brings answered, the new
// turn, the pause menu, a refused and a good save, the Ctrl shortcut, the
// abort, the save loaded again from the saved-games tab, and the game
// played on and saved to the same bytes as the headless saver writes. A
// screenshot and the log are kept after every step. Beside it, the worker
// pushes a combat result and waits while the main thread answers it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <thread>

#include "core/ini_file.h"
#include "core/text.h"
#include "dialogs/combat_result_dialog.h"
#include "dialogs/save_game_dialog.h"
#include "dialogs/settings_dialog.h"
#include "gui/fw_combobox.h"
#include "gui/fw_editbox.h"
#include "gui/fw_listbox.h"
#include "persistence/saver.h"
#include "screens/game/game_screen.h"
#include "screens/game/panels/info_panel.h"
#include "screens/game/panels/minimap_panel.h"
#include "framework/texture_handles.h"
#include "platform/device.h"
#include "world/hex_map.h"
#include "screens/pause_menu.h"
#include "screens/scenario_menu.h"
#include "screens/scenario_settings_menu.h"
#include "screens/settings_menu.h"
#include "support/folder_bytes.h"
#include "support/game_road_helpers.h"
#include "support/game_ui_harness.h"
#include "support/log_capture.h"
#include "support/ui_road.h"
#include "units/unit.h"
#include "world/country.h"

namespace {

using ui_test::cGameUiHarness;

using ui_test::Clickable;
using ui_test::HexOnScreen;

void ClickRow(cGameUiHarness& h, CFWListBox* list, int row) { ui_test::ClickRowAt(h, list, row); }

// Clicks the tab of a tab frame where the strip shows it.
void ClickTab(cGameUiHarness& h, CFWTabFrame* tabs, int index) {
  ASSERT_NE(tabs, nullptr);
  for (int y = tabs->m_y; y < tabs->m_y + 48; y += 3)
    for (int x = tabs->m_x; x < tabs->m_x + tabs->m_width; x += 3)
      if (tabs->TabAt(POINT{x, y}) == index) {
        h.Click(x + 6, y + 3);
        return;
      }
  FAIL() << "tab " << index << " not found";
}

void Type(cGameUiHarness& h, const std::string& text) {
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  std::snprintf(e.text.text, sizeof(e.text.text), "%s", text.c_str());
  cGameUiHarness::Push(e);
  h.Frames(1);
}

void HoldCtrl(cGameUiHarness& h, bool down) {
  cGameUiHarness::PushKey(SDLK_LCTRL, down, down ? KMOD_LCTRL : KMOD_NONE);
  h.Frames(1);
}

// The row whose first column holds the text, -1 for none.
int RowOf(CFWListBox* list, const std::wstring& text) {
  for (int i = 0; i < list->GetSize(); ++i)
    if (!list->GetItem(i)->Texts.empty() && list->GetItem(i)->Texts[0] == text) return i;
  return -1;
}

int TopId() { return gCurrentDialog != nullptr ? gCurrentDialog->Id() : 0; }

// A screenshot and the log lines since the last step, both kept among the
// artefacts under the step's name.
class cSteps {
 public:
  cSteps(cGameUiHarness& h, cLogCapture& log) : h_(h), log_(log) {}
  void operator()(const std::string& name) {
    // Controls fade in: half a second of frames lets them settle.
    const auto settled = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    h_.WaitFor([&] { return std::chrono::steady_clock::now() >= settled; });
    EXPECT_TRUE(h_.Screenshot(name)) << name;
    std::ofstream out(h_.Artefacts() / (name + ".log"), std::ios::binary);
    for (const std::wstring& l : log_.Lines()) out << WideToUtf8(l) << "\n";
    log_.Clear();
  }

 private:
  cGameUiHarness& h_;
  cLogCapture& log_;
};

// Frames until the computer has played and the new-turn dialog greets the
// human; every dialog the worker pushes on the way is answered as a player
// would, the first of each kind kept as a screenshot.
std::set<int> PlayComputerTurn(cGameUiHarness& h, cSteps& step) {
  std::set<int> seen;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90) * BRENNMARK_TEST_TIME_SCALE;
  while (std::chrono::steady_clock::now() < deadline) {
    h.Frames(1);
    if (ui_test::AnswerSeaBattle(h)) continue;
    const int top = TopId();
    if (gGra->GetState() == kStateHumanPlays && top == 730) return seen;
    if (top == 0 || top == 730) continue;
    if (seen.insert(top).second) step("turn_dialog_" + std::to_string(top));
    if (top == kDialogEvent) h.ClickLayout(785);  // the first option
    else h.Key(SDLK_RETURN);
  }
  ADD_FAILURE() << "the new turn never came; state " << gGra->GetState() << ", top dialog " << TopId();
  return seen;
}

// The minimap as a player sees it: the scenario's picture fitted to the
// map's shape, the countries' layer blended over it where it is opaque, and
// the view's red outline.
void CheckMinimapOnScreen() {
  const cMapa& map = *gGra->map;
  const int* r = gMinimapPanel->mapRect;
  ASSERT_GT(r[2], 0) << "the minimap has no place";
  EXPECT_NEAR(static_cast<float>(r[2]) / static_cast<float>(r[3]),
              static_cast<float>(map.width) / static_cast<float>(map.height), 0.05f);
  cPlatformTexture* picture = TextureOfHandle(map.minimapTextures[0]);
  cPlatformTexture* layer = TextureOfHandle(map.minimapTextures[1]);
  ASSERT_TRUE(picture != nullptr && layer != nullptr);
  std::vector<uint32_t> screen;
  int sw = 0, sh = 0;
  ASSERT_TRUE(FWGetD3DDevice()->ReadPixels(screen, sw, sh));
  const int tw = map.minimapTextureSize[0], th = map.minimapTextureSize[1];
  const uint32_t* pic = picture->Lock();
  const uint32_t* lay = layer->Lock();
  auto at = [](const uint32_t* px, int w, int x, int y) { return px[static_cast<size_t>(y) * w + x]; };
  // Texels whose 5 x 5 neighbourhood is one colour in both pictures, so that
  // the stretching cannot blur them; one over land and one over sea.
  int checked[2] = {0, 0};
  for (int v = 2; v + 2 < th; v += 3)
    for (int u = 2; u + 2 < tw; u += 3) {
      bool even = true;
      for (int dv = -2; dv <= 2 && even; ++dv)
        for (int du = -2; du <= 2 && even; ++du)
          even = at(pic, tw, u + du, v + dv) == at(pic, tw, u, v) && at(lay, tw, u + du, v + dv) == at(lay, tw, u, v);
      const uint32_t l = at(lay, tw, u, v), p = at(pic, tw, u, v);
      const int land = (l >> 24) != 0 ? 1 : 0;
      if (!even || checked[land] > 0) continue;
      const int sx = r[0] + (2 * u + 1) * r[2] / (2 * tw), sy = r[1] + (2 * v + 1) * r[3] / (2 * th);
      const uint32_t got = screen[static_cast<size_t>(sy) * sw + sx];
      const float a = static_cast<float>(l >> 24) / 255.0f;
      for (int shift : {16, 8, 0}) {
        const float want = a * static_cast<float>((l >> shift) & 255) + (1 - a) * static_cast<float>((p >> shift) & 255);
        EXPECT_NEAR(static_cast<float>((got >> shift) & 255), want, 8.0f) << "texel " << u << "," << v << " land " << land;
      }
      ++checked[land];
    }
  EXPECT_EQ(checked[0], 1) << "no sea texel to check";
  EXPECT_EQ(checked[1], 1) << "no coloured land texel to check";
  // The outline's top edge, a pixel either way.
  const int ox = static_cast<int>((map.minimapViewLine[0][0] + map.minimapViewLine[1][0]) / 2);
  const int oy = static_cast<int>(map.minimapViewLine[0][1]);
  bool red = false;
  for (int y = oy - 1; y <= oy + 1; ++y) red = red || (screen[static_cast<size_t>(y) * sw + ox] & 0xFFFFFFu) == 0xFF0000u;
  EXPECT_TRUE(red) << "no view outline at " << ox << "," << oy;
}

void StartNordmarkGame(cGameUiHarness& h, cSteps& step) {
  h.ClickLayout(cMainMenu::kStart);
  auto* scenarios = dynamic_cast<cScenarioMenu*>(gCurrentMenu);
  ASSERT_NE(scenarios, nullptr);
  h.Frames(2);
  ClickRow(h, scenarios->Get<CFWListBox>(cScenarioMenu::kList, FWCONTROL_LISTBOX), 0);
  step("04_scenario_menu");
  h.ClickLayout(cScenarioMenu::kStart);
  ASSERT_TRUE(h.WaitFor([] { return dynamic_cast<cScenarioSettingsMenu*>(gCurrentMenu) != nullptr; }));
  // Every country to the computer first: refused with a message.
  auto* settings = dynamic_cast<cScenarioSettingsMenu*>(gCurrentMenu);
  h.ClickLayout(cScenarioSettingsMenu::kOk);
  ASSERT_EQ(TopId(), kDialogMessage) << "no refusal";
  EXPECT_EQ(gCurrentMenu, settings);
  step("05_all_computer_refused");
  h.Key(SDLK_RETURN);
  auto* countries = settings->Get<CFWListBox>(cScenarioSettingsMenu::kCountryList, FWCONTROL_LISTBOX);
  for (int i = 0; i < countries->GetSize(); ++i)
    if (countries->GetItem(i)->pData == gGra->GetCountry(1)) ClickRow(h, countries, i);
  h.ClickLayout(cScenarioSettingsMenu::kHuman);
  ASSERT_EQ(gGra->GetCountry(1)->humanControlled, 1);
  step("06_nordmark_human");
  h.ClickLayout(cScenarioSettingsMenu::kOk);
  ASSERT_TRUE(h.WaitFor([] { return gGra != nullptr && gGra->GetState() == kStateHumanPlays; }));
}

TEST(ResultsRoad, FromTheTitleScreenThroughATurnASaveAndItsLoadToTheExit) {
  cLogCapture log;
  cGameUiHarness h(1024, 768, "results_road");
  cSteps step(h, log);
  // The computer's combat results wait for the player, who answers them.
  delayValues[DELAY_AI_COMBAT_RESULT] = -1000.0f;
  SetSaveClock([] { return std::time_t{1700000000}; });
  step("01_main_menu");

  // Preferences: kept in Settings.ini on disk and read back at a restart.
  h.ClickLayout(cMainMenu::kPreferences);
  ASSERT_NE(dynamic_cast<cSettingsMenu*>(gCurrentMenu), nullptr);
  ASSERT_EQ(TopId(), cDialogUstawien::kDialog);
  step("02_preferences");
  auto* prefs = gCurrentDialog;
  auto* tabs = prefs->Gui().Get<CFWTabFrame>(cDialogUstawien::kTabs, FWCONTROL_TABFRAME);
  ClickTab(h, tabs, 3);  // map
  ASSERT_TRUE(gProgramSettings.showGrid);
  h.ClickLayout(cDialogUstawien::kShowGrid);
  EXPECT_FALSE(gProgramSettings.showGrid) << "applied at once";
  step("03_preferences_map");
  ClickTab(h, tabs, 5);  // audio
  prefs->Gui().Get<CFWSlider>(cDialogUstawien::kMusic, FWCONTROL_SLIDER)->SetValueInternal(7, true, true);
  EXPECT_FLOAT_EQ(gProgramSettings.musicVolume, 0.35f);
  h.ClickLayout(cDialogUstawien::kOk);
  ASSERT_NE(dynamic_cast<cMainMenu*>(gCurrentMenu), nullptr);
  {
    cIniFile onDisk;
    ASSERT_TRUE(onDisk.Load(L"Settings.ini"));
    EXPECT_EQ(onDisk.GetInt("Audio/MusicVolume", -1), 35);
    EXPECT_FALSE(onDisk.GetBool("MapDisplay/ShowGrid", true));
    const std::array<float, kDelayCount> delays = delayValues;
    LoadSettings();  // as the next start reads it
    EXPECT_FLOAT_EQ(gProgramSettings.musicVolume, 0.35f);
    EXPECT_FALSE(gProgramSettings.showGrid);
    delayValues = delays;
  }

  gProgramSettings.minimapOwnershipMode = 1;  // the countries' layer on the minimap
  StartNordmarkGame(h, step);
  ASSERT_NE(gInfoPanel, nullptr);
  cPanstwo* nordmark = gGra->GetCountry(1);
  step("07_game_screen");
  CheckMinimapOnScreen();

  // A unit selected and moved.
  cJednostkaLadowa* tank = nullptr;
  for (cJednostkaLadowa* u : gGra->landUnits)
    if (u->countryId == 1 && Clickable(h, u->x, u->y)) tank = u;
  ASSERT_NE(tank, nullptr);
  h.Click(HexOnScreen(h, tank->x, tank->y).x, HexOnScreen(h, tank->x, tank->y).y);
  ASSERT_EQ(gGra->selection.selectedUnit, tank);
  const sHex* target = nullptr;
  for (const sHex& hex : gGra->map->hexes)
    if ((hex.marks & 0x1FFFC) != 0 && hex.unit == nullptr && Clickable(h, hex.x, hex.y)) target = &hex;
  ASSERT_NE(target, nullptr);
  h.Click(HexOnScreen(h, target->x, target->y).x, HexOnScreen(h, target->x, target->y).y);
  ASSERT_TRUE(h.WaitFor([] { return gGra->GetState() == kStateHumanPlays; }));
  EXPECT_EQ(tank->x, target->x);
  step("08_unit_moved");

  // The hot-key list, by its key, and away again.
  h.Key(SDLK_i);
  EXPECT_EQ(TopId(), 667);
  step("09_hotkeys");
  h.Key(SDLK_ESCAPE);
  EXPECT_EQ(TopId(), 0);

  // The end of the turn, confirmed; the computer plays.
  const int firstTurn = gGra->turn;
  h.Key(SDLK_q);
  ASSERT_EQ(TopId(), 701);
  step("10_end_turn_question");
  h.ClickLayout(705);
  const std::set<int> answered = PlayComputerTurn(h, step);
  EXPECT_EQ(gGra->turn, firstTurn + 1);
  EXPECT_EQ(gGra->selection.currentCountry, nordmark);
  step("11_new_turn");
  h.Click(h.Width() / 2, h.Height() / 2);
  EXPECT_EQ(TopId(), 0);

  // The preferences over the game, by F1 and from the pause menu: the game
  // waits under them and plays on after OK.
  h.Key(SDLK_F1);
  ASSERT_EQ(TopId(), cDialogUstawien::kDialog);
  EXPECT_EQ(gGra->GetState(), kStateScreenStarted);
  step("11a_preferences_in_game");
  h.ClickLayout(cDialogUstawien::kOk);
  EXPECT_EQ(TopId(), 0);
  EXPECT_EQ(gGra->GetState(), kStateHumanPlays);
  h.Key(SDLK_ESCAPE);
  h.ClickLayout(cPauseMenu::kPreferences);
  EXPECT_EQ(gCurrentMenu, nullptr);
  ASSERT_EQ(TopId(), cDialogUstawien::kDialog);
  h.ClickLayout(cDialogUstawien::kOk);
  EXPECT_EQ(gGra->GetState(), kStateHumanPlays);

  // Pause, then a name that would leave the saves folder, then a good one.
  h.Key(SDLK_ESCAPE);
  ASSERT_NE(dynamic_cast<cPauseMenu*>(gCurrentMenu), nullptr);
  EXPECT_EQ(gGra->GetState(), kStateScreenStarted);
  step("12_pause_menu");
  h.ClickLayout(cPauseMenu::kSave);
  EXPECT_EQ(gCurrentMenu, nullptr);
  ASSERT_EQ(TopId(), cDialogZapisuGry::kDialog);
  auto* save = static_cast<cDialogZapisuGry*>(gCurrentDialog);
  auto* name = save->Gui().Get<CFWEditBox>(cDialogZapisuGry::kName, FWCONTROL_EDITBOX);
  h.ClickLayout(cDialogZapisuGry::kName);
  name->SetText(L"");
  Type(h, "..\\outside");
  EXPECT_EQ(save->NameText(), L"..\\outside");
  h.ClickLayout(cDialogZapisuGry::kSave);
  ASSERT_EQ(TopId(), kDialogMessage);
  step("13_save_refused");
  h.Key(SDLK_RETURN);
  EXPECT_FALSE(std::filesystem::exists("data/outside"));
  name->SetText(L"");
  h.ClickLayout(cDialogZapisuGry::kName);
  Type(h, "Road save");
  EXPECT_EQ(save->NameText(), L"Road save");
  h.ClickLayout(cDialogZapisuGry::kSave);
  ASSERT_EQ(TopId(), kDialogMessage) << "the success message";
  h.Key(SDLK_RETURN);
  ASSERT_TRUE(std::filesystem::is_directory("data/save/Road save"));
  auto* list = save->Gui().Get<CFWListBox>(cDialogZapisuGry::kList, FWCONTROL_LISTBOX);
  const int saved = RowOf(list, L"Road save");
  ASSERT_GE(saved, 0) << "listed beside the autosave";
  step("14_saved");
  // Saving again under the same name asks first; no keeps it unchanged.
  const auto savedBytes = FolderBytes("data/save/Road save");
  h.ClickLayout(cDialogZapisuGry::kSave);
  ASSERT_EQ(TopId(), 701);
  step("15_overwrite_question");
  h.ClickLayout(706);
  EXPECT_EQ(TopId(), cDialogZapisuGry::kDialog);
  // A plain click on the row takes its name; with Ctrl held it overwrites
  // at once and returns to the game.
  name->SetText(L"something else");
  ClickRow(h, list, saved);
  EXPECT_EQ(save->NameText(), L"Road save");
  EXPECT_EQ(TopId(), cDialogZapisuGry::kDialog);
  HoldCtrl(h, true);
  ClickRow(h, list, saved);
  HoldCtrl(h, false);
  EXPECT_EQ(TopId(), 0);
  EXPECT_EQ(gGra->GetState(), kStateHumanPlays);
  EXPECT_EQ(FolderBytes("data/save/Road save"), savedBytes) << "the same state saved again";
  const int turn = gGra->turn;
  const double points = nordmark->productionPoints;
  ASSERT_TRUE(cZapisGry().SaveGame(L"Headless", true).ok);
  EXPECT_EQ(FolderBytes("data/save/Headless"), savedBytes) << "the dialog saves what the headless saver writes";

  // Abort to the scenario menu, and the save loaded from its second tab.
  h.Key(SDLK_ESCAPE);
  h.ClickLayout(cPauseMenu::kAbort);
  EXPECT_EQ(gGra, nullptr);
  auto* scenarios = dynamic_cast<cScenarioMenu*>(gCurrentMenu);
  ASSERT_NE(scenarios, nullptr);
  ClickTab(h, scenarios->Get<CFWTabFrame>(cScenarioMenu::kTabs, FWCONTROL_TABFRAME), 1);
  auto* saves = scenarios->Get<CFWListBox>(cScenarioMenu::kList, FWCONTROL_LISTBOX);
  ASSERT_EQ(saves->GetSize(), 3) << "the autosave, the headless save and the road's";
  // The saved-games tab names its rows by the game's name: the road's save
  // and the headless one hold the same game, and either is the road's.
  int row = -1;
  for (int i = 0; i < saves->GetSize(); ++i)
    if (static_cast<const std::wstring*>(saves->GetItem(i)->pData)->find(L"Road save") != std::wstring::npos) row = i;
  ASSERT_GE(row, 0);
  ClickRow(h, saves, row);
  step("16_saved_games_tab");
  h.ClickLayout(cScenarioMenu::kStart);
  ASSERT_TRUE(h.WaitFor([] { return dynamic_cast<cScenarioSettingsMenu*>(gCurrentMenu) != nullptr || gCurrentMenu == nullptr; }));
  if (dynamic_cast<cScenarioSettingsMenu*>(gCurrentMenu) != nullptr) {
    step("17_loaded_settings");
    h.ClickLayout(cScenarioSettingsMenu::kOk);
  }
  ASSERT_TRUE(h.WaitFor([] { return gGra != nullptr && gGra->GetState() == kStateHumanPlays; }));
  nordmark = gGra->GetCountry(1);
  EXPECT_EQ(gGra->selection.currentCountry, nordmark);
  EXPECT_EQ(gGra->turn, turn);
  EXPECT_NEAR(nordmark->productionPoints, points, 1e-6) << "the tables keep six decimals";
  h.Frames(2);
  if (TopId() == 730) h.Click(h.Width() / 2, h.Height() / 2);
  step("18_loaded_game");

  // It plays on: its next save is what the headless saver writes.
  h.Key(SDLK_ESCAPE);
  h.ClickLayout(cPauseMenu::kSave);
  save = static_cast<cDialogZapisuGry*>(gCurrentDialog);
  ASSERT_EQ(TopId(), cDialogZapisuGry::kDialog);
  save->Gui().Get<CFWEditBox>(cDialogZapisuGry::kName, FWCONTROL_EDITBOX)->SetText(L"");
  h.ClickLayout(cDialogZapisuGry::kName);
  Type(h, "After load");
  h.ClickLayout(cDialogZapisuGry::kSave);
  h.Key(SDLK_RETURN);
  h.ClickLayout(cDialogZapisuGry::kExit);
  EXPECT_EQ(gGra->GetState(), kStateHumanPlays);
  ASSERT_TRUE(cZapisGry().SaveGame(L"After load headless", true).ok);
  EXPECT_EQ(FolderBytes("data/save/After load"), FolderBytes("data/save/After load headless"));

  // Exit from the pause menu ends the game and the framework.
  h.Key(SDLK_ESCAPE);
  step("19_pause_before_exit");
  h.ClickLayout(cPauseMenu::kExit);
  EXPECT_EQ(gGra, nullptr);
  EXPECT_EQ(gCurrentMenu, nullptr);
  SetSaveClock({});
  RecordProperty("dialogs_answered_in_the_computer_turn", static_cast<int>(answered.size()));
}

// The worker's way with a dialog: under the lock it asks for it, without
// the lock it waits; the main thread's frames build it, draw it and take
// the player's key, after which the worker goes on.
TEST(ResultsRoad, TheWorkerWaitsForACombatResultTheMainThreadAnswers) {
  cGameUiHarness h(1024, 768, "results_worker");
  std::atomic<int> stage{0};
  std::thread worker([&] {
    sWynikWalki r;
    r.resultCode = sWynikWalki::kAirFight;
    r.attackerInfo = L"Fighters over the coast";
    AcquireGameLock(__FILE__, __LINE__);
    const FrontEndHandle dialog = FrontEnd().ShowCombatResult(r, -1000.0f);
    ReleaseGameLock(__FILE__, __LINE__);
    stage = 1;
    FrontEnd().WaitForDialogClosed(dialog, __FILE__, __LINE__);
    stage = 2;
    // A delay of 0 shows nothing and does not wait.
    AcquireGameLock(__FILE__, __LINE__);
    const FrontEndHandle none = FrontEnd().ShowCombatResult(r, 0.0f);
    ReleaseGameLock(__FILE__, __LINE__);
    FrontEnd().WaitForDialogClosed(none, __FILE__, __LINE__);
    stage = none == 0 ? 3 : 4;
  });
  ASSERT_TRUE(h.WaitFor([] { return TopId() == cDialogWynikuWalki::kDialog; }, 500));
  EXPECT_TRUE(h.Screenshot("worker_combat_result"));
  for (int i = 0; i < 20; ++i) h.Frames(1);
  EXPECT_EQ(stage.load(), 1) << "the worker waits while the dialog is open";
  h.Key(SDLK_RETURN);
  EXPECT_TRUE(h.WaitFor([&] { return stage.load() >= 3; }, 500));
  worker.join();
  EXPECT_EQ(stage.load(), 3);
  EXPECT_EQ(TopId(), 0);

  // The player's own results are never waited for: once closed, the front
  // end keeps nothing of them.
  sWynikWalki own;
  own.resultCode = sWynikWalki::kAirFight;
  for (int i = 0; i < 3; ++i) {
    FrontEnd().ShowCombatResult(own, -1000.0f);
    ASSERT_EQ(TopId(), cDialogWynikuWalki::kDialog);
    h.Key(SDLK_RETURN);
  }
  h.Frames(1);
  EXPECT_EQ(TopId(), 0);
  EXPECT_EQ(UiFrontEnd()->ShownDialogCount(), 0u);
}

}  // namespace

namespace {

// A new display mode chosen in the preferences takes effect when they
// close: the device is made again at that size with its layout table, the
// main menu is laid out on it, and the next start reads the same mode.
TEST(ResultsRoad, ANewDisplayModeTakesEffectAtOnceAndAtTheNextStart) {
  // The dummy display is 1024 x 768 and lists that mode only.
  cGameUiHarness h(1920, 1080, "results_display");
  ASSERT_EQ(FWGetBackBufferSurfaceDesc()->Width, 1920u);
  h.ClickLayout(cMainMenu::kPreferences);
  ASSERT_EQ(TopId(), cDialogUstawien::kDialog);
  auto* modes = gCurrentDialog->Gui().Get<CFWComboBox>(cDialogUstawien::kResolution, FWCONTROL_COMBOBOX);
  ASSERT_NE(modes, nullptr);
  int small = -1;
  for (int i = 0; i < modes->GetItemCount(); ++i)
    if (modes->GetItem(i)->strText == L"1024x768") small = i;
  ASSERT_GE(small, 0) << "the display's own mode is offered beside the window's";
  EXPECT_EQ(modes->GetSelectedIndex(), small + 1) << "the running size is selected";
  modes->SetSelectedByIndex(small);
  gCurrentDialog->OnEvent(0, cDialogUstawien::kResolution, modes);
  EXPECT_EQ(FWGetBackBufferSurfaceDesc()->Width, 1920u) << "nothing changes before OK";
  h.ClickLayout(cDialogUstawien::kOk);
  ASSERT_NE(dynamic_cast<cMainMenu*>(gCurrentMenu), nullptr);
  EXPECT_EQ(FWGetBackBufferSurfaceDesc()->Width, 1024u);
  EXPECT_EQ(FWGetBackBufferSurfaceDesc()->Height, 768u);
  EXPECT_EQ(GuiRect(cMainMenu::kStart).x + GuiRect(cMainMenu::kStart).w, gCurrentMenu->GetControl(cMainMenu::kStart)->m_x +
                                                                           gCurrentMenu->GetControl(cMainMenu::kStart)->m_width);
  EXPECT_LT(GuiRect(cMainMenu::kStart).x + GuiRect(cMainMenu::kStart).w, 1024) << "the small table is loaded";
  EXPECT_TRUE(h.Screenshot("main_menu_after_change"));
  LoadSettings();
  EXPECT_EQ(gProgramSettings.resolutionX, 1024);
  EXPECT_EQ(gProgramSettings.resolutionY, 768);
  EXPECT_TRUE(gProgramSettings.windowed);
}

}  // namespace
