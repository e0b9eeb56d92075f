#pragma once
// Buying replacement strength points for one land or air unit with the
// owner's production points: a slider picks the points, the dialog shows
// the strength after replacement, the cost and the points available.
#include "dialogs/dialog.h"

class cJednostka;
struct sConsts;

// The replacement cost factor of the unit's type: the land table for land
// units, the air table for air units; 0 for other units.
float ReplacementCostFactor(const sConsts& consts, const cJednostka& unit);

class cDialogUzupelnien : public cDialog {
 public:
  enum eControl : int {
    kDialog = 840,
    kTitle = 842,
    kStrengthLabel = 843,
    kStrength = 844,
    kCostLabel = 845,
    kCost = 846,
    kAvailableLabel = 847,
    kAvailable = 848,
    kSlider = 849,
    kMax = 850,
    kOk = 851,
    kCancel = 852,
  };

  explicit cDialogUzupelnien(cJednostka* unit);
  void OnEvent(UINT event, int controlId, CFWControl* control) override;
  void OnKeyboard(UINT key, bool keyDown, bool altDown) override;

  float CostOfOnePoint() const { return cost_; }
  int Maximum() const { return maximum_; }
  int Points();
  std::wstring Text(int id);

 private:
  void RefreshTexts();

  cJednostka* unit_;
  float cost_ = 0.0f;
  int maximum_ = 0;
};
