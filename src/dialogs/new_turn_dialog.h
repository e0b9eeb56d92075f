#pragma once
// Greets a country played here at the start of its impulse: its name and
// flag, with a drum roll. Any click, Enter or Esc closes it.
#include "dialogs/dialog.h"

class cDialogNowejTury : public cDialog {
 public:
  enum eControl : int { kDialog = 730, kFlag = 732, kTitle = 733 };
  explicit cDialogNowejTury(int countryId);
  void Render(float elapsed) override;
  void OnKeyboard(UINT key, bool keyDown, bool altDown) override;
  void OnMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheelDelta, int x, int y) override;
  int CountryId() const { return countryId_; }

 private:
  int countryId_;
};
