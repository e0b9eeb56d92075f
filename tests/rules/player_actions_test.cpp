// The player's clicks on the map of the small test scenario: per action mode,
// the clicked hex and what changed in the world.
#include "rules/player_actions.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <string>

#include "ai/ai.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "persistence/loader.h"
#include "persistence/two_shores_folder.h"
#include "rules/sea_battle.h"
#include "support/recording_front_end.h"
#include "support/world_consistency.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/convoys.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/reports.h"

namespace {

using persistence_test::TwoShoresFolder;

constexpr int kW = 1024;
constexpr int kH = 768;

// The screen point at the centre of a hex, for a camera that puts map pixel
// (0, 0) of the hex grid at the screen's corner.
void CentreOf(int col, int row, int& mx, int& my) {
  mx = 83 * col + 41;
  my = 98 * row + 49 + (col % 2 == 0 ? 49 : 0);
}

class PlayerActions : public TwoShoresFolder {
 public:
  PlayerActions() : scope_(&fe) { delayValues[DELAY_HUMAN_COMBAT_RESULT] = 1000.0f; }

  // A fresh game of the scenario in Nordmark's impulse, Nordmark played
  // here, with a camera that puts the grid's corner at the screen's corner.
  void Reload() {
    if (gGra != nullptr) DestroyGame();
    fe.calls.clear();
    fe.combatResults.clear();
    fe.topDialogId = kNoDialog;
    fe.unitToDeploy = nullptr;
    fe.selectedFleets.clear();
    fe.selectedShips.clear();
    SetAirSuperiorityRatioSource(nullptr);
    log.Clear();
    ASSERT_EQ(LoadNewScenario(Scenario()), 0);
    g = gGra;
    g->map->cameraX = kW / 2 + 30;
    g->map->cameraY = kH / 2 + 36;
    gCurrentMapScale = 1.0f;
    nord = g->GetCountry(1);
    nord->humanControlled = 1;
    g->selection.SetCurrentCountry(nord);
    g->SetState(kStateHumanPlays);
  }

  cJednostkaLadowa* Land(int id) {
    for (cJednostkaLadowa* u : g->landUnits)
      if (u->unitId == id) return u;
    for (cJednostka* u : g->reserve)
      if (u->unitId == id && u->category == kCategoryLand) return dynamic_cast<cJednostkaLadowa*>(u);
    return nullptr;
  }
  cJednostkaLotnicza* Air(int id) {
    for (cJednostkaLotnicza* u : g->airUnits)
      if (u->unitId == id) return u;
    return nullptr;
  }
  sFlota* Fleet(int id) {
    for (sFlota* f : g->fleets)
      if (f->id == id) return f;
    return nullptr;
  }
  sHex& Hex(int x, int y) { return *g->map->GetHex(x, y); }
  // Moves a unit to a hex of the map, leaving its old one empty.
  void Put(cJednostka* u, int x, int y) {
    if (g->map->IsInside(u->x, u->y) && Hex(u->x, u->y).unit == u) Hex(u->x, u->y).unit = nullptr;
    u->x = x;
    u->y = y;
    Hex(x, y).unit = u;
  }
  void Click(int x, int y) {
    int mx = 0, my = 0;
    CentreOf(x, y, mx, my);
    g->HandlePlayerAction(true, false, false, false, 0, mx, my);
  }
  // The convoys dialog on top, waiting for the first port of country 1.
  void StartConvoyPick() {
    fe.topDialogId = kConvoysDialog;
    g->convoys->MarkSourcePorts(1);
    g->selection.mapAction = kMapActionConvoyFirstPort;
  }
  // Puts the unit on (3, 7) and plans its assault on the infantry on (3, 8).
  void PlanFrom37(cJednostka* u) {
    Put(u, 3, 7);
    Click(3, 7);
    Click(3, 8);
  }
  // The first marked hex without a unit, other than (x, y); (-1, -1) when none.
  sHexPoint FreeMarkedHex(int x = -1, int y = -1) {
    for (sHex& h : g->map->hexes)
      if ((h.marks & kMarkTargetBits) != 0 && h.unit == nullptr && !(h.x == x && h.y == y)) return {h.x, h.y};
    return {-1, -1};
  }
  // The last recorded call of that name.
  cRecordingFrontEnd::sCall Last(const std::string& name) const {
    for (auto it = fe.calls.rbegin(); it != fe.calls.rend(); ++it)
      if (it->name == name) return *it;
    return {};
  }
  bool NoTargetMarks() const {
    for (const sHex& h : g->map->hexes)
      if ((h.marks & kMarkTargetBits) != 0) return false;
    return true;
  }
  // Every air fight and interception of the country's units ends with the
  // given losses for the side that acts and the side that answers; no
  // commander spares a unit its loss.
  void AirLosses(cPanstwo* c, int actor, int other) {
    c->consts.c179[0] = 0;
    for (auto& row : c->consts.airCombatTableA)
      for (int& v : row) v = actor;
    for (auto& row : c->consts.airCombatTableB)
      for (int& v : row) v = other;
  }
  bool Logged(const std::wstring& prefix) const {
    for (const std::wstring& l : log.Lines())
      if (l.rfind(prefix, 0) == 0) return true;
    return false;
  }

