#pragma once
// Asks which orientation a country moves to, in elections or in a change of
// orientation: the three orientations open to it, a random pick among them
// and cancel. The choice goes to the answer target, which applies it.
#include "dialogs/dialog.h"

class cPanstwo;
class CFWButton;

// The orientation chosen last: 0..5, 6 for none.
extern int gOrientationChoice;
constexpr int kNoOrientationChoice = 6;

class cDialogWyborow : public cDialog {
 public:
  enum eControl : int {
    kDialog = 930,
    kTitle = 932,
    kText = 933,
    kFirstChoiceRow = 934,
    kRandomRow = 937,
    kCancel = 938,
    kRandom = 10212,
  };

  cDialogWyborow(cPanstwo* country, bool elections);
  void OnEvent(UINT event, int controlId, CFWControl* control) override;

  // The ids of the choice buttons, -1 where there is none.
  int ChoiceId(int index) const;

 private:
  cPanstwo* country_;
  CFWButton* choices_[3] = {nullptr, nullptr, nullptr};
};
