#include "screens/sea_battle_screen.h"

#include <algorithm>
#include <cmath>

#include "core/console.h"
#include "core/front_end.h"
#include "core/map_skin_data.h"
#include "core/string_table.h"
#include "core/text.h"
#include "dialogs/dialog_stack.h"
#include "gui/cursor.h"
#include "framework/shared_draw.h"
#include "framework/sprite_draw_target.h"
#include "gui/fw_editbox.h"
#include "gui/fw_memo.h"
#include "gui/fw_scrollbar.h"
#include "gui/gui_builders.h"
#include "gui/gui_layout.h"
#include "platform/line.h"
#include "platform/sprite.h"
#include "rules/sea_battle.h"
#include "screens/game/game_screen.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/map_view.h"

// The held arrow keys of the game screen (bit 1 left, 2 up, 4 right, 8
// down); read here, never changed.
extern uint8_t gScrollKeys;

namespace {

cSeaBattleMenu* gSeaBattleMenu = nullptr;

// Places of the ships on their side of the grid: (dx, dy) from the side's
// first line column and the middle row.
constexpr int kLine[22][2] = {{0, 0},  {0, -2}, {2, -1}, {2, 1},  {0, 2},  {0, -4}, {2, -3}, {4, -2},
                              {4, 0},  {4, 2},  {2, 3},  {0, 4},  {0, -6}, {2, -5}, {4, -4}, {6, -3},
                              {6, -1}, {6, 1},  {6, 3},  {4, 4},  {2, 5},  {0, 6}};
constexpr int kCarrierDy[15] = {0, -2, 2, -4, 4, -6, 6, -8, 8, -10, 10, -12, 12, -14, 14};
constexpr int kLineSlots = 22, kCarrierSlots = 30;
constexpr int kMiddleRow = 16;
constexpr float kBattleScale = 0.4f;
constexpr float kEdgeSpeed = 1000.0f;

bool IsTransport(const cJednostkaMorska* s) {
  // No selection at all is no transport either: the shot may go ahead.
  return s != nullptr && (s->type == kTypeCargo || s->type == kTypeAmphibious);
}

bool Pbem() { return gGra != nullptr && gGra->pbem != 0; }

}  // namespace

cSeaBattleMenu* CurrentSeaBattleMenu() { return gSeaBattleMenu; }

cSeaBattleMenu::cSeaBattleMenu(cSeaBattle& battle) : battle_(&battle) {
  if (gGra != nullptr) gGra->SetState(kStateSeaBattleScreen);
  gSeaBattleMenu = this;
  if (gCurrentDialog != nullptr) CloseDialogs(-1);
  gConsole.AddLine(L"----- Sea Battle Screen -----");
  const bool pbem = Pbem();
  CFWStatic* s = nullptr;
  AddStatic(kTitle, Txt("seabattle_title").c_str(), &s);
  if (s != nullptr) {
    s->m_iTextElement = 2;
    s->SetEnabled(false);
  }
  AddStatic(kArea, battle.location.c_str(), &s);
  if (s != nullptr) {
    s->m_iTextElement = 2;
    s->SetEnabled(false);
  }
  const sGuiRect f = GuiRect(kFrame);
  AddFrame(kFrame, f.x, f.y, f.w, f.h, 0);
  AddEditBoxWithLabel(this, kTurns, WFormat(L"%i", battle.battleTurnsLeft).c_str(),
                      Txt("seabattle_turns_left_hint").c_str(), kTurnsLabel, Txt("seabattle_turns_left").c_str());
  AddEditBoxWithLabel(this, kTimeout, L"-", Txt("seabattle_next_turn_timeout_hint").c_str(), kTimeoutLabel,
                      Txt("seabattle_next_turn_timeout").c_str());
  AddMemoWithLabel(this, kLog, battle.location.c_str(), kLogLabel, Txt("seabattle_log").c_str());
  CFWButton* b = nullptr;
  AddButton(kRetreat, Txt("seabattle_retreat").c_str(), Txt("seabattle_retreat_hint").c_str(), 0, &b);
  if (b != nullptr) {
    b->SetVisible(!pbem);
    b->SetEnabled(false);
  }
  AddButton(kAutoEnd, Txt("seabattle_auto_end").c_str(), Txt("seabattle_auto_end_hint").c_str(), 0, &b);
  if (b != nullptr) b->SetEnabled(!pbem);
  AddButton(kExecuteShot, Txt("seabattle_execute_shot").c_str(), Txt("seabattle_execute_shot_hint").c_str(), 0, &b);
  if (b != nullptr) b->SetEnabled(!pbem);
  AddButton(kNextTurn, Txt("seabattle_next_turn").c_str(), Txt("seabattle_next_turn_hint").c_str(), 0, &b);
  if (b != nullptr) b->SetEnabled(!pbem);
  AddButton(kClose, Txt("seabattle_close").c_str(), Txt("seabattle_close_hint").c_str(), 0, &b);
  if (b != nullptr) b->SetEnabled(false);

  grid_.resize(kCells);
  ships_.assign(kCells, nullptr);
  for (int i = 0; i < kCells; ++i) {
    sHex& h = grid_[static_cast<size_t>(i)];
    h.unit = nullptr;
    h.terrain = kTerrainSea;
    h.x = static_cast<int16_t>(i % kGridSide);
    h.y = static_cast<int16_t>(i / kGridSide);
    h.marks = (h.x < 4 || h.x > 26) ? kMarkOuterColumns : 0;
  }
  savedScale_ = gCurrentMapScale;
  gCurrentMapScale = gTargetMapScale = kBattleScale;
  BuildTransform();
  if (battle.firstSide != nullptr) Place(*battle.firstSide, true);
  if (battle.secondSide != nullptr) Place(*battle.secondSide, false);
  gCurrentMapScale = 1.0f;
  FrontEnd().SelectFontsByScale();
  gCurrentMapScale = kBattleScale;
  SetVisible(true);
}

