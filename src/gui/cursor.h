#pragma once
// The one mouse-state object of the program: the button edges and drags of
// the last mouse callbacks, the control or map object under the mouse, and
// the hint box shown beside the cursor once the mouse has rested long
// enough on something with a hint.
#include <cstdint>
#include <string>

class CFWControl;
class cHoverable;

// Hint texts wrap at this width while they are measured and drawn.
constexpr int kHintWrapWidth = 200;

class cCursor {
 public:
  void Init(int hintOffsetX, int hintOffsetY, int size1, int size2, int hintDelayMs, const wchar_t* hintText);
  int OnMouseButtons(bool left, bool right, int x, int y);
  void SetHintText(const wchar_t* text);
  // How long the pointer rests on a control before its hint shows (ms).
  void SetHintDelay(int milliseconds) { hintDelay_ = milliseconds; }
  void SetHoverControl(CFWControl* control, bool force = false);
  // Returns whether an object was set (its extent taken).
  bool SetHoverObject(cHoverable* object);
  void Update();
  void DrawHintBox(float x, float y);

  CFWControl* HoverControl() const { return hoverControl_; }
  cHoverable* HoverObject() const { return hoverObject_; }
  bool HasHintText() const { return hasHint_; }
  const std::wstring& HintText() const { return hint_; }
  int HintWidth() const { return hintWidth_; }
  int HintHeight() const { return hintHeight_; }
  int HintTimer() const { return hintTimer_; }
  int HintDelay() const { return hintDelay_; }
  int MouseX() const { return mouseX_; }
  int MouseY() const { return mouseY_; }
  // Where the last hint box was drawn (top left), for tests and checks.
  int LastBoxX() const { return lastBoxX_; }
  int LastBoxY() const { return lastBoxY_; }
  int BoxesDrawn() const { return boxesDrawn_; }

  bool leftHeld = false, rightHeld = false;
  bool leftReleased = false, rightReleased = false;
  bool rightPressedNow = false, leftReleasedNow = false;
  int leftPressX = 0, leftPressY = 0, rightPressX = 0, rightPressY = 0;
  int leftDragX = 0, leftDragY = 0, rightDragX = 0, rightDragY = 0;

 private:
  void ClearHint();

  bool leftDown_ = false, rightDown_ = false;
  uint32_t lastTime_ = 0;
  int hintOffsetX_ = 0, hintOffsetY_ = 0;
  int size1_ = 0, size2_ = 0;
  int mouseX_ = 0, mouseY_ = 0;
  uint32_t elapsedTotal_ = 0;
  int hintDelay_ = 0;
  int hintTimer_ = 0;
  int hintWidth_ = 0, hintHeight_ = 0;
  // A copy of the control's hint: the control may change or free its own.
  std::wstring hint_;
  bool hasHint_ = false;
  cHoverable* hoverObject_ = nullptr;
  CFWControl* hoverControl_ = nullptr;
  int lastBoxX_ = 0, lastBoxY_ = 0;
  int boxesDrawn_ = 0;
};

extern cCursor gCursor;