  cLogCapture log;
  cRecordingFrontEnd fe;
  cFrontEndScope scope_;
  cGra* g = nullptr;
  cPanstwo* nord = nullptr;
};

TEST(ScreenPointToHexTest, SlantedLeftEdgeAndMapBounds) {
  struct Case {
    int px, py;  // map pixel within the grid (camera puts it at the screen point)
    bool inside;
    int col, row;
  };
  // Even columns stand half a hex (49) lower than odd ones.
  const Case cases[] = {
      {83 * 2 + 10, 98 * 3 + 49 + 44, true, 2, 3},  // 10 in, 5 above the middle: stays ((49-44)/10 = 0.5)
      {83 * 2 + 2, 98 * 3 + 49 + 29, true, 1, 3},   // 2 in, 20 above: upper-left, even column keeps the row
      {83 * 3 + 2, 98 * 3 + 29, true, 2, 2},        // odd column: the upper-left neighbour is a row up
      {83 * 2 + 2, 98 * 3 + 49 + 70, true, 1, 4},   // 2 in, 21 below: lower-left, even column a row down
      {83 * 3 + 2, 98 * 3 + 70, true, 2, 3},        // odd column keeps the row
      {83 * 2 + 0, 98 * 3 + 49 + 20, true, 1, 3},   // on the box edge (no division by zero)
      {83 * 19 + 40, 98 * 13 + 40, true, 19, 13},   // last hex of a 20 x 14 map (odd column)
      {83 * 18 + 40, 98 * 13 + 40, true, 18, 12},   // the even column beside it is half a row lower
      {83 * 20 + 40, 98 * 2 + 40, false, 0, 0},     // right of the map
      {-50, 40, false, 0, 0},                        // left of the first column
      {40, 98 * 14 + 60, false, 0, 0},               // below the map
      {40, 30, false, 0, 0},                         // above the first (even) column's first hex
  };
  for (const Case& c : cases) {
    sHexPoint out{-7, -7};
    const bool in = ScreenPointToHex(1.0f, kW / 2 + 30, kH / 2 + 36, kW, kH, c.px, c.py, 20, 14, out);
    EXPECT_EQ(in, c.inside) << c.px << "," << c.py;
    if (c.inside) {
      EXPECT_EQ(out, (sHexPoint{c.col, c.row})) << c.px << "," << c.py;
    }
  }
  // At half zoom a screen pixel is two map pixels.
  sHexPoint out;
  ASSERT_TRUE(ScreenPointToHex(0.5f, 83 * 4 + 71, 98 * 2 + 85, kW, kH, kW / 2, kH / 2, 20, 14, out));
  EXPECT_EQ(out, (sHexPoint{4, 2}));
}


// One click per row: the set-up gives the mode (and what a dialog would have
// picked), the click lands on a hex, and the check reads the world.
struct sActionCase {
  const char* name;
  std::function<sHexPoint(PlayerActions&)> setUp;
  std::function<void(PlayerActions&, sHexPoint)> check;
};

TEST_F(PlayerActions, EveryModeOnTheClickedHex) {
  const sActionCase cases[] = {
      {"select an own land unit",
       [](PlayerActions&) { return sHexPoint{2, 2}; },
       [](PlayerActions& t, sHexPoint) {
         EXPECT_EQ(t.g->selection.selectedUnit, t.Land(1));
         EXPECT_EQ(t.g->selection.mapAction, kMapActionLandMove);
         EXPECT_NE(t.FreeMarkedHex().x, -1);
       }},
      {"move to a marked hex",
       [](PlayerActions& t) {
         t.Click(2, 2);
         return t.FreeMarkedHex();
       },
       [](PlayerActions& t, sHexPoint p) {
         EXPECT_EQ(t.Land(1)->x, p.x);
         EXPECT_EQ(t.Land(1)->y, p.y);
         EXPECT_EQ(t.Hex(p.x, p.y).unit, t.Land(1));
         EXPECT_EQ(t.Hex(2, 2).unit, nullptr);
         EXPECT_LT(t.Land(1)->actionPoints, 3);
         EXPECT_EQ(t.g->GetState(), kStateHumanPlays);
         EXPECT_EQ(t.g->selection.undoUnit, t.Land(1));
         // Selected again at its new hex, with the moves it has left marked.
         EXPECT_EQ(t.g->selection.selectedUnit, t.Land(1));
         EXPECT_EQ(t.g->selection.mapAction, t.Land(1)->actionPoints > 0 ? kMapActionLandMove : kMapActionNone);
         EXPECT_TRUE(t.Logged(L"Player action: Move / 1st Nordmark Infantry Corps from (2, 2) to"));
       }},
      {"a move needs a marked hex",
       [](PlayerActions& t) {
         t.Click(2, 2);
         t.g->map->ClearMarks(~0u, false);
         return sHexPoint{2, 3};
       },
       [](PlayerActions& t, sHexPoint) {
         EXPECT_EQ(t.Land(1)->x, 2);
         EXPECT_EQ(t.Land(1)->y, 2);
         EXPECT_FALSE(t.Logged(L"Player action: Move"));
       }},
      {"own unit selected, adjacent enemy clicked: new plan",
       [](PlayerActions& t) {
         t.Put(t.Land(2), 3, 7);  // north of the enemy infantry on (3, 8)
         t.Click(3, 7);
         return sHexPoint{3, 8};
       },
       [](PlayerActions& t, sHexPoint) {
         ASSERT_NE(t.g->selection.attack, nullptr);
         EXPECT_EQ(t.g->selection.attack->defender, t.Land(9));
         EXPECT_EQ(t.g->selection.attack->attackers[0], t.Land(2));  // side 0 of the target
         EXPECT_EQ(t.g->selection.mapAction, kMapActionAssaultPlan);
         EXPECT_TRUE(t.Logged(L"Player action: new assault plan created"));
       }},
      {"enemy selected first, adjacent own unit clicked: new plan",
       [](PlayerActions& t) {
         t.Put(t.Land(2), 4, 8);
         t.Click(3, 8);
         return sHexPoint{4, 8};
       },
       [](PlayerActions& t, sHexPoint) {
         ASSERT_NE(t.g->selection.attack, nullptr);
         EXPECT_EQ(t.g->selection.attack->defender, t.Land(9));
         EXPECT_EQ(t.g->selection.attack->attackers[2], t.Land(2));
       }},
      {"an enemy attacked this impulse cannot be chosen first",
       [](PlayerActions& t) {
         t.Put(t.Land(2), 4, 8);
         t.Land(9)->wasAttacked = 1;
         t.Click(3, 8);
         return sHexPoint{4, 8};
       },
       [](PlayerActions& t, sHexPoint) {
         EXPECT_EQ(t.g->selection.attack, nullptr);
         EXPECT_EQ(t.g->selection.selectedUnit, t.Land(2));  // the click selected the own unit instead
       }},
      {"second attacker joins the plan in its side's slot",
       [](PlayerActions& t) {
         t.Put(t.Land(6), 2, 8 - 1);  // side 5 of (3, 8) for an odd column is (2, 7)
         t.PlanFrom37(t.Land(2));
         return sHexPoint{2, 7};
       },
       [](PlayerActions& t, sHexPoint) {
         ASSERT_NE(t.g->selection.attack, nullptr);
         EXPECT_EQ(t.g->selection.attack->attackers[5], t.Land(6));
         EXPECT_EQ(t.g->selection.attack->CountAttackers(), 2);
         EXPECT_TRUE(t.Logged(L"Player action: Unit added to assault plan"));
       }},
      {"a unit that attacked already cannot join",
       [](PlayerActions& t) {
         t.Put(t.Land(6), 2, 7);
         t.Land(6)->attacked = 1;
         t.PlanFrom37(t.Land(2));
         return sHexPoint{2, 7};
       },
       [](PlayerActions& t, sHexPoint) {
         EXPECT_EQ(t.g->selection.attack, nullptr);  // the click elsewhere cancelled the plan
         EXPECT_TRUE(t.Logged(L"Player action: assault plan canceled"));
       }},
      {"removing the last attacker drops the plan and the mode",
       [](PlayerActions& t) {
         t.PlanFrom37(t.Land(2));
         return sHexPoint{3, 7};
       },
       [](PlayerActions& t, sHexPoint) {
         EXPECT_EQ(t.g->selection.attack, nullptr);
         EXPECT_EQ(t.g->selection.mapAction, kMapActionNone);
         EXPECT_TRUE(t.Logged(L"Player action: Last unit removed from assault plan / assault plan canceled"));
       }},
      {"clicking the defender executes the plan",
       [](PlayerActions& t) {
         t.PlanFrom37(t.Land(6));
         return sHexPoint{3, 8};
       },
       [](PlayerActions& t, sHexPoint) {
         EXPECT_EQ(t.g->selection.attack, nullptr);
         EXPECT_EQ(t.g->selection.mapAction, kMapActionNone);
         EXPECT_TRUE(t.Logged(L"Player action: Executing assault "));
         ASSERT_EQ(t.fe.Count("ShowCombatResult"), 1);
         EXPECT_EQ(t.fe.combatResults.back().resultCode, sWynikWalki::kLandBattle);
         // The defender lost strength, fell back or is gone.
         const cJednostkaLadowa* d = t.Land(9);
         EXPECT_TRUE(d == nullptr || d->strength < 100 || d->x != 3 || d->y != 8);
       }},
      {"rebase an air unit",
       [](PlayerActions& t) {
         t.Click(3, 5);
         EXPECT_EQ(t.g->selection.mapAction, kMapActionAir);
         return t.FreeMarkedHex(3, 5);
       },
       [](PlayerActions& t, sHexPoint p) {
         EXPECT_NE(p.x, -1);
         EXPECT_EQ(t.Air(1)->x, p.x);
         EXPECT_EQ(t.Air(1)->y, p.y);
         EXPECT_EQ(t.g->selection.undoX, 3);
         EXPECT_EQ(t.g->selection.undoY, 5);
         EXPECT_TRUE(t.Logged(L"Player action: Rebase / 1st Nordmark Fighter Wing from (3, 5) to"));
         // Undone: back on its base with the points it had, ready to rebase again.
         UndoLastMove(t.Air(1));
         EXPECT_EQ(t.Hex(3, 5).unit, t.Air(1));
         EXPECT_EQ(t.Hex(p.x, p.y).unit, nullptr);
         EXPECT_EQ(t.Air(1)->actionPoints, t.Air(1)->startingActionPoints);
         EXPECT_EQ(t.g->selection.mapAction, kMapActionAir);
       }},
      {"air fight against an enemy wing",
       [](PlayerActions& t) {
         t.g->selection.selectedUnit = t.Air(1);
         t.Air(4)->spottedLevel = 6;
         t.Air(1)->MarkAirFightTargets(true);
         t.g->selection.mapAction = kMapActionAirFight;
         return sHexPoint{t.Air(4)->x, t.Air(4)->y};
       },
       [](PlayerActions& t, sHexPoint) {
         ASSERT_EQ(t.fe.combatResults.size(), 1u);
         EXPECT_EQ(t.fe.combatResults[0].resultCode, sWynikWalki::kAirFight);
         EXPECT_EQ(t.g->selection.mapAction, kMapActionNone);
       }},
      {"air bombardment of an enemy unit",
       [](PlayerActions& t) {
         t.g->selection.selectedUnit = t.Air(2);
         t.Land(9)->spottedLevel = 6;
         t.Air(2)->MarkBombardmentTargets(true);
         t.g->selection.mapAction = kMapActionBombardment;
         return sHexPoint{3, 8};
       },
       [](PlayerActions& t, sHexPoint) {
         ASSERT_EQ(t.fe.combatResults.size(), 1u);
         EXPECT_TRUE(t.fe.combatResults[0].resultCode == sWynikWalki::kBombardment ||
                     t.fe.combatResults[0].intercepted);
         EXPECT_EQ(t.Air(2)->actionPoints, 0);
       }},
      {"nuclear strike",
       [](PlayerActions& t) {
         t.g->selection.selectedUnit = t.Air(3);
         t.Air(3)->MarkNuclearTargets(true);
         t.g->selection.mapAction = kMapActionNuclearStrike;
         return sHexPoint{3, 10};
       },
       [](PlayerActions& t, sHexPoint) {
         EXPECT_TRUE(t.Logged(L"Player action: Nuclear bombardment / 1st Nordmark Heavy Bomber Wing on (3, 10)"));
         EXPECT_EQ(t.fe.Count("ShowTextDialog"), 1);
       }},
      {"air reconnaissance of a hex",
       [](PlayerActions& t) {
         t.g->selection.selectedUnit = t.Air(1);
         t.Air(1)->MarkReconTargets(true);
         t.g->selection.mapAction = kMapActionRecon;
         return sHexPoint{5, 8};
       },
       [](PlayerActions& t, sHexPoint) {
         EXPECT_EQ(t.Air(1)->reconDone, 1);
         EXPECT_EQ(t.g->selection.selectedUnit, t.Air(1));  // its hex is selected again
       }},
      {"airborne assault onto a free hex",
       [](PlayerActions& t) {
         t.g->selection.selectedUnit = t.Land(7);
         t.Land(7)->MarkAirborneAssaultHexes();
         t.g->selection.mapAction = kMapActionAirborneAssault;
         return t.FreeMarkedHex();
       },
       [](PlayerActions& t, sHexPoint p) {
         EXPECT_NE(p.x, -1);
         EXPECT_TRUE(t.Logged(L"Player action: Airborne assault / 1st Nordmark Airborne Division on"));
         EXPECT_EQ(t.fe.Count("ShowTextDialog"), 1);
       }},
      {"deploy a reserve land unit and resume the units manager",
       [](PlayerActions& t) {
         // Sudland's impulse: it has a division in reserve.
         t.g->selection.SetCurrentCountry(t.g->GetCountry(2));
         t.fe.unitToDeploy = t.Land(13);
         t.fe.topDialogId = kUnitsManagerDialog;
         t.g->selection.mapAction = kMapActionDeployLand;
         EXPECT_GT(t.Land(13)->MarkMoveRange(true), 0);
         return t.FreeMarkedHex();
       },
       [](PlayerActions& t, sHexPoint p) {
         ASSERT_NE(p.x, -1);
         EXPECT_EQ(t.Hex(p.x, p.y).unit, t.Land(13));
         // The units manager comes back after its delay rather than closing.
         EXPECT_EQ(t.fe.Count("ResumeTopDialog"), 1);
         EXPECT_EQ(t.fe.Count("CloseTopDialog"), 0);
       }},
      {"fleet order to a marked sea hex",
       [](PlayerActions& t) {
         t.fe.topDialogId = kFleetsDialog;
         t.fe.selectedFleets = {t.Fleet(1)};
         t.g->selection.mapAction = kMapActionFleetMove;
         t.Hex(11, 3).SetMark(kMarkPlacement, -1);
         return sHexPoint{11, 3};
       },
       [](PlayerActions& t, sHexPoint) {
         EXPECT_EQ(t.Fleet(1)->seaNode, 1);
         EXPECT_EQ(t.fe.Count("ResumeTopDialog"), 1);
         EXPECT_EQ(t.fe.Count("CloseTopDialog"), 0);
         EXPECT_EQ(t.g->selection.selectedUnit, nullptr);
       }},
      {"convoy: first port picked, the mode waits for the second",
       [](PlayerActions& t) {
         t.StartConvoyPick();
         return sHexPoint{9, 2};  // where the port's ships lie
       },
       [](PlayerActions& t, sHexPoint) {
         EXPECT_EQ(t.g->selection.mapAction, kMapActionConvoySecondPort);
         EXPECT_EQ(t.g->selection.convoyFirstPort, 3);
       }},
      {"convoy: second port picked, the dialog creates the convoy",
       [](PlayerActions& t) {
         t.StartConvoyPick();
         t.Click(9, 2);
         t.Hex(13, 4).SetMark(kMarkPlacement, -1);  // whatever the alliances allow
         return sHexPoint{13, 4};
       },
       [](PlayerActions& t, sHexPoint) {
         ASSERT_EQ(t.fe.Count("CreateConvoyFromPicks"), 1);
         EXPECT_EQ(t.g->selection.mapAction, kMapActionNone);
         for (const auto& c : t.fe.calls)
           if (c.name == "CreateConvoyFromPicks") {
             EXPECT_EQ(std::make_pair(c.value, c.value2), std::make_pair(3, 5));
           }
       }},
      {"shore bombardment by the home fleet",
       [](PlayerActions& t) {
         sFlota* f = t.Fleet(1);
         t.fe.topDialogId = kFleetsDialog;
         // Two of its ships selected: the fleet fires all the same.
         t.fe.selectedFleets = {f};
         t.fe.selectedShips = {*std::next(f->ships.begin()), f->ships.back()};
         // An enemy beside the fleet's port; the small map has no coastal
         // zones, so the target's mark is set here.
         sHexPoint coast{-1, -1};
         for (int d = 0; d < 6 && coast.x < 0; ++d) {
           const sHex* n = t.g->map->GetNeighbourHex(8, 2, d);
           if (n != nullptr && n->IsLand() && n->unit == nullptr) coast = {n->x, n->y};
         }
         t.Put(t.Land(10), coast.x, coast.y);
         t.Land(10)->spottedLevel = 6;
         t.Hex(coast.x, coast.y).SetMark(kMarkFleetTarget, -1);
         t.g->selection.mapAction = kMapActionShoreBombardment;
         return coast;
       },
       [](PlayerActions& t, sHexPoint) {
         EXPECT_EQ(t.fe.Count("ShowCombatResult") + t.fe.Count("ShowTextDialog"), 1);
         EXPECT_EQ(t.Fleet(1)->ships.back()->shoreBombardmentDone, 1);
         EXPECT_EQ(t.fe.Count("ResumeTopDialog"), 1);
       }},
      {"fleet recon by the first selected carrier, the marks cleared",
       [](PlayerActions& t) {
         sFlota* f = t.Fleet(1);
         // A second carrier last in the fleet, not selected.
         f->ships.back()->type = kTypeCarrier;
         t.fe.topDialogId = kFleetsDialog;
         t.fe.selectedFleets = {f};
         t.fe.selectedShips = {f->ships.front(), *std::next(f->ships.begin())};
         // The small map has no coastal zones: the target's mark is set here.
         t.Hex(5, 8).SetMark(kMarkPlacement, -1);
         t.g->selection.mapAction = kMapActionRecon;
         return sHexPoint{5, 8};
       },
       [](PlayerActions& t, sHexPoint) {
         sFlota* f = t.Fleet(1);
         EXPECT_EQ(f->ships.front()->reconDone, 1);
         EXPECT_EQ((*std::next(f->ships.begin()))->reconDone, 0);
         EXPECT_EQ(f->ships.back()->reconDone, 0);
         EXPECT_TRUE(t.NoTargetMarks());
         EXPECT_EQ(t.fe.Count("ResumeTopDialog"), 1);
       }},
      {"an airborne unit eliminated in the drop leaves the map",
       [](PlayerActions& t) {
         SetAirSuperiorityRatioSource([](const cPanstwo&, int, int) { return 0.1f; });
         for (int& loss : t.g->consts.paratroopLosses) loss = 1000;
         t.g->selection.selectedUnit = t.Land(7);
         t.Land(7)->MarkAirborneAssaultHexes();
         t.g->selection.mapAction = kMapActionAirborneAssault;
         return t.FreeMarkedHex();
       },
       [](PlayerActions& t, sHexPoint p) {
         EXPECT_EQ(t.Land(7), nullptr);
         EXPECT_EQ(t.Hex(2, 5).unit, nullptr);
         EXPECT_EQ(t.Hex(p.x, p.y).unit, nullptr);
         EXPECT_EQ(t.g->selection.selectedUnit, nullptr);
         ASSERT_EQ(t.fe.Count("ShowTextDialog"), 1);
         EXPECT_NE(t.Last("ShowTextDialog").text.find(Txt("airborne_unit_eliminated")), std::wstring::npos);
       }},
      {"a fighter lost in an air fight leaves the map",
       [](PlayerActions& t) {
         t.AirLosses(t.nord, 100, 0);
         t.g->selection.selectedUnit = t.Air(1);
         t.Air(4)->spottedLevel = 6;
         t.Air(1)->MarkAirFightTargets(true);
         t.g->selection.mapAction = kMapActionAirFight;
         return sHexPoint{t.Air(4)->x, t.Air(4)->y};
       },
       [](PlayerActions& t, sHexPoint p) {
         EXPECT_EQ(t.Air(1), nullptr);
         EXPECT_EQ(t.Hex(3, 5).unit, nullptr);
         EXPECT_EQ(t.Hex(p.x, p.y).unit, t.Air(4));
         EXPECT_EQ(t.g->selection.selectedUnit, nullptr);
         ASSERT_EQ(t.fe.combatResults.size(), 1u);
         EXPECT_EQ(t.fe.combatResults[0].attackerDestroyed & 1, 1);
       }},
      {"a recon plane shot down by an interceptor leaves the map",
       [](PlayerActions& t) {
         t.AirLosses(t.nord, 0, 100);
         t.g->selection.selectedUnit = t.Air(1);
         t.Air(1)->MarkReconTargets(true);
         t.g->selection.mapAction = kMapActionRecon;
         return sHexPoint{5, 8};
       },
       [](PlayerActions& t, sHexPoint) {
         EXPECT_EQ(t.Air(1), nullptr);
         EXPECT_EQ(t.Hex(3, 5).unit, nullptr);
         EXPECT_EQ(t.g->selection.selectedUnit, nullptr);
         EXPECT_NE(t.Air(4), nullptr);
       }},
      {"a recon plane that falls with its interceptor leaves the map too",
       [](PlayerActions& t) {
         t.AirLosses(t.nord, 100, 100);
         t.g->selection.selectedUnit = t.Air(1);
         t.Air(1)->MarkReconTargets(true);
         t.g->selection.mapAction = kMapActionRecon;
         return sHexPoint{5, 8};
       },
       [](PlayerActions& t, sHexPoint) {
         EXPECT_EQ(t.Air(1), nullptr);
         EXPECT_EQ(t.Air(4), nullptr);
         EXPECT_EQ(t.Hex(3, 5).unit, nullptr);
         EXPECT_EQ(t.g->selection.selectedUnit, nullptr);
       }},
      {"convoy: clicks off the ports end the pick without a convoy",
       [](PlayerActions& t) {
         t.StartConvoyPick();
         t.Click(2, 3);
         EXPECT_EQ(t.g->selection.mapAction, kMapActionConvoySecondPort);
         return sHexPoint{9, 2};  // a source port, not a destination
       },
       [](PlayerActions& t, sHexPoint) {
         ASSERT_EQ(t.fe.Count("CreateConvoyFromPicks"), 1);
         const auto call = t.Last("CreateConvoyFromPicks");
         EXPECT_EQ(std::make_pair(call.value, call.value2), std::make_pair(0, 0));
         EXPECT_EQ(t.g->selection.mapAction, kMapActionNone);
         EXPECT_TRUE(t.NoTargetMarks());
       }},
      {"strategic move onto a marked hex",
       [](PlayerActions& t) {
         t.g->selection.selectedUnit = t.Land(1);
         t.g->selection.mapAction = kMapActionStrategicMove;
         t.Hex(7, 1).SetMark(kMarkStrategicTarget, -1);
         return sHexPoint{7, 1};
       },
       [](PlayerActions& t, sHexPoint) {
         EXPECT_EQ(t.Hex(7, 1).unit, t.Land(1));
         EXPECT_EQ(t.Land(1)->actionPoints, 0);
         EXPECT_LT(t.nord->strategicMovementPoints, 4);
         EXPECT_EQ(t.g->selection.mapAction, kMapActionNone);
       }},
      {"unload a landing craft in port onto a free friendly hex",
       [](PlayerActions& t) {
         t.g->selection.SetCurrentCountry(t.g->GetCountry(2));
         cJednostkaMorska* craft = t.g->FindNavalUnitById(7);
         t.fe.topDialogId = kFleetsDialog;
         t.fe.selectedShips = {craft};
         t.g->selection.mapAction = kMapActionUnload;
         EXPECT_GT(craft->MarkUnloadHexes(true), 0);
         return t.FreeMarkedHex();
       },
       [](PlayerActions& t, sHexPoint p) {
         ASSERT_NE(p.x, -1);
         EXPECT_EQ(t.Hex(p.x, p.y).unit, t.Land(14));
         EXPECT_EQ(t.g->FindNavalUnitById(7)->carriedUnit, nullptr);
         EXPECT_EQ(t.Land(14)->spottedLevel, 6);
       }},
      {"a landing from a sea zone onto a coast held but not owned is an assault",
       [](PlayerActions& t) {
         t.g->selection.SetCurrentCountry(t.g->GetCountry(2));
         t.Fleet(4)->seaNode = 2;  // out of port, in the Southern Sound
         sHexPoint coast{-1, -1};
         for (int d = 0; d < 6 && coast.x < 0; ++d) {
           const sHex* n = t.g->map->GetNeighbourHex(8, 10, d);
           if (n != nullptr && n->IsLand() && n->unit == nullptr) coast = {n->x, n->y};
         }
         sHex& h = t.Hex(coast.x, coast.y);
         h.coastal = 1;
         h.owner = 1;
         h.controller = 2;
         h.SetMark(kMarkPlacement, -1);  // the small map has no coastal zones
         t.fe.topDialogId = kFleetsDialog;
         t.fe.selectedShips = {t.g->FindNavalUnitById(7)};
         t.g->selection.mapAction = kMapActionUnload;
         return coast;
       },
       [](PlayerActions& t, sHexPoint p) {
         EXPECT_EQ(t.g->FindNavalUnitById(7), nullptr);  // the landing craft stays on the beach
         EXPECT_EQ(t.Hex(p.x, p.y).unit, t.Land(14));
         EXPECT_EQ(t.fe.Count("ShowTextDialog"), 1);
       }},
      {"outside the player's impulse a click only hovers",
       [](PlayerActions& t) {
         t.g->SetState(kStateComputerPlays);
         return sHexPoint{2, 2};
       },
       [](PlayerActions& t, sHexPoint) {
         EXPECT_EQ(t.g->selection.selectedUnit, nullptr);
         EXPECT_EQ(t.g->selection.hoveredHex, &t.Hex(2, 2));
       }},
  };
  for (const sActionCase& c : cases) {
    SCOPED_TRACE(c.name);
    Reload();
    const sHexPoint p = c.setUp(*this);
    Click(p.x, p.y);
    c.check(*this, p);
  }
}

// Adler, alone in the home fleet, sunk by the defence of the hex it strikes
// for the computer or the player: it leaves every list and its fleet goes, the
// result still shows the strike, and the end of turn's raiders miss it.
TEST_F(PlayerActions, ACarrierSunkInItsStrikeLeavesTheSeaThere) {
  const std::pair<const char*, std::function<void(PlayerActions&)>> strikes[] = {
      {"the computer's strike", [](PlayerActions& t) { cAI ai; ai.country = t.nord; ai.FleetsActions(); }},
      {"the player's strike", [](PlayerActions& t) {
         t.fe.topDialogId = kFleetsDialog;
         t.fe.selectedFleets = {t.Fleet(1)};
         t.fe.selectedShips = {t.Fleet(1)->ships.front()};
         t.Fleet(1)->MarkAirStrikeTargets(true);
         t.g->selection.mapAction = kMapActionBombardment;
         t.Click(8, 1);
       }}};
  const auto delays = delayValues;
  delayValues[DELAY_AI_COMBAT_RESULT] = 1000.0f;
  for (const auto& [name, strike] : strikes) {
    SCOPED_TRACE(name);
    Reload();
    for (int id : {2, 3}) g->FindNavalUnitById(id)->Kill(true);
    Put(Land(10), 8, 1);  // on the coast of the home port
    Land(10)->spottedLevel = 6;
    Hex(8, 1).seaZone = 3;
    g->map->RebuildZoneIndex();
    for (auto& die : nord->consts.bombardAttackerLoss) std::fill(std::begin(die), std::end(die), 99);
    g->selection.showActions = 1;
    strike(*this);
    ASSERT_EQ(fe.combatResults.size(), 1u);
    EXPECT_EQ(fe.combatResults[0].attackerDestroyed & 1, 1);
    EXPECT_NE(fe.combatResults[0].attackerInfo.find(L"Adler"), std::wstring::npos);
    EXPECT_EQ(g->FindNavalUnitById(1), nullptr);
    EXPECT_EQ(Fleet(1), nullptr);
    EXPECT_EQ(fe.Count("DropFleetFromFleetsDialog"), fe.topDialogId == kFleetsDialog ? 1 : 0);
    EXPECT_EQ(world_consistency::CheckWorld(*g), std::vector<std::string>{});
    nord->consts.c072[0] = 1000;  // every carrier's surprise attack is tried,
    Fleet(4)->seaNode = 3;        // on Sudland's squadron in the port
    GenerateSeaBattles();
    for (const sRaport& r : g->reports->reports)  // 18: the raiders' reports
      EXPECT_FALSE(r.kind == 18 && r.text.find(L"Adler") != std::wstring::npos) << WideToUtf8(r.text);
  }
  delayValues = delays;
}

}  // namespace
