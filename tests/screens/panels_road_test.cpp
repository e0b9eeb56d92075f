// The unit, attack, hex and diplomacy panels and the dialogs they open, as a
// player uses them on the small scenario: a unit looked at, renamed, given
// and relieved of a commander, replenished, sent into an attack from two
// sides and loaded onto a ship; a harbour built; war declared; with a
// screenshot of each panel and dialog.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>
#include <tuple>

#include "core/string_table.h"
#include "core/text.h"
#include "dialogs/commanders_dialog.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/elections_dialog.h"
#include "dialogs/question_dialogs.h"
#include "dialogs/replacements_dialog.h"
#include "framework/sound.h"
#include "gui/fw_editbox.h"
#include "screens/game/panels/attack_panel.h"
#include "screens/game/panels/diplomacy_panel.h"
#include "screens/game/panels/hex_panel.h"
#include "screens/game/panels/info_panel.h"
#include "screens/game/panels/unit_panel.h"
#include "support/game_map_clicks.h"
#include "support/log_capture.h"
#include "support/ui_road.h"
#include "rules/player_actions.h"
#include "units/naval_values.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/commander.h"
#include "world/fleet.h"
#include "world/relations.h"

namespace {

using namespace ui_test;

cUnitPanel& UnitPanel() { return *static_cast<cUnitPanel*>(gUnitPanel); }
cHexPanel& HexPanel() { return *static_cast<cHexPanel*>(gHexPanel); }
cAttackPanel& AttackPanel() { return *static_cast<cAttackPanel*>(gAttackPanel); }
cDiplomacyPanel& DiplomacyPanel() { return *static_cast<cDiplomacyPanel*>(gDiplomacyPanel); }

cJednostkaLadowa* LandUnit(int id) {
  for (cJednostkaLadowa* u : gGra->landUnits)
    if (u->unitId == id) return u;
  return nullptr;
}

// A free land hex next to (x, y) that can be clicked and is not in the
// excluded direction; -1 when none.
int FreeSide(cGameUiHarness& h, int x, int y, int notDirection) {
  for (int d = 0; d < 6; ++d) {
    const sHex* n = gGra->map->GetNeighbourHex(x, y, d);
    if (d != notDirection && n != nullptr && !n->IsSea() && n->unit == nullptr && Clickable(h, n->x, n->y)) return d;
  }
  return -1;
}

// Unfolds a panel with its icon on the information bar.
void Unfold(cGameUiHarness& h, cPanel* panel, int icon) {
  ASSERT_NE(panel, nullptr);
  if (panel->IsFolded()) h.ClickLayout(icon);
  ASSERT_FALSE(panel->IsFolded());
}

// A screenshot once dialogs have faded in.
bool Shot(cGameUiHarness& h, const std::string& name) {
  h.Frames(15);
  return h.Screenshot(name);
}

// Runs a press that sounds nothing itself; whether a click sounds after it.
bool ClickSounds(const std::function<void()>& press) {
  CSound* click = GetSound(2);
  if (click == nullptr) return false;
  click->Stop();
  press();
  for (int i = 0; i < click->BufferCount(); ++i)
    if (click->IsBufferPlaying(i)) return true;
  return false;
}

void Fold(cGameUiHarness& h, cPanel* panel, int icon) {
  if (!panel->IsFolded()) h.ClickLayout(icon);
  ASSERT_TRUE(panel->IsFolded());
}

TEST(PanelsRoad, APlayerUsesThePanelsAndTheirDialogs) {
  cLogCapture log;
  cGameUiHarness h(1024, 768, "panels_road");
  StartGameAs(h, 1);
  cPanstwo* nordmark = gGra->GetCountry(1);
  ASSERT_EQ(gGra->selection.currentCountry, nordmark);

  // ---- the unit panel shows the selected unit as the world holds it.
  cJednostkaLadowa* corps = LandUnit(1);
  ASSERT_NE(corps, nullptr);
  ClickHex(h, corps->x, corps->y);
  Unfold(h, gUnitPanel, kGsFoldUnitPanel);
  ASSERT_EQ(UnitPanel().ShownUnit(), corps);
  EXPECT_EQ(UnitPanel().Text(cUnitPanel::kName), corps->name);
  EXPECT_EQ(UnitPanel().Text(cUnitPanel::kOwner), L"Nordmark");
  EXPECT_EQ(UnitPanel().Text(cUnitPanel::kSize), cJednostka::GetSubtypeName(corps->type));
  EXPECT_EQ(UnitPanel().Text(cUnitPanel::kLevel), std::to_wstring(corps->level));
  EXPECT_EQ(UnitPanel().Text(cUnitPanel::kAp), std::to_wstring(corps->actionPoints));
  EXPECT_EQ(UnitPanel().Text(cUnitPanel::kEffectiveness), WFormat(L"%i%%", corps->effectiveness));
  EXPECT_TRUE(UnitPanel().Enabled(cUnitPanel::kRename));
  EXPECT_TRUE(UnitPanel().Enabled(cUnitPanel::kCommanders));
  EXPECT_FALSE(UnitPanel().Enabled(cUnitPanel::kUndo));
  EXPECT_EQ(UnitPanel().Hint(cUnitPanel::kUndo), Txt("unitpanel_undo_move_icon_hint_no_undo_possible"));
  // The commander with the unit, or "-".
  const sDowodca* led = corps->commander;
  EXPECT_EQ(UnitPanel().Text(cUnitPanel::kCommander),
            led != nullptr ? WFormat(L"%s (%i/%i)", led->name.c_str(), led->skill, led->experience) : L"-");
  EXPECT_FALSE(UnitPanel().PictureFile().empty());
  EXPECT_TRUE(Shot(h, "01_unit_panel"));

  // ---- rename: a second click opens no second dialog; 120 characters keep 99.
  h.ClickLayout(cUnitPanel::kRename);
  ASSERT_NE(gCurrentDialog, nullptr);
  cDialog* rename = gCurrentDialog;
  EXPECT_EQ(rename->Id(), cDialogPobraniaTekstu::kDialog);
  EXPECT_EQ(UnitPanel().Pending(), cUnitPanel::kRenamePending);
  UnitPanel().OnEvent(kGuiEventButtonClicked, cUnitPanel::kRename, nullptr);
  EXPECT_EQ(DialogStack().size(), 1u);
  EXPECT_TRUE(Shot(h, "02_rename_dialog"));
  auto* edit = rename->Gui().Get<CFWEditBox>(cDialogPobraniaTekstu::kEdit, FWCONTROL_EDITBOX);
  ASSERT_NE(edit, nullptr);
  edit->SetText(std::wstring(120, L'x').c_str());
  h.ClickLayout(cDialogPobraniaTekstu::kOk);
  EXPECT_EQ(gCurrentDialog, nullptr);
  EXPECT_EQ(corps->name, std::wstring(99, L'x'));
  EXPECT_EQ(UnitPanel().Pending(), cUnitPanel::kNone);
  h.ClickLayout(cUnitPanel::kRename);
  edit = gCurrentDialog->Gui().Get<CFWEditBox>(cDialogPobraniaTekstu::kEdit, FWCONTROL_EDITBOX);
  edit->SetText(L"Holm's Guards");
  h.ClickLayout(cDialogPobraniaTekstu::kOk);
  EXPECT_EQ(corps->name, L"Holm's Guards");
  EXPECT_EQ(UnitPanel().Text(cUnitPanel::kName), L"Holm's Guards");
  h.ClickLayout(cUnitPanel::kRename);  // cancelled: the name stays
  h.Key(SDLK_ESCAPE);
  EXPECT_EQ(gCurrentDialog, nullptr);
  EXPECT_EQ(UnitPanel().Pending(), cUnitPanel::kNone);
  EXPECT_EQ(corps->name, L"Holm's Guards");

  // ---- commanders: recall, then (once he is back at headquarters) assign.
  sDowodca* holm = nullptr;
  for (sDowodca* c : gGra->commanders)
    if (c->countryId == 1 && c->type == kCategoryLand) holm = c;
  ASSERT_NE(holm, nullptr);
  if (holm->unit != nullptr && holm->unit != corps) {
    holm->unit->commander = nullptr;
    holm->unit = nullptr;
  }
  holm->state = 2;
  holm->unit = corps;
  corps->commander = holm;
  h.ClickLayout(cUnitPanel::kCommanders);
  auto* commanders = dynamic_cast<cDialogDowodcow*>(gCurrentDialog);
  ASSERT_NE(commanders, nullptr);
  EXPECT_EQ(UnitPanel().Pending(), cUnitPanel::kCommandersPending);
  EXPECT_TRUE(commanders->Enabled(cDialogDowodcow::kRecall));
  EXPECT_FALSE(commanders->Enabled(cDialogDowodcow::kAssign));
  EXPECT_TRUE(Shot(h, "03_commanders_dialog"));
  h.ClickLayout(cDialogDowodcow::kRecall);
  EXPECT_EQ(corps->commander, nullptr);
  EXPECT_EQ(holm->state, 1);
  EXPECT_EQ(holm->unit, nullptr);
  EXPECT_EQ(commanders->Text(cDialogDowodcow::kCommander), Txt("commander_no_commander_assigned"));
  CFWListBox* others = commanders->List(cDialogDowodcow::kOthers);
  ASSERT_GE(others->GetSize(), 1);
  bool heading = false;
  for (int i = 0; i < others->GetSize(); ++i)
    heading |= others->GetItem(i)->pData == holm &&
               others->GetItem(i)->Texts.at(3) == Txt("commander_status_heading_to_hq");
  EXPECT_TRUE(heading);
  // No free commander: assign stays off, and a press that slips through
  // assigns nobody.
  EXPECT_EQ(commanders->List(cDialogDowodcow::kFree)->GetSize(), 0);
  EXPECT_FALSE(commanders->Enabled(cDialogDowodcow::kAssign));
  commanders->OnEvent(kGuiEventButtonClicked, cDialogDowodcow::kAssign, nullptr);
  EXPECT_EQ(corps->commander, nullptr);
  h.ClickLayout(cDialogDowodcow::kExit);
  EXPECT_EQ(gCurrentDialog, nullptr);
  EXPECT_EQ(UnitPanel().Pending(), cUnitPanel::kNone);
  EXPECT_EQ(UnitPanel().Text(cUnitPanel::kCommander), L"-");
  holm->state = 0;  // the turn processing brings him to headquarters
  h.ClickLayout(cUnitPanel::kCommanders);
  commanders = dynamic_cast<cDialogDowodcow*>(gCurrentDialog);
  ASSERT_NE(commanders, nullptr);
  CFWListBox* free = commanders->List(cDialogDowodcow::kFree);
  ASSERT_EQ(free->GetSize(), 1);
  EXPECT_EQ(free->GetSelectedData(), holm);
  EXPECT_TRUE(commanders->Enabled(cDialogDowodcow::kAssign));
  ClickRow(h, free, holm);
  EXPECT_TRUE(commanders->Enabled(cDialogDowodcow::kAssign));
  h.ClickLayout(cDialogDowodcow::kAssign);
  EXPECT_EQ(corps->commander, holm);
  EXPECT_EQ(holm->unit, corps);
  EXPECT_EQ(holm->state, 2);
  EXPECT_EQ(corps->assignedCommanderId, -1);
  EXPECT_FALSE(commanders->Enabled(cDialogDowodcow::kAssign));
  EXPECT_TRUE(Shot(h, "04_commander_assigned"));
  h.Key(SDLK_ESCAPE);
  EXPECT_EQ(gCurrentDialog, nullptr);
  EXPECT_EQ(UnitPanel().Text(cUnitPanel::kCommander),
            WFormat(L"%s (%i/%i)", holm->name.c_str(), holm->skill, holm->experience));

  // ---- replacements: a unit that lost 30 points buys what it can.
  corps->strength = 70;
  nordmark->productionPoints = 500.0;
  UnitPanel().Refresh();
  ASSERT_TRUE(UnitPanel().Enabled(cUnitPanel::kReplacements)) << WideToUtf8(UnitPanel().Hint(cUnitPanel::kReplacements));
  h.ClickLayout(cUnitPanel::kReplacements);
  auto* replacements = dynamic_cast<cDialogUzupelnien*>(gCurrentDialog);
  ASSERT_NE(replacements, nullptr);
  const float perPoint = replacements->CostOfOnePoint();
  const int maximum = replacements->Maximum();
  EXPECT_GT(perPoint, 0.0f);
  EXPECT_GT(maximum, 0);
  EXPECT_LE(maximum, 30);
  h.ClickLayout(cDialogUzupelnien::kMax);
  EXPECT_EQ(replacements->Points(), maximum);
  EXPECT_EQ(replacements->Text(cDialogUzupelnien::kCost),
            WFormat(Txt("%.2f_pp").c_str(), static_cast<double>(perPoint * static_cast<float>(maximum))));
  EXPECT_TRUE(Shot(h, "05_replacements_dialog"));
  // Enter presses OK without a sound; the unit panel hears the answer with one.
  EXPECT_TRUE(ClickSounds([] { DialogKeyboard(13, true, false); }));
  EXPECT_EQ(gCurrentDialog, nullptr);
  EXPECT_EQ(corps->strength, 70 + maximum);
  EXPECT_EQ(corps->actionPoints, 0);
  EXPECT_NEAR(nordmark->productionPoints, 500.0 - perPoint * static_cast<float>(maximum), 1e-3);
  EXPECT_FALSE(UnitPanel().Enabled(cUnitPanel::kReplacements));
  // A strategic move asks the map for its target among the marked hexes.
  cJednostkaLadowa* division = LandUnit(2);
  nordmark->strategicMovementPoints = 100;
  ClickHex(h, division->x, division->y);
  ASSERT_EQ(UnitPanel().ShownUnit(), division);
  ASSERT_TRUE(UnitPanel().Enabled(cUnitPanel::kStrategicMove)) << WideToUtf8(UnitPanel().Hint(cUnitPanel::kStrategicMove));
  h.ClickLayout(cUnitPanel::kStrategicMove);
  EXPECT_EQ(gGra->selection.mapAction, kMapActionStrategicMove);
  int marked = 0;
  for (const sHex& hex : gGra->map->hexes) marked += (hex.marks & kMarkStrategicTarget) != 0 ? 1 : 0;
  EXPECT_GT(marked, 0);
  gGra->selection.mapAction = kMapActionNone;  // the player thinks better of it
  gGra->map->ClearMarks(kMarkTargetBits, false);

  // ---- an attack from two sides: the odds shown are the plan's, and it is fought.
  Fold(h, gUnitPanel, kGsFoldUnitPanel);
  EXPECT_EQ(AttackPanel().Text(cAttackPanel::kColumn), L"-");
  gGra->map->CenterAtHex(LandUnit(10)->x, LandUnit(10)->y);
  h.Frames(30);
  cJednostkaLadowa* enemy = nullptr;
  int first = -1, second = -1;
  for (cJednostkaLadowa* u : gGra->landUnits) {
    if (u->countryId != 2 || u->type == kTypeMulberry || !Clickable(h, u->x, u->y)) continue;
    first = FreeSide(h, u->x, u->y, -1);
    second = first < 0 ? -1 : FreeSide(h, u->x, u->y, first);
    if (second >= 0) {
      enemy = u;
      break;
    }
  }
  ASSERT_NE(enemy, nullptr) << "no enemy with two free sides on the screen";
  cJednostkaLadowa* a1 = LandUnit(3);
  cJednostkaLadowa* a2 = LandUnit(5);
  const sHex* s1 = gGra->map->GetNeighbourHex(enemy->x, enemy->y, first);
  const sHex* s2 = gGra->map->GetNeighbourHex(enemy->x, enemy->y, second);
  a1->Teleport(s1->x, s1->y);
  a2->Teleport(s2->x, s2->y);
  ASSERT_EQ(a1->x, s1->x);
  ASSERT_EQ(a2->x, s2->x);
  ClickHex(h, a1->x, a1->y);
  ClickHex(h, enemy->x, enemy->y);
  ASSERT_NE(gGra->selection.attack, nullptr);
  ClickHex(h, a2->x, a2->y);
  const sAtak* plan = gGra->selection.attack;
  ASSERT_NE(plan, nullptr);
  Unfold(h, gAttackPanel, kGsFoldAttackPanel);
  ASSERT_EQ(plan->CountAttackers(), 2);
  EXPECT_EQ(AttackPanel().Text(cAttackPanel::kAttNames).find(L",\n") != std::wstring::npos, true);
  EXPECT_EQ(AttackPanel().Text(cAttackPanel::kDefName), enemy->name);
  EXPECT_EQ(AttackPanel().Text(cAttackPanel::kAttStrength), WFormat(L"%.2f", plan->GetAttackStrength()));
  EXPECT_EQ(AttackPanel().Text(cAttackPanel::kColumn), WFormat(L"%i : 1", plan->ComputeOddsColumn()));
  EXPECT_EQ(AttackPanel().Text(cAttackPanel::kAttMod),
            WFormat(L"%.0f%%", std::round(plan->GetAttackModifier() * 100.0f)));
  EXPECT_NE(AttackPanel().Hint(cAttackPanel::kAttMod).find(L"Directions: "), std::wstring::npos);
  EXPECT_TRUE(AttackPanel().Visible(cAttackPanel::kAttFlag));
  EXPECT_TRUE(Shot(h, "06_attack_panel"));
  // The panel follows a move of its icon: every entry of its range shifts,
  // the unused 452 too, and its controls with them.
  const sGuiRect unused = GuiRect(452), box = GuiRect(cAttackPanel::kColumn);
  static_cast<cAttackPanel&>(AttackPanel()).Move(10, -5);
  EXPECT_EQ(GuiRect(452).x, unused.x + 10);
  EXPECT_EQ(GuiRect(452).y, unused.y - 5);
  EXPECT_EQ(GuiRect(cAttackPanel::kColumn).x, box.x + 10);
  EXPECT_EQ(AttackPanel().Gui().GetControl(cAttackPanel::kColumn)->m_x, box.x + 10);
  AttackPanel().Move(-10, 5);
  Fold(h, gAttackPanel, kGsFoldAttackPanel);
  ClickHex(h, enemy->x, enemy->y);
  EXPECT_TRUE(log.HasPrefix(L"Player action: Executing assault "));
  EXPECT_EQ(gGra->selection.attack, nullptr);
  EXPECT_EQ(AttackPanel().Text(cAttackPanel::kColumn), L"-");
  EXPECT_FALSE(AttackPanel().Visible(cAttackPanel::kDefFlag));
  while (gCurrentDialog != nullptr) h.Key(SDLK_RETURN);

  // ---- the hex panel builds one harbour; the second click does nothing.
  Unfold(h, gHexPanel, kGsFoldHexPanel);
  sHex* coast = nullptr;
  for (sHex& hex : gGra->map->hexes)
    if (!hex.IsSea() && hex.coastal != 0 && hex.unit == nullptr && hex.city == nullptr && hex.controller == 1 &&
        Clickable(h, hex.x, hex.y)) {
      coast = &hex;
      break;
    }
  ASSERT_NE(coast, nullptr);
  const double cost = nordmark->consts.c135[0];
  nordmark->productionPoints = cost;  // exactly enough
  ClickHex(h, coast->x, coast->y);
  ASSERT_EQ(gGra->selection.selectedHex, coast);
  EXPECT_EQ(HexPanel().Text(cHexPanel::kController), L"Nordmark");
  EXPECT_NE(HexPanel().Text(cHexPanel::kInfo).find(WFormat(L"(%i, %i)", coast->x, coast->y)), std::wstring::npos);
  ASSERT_TRUE(HexPanel().Enabled(cHexPanel::kHarbour)) << WideToUtf8(HexPanel().Hint(cHexPanel::kHarbour));
  EXPECT_TRUE(Shot(h, "07_hex_panel"));
  const size_t unitsBefore = gGra->landUnits.size();
  h.ClickLayout(cHexPanel::kHarbour);
  auto* harbour = dynamic_cast<cMulberry*>(coast->unit);
  ASSERT_NE(harbour, nullptr);
  EXPECT_EQ(harbour->countryId, 1);
  EXPECT_EQ(gGra->landUnits.size(), unitsBefore + 1);
  EXPECT_NEAR(nordmark->productionPoints, 0.0, 1e-6);
  EXPECT_FALSE(HexPanel().Enabled(cHexPanel::kHarbour));
  EXPECT_EQ(HexPanel().Hint(cHexPanel::kHarbour), Txt("hexpanel_mulberry_hint_occupied"));
  nordmark->productionPoints = 10 * cost + 1;
  HexPanel().OnEvent(kGuiEventButtonClicked, cHexPanel::kHarbour, nullptr);  // the stale icon's press
  EXPECT_EQ(gGra->landUnits.size(), unitsBefore + 1);
  EXPECT_EQ(coast->unit, harbour);
  EXPECT_NEAR(nordmark->productionPoints, 10 * cost + 1, 1e-6);
  EXPECT_TRUE(Shot(h, "08_harbour_built"));
  Fold(h, gHexPanel, kGsFoldHexPanel);

  // ---- diplomacy: war on Ostmark, asked and confirmed.
  Unfold(h, gDiplomacyPanel, kGsFoldDiplomacyPanel);
  cPanstwo* ostmark = gGra->GetCountry(3);
  ostmark->orientation = 3;  // pro-allied: no longer of Nordmark's mind
  nordmark->diplomaticPoints = 1000;
  sHex* foreign = nullptr;
  for (sHex& hex : gGra->map->hexes)
    if (!hex.IsSea() && hex.controller == 3 && Clickable(h, hex.x, hex.y)) {
      foreign = &hex;
      break;
    }
  ASSERT_NE(foreign, nullptr);
  ASSERT_EQ(gGra->relations.IsAtWar(1, 3), 0);
  ClickHex(h, foreign->x, foreign->y);
  EXPECT_EQ(DiplomacyPanel().Shown(), ostmark);
  EXPECT_EQ(DiplomacyPanel().Text(cDiplomacyPanel::kCountry), L"Ostmark");
  EXPECT_TRUE(DiplomacyPanel().Visible(cDiplomacyPanel::kDeclareWar));
  EXPECT_FALSE(DiplomacyPanel().Visible(cDiplomacyPanel::kElections));
  ASSERT_TRUE(DiplomacyPanel().Enabled(cDiplomacyPanel::kDeclareWar))
      << WideToUtf8(DiplomacyPanel().Hint(cDiplomacyPanel::kDeclareWar));
  EXPECT_TRUE(Shot(h, "09_diplomacy_panel"));
  // Answered no first: nothing changes.
  h.ClickLayout(cDiplomacyPanel::kDeclareWar);
  ASSERT_NE(gCurrentDialog, nullptr);
  EXPECT_EQ(gCurrentDialog->Id(), cDialogPotwierdzenia::kDialog);
  EXPECT_EQ(DiplomacyPanel().Pending(), cDiplomacyPanel::kWarQuestion);
  h.ClickLayout(cDialogPotwierdzenia::kNo);
  EXPECT_EQ(gCurrentDialog, nullptr);
  EXPECT_EQ(DiplomacyPanel().Pending(), cDiplomacyPanel::kNone);
  EXPECT_EQ(gGra->relations.IsAtWar(1, 3), 0);
  h.ClickLayout(cDiplomacyPanel::kDeclareWar);
  EXPECT_TRUE(Shot(h, "10_declare_war_question"));
  h.ClickLayout(cDialogPotwierdzenia::kYes);
  EXPECT_NE(gGra->relations.IsAtWar(1, 3), 0);
  ASSERT_NE(gCurrentDialog, nullptr);  // the result comes up once the question has closed
  EXPECT_EQ(gCurrentDialog->Id(), kDialogMessage);
  EXPECT_EQ(DialogStack().size(), 1u);
  EXPECT_TRUE(Shot(h, "11_war_declared"));
  h.Key(SDLK_RETURN);
  EXPECT_EQ(gCurrentDialog, nullptr);
  EXPECT_FALSE(DiplomacyPanel().Enabled(cDiplomacyPanel::kDeclareWar));
  bool listed = false;
  auto* wars = DiplomacyPanel().Gui().Get<CFWListBox>(cDiplomacyPanel::kWarWith, FWCONTROL_LISTBOX);
  for (int i = 0; i < wars->GetSize(); ++i) listed |= wars->GetItem(i)->pData == nordmark;
  EXPECT_TRUE(listed);

  // ---- the elections dialog offers a pro-allied country its three ways;
  // cancel changes nothing, the random pick always passes a choice.
  PushDialog(new cDialogWyborow(ostmark, true), 0);
  cDialog* elections = gCurrentDialog;
  elections->SetAnswerTarget(gDiplomacyPanel);
  EXPECT_EQ(static_cast<cDialogWyborow*>(elections)->ChoiceId(0), 0);
  EXPECT_EQ(static_cast<cDialogWyborow*>(elections)->ChoiceId(1), 4);
  EXPECT_EQ(static_cast<cDialogWyborow*>(elections)->ChoiceId(2), 5);
  EXPECT_TRUE(Shot(h, "12_elections_dialog"));
  EXPECT_TRUE(ClickSounds([elections] {
    cDialogDispatch dispatch;
    elections->PressButton(cDialogWyborow::kCancel);
  }));
  EXPECT_EQ(gCurrentDialog, nullptr);
  EXPECT_EQ(gOrientationChoice, kNoOrientationChoice);
  EXPECT_EQ(ostmark->orientation, 3);
  std::set<int> picked;
  for (int i = 0; i < 40; ++i) {
    PushDialog(new cDialogWyborow(ostmark, false), 0);
    cDialogDispatch dispatch;  // as a click: the dialog closes after its handler
    gCurrentDialog->OnEvent(kGuiEventButtonClicked, cDialogWyborow::kRandom, nullptr);
    EXPECT_EQ(gCurrentDialog, nullptr);
    picked.insert(gOrientationChoice);
  }
  EXPECT_EQ(picked, (std::set<int>{0, 4, 5}));
  // A country of another orientation is offered nothing but cancel.
  PushDialog(new cDialogWyborow(nordmark, false), 0);
  EXPECT_EQ(static_cast<cDialogWyborow*>(gCurrentDialog)->ChoiceId(0), -1);
  CloseDialogs(-1);
  Fold(h, gDiplomacyPanel, kGsFoldDiplomacyPanel);

  // ---- loading onto a ship: away from a port nothing is paid; in a port the
  // unit boards a new transport in a new fleet and the points are paid once.
  cJednostkaLadowa* infantry = LandUnit(2);
  nordmark->seaTransportPoints = 20;
  gGra->map->CenterAtHex(infantry->x, infantry->y);
  h.Frames(30);
  ClickHex(h, infantry->x, infantry->y);
  Unfold(h, gUnitPanel, kGsFoldUnitPanel);
  ASSERT_EQ(UnitPanel().ShownUnit(), infantry);
  EXPECT_FALSE(UnitPanel().Enabled(cUnitPanel::kSeaTransport));
  UnitPanel().OnEvent(kGuiEventButtonClicked, cUnitPanel::kSeaTransport, nullptr);  // a press that slips through
  EXPECT_TRUE(log.Has(L"ERROR! Unit tries to load into transport but isn't in or near friendle port"));
  EXPECT_EQ(nordmark->seaTransportPoints, 20);
  EXPECT_EQ(infantry->transport, nullptr);
  sHex* port = gGra->map->GetHex(8, 2);
  ASSERT_EQ(port->unit, nullptr);
  infantry->Teleport(8, 2);
  gGra->selection.selectedHex = port;
  UnitPanel().Refresh();
  ASSERT_TRUE(UnitPanel().Enabled(cUnitPanel::kSeaTransport)) << WideToUtf8(UnitPanel().Hint(cUnitPanel::kSeaTransport));
  const size_t fleetsBefore = gGra->fleets.size();
  h.ClickLayout(cUnitPanel::kSeaTransport);
  EXPECT_EQ(nordmark->seaTransportPoints, 20 - naval_values::SeaTransportCost(nordmark->consts, infantry->type));
  ASSERT_NE(infantry->transport, nullptr);
  EXPECT_EQ(infantry->x, -1);
  EXPECT_EQ(port->unit, nullptr);
  EXPECT_EQ(infantry->transport->type, kTypeCargo);
  EXPECT_EQ(infantry->transport->carriedUnit, infantry);
  ASSERT_EQ(gGra->fleets.size(), fleetsBefore + 1);
  EXPECT_EQ(gGra->fleets.back()->seaNode, port->city->GetSeaNode());
  EXPECT_EQ(infantry->transport->fleet, gGra->fleets.back());
  EXPECT_EQ(UnitPanel().ShownUnit(), nullptr);
  EXPECT_TRUE(Shot(h, "13_unit_loaded"));

  // ---- disbanding through the question: half the worth comes back.
  cJednostkaLadowa* motorized = LandUnit(4);
  gGra->map->CenterAtHex(motorized->x, motorized->y);
  h.Frames(30);
  Fold(h, gUnitPanel, kGsFoldUnitPanel);
  ClickHex(h, motorized->x, motorized->y);
  Unfold(h, gUnitPanel, kGsFoldUnitPanel);
  nordmark->consts.c079[motorized->type] = 0.8f;
  const double refund = motorized->GetStrengthValue() * 0.5 * 0.8f;
  const double ppBefore = nordmark->productionPoints;
  h.ClickLayout(cUnitPanel::kDisband);
  ASSERT_NE(gCurrentDialog, nullptr);
  EXPECT_TRUE(Shot(h, "14_disband_question"));
  h.ClickLayout(cDialogPotwierdzenia::kYes);
  EXPECT_EQ(LandUnit(4), nullptr);
  EXPECT_NEAR(nordmark->productionPoints, ppBefore + refund, 1e-4);
  EXPECT_EQ(UnitPanel().Text(cUnitPanel::kName), L"-");
}

}  // namespace

