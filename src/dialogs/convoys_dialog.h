#pragma once
// The convoys dialog: the standing convoys of the country whose impulse it
// is, created between two ports picked on the map, deleted, reordered,
// switched between production and supply and given the amount they carry.
#include <vector>

#include "dialogs/dialog.h"
#include "world/convoys.h"

class cPanstwo;

// Shared with the map's click handler; reset by the dialog's constructor.
extern cPanstwo* gConvoyCountry;
extern int gConvoyDepartureNode;
extern int gConvoyDestinationNode;
// The selected convoy is kept by its id: the convoy list is a vector that
// grows and shrinks while the dialog is open. 0 when none.
extern int gSelectedConvoyId;
extern int gSelectedConvoyIndex;

class cDialogKonwojow : public cDialog {
 public:
  static constexpr int kImage = 941, kTitle = 942, kListLabel = 943, kList = 944, kNew = 945, kMoveUp = 946,
                       kMoveDown = 947, kDelete = 950, kTypeLabel = 951, kProduction = 952, kSupply = 953,
                       kAmountText = 954, kAmount = 955, kExit = 956;

  cDialogKonwojow();
  void FillList(int selectId);
  void UpdateControls();
  void CreateConvoyFromPicks();
  void OnEvent(UINT event, int controlId, CFWControl* control) override;

  // The selected convoy, looked up by its id in the country's list; null
  // when none is selected or it is gone.
  sKonwoj* SelectedConvoy();
  // The most a convoy of its kind may carry.
  static int MaxAmount(const cPanstwo& country, const sKonwoj& convoy);

 private:
  std::vector<sKonwoj>* List();
};
