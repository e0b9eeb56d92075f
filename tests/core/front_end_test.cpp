#include "core/front_end.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "core/console.h"
#include "core/text.h"
#include "support/log_capture.h"
#include "support/recording_front_end.h"

namespace {

// Shows the order of the fatal path on stderr, where the death test reads it.
class cShutdownReporter : public cQuietFrontEnd {
 public:
  void Shutdown() override { std::fprintf(stderr, "front end shut down\n"); }
};

void ReportGameDestroyed() { std::fprintf(stderr, "game destroyed\n"); }

// In the child of a death test: installs the reporters, then exits through
// the fatal path. The log goes to stderr too.
[[noreturn]] void FatalExitReported(const wchar_t* logLine, int exitCode, bool destroyGame = false) {
  static cShutdownReporter fe;
  SetFrontEnd(&fe);
  SetDestroyGameHook(ReportGameDestroyed);
  LogToStderr();
  FatalExit(logLine, exitCode, destroyGame);
}

TEST(FatalExitDeathTest, LogsDestroysShutsDownAndExitsWithTheCode) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(FatalExitReported(L"Missing file data\\scenarios\\x\\consts.csv", 1, true),
              ::testing::ExitedWithCode(1), "Missing file data.scenarios.x.consts.csv\ngame destroyed\nfront end shut down\n");
}

TEST(FatalExitDeathTest, GameIsLeftAloneUnlessAskedAndOtherCodesPassThrough) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(FatalExitReported(L"Sea node ids out of order", 0), ::testing::ExitedWithCode(0),
              "Sea node ids out of order\nfront end shut down\n");
}

TEST(FrontEndTest, InstalledFrontEndReceivesTheCalls) {
  cRecordingFrontEnd rec;
  SetFrontEnd(&rec);
  EXPECT_EQ(&FrontEnd(), &rec);
  FrontEnd().PlaySound(L"data\\sound\\click.wav");
  FrontEnd().SetLoadingProgress(40);
  FrontEndHandle tex = FrontEnd().LoadTexture(L"units.png", 1, 2);
  FrontEndHandle dlg = FrontEnd().ShowTextDialog(L"Poland surrenders", L"Surrender", 3);
  FrontEnd().WaitForDialogClosed(dlg, "gra.cpp", 10);
  FrontEnd().ReleaseTexture(tex);
  FrontEnd().PlaySound(L"data\\sound\\click.wav");
  sWynikWalki result;
  result.generalText = L"Air fight";
  result.attackerLosses = 2.5f;
  FrontEnd().ShowCombatResult(result, 1.5f);
  SetFrontEnd(nullptr);
  EXPECT_NE(&FrontEnd(), &rec);
  FrontEnd().PlaySound(L"not recorded");

  ASSERT_EQ(rec.calls.size(), 8u);
  EXPECT_EQ(rec.calls[0].name, "PlaySound");
  EXPECT_EQ(rec.calls[0].text, L"data\\sound\\click.wav");
  EXPECT_EQ(rec.calls[1].value, 40);
  EXPECT_EQ(rec.calls[2].text, L"units.png");
  EXPECT_EQ(rec.calls[3].text, L"Surrender|Poland surrenders");
  EXPECT_EQ(rec.calls[3].value, 3);
  EXPECT_EQ(rec.calls[4].name, "WaitForDialogClosed");
  EXPECT_EQ(rec.calls[4].value, dlg);
  EXPECT_EQ(rec.Count("PlaySound"), 2);
  EXPECT_EQ(rec.releasedTextures, std::vector<FrontEndHandle>{tex});
  EXPECT_NE(tex, dlg);
  ASSERT_EQ(rec.combatResults.size(), 1u);
  EXPECT_EQ(rec.combatResults[0].attackerLosses, 2.5f);
  EXPECT_EQ(rec.calls[7].text, L"Air fight");
}

TEST(FrontEndTest, QuietAnimationRunsTheStepsToTheirEnd) {
  cQuietFrontEnd quiet;
  int steps = 0;
  quiet.AnimateMove([&steps] { return ++steps < 25; });
  EXPECT_EQ(steps, 25);

  cRecordingFrontEnd rec;
  steps = 0;
  rec.AnimateMove([&steps] { return ++steps < 3; });
  EXPECT_EQ(steps, 3);
  EXPECT_EQ(rec.Count("AnimateMove"), 1);

  // A step function that never ends cannot hang a headless game.
  long long calls = 0;
  quiet.AnimateMove([&calls] {
    ++calls;
    return true;
  });
  EXPECT_EQ(calls, 1000000);
}

// A delay of 24 days, and a dialog no one closes: waited for, either would
// hang the test past its time limit.
TEST(FrontEndTest, QuietFrontEndAnswersAtOnce) {
  cQuietFrontEnd quiet;
  quiet.Delay(std::numeric_limits<int>::max(), "ai2.cpp", 1);
  FrontEndHandle d = quiet.ShowTextDialog(L"t", L"T", 0);
  quiet.WaitForDialogClosed(d, "ai2.cpp", 2);
  EXPECT_NE(d, 0);
  EXPECT_NE(quiet.CreateBlankTexture(4, 4), d);
}

