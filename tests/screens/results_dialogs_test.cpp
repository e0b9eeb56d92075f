// The dialogs of a turn's results, the hot-key list, the save dialog's
// refusals and the settings dialog, at both screen sizes with a screenshot
// of each: what their controls show and what their buttons, keys and
// countdowns do.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>

#include "core/settings.h"
#include "core/text.h"
#include "dialogs/combat_result_dialog.h"
#include "dialogs/convoy_results_dialog.h"
#include "dialogs/event_dialog.h"
#include "dialogs/hotkeys_dialog.h"
#include "dialogs/save_game_dialog.h"
#include "dialogs/settings_dialog.h"
#include "gui/cursor.h"
#include "framework/fw_state.h"
#include "framework/texture.h"
#include "gui/fw_combobox.h"
#include "gui/fw_editbox.h"
#include "gui/fw_listbox.h"
#include "gui/fw_memo.h"
#include "gui/fw_scrollbar.h"
#include "gui/fw_memo.h"
#include "support/ui_road.h"
#include "world/convoys.h"
#include "world/country.h"
#include "world/reports.h"
#include "world/world_test_support.h"

namespace {

std::wstring TextOf(cDialog* d, int id) {
  auto* s = d != nullptr ? d->Gui().Get<CFWStatic>(id, FWCONTROL_STATIC) : nullptr;
  if (s == nullptr && d != nullptr) s = d->Gui().Get<CFWStatic>(id, FWCONTROL_BUTTON);
  return s != nullptr ? s->GetText() : L"<none>";
}

// The display element a title static draws its text with; -1 without it.
int TitleElement(cDialog* d, int id) {
  auto* s = d->Gui().Get<CFWStatic>(id, FWCONTROL_STATIC);
  return s != nullptr ? s->m_iTextElement : -1;
}

class ResultsDialogs : public ::testing::TestWithParam<std::pair<int, int>> {
 protected:
  void SetUp() override {
    const auto [w, h] = GetParam();
    if (!road.Start(w, h)) GTEST_SKIP() << "no layout table for " << w << "x" << h;
    FWSetCallbackFrameRender(&OnMenuFrameRender);
    gCursor.SetHintText(nullptr);
    gTextures[kGuiTextureHolder].Load(L"data\\gfx\\GUI.png", kTextureFromFile, 1);
    game = std::make_unique<world_test::GameFixture>(8, 8, 2);
    game->game->countries[0]->name = L"Nordmark";
    game->game->countries[1]->name = L"Sudland";
  }
  void TearDown() override {
    ResetDialogStack();
    game.reset();
  }
  std::string Name(const char* what) const { return std::string("results_") + what; }

