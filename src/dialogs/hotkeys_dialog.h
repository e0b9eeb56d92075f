#pragma once
// The keys of the game screen, two columns in a list, with a close button.
// The texts are fixed English, whatever the language of the string base.
#include "dialogs/dialog.h"

class cDialogSkrotowKlawiszowych : public cDialog {
 public:
  enum eControl : int { kDialog = 667, kTitle = 665, kList = 672, kClose = 673 };
  static constexpr int kRows = 19;
  cDialogSkrotowKlawiszowych();
  void OnKeyboard(UINT key, bool keyDown, bool altDown) override;
  void OnEvent(UINT event, int controlId, CFWControl* control) override;
};

// The list's rows, "key|description", in their order.
extern const wchar_t* const kHotKeyRows[cDialogSkrotowKlawiszowych::kRows];