// The game types the front end passes along are only ever handled by
// pointer or reference here; a few bytes stand in for them.
template <typename T>
T& StandIn(unsigned char (&storage)[16]) {
  return *reinterpret_cast<T*>(storage);
}

TEST(FrontEndTest, QuietAnswersOfTheMapAndDialogQueriesKeepAHeadlessGameGoing) {
  cQuietFrontEnd quiet;
  const sScreenRect r = quiet.LayoutRect(315);
  EXPECT_GT(r.width, 0);
  EXPECT_GT(r.height, 0);

  const FrontEndHandle tex = quiet.CreateBlankTexture(64, 32);
  int w = -1, h = -1;
  EXPECT_TRUE(quiet.TextureSize(tex, w, h));
  EXPECT_GT(w, 0);
  EXPECT_GT(h, 0);
  EXPECT_FALSE(quiet.TextureSize(0, w, h));
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 0);

  const sCursorState c = quiet.CursorState();
  EXPECT_FALSE(c.dragging);
  EXPECT_FALSE(c.dragEnded);
  EXPECT_FALSE(quiet.IsCtrlHeld());
  EXPECT_FALSE(quiet.DialogHasMouse());
  EXPECT_EQ(quiet.UnitToDeploy(), nullptr);

  // A dialog shown by the quiet front end is closed at once: nothing is on
  // top, and the fleets dialog has no selection to give.
  unsigned char node[16] = {};
  const FrontEndHandle fleets = quiet.ShowFleetsDialog(3);
  EXPECT_NE(fleets, 0);
  EXPECT_EQ(quiet.TopDialogId(), kNoDialog);
  std::vector<sFlota*> selected{reinterpret_cast<sFlota*>(node)};
  std::vector<cJednostkaMorska*> ships{reinterpret_cast<cJednostkaMorska*>(node)};
  EXPECT_FALSE(quiet.FleetsDialogSelection(selected, ships));
  EXPECT_TRUE(selected.empty());
  EXPECT_TRUE(ships.empty());

  const FrontEndHandle turn = quiet.ShowNewTurnDialog(2);
  const FrontEndHandle convoys = quiet.ShowConvoyResults(2);
  const FrontEndHandle event = quiet.ShowEventDialog(StandIn<sZdarzenie>(node));
  EXPECT_NE(turn, fleets);
  EXPECT_NE(convoys, turn);
  EXPECT_NE(event, convoys);
}

TEST(FrontEndTest, QuietSeaBattleScreenFightsTheBattleBeforeItReturns) {
  cQuietFrontEnd quiet;
  unsigned char battle[16] = {};
  int fought = 0;
  const FrontEndHandle screen = quiet.OpenSeaBattleScreen(StandIn<cSeaBattle>(battle), [&fought] { ++fought; });
  EXPECT_EQ(fought, 1);
  quiet.WaitForSeaBattleScreenClosed(screen, "seabattle.cpp", 7);
  EXPECT_EQ(fought, 1);
  EXPECT_NE(screen, 0);
  // A caller without a fallback is not an error.
  EXPECT_NE(quiet.OpenSeaBattleScreen(StandIn<cSeaBattle>(battle), nullptr), screen);
}