  ui_road::UiRoad road;
  std::unique_ptr<world_test::GameFixture> game;
};

TEST_P(ResultsDialogs, CombatResultCountsDownPausesAndLaysOutItsIcons) {
  sWynikWalki r;
  r.resultCode = sWynikWalki::kLandBattle;
  r.attackerCountry = 1;
  r.defenderCountry = 2;
  r.attackerLosses = 1.5f;
  r.defenderLosses = 3.25f;
  r.attackerInfo = L"Armour: 100%\n1st Armoured Division [4.00]";
  r.defenderInfo = L"Terrain: 50%\n5th Infantry Division [2.00]";
  r.attackerDestroyed = r.defenderDestroyed = r.defenderSurrendered = r.defenderRetreated = 1;
  r.cityDamaged = r.portDamaged = r.shipsHit = 1;
  PushDialog(new cDialogWynikuWalki(r, 2500.0f), 0);
  cDialog* d = gCurrentDialog;
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(TextOf(d, 902), Txt("combatresult_land_battle_title"));
  EXPECT_EQ(TitleElement(d, 902), 1);
  EXPECT_NE(d->Gui().GetControl(903), nullptr);
  EXPECT_NE(d->Gui().GetControl(910), nullptr);
  const sGuiRect att = GuiRect(907), def = GuiRect(914);
  EXPECT_EQ(d->Gui().GetControl(7500)->m_x, att.x);
  EXPECT_EQ(d->Gui().GetControl(7500)->m_y, att.y + att.h + 5);
  const int offsets[] = {0, 70, 120, 170, 220, 270};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(d->Gui().GetControl(7501 + i)->m_x - def.x, offsets[i]) << 7501 + i;
  road.Shot(Name("combat_result"));

  UpdateCurrentDialogCountdown(1.0f);
  EXPECT_EQ(TextOf(d, 917), WFormat(Txt("combatresult_timeout").c_str(), 1.5));
  EXPECT_TRUE(DialogKeyboard(32, true, false));  // Space pauses
  EXPECT_EQ(TextOf(d, 918), Txt("combat_result_resume"));
  UpdateCurrentDialogCountdown(5.0f);
  EXPECT_EQ(gCurrentDialog, d) << "a paused count never closes it";
  EXPECT_EQ(TextOf(d, 917), WFormat(Txt("combatresult_timeout").c_str(), 1.5));
  DialogKeyboard(32, true, false);
  EXPECT_EQ(TextOf(d, 918), Txt("combat_result_pause"));
  UpdateCurrentDialogCountdown(1.6f);
  EXPECT_TRUE(DialogStack().empty()) << "closed when the count ran out";

  // An unknown kind, no countries, no outcome, and a wait for a click.
  sWynikWalki odd;
  odd.resultCode = 12;
  odd.attackerCountry = 0;
  PushDialog(new cDialogWynikuWalki(odd, -1000.0f), 0);
  d = gCurrentDialog;
  EXPECT_EQ(TextOf(d, 902), Txt("combatresult_unknown_battle_title"));
  EXPECT_EQ(d->Gui().GetControl(903), nullptr);
  EXPECT_EQ(d->Gui().GetControl(910), nullptr);
  for (int id = 7500; id <= 7506; ++id) EXPECT_EQ(d->Gui().GetControl(id), nullptr) << id;
  UpdateCurrentDialogCountdown(30.0f);
  EXPECT_EQ(TextOf(d, 917), Txt("combatresult_waiting_for_click"));
  d->PressButton(918);  // lets a count run that has nothing to count
  d->PressButton(918);
  EXPECT_EQ(TextOf(d, 918), Txt("combat_result_resume"));
  d->PressButton(918);
  EXPECT_EQ(TextOf(d, 918), Txt("combat_result_pause"));
  UpdateCurrentDialogCountdown(30.0f);
  EXPECT_EQ(TextOf(d, 917), Txt("combatresult_waiting_for_click"));
  EXPECT_EQ(gCurrentDialog, d) << "a negative count never fires";
  EXPECT_TRUE(DialogKeyboard(27, true, false));
  EXPECT_TRUE(DialogStack().empty());
}

TEST_P(ResultsDialogs, ConvoyResultsListTheCountrysConvoysWithDetails) {
  cGra& g = *game->game;
  g.convoys = new cKonwoje();
  g.convoys->results.resize(2);
  for (int i = 0; i < 3; ++i)
    g.convoys->results[0].push_back({L"Hafenburg", L"Sudkap", L"supplies", 4 + i, 3, i,
                                     i == 1 ? L"Sunk" : L"Arrived", L"Details of convoy " + std::to_wstring(i)});
  for (UINT key : {13u, 27u, 0u}) {
    PushDialog(new cDialogWynikuKonwojow(g.countries[0]), 0);
    cDialog* d = gCurrentDialog;
    auto* list = d->Gui().Get<CFWListBox>(965, FWCONTROL_LISTBOX);
    auto* memo = d->Gui().Get<CFWMemo>(967, FWCONTROL_MEMO);
    ASSERT_EQ(list->GetSize(), 3);
    EXPECT_EQ(list->GetSelectedIndex(), 0);
    EXPECT_EQ(list->GetItem(1)->Texts, (std::vector<std::wstring>{L"Hafenburg", L"Sudkap", L"supplies", L"5", L"3",
                                                                   L"1", L"Sunk"}));
    EXPECT_EQ(memo->GetText(), L"Details of convoy 0");
    EXPECT_EQ(TitleElement(d, 962), 1);
    list->SelectItem(2, false);
    d->OnEvent(0, 965, list);
    EXPECT_EQ(memo->GetText(), L"Details of convoy 2");
    if (key == 0) {
      road.Shot(Name("convoy_results"));
      d->PressButton(968);
    } else {
      DialogKeyboard(key, true, false);
    }
    EXPECT_TRUE(DialogStack().empty()) << key;
  }
}

sZdarzenie MakeEvent(int options) {
  sZdarzenie e;
  e.eventID = 17;
  e.countryID = 1;
  e.title = L"The harbour strike";
  e.description = L"Dock workers in Hafenburg have laid down their tools.";
  for (int i = 1; i <= options; ++i) {
    sEventOption o;
    o.optionID = i;
    o.text = L"Option " + std::to_wstring(i);
    o.tooltip = L"tip " + std::to_wstring(i);
    sEfekt set;
    set.method = L"Country.SetProductionPoints";
    set.params[0] = 1;
    set.params[1] = 40 + i;
    o.effects.push_back(set);
    e.options.push_back(o);
  }
  return e;
}

TEST_P(ResultsDialogs, EventDialogRunsTheChosenOptionAndFilesItsReport) {
  cGra& g = *game->game;
  PushDialog(new cDialogEventu(MakeEvent(2)), 0);
  cDialog* d = gCurrentDialog;
  EXPECT_EQ(TitleElement(d, 781), 1);
  EXPECT_NE(d->Gui().GetControl(4001), nullptr);
  EXPECT_NE(d->Gui().GetControl(4002), nullptr);
  EXPECT_EQ(d->Gui().GetControl(4004), nullptr) << "no save-and-exit outside PBEM";
  EXPECT_EQ(d->Gui().GetControl(784), nullptr) << "no picture without a file";
  EXPECT_EQ(d->Gui().GetControl(4002)->m_y - d->Gui().GetControl(4001)->m_y, GuiRect(786).h);
  const CFWControl* frame = d->Gui().GetControl(780);
  const int shortTop = frame->m_y, shortHeight = frame->m_height;
  EXPECT_NEAR(frame->m_y + frame->m_height / 2.0, (GuiRect(780).y + GuiRect(780).h) / 2.0, GuiRect(781).y + 1.0);
  road.Shot(Name("event"));
  d->PressButton(4002);
  EXPECT_TRUE(DialogStack().empty());
  EXPECT_DOUBLE_EQ(g.countries[0]->productionPoints, 42.0) << "option 2's effect ran";
  std::vector<sRaport> filed;
  g.reports->CollectReports(filed, 1, 25);
  ASSERT_EQ(filed.size(), 1u);
  EXPECT_NE(filed[0].text.find(L"Event for country Nordmark: The harbour strike"), std::wstring::npos);
  EXPECT_NE(filed[0].text.find(L"Chosen option: Option 2 (tip 2)"), std::wstring::npos);

  // Many options grow the dialog downwards and move it up to stay centred;
  // a picture that does not load is left out; a PBEM game adds its button.
  sZdarzenie many = MakeEvent(9);
  many.image = L"no_such_picture.png";
  g.pbem = 1;
  PushDialog(new cDialogEventu(many), 0);
  d = gCurrentDialog;
  frame = d->Gui().GetControl(780);
  EXPECT_GT(frame->m_height, shortHeight);
  EXPECT_LT(frame->m_y, shortTop);
  EXPECT_EQ(d->Gui().GetControl(784), nullptr);
  EXPECT_NE(d->Gui().GetControl(4002 + 9), nullptr);
  EXPECT_EQ(d->Gui().GetControl(4001 + 9), nullptr) << "the save button skips one id";
  road.Shot(Name("event_many_options"));
  g.pbem = 0;
  CloseDialogs(-1);
}

TEST_P(ResultsDialogs, HotKeyListHasItsNineteenRowsAndTellsF5FromF8) {
  PushDialog(new cDialogSkrotowKlawiszowych(), 0);
  cDialog* d = gCurrentDialog;
  auto* list = d->Gui().Get<CFWListBox>(672, FWCONTROL_LISTBOX);
  ASSERT_EQ(list->GetSize(), 19);
  for (int i = 0; i < 19; ++i) EXPECT_EQ(list->GetItem(i)->Texts.size(), 2u) << i;
  EXPECT_EQ(list->GetItem(0)->Texts[0], L"F1");
  EXPECT_NE(list->GetItem(4)->Texts[1].find(L"unit names"), std::wstring::npos);
  EXPECT_NE(list->GetItem(4)->Texts[0].find(L"F8"), std::wstring::npos);
  EXPECT_EQ(list->GetItem(18)->Texts[0], L"Tab");
  road.Shot(Name("hotkeys"));
  EXPECT_TRUE(DialogKeyboard(27, true, false));
  EXPECT_TRUE(DialogStack().empty());
}

// Names that would leave "data\save" or that no folder can hold are
// refused with a message before anything is asked or written.
TEST_P(ResultsDialogs, SaveDialogRefusesNamesOutsideTheSavesFolder) {
  namespace fs = std::filesystem;
  auto entries = [] {
    std::set<std::string> s;
    for (const char* dir : {"data", "data/save", ".."})
      if (fs::exists(dir))
        for (const auto& e : fs::directory_iterator(dir)) s.insert(e.path().string());
    return s;
  };
  const std::set<std::string> before = entries();
  const struct {
    const wchar_t* name;
    const char* why;
  } cases[] = {
      {L"", "save_name_empty"},          {L"   ", "save_name_empty"},
      {L"..", "save_name_bad_character"}, {L"..\\x", "save_name_bad_character"},
      {L"../x", "save_name_bad_character"}, {L"a/b", "save_name_bad_character"},
      {L"c:d", "save_name_bad_character"}, {L"x*", "save_name_bad_character"},
      {L"q?", "save_name_bad_character"},  {L"say \"hi\"", "save_name_bad_character"},
      {L"<a>", "save_name_bad_character"}, {L"a|b", "save_name_bad_character"},
      {L".hidden", "save_name_bad_character"},
  };
  PushDialog(new cDialogZapisuGry(), 0);
  auto* save = static_cast<cDialogZapisuGry*>(gCurrentDialog);
  EXPECT_EQ(save->NameText(), Txt("save_game_default_name"));
  bool shot = false;
  for (const auto& c : cases) {
    save->Gui().Get<CFWEditBox>(256, FWCONTROL_EDITBOX)->SetText(c.name);
    save->PressButton(258);
    ASSERT_NE(gCurrentDialog, save) << WideToUtf8(c.name) << ": no message";
    EXPECT_EQ(gCurrentDialog->Id(), kDialogMessage);
    EXPECT_FALSE(save->AwaitingOverwriteAnswer());
    bool says = false;
    for (size_t i = 0; i < gCurrentDialog->Gui().ControlCount(); ++i)
      if (auto* s = dynamic_cast<CFWStatic*>(gCurrentDialog->Gui().ControlAt(i)))
        says = says || s->GetText() == Txt(c.why);
    EXPECT_TRUE(says) << WideToUtf8(c.name);
    if (!shot) road.Shot(Name("save_refused"));
    shot = true;
    CloseDialogs(1);
    EXPECT_EQ(gCurrentDialog, save);
  }
  EXPECT_EQ(entries(), before) << "nothing written anywhere";
  road.Shot(Name("save_dialog"));
}

// Each change takes effect at once and is set in the store: the delay,
// volume, fog-of-war, frame-rate and border-colour rows.
TEST_P(ResultsDialogs, SettingsDialogAppliesEveryChangeAtOnce) {
  const std::array<float, kDelayCount> delaysBefore = delayValues;
  const sProgramSettings settingsBefore = gProgramSettings;
  const int hintDelayBefore = gCursor.HintDelay();
  delayValues[DELAY_AI_MOVE_BEFORE] = 1500.0f;
  delayValues[DELAY_AI_COMBAT_RESULT] = -1000.0f;
  delayValues[DELAY_CONTROL_HINT] = 0.0f;
  delayValues[DELAY_HUMAN_COMBAT_RESULT] = 0.0f;
  gProgramSettings.borderColor = 0xFF00FFFFu;
  gSettings.SetInt("Main/FPSLimit", 60);
  PushDialog(new cDialogUstawien(), 0);
  cDialog* d = gCurrentDialog;
  auto slider = [d](int id) { return d->Gui().Get<CFWSlider>(id, FWCONTROL_SLIDER); };
  auto combo = [d](int id) { return d->Gui().Get<CFWComboBox>(id, FWCONTROL_COMBOBOX); };
  const int moveBefore = delaySettings[DELAY_AI_MOVE_BEFORE].controlId;
  EXPECT_EQ(slider(moveBefore)->GetValue(), 1);
  EXPECT_EQ(TextOf(d, moveBefore - 1), WFormat(Txt("pref_delay_%.1f").c_str(), 1.5));
  EXPECT_EQ(TextOf(d, delaySettings[DELAY_AI_COMBAT_RESULT].controlId - 1), Txt("pref_delay_wait_for_click"));
  EXPECT_EQ(TextOf(d, delaySettings[DELAY_HUMAN_COMBAT_RESULT].controlId - 1), Txt("pref_delay_dont_show"));
  EXPECT_EQ(TextOf(d, delaySettings[DELAY_CONTROL_HINT].controlId - 1), Txt("pref_delay_immediately"));
  EXPECT_EQ(combo(88)->GetSelectedIndex(), 0) << "opens on no limit whatever is stored";
  EXPECT_EQ(std::wstring(kBorderColourTable[combo(104)->GetSelectedIndex()].name), L"Cyan ");
  auto* tabs = d->Gui().Get<CFWTabFrame>(83, FWCONTROL_TABFRAME);
  ASSERT_EQ(tabs->TabCount(), 6);
  const char* tabNames[] = {"general", "gameplay", "units", "map", "interface", "audio"};
  for (int t = 0; t < 6; ++t) {
    tabs->SetActiveTab(t, false);
    road.Shot(Name("settings_") + tabNames[t]);
  }
  tabs->SetActiveTab(0, false);

  slider(moveBefore)->SetValueInternal(2, true, true);
  EXPECT_FLOAT_EQ(delayValues[DELAY_AI_MOVE_BEFORE], 2000.0f);
  EXPECT_EQ(gSettings.GetInt("Delay/AIMoveBefore", 0), 2000);
  const int hint = delaySettings[DELAY_CONTROL_HINT].controlId;
  slider(hint)->SetValueInternal(3, true, true);
  EXPECT_EQ(gCursor.HintDelay(), 3000) << "the hint delay follows at once";
  EXPECT_EQ(TextOf(d, hint - 1), WFormat(Txt("pref_delay_%.1f").c_str(), 3.0));
  // Every step of the slider is stored and shown as the percent it stands for.
  for (int step = 20; step >= 0; --step) {
    slider(150)->SetValueInternal(step, true, true);
    EXPECT_FLOAT_EQ(gProgramSettings.sfxVolume, static_cast<float>(step) / 20.0f);
    EXPECT_EQ(TextOf(d, 149), std::to_wstring(step * 5) + L"%");
    EXPECT_EQ(gSettings.GetInt("Audio/SFXVolume", -1), step * 5) << step;
  }
  slider(113)->SetValueInternal(4, true, true);
  slider(113)->SetValueInternal(0, true, true);
  EXPECT_EQ(TextOf(d, 112), Txt("pref_visibility_disabled"));
  EXPECT_EQ(gSettings.GetInt("Gameplay/FogOfWar", -1), 0);
  combo(88)->SetSelectedByIndex(2);
  d->OnEvent(0, 88, combo(88));
  EXPECT_EQ(gProgramSettings.frameDelayMs, 33u);
  EXPECT_EQ(gSettings.GetInt("Main/FPSLimit", 0), 30);
  int black = -1;
  for (int i = 0; i < kBorderColours; ++i)
    if (std::wstring(kBorderColourTable[i].name) == L"Black ") black = i;
  combo(104)->SetSelectedByIndex(black);
  d->OnEvent(0, 104, combo(104));
  EXPECT_EQ(gProgramSettings.borderColor, 0xFF000000u);
  EXPECT_EQ(gSettings.GetInt("Border/ColorA", -1), 255);
  EXPECT_EQ(gSettings.GetInt("Border/ColorR", -1), 0);
  EXPECT_EQ(d->Gui().Get<CFWImage>(105, FWCONTROL_IMAGE)->m_Color, 0xFF000000u) << "the preview follows";
  EXPECT_EQ(std::wstring(kBorderColourTable[BorderColourIndex(0xFFFF00FFu)].name), L"Magenta ");
  CloseDialogs(-1);
  delayValues = delaysBefore;
  gProgramSettings = settingsBefore;
  gCursor.SetHintDelay(hintDelayBefore);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ResultsDialogs,
                         ::testing::Values(std::make_pair(1024, 768), std::make_pair(1920, 1080)),
                         [](const auto& info) {
                           return std::to_string(info.param.first) + "x" + std::to_string(info.param.second);
                         });

}  // namespace
