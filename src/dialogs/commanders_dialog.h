#pragma once
// Assigning a commander to one unit, or recalling the one it has: the
// unit's present commander, the free commanders of its kind and the others
// of its country with where they are.
#include "dialogs/dialog.h"

class cUnit;
class CFWListBox;

class cDialogDowodcow : public cDialog {
 public:
  enum eControl : int {
    kDialog = 860,
    kTitle = 862,
    kCommanderLabel = 863,
    kCommander = 864,
    kRecall = 865,
    kFreeLabel = 866,
    kFree = 867,
    kOthersLabel = 868,
    kOthers = 869,
    kAssign = 870,
    kExit = 871,
  };

  // A land or air unit from the unit panel, or a ship from the fleets dialog.
  explicit cDialogDowodcow(cUnit* unit);
  void OnEvent(UINT event, int controlId, CFWControl* control) override;
  void OnKeyboard(UINT key, bool keyDown, bool altDown) override;
  void RefreshUnitCommander();
  void FillCommanderLists();

  CFWListBox* List(int id);
  bool Enabled(int id);
  std::wstring Text(int id);

 private:
  // Assign needs a free commander chosen and a unit without one.
  void UpdateAssign();

  cUnit* unit_;
};