namespace {

using namespace ui_test;

// The sixteen icons as a bit set, in the panel's order.
uint32_t Mask(std::initializer_list<int> ids) {
  uint32_t m = 0;
  for (int id : ids)
    for (int i = 0; i < 16; ++i)
      if (cUnitPanel::kActionIcons[i] == id) m |= 1u << i;
  return m;
}

std::string Bits(uint32_t m) {
  std::string s;
  for (int i = 0; i < 16; ++i) s += (m >> i) & 1u ? '1' : '0';
  return s;
}

cJednostka* AirUnit(int id) {
  for (cJednostkaLotnicza* u : gGra->airUnits)
    if (u->unitId == id) return u;
  return nullptr;
}

// The unit panel's sixteen icons for the kinds of units and the situations
// a player meets: which are enabled, and why the others are not.
TEST(PanelsRoad, TheUnitPanelIconsFollowTheUnitAndItsSituation) {
  cGameUiHarness h(1024, 768, "unit_panel_icons");
  StartGameAs(h, 1);
  cPanstwo* nordmark = gGra->GetCountry(1);
  cSelection& sel = gGra->selection;
  sHex* port = gGra->map->GetHex(8, 2);  // Nordhafen
  ASSERT_NE(port->city, nullptr);

  struct sCase {
    const char* situation;
    std::function<cJednostka*()> setup;  // the unit on the selected hex, null for an empty hex
    uint32_t enabled;
    std::vector<std::tuple<int, const char*, int>> hints;  // icon, the key of its hint and the hint's number
  };
  const int kOwnBasics[] = {cUnitPanel::kRename, cUnitPanel::kSupplySource, cUnitPanel::kCommanders,
                            cUnitPanel::kDisband};
  const uint32_t basics = Mask({kOwnBasics[0], kOwnBasics[1], kOwnBasics[2], kOwnBasics[3]});
  auto poor = [nordmark] {
    nordmark->productionPoints = 0.0;
    nordmark->strategicMovementPoints = 0;
    nordmark->seaTransportPoints = 0;
    nordmark->amphibiousPoints = 0;
  };
  const sCase cases[] = {
      {"an empty hex", [] { return nullptr; }, 0, {{cUnitPanel::kRename, "unitpanel_no_unit_selected", 0}}},
      {"own infantry at full strength, unmoved, no points to spend",
       [&] {
         poor();
         return LandUnit(2);
       },
       basics,
       {{cUnitPanel::kReplacements, "unitpanel_strength_icon_hint_max_strength", 0},
        {cUnitPanel::kUndo, "unitpanel_undo_move_icon_hint_no_undo_possible", 0},
        {cUnitPanel::kUpgrade, "unitpanel_upgrade_hint_not_enough_pp", 0},
        {cUnitPanel::kStrategicMove, "unitpanel_strategic_move_icon_hint_no_smp", 0},
        {cUnitPanel::kAirborneAssault, "unitpanel_airborne_assault_icon_hint_not_airborne", 0},
        {cUnitPanel::kSeaTransport, "unitpanel_sea_transport_icon_hint_not_in_or_near_friendly_port", 0},
        {cUnitPanel::kAirFight, "unitpanel_airfight_icon_hint_not_airfighter_unit", 0},
        {cUnitPanel::kRecon, "unitpanel_recon_icon_hint_not_air_unit", 0}}},
      {"own infantry that lost 30 points",
       [&] {
         LandUnit(2)->strength = 70;
         return LandUnit(2);
       },
       basics | Mask({cUnitPanel::kReplacements}),
       {}},
      {"own infantry that moved last",
       [&] {
         cJednostkaLadowa* u = LandUnit(2);
         u->strength = 100;
         sel.undoUnit = u;
         u->contactFlag = 0;
         return u;
       },
       basics | Mask({cUnitPanel::kUndo}),
       {}},
      {"own infantry whose last move found an enemy",
       [&] {
         LandUnit(2)->contactFlag = 1;
         return LandUnit(2);
       },
       basics,
       {{cUnitPanel::kUndo, "unitpanel_undo_move_icon_hint_enemy_unit_discovered", 0}}},
      {"another unit than the one that moved last",
       [&] { return LandUnit(3); },
       basics,
       {{cUnitPanel::kUndo, "unitpanel_undo_move_icon_hint_wrong_unit_selected", 0}}},
      {"own infantry in a port with transport and invasion points",
       [&] {
         sel.undoUnit = nullptr;
         cJednostkaLadowa* u = LandUnit(2);
         u->contactFlag = 0;
         if (port->unit == nullptr) u->Teleport(port->x, port->y);
         nordmark->seaTransportPoints = 50;
         nordmark->amphibiousPoints = 50;
         return u;
       },
       basics | Mask({cUnitPanel::kSeaTransport, cUnitPanel::kAmphibious}),
       {}},
      {"own infantry in a port without transport points",
       [&] {
         poor();
         return LandUnit(2);
       },
       basics,
       {{cUnitPanel::kSeaTransport, "unitpanel_sea_transport_icon_hint_not_enough_sea_transport_points",
         naval_values::SeaTransportCost(nordmark->consts, 0)},
        {cUnitPanel::kAmphibious, "unitpanel_amph_transport_icon_hint_not_enough_sea_invasion_points",
         naval_values::AmphibiousCost(nordmark->consts, 0)}}},
      {"own infantry frozen for three turns",
       [&] {
         LandUnit(3)->freezeTime = 3;
         return LandUnit(3);
       },
       basics,
       {{cUnitPanel::kStrategicMove, "unitpanel_strategic_move_icon_hint_no_smp", 0}}},
      {"own fighter wing",
       [&] {
         LandUnit(3)->freezeTime = 0;
         return AirUnit(1);
       },
       basics | Mask({cUnitPanel::kAirFight, cUnitPanel::kRecon}),
       {{cUnitPanel::kSeaTransport, "unitpanel_sea_transport_icon_hint_not_land_unit", 0},
        {cUnitPanel::kBombardment, "unitpanel_bombardment_icon_hint_not_bomber_unit", 0},
        {cUnitPanel::kNuclear, "unitpanel_nuclear_icon_hint_not_strategic_bomber", 0}}},
      {"own heavy bomber without a bomb",
       [&] { return AirUnit(3); },
       basics | Mask({cUnitPanel::kBombardment, cUnitPanel::kRecon}),
       {{cUnitPanel::kNuclear, "unitpanel_nuclear_icon_hint_no_nuclear_bomb", 0},
        {cUnitPanel::kAirFight, "unitpanel_airfight_icon_hint_not_airfighter_unit", 0}}},
      {"own heavy bomber with a bomb",
       [&] {
         nordmark->nuclearBombs = 1;
         return AirUnit(3);
       },
       basics | Mask({cUnitPanel::kBombardment, cUnitPanel::kRecon, cUnitPanel::kNuclear}),
       {}},
      {"enemy infantry in full view",
       [&] {
         LandUnit(9)->spottedLevel = 6;
         return LandUnit(9);
       },
       0,
       {{cUnitPanel::kRename, "unitpanel_not_owned_unit", 0}, {cUnitPanel::kDisband, "unitpanel_not_owned_unit", 0}}},
      {"enemy infantry half seen",
       [&] {
         LandUnit(9)->spottedLevel = 3;
         return LandUnit(9);
       },
       0,
       {{cUnitPanel::kRename, "unitpanel_rename_hint_not_owned", 0}, {cUnitPanel::kDisband, "unitpanel_no_unit_selected", 0}}},
  };

  for (const sCase& c : cases) {
    SCOPED_TRACE(c.situation);
    cJednostka* unit = c.setup();
    sHex* hex = unit != nullptr ? gGra->map->GetHex(unit->x, unit->y) : gGra->map->GetHex(0, 0);
    ASSERT_NE(hex, nullptr);
    if (unit == nullptr) {
      ASSERT_EQ(hex->unit, nullptr);
    }
    sel.selectedHex = hex;
    UnitPanel().Refresh();
    uint32_t enabled = 0;
    for (int i = 0; i < 16; ++i)
      if (UnitPanel().Enabled(cUnitPanel::kActionIcons[i])) enabled |= 1u << i;
    EXPECT_EQ(Bits(enabled), Bits(c.enabled));
    for (const auto& [icon, key, number] : c.hints)
      EXPECT_EQ(WideToUtf8(UnitPanel().Hint(icon)), WideToUtf8(WFormat(Txt(key).c_str(), number))) << icon;
    if (unit == nullptr || unit->spottedLevel < 5) {
      EXPECT_EQ(UnitPanel().Text(cUnitPanel::kSize), L"-");
    }
  }
  // The frozen unit's action points read as frozen.
  LandUnit(3)->freezeTime = 3;
  sel.selectedHex = gGra->map->GetHex(LandUnit(3)->x, LandUnit(3)->y);
  UnitPanel().Refresh();
  EXPECT_EQ(UnitPanel().Text(cUnitPanel::kAp), WFormat(Txt("unitpanel_ap_frozen").c_str(), 3));
  LandUnit(3)->freezeTime = 10000;
  UnitPanel().Refresh();
  EXPECT_EQ(UnitPanel().Text(cUnitPanel::kAp), Txt("unitpanel_ap_frozen_unknown"));

  // Replacements on foreign ground come 20 at a time; a country outside
  // every alliance is at home on its own ground.
  cJednostkaLadowa* ostmarker = LandUnit(15);
  cPanstwo* ostmark = gGra->GetCountry(3);
  ASSERT_EQ(ostmark->alliance, 0);
  ASSERT_EQ(gGra->map->GetHex(ostmarker->x, ostmarker->y)->owner, 3);
  ostmarker->strength = 50;
  ostmark->productionPoints = 1e6;
  ostmark->consts.supplyTable[4][ostmarker->supply] = 45;
  auto maximum = [&] {
    cDialogUzupelnien dialog(ostmarker);
    return dialog.Maximum();
  };
  EXPECT_EQ(maximum(), 45);
  gGra->map->GetHex(ostmarker->x, ostmarker->y)->owner = 1;
  EXPECT_EQ(maximum(), 20);
  ostmarker->strength = 90;
  EXPECT_EQ(maximum(), 10);
  ostmark->productionPoints = 0.0;
  EXPECT_EQ(maximum(), 0);
}

}  // namespace

