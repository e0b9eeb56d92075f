// Message boxes on the real front end (the harness and the game screen come with the road helpers).
#include "ai/ai.h"
#include "support/game_road_helpers.h"

static std::vector<std::pair<eMessageBoxIcon, bool>> gShown;  // the icon; the lock free and the worker waiting
static std::atomic<bool> gAsked, gAnswered;

static bool ShowBox(const std::wstring&, const std::wstring&, eMessageBoxIcon icon) {
  SDL_Delay(100);  // a while after the box came up
  gShown.push_back({icon, GameLockHoldCount() == 0 && !gAnswered});
  return true;
}

static void AskOnTheWorker(const char*) {
  if (gAsked.exchange(true)) return;
  FrontEnd().MessageBox(L"DBGINF: a finding", L"DBG WARNING", eMessageBoxIcon::kWarning);
  gAnswered = true;
}

TEST(MessageBoxes, HexOwnersInformAndAWorkersBoxHoldsItWithTheLockFreeUntilClosedOrTheGameEnds) {
  for (const bool gameEnds : {false, true}) {
    SCOPED_TRACE(gameEnds ? "the game ends" : "the player closes the box");
    ui_test::cGameUiHarness h(1024, 768, "message_boxes");
    ui_test::StartSmallScenario(h, {1});
    ASSERT_FALSE(HasFatalFailure());
    gShown.clear();
    gAsked = gAnswered = false;
    SetPlatformMessageBoxHandler(&ShowBox);
    sHex& hex = *std::find_if(gGra->map->hexes.begin(), gGra->map->hexes.end(), [](sHex& x) { return x.IsLand(); });
    const uint8_t owner = std::exchange(hex.owner, 99);
    gGra->ValidateHexOwners();
    hex.owner = owner;
    SetAiPhaseObserver(&AskOnTheWorker);
    EndTurn();  // as Q does; no frame while the computer's turn asks
    for (int i = 0; i < 3000 && (!gAsked || GameLockHoldCount() != 0); ++i) SDL_Delay(10);
    SDL_Delay(100);
    EXPECT_TRUE(gAsked && !gAnswered && GameLockHoldCount() == 0);
    EXPECT_TRUE(gameEnds || h.WaitFor([] { return gAnswered.load(); }));  // frames show the box
    DestroyGameAndPictures();  // the worker ends before its observer goes
    h.Frames(1);               // a box of the ended game is never put up
    SetAiPhaseObserver(nullptr);
    SetPlatformMessageBoxHandler(nullptr);
    EXPECT_TRUE(gAnswered);
    ASSERT_EQ(gShown.size(), gameEnds ? 1u : 2u);
    EXPECT_EQ(gShown[0].first, eMessageBoxIcon::kInformation);
    for (const auto& [icon, lockFreeAndWorkerWaiting] : gShown) EXPECT_TRUE(lockFreeAndWorkerWaiting);
  }
}

static void ArrowAndCtrl(bool down) {
  for (SDL_Keycode key : {SDLK_LEFT, SDLK_LCTRL}) ui_test::cGameUiHarness::PushKey(key, down);
}

// The arrow and Ctrl let go while a box is up: the map stops, a plain 1 goes to the stored view.
TEST(MessageBoxes, KeysLetGoWhileABoxIsUpAreLetGoForTheGame) {
  ui_test::cGameUiHarness h(1024, 768, "box_held_keys");
  ui_test::StartSmallScenario(h, {1});
  ASSERT_FALSE(HasFatalFailure());
  gGra->map->SetViewBookmark(1, 3, 3);
  ArrowAndCtrl(true);
  h.Frames(1);
  ASSERT_NE(gScrollKeys, 0);
  SetPlatformMessageBoxHandler(
      [](const std::wstring&, const std::wstring&, eMessageBoxIcon) { return ArrowAndCtrl(false), true; });
  FrontEnd().MessageBox(L"text", L"caption", eMessageBoxIcon::kNone);
  SetPlatformMessageBoxHandler(nullptr);
  h.Key(SDLK_1);
  EXPECT_EQ(gScrollKeys, 0);
  const sHexPoint stored = gGra->map->GetViewBookmark(1);
  EXPECT_TRUE(stored.x == 3 && stored.y == 3) << "Ctrl still held: the view was stored over the bookmark";
}