cSeaBattleMenu::~cSeaBattleMenu() {
  if (gSeaBattleMenu == this) gSeaBattleMenu = nullptr;
}

void cSeaBattleMenu::Place(std::vector<cJednostkaMorska*>& side, bool first) {
  int carriers = 0, others = 0;
  for (cJednostkaMorska* ship : side) {
    int dx = 0, dy = 0;
    bool placed = false;
    if (ship->type == kTypeCarrier) {
      if (carriers < kCarrierSlots) {
        dx = carriers < 15 ? 0 : 2;
        dy = kCarrierDy[carriers % 15];
        placed = true;
      }
      ++carriers;
      if (placed) ship->x = first ? 3 - dx : 27 + dx;
    } else {
      if (others < kLineSlots) {
        dx = kLine[others][0];
        dy = kLine[others][1];
        placed = true;
      }
      ++others;
      if (placed) ship->x = first ? 13 - dx : 17 + dx;
    }
    if (!placed) {
      ship->x = ship->y = -1;
      continue;
    }
    ship->y = kMiddleRow + dy;
    ships_[static_cast<size_t>(ship->y * kGridSide + ship->x)] = ship;
  }
}

sHex& cSeaBattleMenu::Cell(int x, int y) { return grid_[static_cast<size_t>(y * kGridSide + x)]; }

cJednostkaMorska* cSeaBattleMenu::ShipAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= kGridSide || y >= kGridSide) return nullptr;
  return ships_[static_cast<size_t>(y * kGridSide + x)];
}

cJednostkaMorska* cSeaBattleMenu::ShipAt(const sHex* cell) const {
  return cell != nullptr ? ShipAt(cell->x, cell->y) : nullptr;
}

void cSeaBattleMenu::BuildTransform() { transform_ = sDrawTransform::Scaling(gCurrentMapScale); }

void cSeaBattleMenu::SetEnabled(int id, bool enabled) {
  if (CFWControl* c = GetControl(id)) c->SetEnabled(enabled);
}

bool cSeaBattleMenu::IsEnabled(int id) {
  CFWControl* c = GetControl(id);
  return c != nullptr && c->GetEnabled();
}

void cSeaBattleMenu::StartAutoEndIfFlagged() {
  if (battle_->runsByItself == 0) return;
  SendEvent(EVENT_BUTTON_CLICKED, true, GetControl(kAutoEnd), false);
}

void cSeaBattleMenu::ClearGridUnit(int x, int y) {
  if (x < 0 || y < 0 || x >= kGridSide || y >= kGridSide) return;
  ships_[static_cast<size_t>(y * kGridSide + x)] = nullptr;
  Cell(x, y).unit = nullptr;
  // A selection on the emptied cell goes with the ship.
  if (selected_ == &Cell(x, y)) SetEnabled(kRetreat, false);
}