namespace {

// The four panels unfolded together, and a dialog over them, at 1920x1080.
TEST(PanelsRoad, ThePanelsAtFullHd) {
  // The dummy display is 1024x768: a desktop of the full size lets the
  // window take it.
  struct sLargeDesktop {
    sLargeDesktop() {
      ui_road::cRoadD3D::minWidth = 1920;
      ui_road::cRoadD3D::minHeight = 1080;
      SetDirect3DFactory(&ui_road::cRoadD3D::Make);
    }
    ~sLargeDesktop() { ResetDirect3DFactory(); }
  } desktop;
  cGameUiHarness h(1920, 1080, "panels_1920");
  StartGameAs(h, 1);
  cJednostkaLadowa* corps = LandUnit(1);
  gGra->map->CenterAtHex(corps->x + 4, corps->y + 2);
  h.Frames(30);
  ClickHex(h, corps->x, corps->y);
  ASSERT_EQ(gGra->selection.selectedUnit, corps);
  Unfold(h, gUnitPanel, kGsFoldUnitPanel);
  ASSERT_EQ(gGra->selection.selectedUnit, corps);
  Unfold(h, gHexPanel, kGsFoldHexPanel);
  Unfold(h, gAttackPanel, kGsFoldAttackPanel);
  Unfold(h, gDiplomacyPanel, kGsFoldDiplomacyPanel);
  EXPECT_EQ(UnitPanel().ShownUnit(), corps);
  EXPECT_EQ(DiplomacyPanel().Shown(), gGra->GetCountry(1));
  EXPECT_TRUE(DiplomacyPanel().Visible(cDiplomacyPanel::kElections));
  EXPECT_FALSE(DiplomacyPanel().Visible(cDiplomacyPanel::kDeclareWar));
  EXPECT_TRUE(Shot(h, "01_four_panels"));
  // A, H and D fold and unfold the attack, hex and diplomacy panels.
  for (const auto& [key, panel] : {std::pair<SDL_Keycode, cPanel*>{SDLK_a, gAttackPanel}, {SDLK_h, gHexPanel},
                                   {SDLK_d, gDiplomacyPanel}}) {
    h.Key(key);
    EXPECT_TRUE(panel->IsFolded()) << key;
    h.Key(key);
    EXPECT_FALSE(panel->IsFolded()) << key;
  }
  h.ClickLayout(cUnitPanel::kCommanders);
  ASSERT_NE(dynamic_cast<cDialogDowodcow*>(gCurrentDialog), nullptr);
  EXPECT_TRUE(Shot(h, "02_commanders_dialog"));
  h.Key(SDLK_ESCAPE);
  EXPECT_EQ(gCurrentDialog, nullptr);
}

}  // namespace
