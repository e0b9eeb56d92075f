#pragma once
// The units manager: the units of one country, one class at a time (land,
// air, naval), as they stand on the map or as they wait in the reserve
// pools. A unit on the map is found and selected; a reserve unit is
// deployed: the dialog hides itself while the player picks a marked hex,
// and the game hands back to it after the deployment.
#include <cstdint>

#include "dialogs/dialog.h"

class cPanstwo;
class cUnit;
class CFWListBox;

// Kept across openings of the dialog, never saved.
extern uint32_t gUnitsMgrLandTypeMask;
extern uint32_t gUnitsMgrAirTypeMask;
extern uint32_t gUnitsMgrNavalTypeMask;
extern bool gUnitsMgrAutoCenter;
extern int gUnitsMgrMode;  // 0 units on the map, 1 units to deploy
// The unit of the selected row: the unit the map click deploys.
extern cUnit* gUnitsMgrSelectedUnit;

void SetMaskBit(uint32_t& mask, int bit, bool on);

class cDialogJednostek : public cDialog {
 public:
  static constexpr int kTitle = 481, kClassTabs = 483, kLandFirst = 484, kAirFirst = 491, kNavalFirst = 494,
                       kNavalLast = 499, kList = 501, kAction = 502, kAutoCenter = 503, kModeTabs = 504,
                       kClose = 505;

  explicit cDialogJednostek(int countryId);
  void FillList(int unitId);
  void SelectUnitRow(int unitId);
  void OnEvent(UINT event, int controlId, CFWControl* control) override;
  void OnKeyboard(UINT key, bool keyDown, bool altDown) override;
  void OnResume() override;

  CFWListBox* List();

 private:
  int ActiveClass();
  void CenterOn(const cUnit& unit);

  cPanstwo* country_ = nullptr;
};
