#include "gui/cursor.h"

#include "core/hoverable.h"
#include "framework/fw_state.h"
#include "framework/fw_util.h"
#include "framework/texture.h"
#include "gui/fw_control.h"
#include "gui/fw_resource_manager.h"
#include "gui/gui_layout.h"
#include "platform/clock.h"
#include "platform/font.h"
#include "platform/sprite.h"

cCursor gCursor;

namespace {

constexpr int kHintMargin = 5;
constexpr int kPiece = 10;
constexpr int kFrameLeft = 190, kFrameTop = 1895;
// The interface font of hints.
constexpr size_t kHintFont = 1;

cPlatformFont* HintFont() {
  const sFontRecord& f = GuiFontTable[kHintFont];
  CFWDialogResourceManager* rm = GetGlobalDialogResourceManager();
  FWFontNode* node = rm->GetFontNode(rm->AddFont(f.face.c_str(), f.height, f.weight));
  return node != nullptr ? node->pFont : nullptr;
}

}  // namespace

void cCursor::Init(int hintOffsetX, int hintOffsetY, int size1, int size2, int hintDelayMs, const wchar_t* hintText) {
  hintOffsetX_ = hintOffsetX;
  hintOffsetY_ = hintOffsetY;
  size1_ = size1;
  size2_ = size2;
  hintDelay_ = hintDelayMs;
  // Time starts now, so that the first update does not count the time
  // since the clock began.
  lastTime_ = GetTickCount();
  elapsedTotal_ = 0;
  hintTimer_ = 0;
  leftDown_ = rightDown_ = false;
  leftHeld = rightHeld = leftReleased = rightReleased = false;
  rightPressedNow = leftReleasedNow = false;
  mouseX_ = mouseY_ = 0;
  leftPressX = leftPressY = rightPressX = rightPressY = 0;
  leftDragX = leftDragY = rightDragX = rightDragY = 0;
  hoverObject_ = nullptr;
  hoverControl_ = nullptr;
  SetHintText(hintText);
}

int cCursor::OnMouseButtons(bool left, bool right, int x, int y) {
  mouseX_ = x;
  mouseY_ = y;
  leftReleasedNow = false;
  if (leftDown_ && !left) {
    leftReleasedNow = true;
    leftHeld = false;
    leftReleased = true;
  } else if (!leftDown_ && left) {
    leftPressX = x;
    leftPressY = y;
    leftHeld = true;
    leftReleased = false;
    leftDragX = leftDragY = 0;
  }
  if (leftHeld) {
    leftDragX = x - leftPressX;
    leftDragY = y - leftPressY;
  }
  leftDown_ = left;

  rightPressedNow = false;
  if (rightDown_ && !right) {
    rightHeld = false;
    rightReleased = true;
  } else if (!rightDown_ && right) {
    rightPressedNow = true;
    rightHeld = true;
    rightPressX = x;
    rightPressY = y;
    rightReleased = false;
    rightDragX = rightDragY = 0;
  }
  rightDown_ = right;
  if (rightHeld) {
    rightDragX = x - rightPressX;
    rightDragY = y - rightPressY;
  }
  return 0;
}

void cCursor::ClearHint() {
  hintTimer_ = 0;
  hintWidth_ = hintHeight_ = 0;
  hint_.clear();
  hasHint_ = false;
}

void cCursor::SetHintText(const wchar_t* text) {
  if (text == nullptr || text[0] == L'\0') {
    ClearHint();
    return;
  }
  hint_ = text;
  hasHint_ = true;
  // Measured wrapped at a fixed width, so that a long hint becomes a box
  // of several lines rather than one line across the screen.
  RECT rc{0, 0, kHintWrapWidth, 20};
  if (cPlatformFont* font = HintFont()) font->DrawText(nullptr, hint_, -1, &rc, DT_CALCRECT | DT_WORDBREAK, 0);
  hintWidth_ = (rc.right - rc.left) + 2 * kHintMargin;
  hintHeight_ = (rc.bottom - rc.top) + 2 * kHintMargin;
}

