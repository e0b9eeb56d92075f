#pragma once
// The sea-battle screen: a battle with a human player's ships fought on a
// tactical grid of 31 x 31 cells in place of the game screen. The player
// picks a ship of the side to move, moves it within its half or picks an
// enemy ship and fires, or lets the battle run turn by turn or to its end.
// The battle's rules are the battle's own; the screen shows the battle and
// passes the player's choices to it.
#include <memory>
#include <vector>

#include "core/draw_target.h"
#include "screens/menu.h"

class cSeaBattle;
class cJednostkaMorska;
struct sHex;

class cSeaBattleMenu : public cMenu {
 public:
  static constexpr int kGridSide = 31, kCells = kGridSide * kGridSide;
  static constexpr int kCellWidth = 83, kCellHeight = 98, kEvenColumnDrop = 49;
  static constexpr int kNeutralColumn = 15;
  static constexpr uint32_t kMarkSelected = 0x20000, kMarkMoveTarget = 0x40000, kMarkTarget = 0x80000,
                            kMarkOuterColumns = 0x100000;
  static constexpr int kFrame = 650, kTitle = 651, kArea = 652, kTurnsLabel = 653, kTurns = 654, kLogLabel = 655,
                       kLog = 656, kRetreat = 657, kClose = 658, kNextTurn = 659, kExecuteShot = 660,
                       kAutoEnd = 661, kTimeoutLabel = 662, kTimeout = 663;

  explicit cSeaBattleMenu(cSeaBattle& battle);
  ~cSeaBattleMenu() override;

  void StartAutoEndIfFlagged();
  void ClearGridUnit(int x, int y);
  void EnableCloseOnly();

  void OnEvent(UINT event, int controlId, CFWControl* control) override;
  void OnKeyboard(UINT key, bool keyDown, bool altDown) override;
  void OnMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheelDelta, int x, int y) override;
  void OnFrameMove(cPlatformDevice* device, double time, float elapsed) override;
  void OnRender(float elapsed) override;

  // The grid cell under a screen point, false when the point is off the grid.
  bool HitTest(int screenX, int screenY, int& column, int& row) const;
  // A click on a grid cell, as the left button does it.
  void ClickCell(int column, int row);
  sHex& Cell(int x, int y);
  // The ship standing on a cell, null for none or a cell off the grid.
  cJednostkaMorska* ShipAt(int x, int y) const;
  cJednostkaMorska* ShipAt(const sHex* cell) const;
  int Stage() const { return stage_; }
  int CurrentX() const { return currentX_; }
  int CurrentY() const { return currentY_; }
  cSeaBattle& Battle() { return *battle_; }

 private:
  void ExecuteShot();
  void ClearMarks(uint32_t bits);
  void MarkMoveRange(const cJednostkaMorska* ship);
  void ScrollBy(int dx, int dy, float factor);
  void AnimateView(float elapsed);
  void DrawGrid();
  void BuildTransform();
  void ShowReport();
  void SetEnabled(int id, bool enabled);
  bool IsEnabled(int id);
  bool FirstSideColumn(int column) const { return column < kNeutralColumn; }
  bool ShipOfSideToMove(int column) const;
  void ClearSelection();
  void Place(std::vector<cJednostkaMorska*>& side, bool first);

  cSeaBattle* battle_ = nullptr;
  std::vector<sHex> grid_;
  // The ship of each cell: a grid cell's own unit pointer holds land and air
  // units only.
  std::vector<cJednostkaMorska*> ships_;
  sDrawTransform transform_;
  float speedX_ = 0.0f, speedY_ = 0.0f;
  int currentX_ = 1245, targetX_ = 1245, largestX_ = 2490;
  int currentY_ = 1470, targetY_ = 1470, largestY_ = 2940;
  double lastTimeX_ = 0.0, lastTimeY_ = 0.0;
  // Until the first frame the previous-update times mean nothing: the first
  // frame starts them at its own time instead of scrolling by its whole age.
  bool timesStarted_ = false;
  sHex* selected_ = nullptr;
  sHex* previous_ = nullptr;
  int stage_ = 0;
  float savedScale_ = 1.0f;
};

// The screen shown now, null when none.
cSeaBattleMenu* CurrentSeaBattleMenu();
