#pragma once
// The convoys of one country that sailed at the end of the turn, one row
// each, with the details of the selected row.
#include "dialogs/dialog.h"

class cPanstwo;

class cDialogWynikuKonwojow : public cDialog {
 public:
  enum eControl : int {
    kDialog = 960,
    kTitle = 962,
    kFlag = 963,
    kListLabel = 964,
    kList = 965,
    kDetailsLabel = 966,
    kDetails = 967,
    kExit = 968,
  };
  explicit cDialogWynikuKonwojow(cPanstwo* country);
  void OnEvent(UINT event, int controlId, CFWControl* control) override;
  void OnKeyboard(UINT key, bool keyDown, bool altDown) override;

 private:
  void ShowSelectedDetails();
  cPanstwo* country_;
};