void cSeaBattleMenu::EnableCloseOnly() {
  for (int id : {kNextTurn, kExecuteShot, kAutoEnd, kRetreat}) SetEnabled(id, false);
  SetEnabled(kClose, true);
}

void cSeaBattleMenu::ClearMarks(uint32_t bits) {
  for (sHex& h : grid_) h.marks &= ~bits;
}

void cSeaBattleMenu::ClearSelection() {
  selected_ = previous_ = nullptr;
  SetEnabled(kRetreat, false);
  ClearMarks(kMarkSelected | kMarkMoveTarget | kMarkTarget);
  stage_ = 0;
}

void cSeaBattleMenu::MarkMoveRange(const cJednostkaMorska* ship) {
  ClearMarks(kMarkMoveTarget);
  if (ship == nullptr || ship->exchangeFlag != 0 || ship->x < 0) return;
  const bool carrier = ship->type == kTypeCarrier;
  int from = 0, to = 0;
  if (FirstSideColumn(ship->x)) {
    from = carrier ? 1 : 5;
    to = 13;
  } else {
    from = 17;
    to = carrier ? 29 : 25;
  }
  for (int c = from; c <= to; c += 2)
    for (int r = 0; r <= 28; r += 2) {
      const int row = c % 4 == 1 ? r : r + 1;
      if (ShipAt(c, row) == nullptr) Cell(c, row).marks |= kMarkMoveTarget;
    }
}

void cSeaBattleMenu::ShowReport() {
  if (auto* memo = Get<CFWMemo>(kLog, FWCONTROL_MEMO)) {
    memo->SetText(battle_->reportText.c_str());
    memo->ScrollToEnd();
  }
}

void cSeaBattleMenu::ExecuteShot() {
  battle_->Step();
  if (auto* e = Get<CFWEditBox>(kTurns, FWCONTROL_EDITBOX))
    e->SetText(WFormat(L"%i", battle_->battleTurnsLeft).c_str());
  ShowReport();
}

bool cSeaBattleMenu::ShipOfSideToMove(int column) const {
  return battle_->firstSideMoves != 0 ? FirstSideColumn(column) : column >= kNeutralColumn;
}

void cSeaBattleMenu::OnEvent(UINT, int controlId, CFWControl*) {
  switch (controlId) {
    case kExecuteShot: ExecuteShot(); break;
    case kNextTurn:
    case kAutoEnd:
      for (int id : {kExecuteShot, kNextTurn, kAutoEnd, kRetreat}) SetEnabled(id, false);
      ClearSelection();
      if (controlId == kNextTurn) battle_->RequestNextTurn();
      else battle_->RequestAutoEnd();
      break;
    case kRetreat: {
      // The retreat needs a ship on the selected cell.
      if (cJednostkaMorska* ship = ShipAt(selected_)) battle_->TryRetreat(*ship);
      ClearSelection();
      ShowReport();
      break;
    }
    case kClose: {
      gSeaBattleMenu = nullptr;
      SetStateWithCallbacks();
      if (gGra != nullptr) gGra->SetState(kStateSeaBattles);
      gCurrentMapScale = gTargetMapScale = savedScale_;
      FrontEnd().SelectFontsByScale();
      // Clears gCurrentMenu, which releases the waiting worker, and frees the
      // screen once this handler has returned: nothing of it is touched after.
      DestroyAllMenus();
      return;
    }
    default: break;
  }
}

void cSeaBattleMenu::OnKeyboard(UINT key, bool keyDown, bool) {
  if (!keyDown) return;
  int id = 0;
  switch (key) {
    case 'C': id = kClose; break;
    case 'E': id = kAutoEnd; break;
    case 'M': id = kExecuteShot; break;
    case 'R': id = kRetreat; break;
    case 'T': id = kNextTurn; break;
    default: return;
  }
  CFWControl* c = GetControl(id);
  if (c == nullptr || !c->GetEnabled() || !c->GetVisible()) return;
  EnableNonUserEvents(true);
  SendEvent(EVENT_BUTTON_CLICKED, false, c, false);
  EnableNonUserEvents(false);
}

