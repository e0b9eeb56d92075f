#pragma once
// The vertical scroll bar embedded in the combo box, the list box and the
// memo.
#include "gui/fw_control.h"
#include "platform/text_layout.h"

// Lines a control scrolls per notch of the mouse wheel (the desktop's usual setting).
constexpr int kFWWheelScrollLines = 3;

// The glyph metrics of an element's font in its dialog, null without a font
// (no device yet).
const cTextMetrics* FWElementMetrics(CFWDialog* dialog, const CFWElement* element);

class CFWScrollBar : public CFWControl {
 public:
  explicit CFWScrollBar(CFWDialog* dialog = nullptr);
  bool HandleKeyboard(UINT, WPARAM, LPARAM) override { return false; }
  bool HandleMouse(UINT msg, POINT pt, WPARAM wParam, LPARAM lParam) override;
  void Render(cPlatformDevice* device, float elapsedTime) override;
  void UpdateRects() override;

  void SetTrackRange(int start, int end);
  void SetPageSize(int size);
  void Scroll(int delta);
  void ShowItem(int index);
  int GetTrackPos() const { return m_nPosition; }
  void SetTrackPos(int position);
  int GetPageSize() const { return m_nPageSize; }
  int GetTrackStart() const { return m_nStart; }
  int GetTrackEnd() const { return m_nEnd; }
  // The held arrow steps after 0.33 seconds and then every 0.05 seconds
  // while the mouse stays on it; now is framework time in seconds.
  void UpdateArrow(double now);
  static bool ThumbDragging() { return s_bDrag; }

  bool m_bShowThumb = true;
  RECT m_rcUpButton{}, m_rcDownButton{}, m_rcTrack{}, m_rcThumb{};
  int m_nPosition = 0;
  int m_nPageSize = 1;
  int m_nStart = 0;
  int m_nEnd = 1;
  POINT m_LastMouse{};
  int m_Arrow = 0;  // 0 none, 1 up held, 2 down held
  double m_dArrowTS = 0;

 private:
  void UpdateThumbRect();
  void Cap();
  bool m_bArrowRepeating = false;  // the first delay has passed
  static bool s_bDrag;
  static int s_nThumbOffsetY;
};
