// The map picks that the units manager, the fleets and the convoys dialogs
// start, ended on the game screen by a target, a click beside the targets,
// a right click or Esc: every one gives its dialog back, after the delay the
// dialog waits for.
#include <gtest/gtest.h>

#include <functional>

#include "core/settings.h"
#include "core/text.h"
#include "dialogs/convoys_dialog.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/fleets_dialog.h"
#include "dialogs/purchases_dialog.h"
#include "dialogs/units_manager_dialog.h"
#include "rules/player_actions.h"
#include "support/game_road_helpers.h"
#include "units/unit.h"
#include "world/convoys.h"
#include "world/fleet.h"

namespace {

using ui_test::cGameUiHarness;

constexpr int kDelayMs = 800;

void Press(cGameUiHarness& h, cDialog& d, int id) {
  CFWControl* c = d.Gui().GetControl(id);
  ASSERT_NE(c, nullptr) << id;
  ASSERT_TRUE(c->GetEnabled()) << id << " is disabled: " << WideToUtf8(c->GetHint() ? c->GetHint() : L"");
  h.Click(d.Gui().m_x + c->m_x + c->m_width / 2, d.Gui().m_y + c->m_y + c->m_height / 2);
}

// The first clickable land hex with target marks, or without any mark.
sHexPoint FindHex(const cGameUiHarness& h, bool marked) {
  for (const sHex& hex : gGra->map->hexes) {
    if (!ui_test::Clickable(h, hex.x, hex.y)) continue;
    if (marked ? (hex.marks & kMarkTargetBits) != 0 : (hex.IsLand() && hex.marks == 0 && hex.unit == nullptr))
      return {hex.x, hex.y};
  }
  ADD_FAILURE() << (marked ? "no marked hex" : "no free hex");
  return {0, 0};
}

bool NoTargetMarks() {
  for (const sHex& hex : gGra->map->hexes)
    if ((hex.marks & kMarkTargetBits) != 0) return false;
  return true;
}

void ClickFree(cGameUiHarness& h) {
  const sHexPoint p = FindHex(h, false);
  ui_test::ClickHex(h, p.x, p.y);
}
void RightClickFree(cGameUiHarness& h) {
  const sHexPoint p = FindHex(h, false);
  const POINT at = ui_test::HexOnScreen(h, p.x, p.y);
  h.Click(at.x, at.y, SDL_BUTTON_RIGHT);
}
void ClickTarget(cGameUiHarness& h) {
  const sHexPoint p = FindHex(h, true);
  ui_test::ClickHex(h, p.x, p.y);
}
void Esc(cGameUiHarness& h) { h.Key(SDLK_ESCAPE); }

// A convoy's first click, which moves on to the destination pick, then the
// second.
std::function<void(cGameUiHarness&)> OnSecondPort(void (*first)(cGameUiHarness&), void (*second)(cGameUiHarness&)) {
  return [first, second](cGameUiHarness& h) {
    first(h);
    ASSERT_EQ(gGra->selection.mapAction, kMapActionConvoySecondPort);
    second(h);
  };
}

cJednostka* NordmarkRecruit() {
  for (cJednostka* u : gGra->reserve)
    if (u->countryId == 1 && u->category == kCategoryLand) return u;
  return nullptr;
}

bool Listed(cDialogJednostek& d, const cJednostka* u) {
  for (int i = 0; i < d.List()->GetSize(); ++i)
    if (d.List()->GetItem(i)->pData == u) return true;
  return false;
}

struct sPick {
  const char* name;
  int dialogId;
  std::function<void(cGameUiHarness&, cDialog&)> start;  // from the dialog to the pick on the map
  std::function<void(cGameUiHarness&)> end;              // the player's answer on the map
  std::function<void(cDialog&)> check;                   // what the pick left, besides the dialog
};

TEST(MapPicksRoad, EveryPickADialogStartsEndsWithTheDialogBack) {
  cGameUiHarness h(1024, 768, "map_picks");
  ui_test::StartSmallScenario(h, {1});
  ASSERT_FALSE(HasFatalFailure());
  // Three infantry divisions bought and ready to be deployed.
  gGra->GetCountry(1)->productionPoints = 500.0;
  h.ClickLayout(kGsPurchases);
  h.Frames(2);
  ASSERT_NE(dynamic_cast<cDialogZakupow*>(gCurrentDialog), nullptr);
  for (int i = 0; i < 3; ++i) Press(h, *gCurrentDialog, cDialogZakupow::kBuy);
  Esc(h);
  for (cJednostka* u : gGra->reserve) u->availableInTurns = 0;
  ASSERT_NE(NordmarkRecruit(), nullptr);
  delayValues[DELAY_HUMAN_DEPLOY_AFTER] = kDelayMs;
  delayValues[DELAY_HUMAN_RECON_AFTER] = kDelayMs;
  const size_t convoys = gGra->convoys->convoys[0].size();
  sFlota* home = nullptr;
  cJednostka* deployed = nullptr;

  auto deploy = [](cGameUiHarness& h, cDialog& d) {
    if (gUnitsMgrMode != 1) h.Key(SDLK_d);
    ASSERT_EQ(gUnitsMgrSelectedUnit, NordmarkRecruit());
    Press(h, d, cDialogJednostek::kAction);
    EXPECT_EQ(gGra->selection.mapAction, kMapActionDeployLand);
  };
  auto recon = [](cGameUiHarness& h, cDialog& d) { Press(h, d, cDialogFlot::kRecon); };
  auto moveFleet = [&home](cGameUiHarness& h, cDialog& d) {
    home = static_cast<cDialogFlot&>(d).GetSelectedFleet(0);
    Press(h, d, cDialogFlot::kMoveFleet);
  };
  auto newConvoy = [](cGameUiHarness& h, cDialog& d) { Press(h, d, cDialogKonwojow::kNew); };
  auto noConvoy = [convoys](cDialog&) { EXPECT_EQ(gGra->convoys->convoys[0].size(), convoys); };
  auto stayedHome = [&home](cDialog&) { EXPECT_EQ(home->seaNode, 3); };

  const sPick picks[] = {
      {"deploy, right click", kDialogUnitsManager, deploy, RightClickFree, nullptr},
      {"deploy, Esc", kDialogUnitsManager, deploy, Esc, nullptr},
      {"deploy onto a marked hex", kDialogUnitsManager,
       [&](cGameUiHarness& h, cDialog& d) {
         deployed = NordmarkRecruit();
         deploy(h, d);
       },
       ClickTarget,
       [&deployed](cDialog& d) {
         EXPECT_FALSE(deployed->IsInReserve());
         EXPECT_FALSE(Listed(static_cast<cDialogJednostek&>(d), deployed));
       }},
      {"fleet recon, Esc", kDialogFleets, recon, Esc, nullptr},
      {"fleet move, right click", kDialogFleets, moveFleet, RightClickFree, stayedHome},
      {"fleet move, a click beside the nodes", kDialogFleets, moveFleet, ClickFree, stayedHome},
      {"convoy, right click on the first port", kDialogConvoys, newConvoy, RightClickFree, noConvoy},
      {"convoy, Esc on the second port", kDialogConvoys, newConvoy, OnSecondPort(ClickTarget, Esc), noConvoy},
      {"convoy, two clicks beside the ports", kDialogConvoys, newConvoy, OnSecondPort(ClickFree, ClickFree), noConvoy},
      // Last: the home fleet leaves its port, a fleet split off it stays.
      {"fleet move to a marked node", kDialogFleets,
       [&](cGameUiHarness& h, cDialog& d) {
         Press(h, d, cDialogFlot::kNewFleet);
         moveFleet(h, d);
       },
       ClickTarget,
       [&home](cDialog& d) {
         EXPECT_NE(home->seaNode, 3);
         EXPECT_EQ(static_cast<cDialogFlot&>(d).SelectedFleets().size(), 1u);
         EXPECT_NE(static_cast<cDialogFlot&>(d).GetSelectedFleet(0), home);
       }},
  };
  for (const sPick& p : picks) {
    SCOPED_TRACE(p.name);
    if (p.dialogId == kDialogUnitsManager) h.ClickLayout(kGsUnitsManager);
    else if (p.dialogId == kDialogConvoys) h.ClickLayout(kGsConvoys);
    else FrontEnd().ShowFleetsDialog(3);
    h.Frames(2);
    cDialog* d = gCurrentDialog;
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->Id(), p.dialogId);
    p.start(h, *d);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_FALSE(d->IsVisible());
    ASSERT_NE(gGra->selection.mapAction, kMapActionNone);
    p.end(h);
    ASSERT_FALSE(HasFatalFailure());
    // The pick is over; no pause menu came up over it.
    ASSERT_EQ(gCurrentDialog, d);
    EXPECT_EQ(gGra->selection.mapAction, kMapActionNone);
    EXPECT_TRUE(NoTargetMarks());
    EXPECT_EQ(gCurrentMenu, nullptr);
    // The units manager and the fleets dialog wait for their delay; the
    // convoys dialog is back at once.
    if (p.dialogId != kDialogConvoys) {
      EXPECT_FALSE(d->IsVisible());
    }
    EXPECT_TRUE(h.WaitFor([d] { return d->IsVisible(); }, 500));
    if (p.check) p.check(*d);
    cDialogDispatch dispatch;
    CloseDialogs(-1);
  }
}

}  // namespace