bool cSeaBattleMenu::HitTest(int sx, int sy, int& column, int& row) const {
  column = row = -1;
  const float s = gCurrentMapScale;
  const int w = FrontEnd().ScreenWidth(), h = FrontEnd().ScreenHeight();
  int px = static_cast<int>((static_cast<float>(sx) - static_cast<float>(w) / 2.0f) / s + currentX_ - 30);
  int py = static_cast<int>((static_cast<float>(sy) - static_cast<float>(h) / 2.0f) / s + currentY_ - 36);
  if (px < 0) return false;
  int c = px / kCellWidth;
  if (c % 2 == 0) py -= kEvenColumnDrop;
  if (py < 0 && c % 2 != 0) return false;
  int r = py >= 0 ? py / kCellHeight : -1;
  const int fx = px - kCellWidth * c, fy = py - kCellHeight * r;
  constexpr float kSlope = 49.0f / 24.0f;
  if (fx < 24 && fx > 0) {
    if (fy < 49 && static_cast<float>(49 - fy) / static_cast<float>(fx) > kSlope) {
      if (c % 2 != 0) --r;
      --c;
    } else if (fy > 49 && static_cast<float>(fy - 49) / static_cast<float>(fx) > kSlope) {
      if (c % 2 == 0) ++r;
      --c;
    }
  }
  if (c < 0 || r < 0 || c >= kGridSide || r >= kGridSide) return false;
  column = c;
  row = r;
  return true;
}

void cSeaBattleMenu::ClickCell(int column, int row) {
  if (column < 0 || row < 0 || column >= kGridSide || row >= kGridSide) return;
  previous_ = selected_;
  selected_ = &Cell(column, row);
  cJednostkaMorska* ship = ShipAt(column, row);
  const bool firstMoves = battle_->firstSideMoves != 0;
  if (ship != nullptr && ShipOfSideToMove(column)) {
    const cPanstwo* owner = ship->GetCountry();
    const bool mayAct = owner != nullptr && owner->humanControlled != 0 && ship->exchangeFlag == 0;
    SetEnabled(kRetreat, mayAct);
    if (!mayAct) {
      selected_ = previous_;
      return;
    }
    ClearMarks(kMarkSelected);
    if (firstMoves) battle_->SelectFirstSideShip(ship->unitId);
    else battle_->SelectSecondSideShip(ship->unitId);
    selected_->marks |= kMarkSelected;
    stage_ = 1;
    MarkMoveRange(ship);
    return;
  }
  if (ship != nullptr) {
    SetEnabled(kRetreat, false);
    cJednostkaMorska* shooter = firstMoves ? battle_->firstSideSelection : battle_->secondSideSelection;
    cJednostkaMorska* target = firstMoves ? battle_->secondSideSelection : battle_->firstSideSelection;
    if (ship->battleMarker == 0 || shooter == nullptr || IsTransport(shooter)) return;
    if (stage_ == 1) {
      if (IsTransport(target)) return;
      if (firstMoves) battle_->SelectSecondSideShip(ship->unitId);
      else battle_->SelectFirstSideShip(ship->unitId);
      ClearMarks(kMarkMoveTarget);
      selected_->marks |= kMarkTarget;
      stage_ = 2;
    } else if (stage_ == 2) {
      if (selected_ == previous_) {
        ClearMarks(kMarkSelected | kMarkMoveTarget | kMarkTarget);
        ExecuteShot();
        stage_ = 0;
      } else {
        ClearMarks(kMarkTarget);
        selected_->marks |= kMarkTarget;
        if (firstMoves) battle_->SelectSecondSideShip(ship->unitId);
        else battle_->SelectFirstSideShip(ship->unitId);
      }
    }
    return;
  }
  // An empty cell: a move of the selected ship.
  SetEnabled(kRetreat, false);
  cJednostkaMorska* mover = ShipAt(previous_);
  if (stage_ != 1 || mover == nullptr || mover->exchangeFlag != 0) return;
  if (FirstSideColumn(previous_->x) != FirstSideColumn(column) || (selected_->marks & kMarkMoveTarget) == 0) return;
  ClearMarks(kMarkSelected);
  ships_[static_cast<size_t>(previous_->y * kGridSide + previous_->x)] = nullptr;
  ships_[static_cast<size_t>(row * kGridSide + column)] = mover;
  mover->x = column;
  mover->y = row;
  mover->mayFire = 0;
  mover->exchangeFlag = 1;
  stage_ = 0;
  MarkMoveRange(mover);
}