void cCursor::SetHoverControl(CFWControl* control, bool force) {
  if (control == hoverControl_ && !force) return;
  hoverControl_ = control;
  if (control != nullptr)
    SetHintText(control->GetHint());
  else
    ClearHint();
}

bool cCursor::SetHoverObject(cHoverable* object) {
  hoverObject_ = object;
  if (object == nullptr) return false;
  hintTimer_ = 0;
  hint_.clear();
  hasHint_ = false;
  object->GetHoverExtent(hintWidth_, hintHeight_);
  return true;
}

void cCursor::Update() {
  const uint32_t now = GetTickCount();
  const uint32_t elapsed = now - lastTime_;
  lastTime_ = now;
  elapsedTotal_ += elapsed;
  if (!hasHint_ && hoverObject_ == nullptr) return;
  // The time of this update counts, so that the box shows on the update
  // at which the rest reaches the delay; the timer stops there.
  if (hintTimer_ < hintDelay_) {
    const long long t = static_cast<long long>(hintTimer_) + elapsed;
    hintTimer_ = static_cast<int>(t < hintDelay_ ? t : hintDelay_);
  }
  if (hintTimer_ >= hintDelay_)
    DrawHintBox(static_cast<float>(mouseX_ + hintOffsetX_), static_cast<float>(mouseY_ + hintOffsetY_));
}

void cCursor::DrawHintBox(float xf, float yf) {
  int x = static_cast<int>(xf), y = static_cast<int>(yf);
  const D3DSURFACE_DESC* screen = FWGetBackBufferSurfaceDesc();
  if (x + hintWidth_ > static_cast<int>(screen->Width)) x -= hintOffsetX_ + hintWidth_;
  if (y + hintHeight_ > static_cast<int>(screen->Height)) y -= hintOffsetY_ + hintHeight_;
  lastBoxX_ = x;
  lastBoxY_ = y;
  ++boxesDrawn_;

  cPlatformSprite* sprite = GetGlobalDialogResourceManager()->Sprite();
  if (sprite == nullptr) return;
  sprite->Begin(D3DXSPRITE_ALPHABLEND);
  if (hasHint_) {
    if (cPlatformTexture* gui = gTextures[kGuiTextureHolder].Texture()) {
      const int w = hintWidth_, h = hintHeight_;
      const int cols[3][2] = {{x, kPiece}, {x + kPiece, w - 2 * kPiece}, {x + w - kPiece, kPiece}};
      const int rows[3][2] = {{y, kPiece}, {y + kPiece, h - 2 * kPiece}, {y + h - kPiece, kPiece}};
      for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
          if (cols[c][1] <= 0 || rows[r][1] <= 0) continue;
          const RECT src{kFrameLeft + c * kPiece, kFrameTop + r * kPiece, kFrameLeft + (c + 1) * kPiece,
                         kFrameTop + (r + 1) * kPiece};
          DrawSpriteStretched(sprite, gui, &src, static_cast<float>(cols[c][0]), static_cast<float>(rows[r][0]),
                              static_cast<float>(cols[c][1]), static_cast<float>(rows[r][1]), 0xFFFFFFFFu, 0.1f,
                              false);
        }
    }
    if (cPlatformFont* font = HintFont()) {
      RECT rc{x + kHintMargin, y + kHintMargin, x + hintWidth_ - kHintMargin, y + hintHeight_ - kHintMargin};
      font->DrawText(sprite, hint_, -1, &rc, DT_WORDBREAK | DT_VCENTER, 0xFFFFFFFFu);
    }
  } else if (hoverObject_ != nullptr) {
    sprite->SetTransform(MatrixIdentity());
    hoverObject_->DrawHoverInfo(x, y);
  }
  sprite->End();
}
