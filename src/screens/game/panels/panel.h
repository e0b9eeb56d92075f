#pragma once
// The base of the game screen's panels: a dialog that never enters the
// dialog stack, built once per game, folded or not, with the folded flag it
// had before the computer's turn.
#include "dialogs/dialog.h"

class cPanel : public cDialog {
 public:
  // With id > 0 a frame of that id covers the rectangle.
  cPanel(int id, int x, int y, int width, int height);
  // A folded panel draws nothing.
  void Render(float elapsed) override;

  bool IsFolded() const { return m_GuiDialog.GetMinimized(); }
  // Folding also drops the control under the mouse, so that no click or
  // drag stays attached to a control no one sees.
  void SetFolded(bool folded);

  // The folded flag as it was before the computer's turn.
  bool savedFolded = true;

 protected:
  // A picture behind the panel's other controls (an ordinary image lies in
  // front of icons and would hide them).
  void AddBackground(int id, const RECT& source, int x, int y, int width, int height);
  // Shifts the layout entries first..last and the controls among them.
  void MoveControls(int first, int last, int dx, int dy);
};