void cSeaBattleMenu::OnMouse(bool left, bool right, bool, bool, bool, int wheelDelta, int, int) {
  if (Pbem()) return;
  const bool overControl = MouseOverControl() != nullptr;
  const int w = FrontEnd().ScreenWidth(), h = FrontEnd().ScreenHeight();
  if (wheelDelta != 0 && !overControl) {
    gTargetMapScale += static_cast<float>(wheelDelta) / 24.0f / 100.0f;
    gTargetMapScale = std::max(gTargetMapScale, std::min(static_cast<float>(w) / 2573.0f, static_cast<float>(h) / 3038.0f));
    gTargetMapScale = std::min(gTargetMapScale, 1.0f);
  }
  const bool running = battle_->autoEndRequested != 0 || battle_->nextTurnRequested != 0;
  const int cx = gCursor.MouseX(), cy = gCursor.MouseY();
  if (right && !overControl && !running) {
    if (battle_->battleTurnsLeft > 0) ClearSelection();
    return;
  }
  int column = -1, row = -1;
  if (left && !overControl && !running && battle_->battleTurnsLeft > 0 && cx >= 0 && cx <= w && cy >= 0 && cy <= h &&
      HitTest(cx, cy, column, row)) {
    ClickCell(column, row);
    return;
  }
}

void cSeaBattleMenu::ScrollBy(int dx, int dy, float factor) {
  targetX_ = std::max(std::min(targetX_ + dx, largestX_), kCellWidth);
  targetY_ = std::max(std::min(targetY_ + dy, largestY_), kCellWidth);
  speedX_ = static_cast<float>(targetX_ - currentX_) * factor;
  speedY_ = static_cast<float>(targetY_ - currentY_) * factor;
  if (speedX_ > 0.0f && speedX_ < 0.1f) speedX_ = 0.1f;
  if (speedX_ < 0.0f && speedX_ > -0.1f) speedX_ = -0.1f;
  if (speedY_ > 0.0f && speedY_ < 0.1f) speedY_ = 0.05f;
  if (speedY_ < 0.0f && speedY_ > -0.1f) speedY_ = -0.1f;
}

void cSeaBattleMenu::AnimateView(float elapsed) {
  const float step = elapsed * 0.5f;
  const float before = gCurrentMapScale;
  if (gCurrentMapScale - gTargetMapScale > step) gCurrentMapScale -= step;
  else if (gCurrentMapScale - gTargetMapScale < -step) gCurrentMapScale += step;
  else gCurrentMapScale = gTargetMapScale;
  if (gCurrentMapScale != before) BuildTransform();
  const float s = gCurrentMapScale;
  if (gCursor.rightHeld) {
    currentX_ = static_cast<int>(static_cast<float>(targetX_) - static_cast<float>(gCursor.rightDragX) / s);
    currentY_ = static_cast<int>(static_cast<float>(targetY_) - static_cast<float>(gCursor.rightDragY) / s);
    speedX_ = speedY_ = 0.0f;
    return;
  }
  if (gCursor.rightReleased) {
    targetX_ = currentX_ = static_cast<int>(static_cast<float>(targetX_) - static_cast<float>(gCursor.rightDragX) / s);
    targetY_ = currentY_ = static_cast<int>(static_cast<float>(targetY_) - static_cast<float>(gCursor.rightDragY) / s);
    speedX_ = speedY_ = 0.0f;
    gCursor.rightReleased = false;
    return;
  }
  auto axis = [elapsed](int& current, int target, float& speed) {
    if (current == target) return;
    const float move = speed * elapsed;
    const float remaining = static_cast<float>(target - current);
    if ((move > 0.0f && move > remaining) || (move < 0.0f && move < remaining)) {
      current = target;
      speed = 0.0f;
    } else {
      current = static_cast<int>(static_cast<float>(current) + move);
    }
  };
  axis(currentX_, targetX_, speedX_);
  axis(currentY_, targetY_, speedY_);
}