TEST(FrontEndTest, RecordingFrontEndWritesDownTheMapPanelAndBattleCalls) {
  cRecordingFrontEnd rec;
  unsigned char storage[16] = {};
  cHoverable* node = reinterpret_cast<cHoverable*>(storage);

  rec.SetHoverObject(node);
  rec.SetHoverObject(nullptr);
  rec.SelectFontsByScale();
  rec.SelectCityAppearanceByZoom();
  rec.WriteTexturePixels(5, 2, 3, std::vector<uint32_t>(6, 0x80FF0000u));
  rec.RefreshAttackPanel();
  rec.RefreshMinimapDate();
  rec.SetMinimapRect({10, 20, 300, 150});
  rec.EnableInfoPanelControls();
  rec.RestorePanelFolding();
  rec.ClearMapInputLatches();
  rec.ShowNewTurnDialog(4);
  rec.ShowConvoyResults(6);
  rec.ShowFleetsDialog(12);
  rec.ShowEventDialog(StandIn<sZdarzenie>(storage));
  rec.DropFleetFromFleetsDialog(reinterpret_cast<sFlota*>(storage));
  rec.ResumeTopDialog(kFleetsDialog);
  rec.CloseTopDialog(kUnitsManagerDialog);
  rec.SendMapClickToTopDialog();
  rec.CreateConvoyFromPicks(7, 9);
  int fought = 0;
  const FrontEndHandle screen = rec.OpenSeaBattleScreen(StandIn<cSeaBattle>(storage), [&fought] { ++fought; });
  rec.ClearSeaBattleGridUnit(14, 30);
  rec.EnableSeaBattleCloseOnly();
  rec.WaitForSeaBattleScreenClosed(screen, "seabattle.cpp", 3);

  std::vector<std::string> names;
  for (const auto& c : rec.calls) names.push_back(c.name);
  EXPECT_EQ(names, (std::vector<std::string>{
                       "SetHoverObject", "SetHoverObject", "SelectFontsByScale", "SelectCityAppearanceByZoom",
                       "WriteTexturePixels", "RefreshAttackPanel", "RefreshMinimapDate", "SetMinimapRect",
                       "EnableInfoPanelControls", "RestorePanelFolding", "ClearMapInputLatches", "ShowNewTurnDialog",
                       "ShowConvoyResults", "ShowFleetsDialog", "ShowEventDialog", "DropFleetFromFleetsDialog",
                       "ResumeTopDialog", "CloseTopDialog", "SendMapClickToTopDialog", "CreateConvoyFromPicks",
                       "OpenSeaBattleScreen", "ClearSeaBattleGridUnit", "EnableSeaBattleCloseOnly",
                       "WaitForSeaBattleScreenClosed"}));
  EXPECT_EQ(rec.hoverObjects, (std::vector<cHoverable*>{node, nullptr}));
  EXPECT_EQ(rec.calls[4].value, 5);
  EXPECT_EQ(rec.calls[4].value2, 6);
  ASSERT_EQ(rec.minimapRects.size(), 1u);
  EXPECT_EQ(rec.minimapRects[0].width, 300);
  EXPECT_EQ(rec.minimapRects[0].height, 150);
  EXPECT_EQ(rec.calls[11].value, 4);
  EXPECT_EQ(rec.calls[12].value, 6);
  EXPECT_EQ(rec.calls[13].value, 12);
  EXPECT_EQ(rec.shownEvents.size(), 1u);
  EXPECT_EQ(rec.droppedFleets.size(), 1u);
  EXPECT_EQ(rec.calls[16].value, kFleetsDialog);
  EXPECT_EQ(rec.calls[17].value, kUnitsManagerDialog);
  EXPECT_EQ(rec.calls[19].value, 7);
  EXPECT_EQ(rec.calls[19].value2, 9);
  EXPECT_EQ(rec.seaBattles.size(), 1u);
  EXPECT_EQ(fought, 1);
  EXPECT_EQ(rec.calls[21].value, 14);
  EXPECT_EQ(rec.calls[21].value2, 30);
  EXPECT_EQ(rec.calls[23].value, screen);
}

TEST(FrontEndTest, RecordingFrontEndAnswersWhatTheTestSetsUp) {
  cRecordingFrontEnd rec;
  unsigned char storage[16] = {};
  sFlota* fleet = reinterpret_cast<sFlota*>(storage);
  cJednostkaMorska* ship = reinterpret_cast<cJednostkaMorska*>(storage + 8);

  rec.cursor = {400, 300, false, true, 5, -4};
  rec.ctrlHeld = true;
  rec.dialogHasMouse = true;
  rec.unitToDeploy = reinterpret_cast<cUnit*>(storage);
  rec.layoutRects[315] = {600, 500, 200, 100};
  EXPECT_EQ(rec.CursorState().x, 400);
  EXPECT_EQ(rec.CursorState().dragDy, -4);
  EXPECT_TRUE(rec.CursorState().dragEnded);
  rec.ClearDragEnded();
  EXPECT_FALSE(rec.CursorState().dragEnded);
  EXPECT_EQ(rec.CursorState().dragDx, 5);
  EXPECT_TRUE(rec.IsCtrlHeld());
  EXPECT_TRUE(rec.DialogHasMouse());
  EXPECT_EQ(rec.UnitToDeploy(), reinterpret_cast<cUnit*>(storage));
  EXPECT_EQ(rec.LayoutRect(315).x, 600);
  EXPECT_EQ(rec.LayoutRect(316).width, cQuietFrontEnd().LayoutRect(316).width);

  // The fleets dialog's selection is there only while that dialog is on top.
  rec.selectedFleets = {fleet};
  rec.selectedShips = {ship, ship};
  std::vector<sFlota*> fleets;
  std::vector<cJednostkaMorska*> ships;
  rec.topDialogId = kConvoysDialog;
  EXPECT_FALSE(rec.FleetsDialogSelection(fleets, ships));
  EXPECT_TRUE(fleets.empty());
  rec.topDialogId = kFleetsDialog;
  EXPECT_EQ(rec.TopDialogId(), kFleetsDialog);
  ASSERT_TRUE(rec.FleetsDialogSelection(fleets, ships));
  EXPECT_EQ(fleets, std::vector<sFlota*>{fleet});
  EXPECT_EQ(ships.size(), 2u);
}

}  // namespace