void cSeaBattleMenu::OnFrameMove(cPlatformDevice*, double time, float elapsed) {
  if (!timesStarted_) {
    lastTimeX_ = lastTimeY_ = time;
    timesStarted_ = true;
  }
  auto* timeout = Get<CFWEditBox>(kTimeout, FWCONTROL_EDITBOX);
  auto countdown = [&](uint8_t& flag, bool nextTurn) {
    if (flag == 0) return;
    battle_->stepCountdown -= elapsed;
    if (battle_->stepCountdown >= 0.0f) {
      if (timeout != nullptr) timeout->SetText(WFormat(L"%.1f", static_cast<double>(battle_->stepCountdown)).c_str());
      return;
    }
    const int turnsBefore = battle_->battleTurnsLeft;
    OnEvent(EVENT_BUTTON_CLICKED, kExecuteShot, nullptr);
    if (!nextTurn) {
      if (battle_->battleTurnsLeft <= 0 || battle_->finished != 0) {
        flag = 0;
        if (timeout != nullptr) timeout->SetText(L"-");
      }
    } else if (battle_->battleTurnsLeft != turnsBefore || battle_->finished != 0) {
      flag = 0;
      const bool left = battle_->battleTurnsLeft > 0 && battle_->finished == 0;
      for (int id : {kNextTurn, kExecuteShot, kAutoEnd}) SetEnabled(id, left);
      if (timeout != nullptr) timeout->SetText(L"-");
    }
    battle_->stepCountdown = -1.0f;
  };
  countdown(battle_->autoEndRequested, false);
  countdown(battle_->nextTurnRequested, true);

  const int cx = gCursor.MouseX(), cy = gCursor.MouseY();
  const int w = FrontEnd().ScreenWidth(), h = FrontEnd().ScreenHeight();
  if (MouseOverControl() == nullptr && cx >= 0 && cx < w && cy >= 0 && cy < h) {
    const sGuiRect t = GuiRect(kGsEdgeScrollRow);
    float dx = 0.0f, dy = 0.0f;
    if (cx >= t.w || (gScrollKeys & 4) != 0)
      dx = static_cast<float>(time - lastTimeX_) * kEdgeSpeed / gCurrentMapScale;
    else if (cx <= t.x || (gScrollKeys & 1) != 0)
      dx = static_cast<float>(time - lastTimeX_) * -kEdgeSpeed / gCurrentMapScale;
    if (cy >= t.h || (gScrollKeys & 8) != 0) dy = static_cast<float>(time - lastTimeY_) * kEdgeSpeed;
    else if (cy <= t.y || (gScrollKeys & 2) != 0) dy = static_cast<float>(time - lastTimeY_) * -kEdgeSpeed;
    if (dx != 0.0f || dy != 0.0f) {
      currentY_ = std::clamp(currentY_ + static_cast<int>(dy), 0, largestY_);
      currentX_ = std::clamp(currentX_ + static_cast<int>(dx), 0, largestX_);
      ScrollBy(static_cast<int>(dx), static_cast<int>(dy), 2.0f);
    }
  }
  AnimateView(elapsed);
  lastTimeX_ = lastTimeY_ = time;
}

void cSeaBattleMenu::DrawGrid() {
  if (gSprite == nullptr) return;
  cSpriteDrawTarget target(gSprite, nullptr);
  const sDrawTransform saved = target.GetTransform();
  target.SetTransform(transform_);
  gSprite->Begin(D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_TEXTURE);
  const float s = gCurrentMapScale;
  const int ox = static_cast<int>(static_cast<float>(FrontEnd().ScreenWidth()) / (2.0f * s) - currentX_);
  const int oy = static_cast<int>(static_cast<float>(FrontEnd().ScreenHeight()) / (2.0f * s) - currentY_);
  const float depth = gMapSkin.Depth(kLayerUnit);
  const eShipCounterPlace place = battle_->firstSideMoves != 0 ? kCounterFirstSideMoves : kCounterSecondSideMoves;
  for (int r = 0; r < kGridSide; ++r)
    for (int c = 0; c < kGridSide; ++c) {
      const float x = static_cast<float>(ox + kCellWidth * c);
      const float y = static_cast<float>(oy + kCellHeight * r + (c % 2 == 0 ? kEvenColumnDrop : 0));
      Cell(c, r).DrawTile(target, x, y, depth);
      if (cJednostkaMorska* ship = ShipAt(c, r)) ship->DrawCounter(target, x, y, depth, place);
    }
  gSprite->End();
  target.SetTransform(saved);
}

void cSeaBattleMenu::OnRender(float elapsed) {
  if (!GetVisible()) return;
  DrawGrid();
  CFWDialog::OnRender(elapsed);
}
