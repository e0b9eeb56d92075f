#pragma once
// The fleets dialog: the fleets of the country whose impulse it is at one
// sea node and the ships of the selected fleet, with every fleet and ship
// command. Commands that need a target hide the dialog and hand the pick
// to the map, whose click handler reads the selection through the
// accessors and resumes the dialog afterwards.
#include <memory>
#include <vector>

#include "dialogs/dialog.h"

class cJednostkaMorska;
class cTexture;
struct sFlota;
struct sWezelGrafuMorz;

class cDialogFlot : public cDialog {
 public:
  static constexpr int kTitle = 551, kPicture = 552, kFleetsLabel = 553, kFleets = 555, kRenameFleet = 556,
                       kMoveFleet = 557, kActive = 558, kFormationLabel = 559, kRegular = 560, kRaiders = 561,
                       kShipsLabel = 562, kShipsHint = 563, kShips = 564, kNewFleet = 566, kMoveGroup = 567,
                       kRenameShip = 568, kCommander = 569, kRepair = 570, kDisband = 571, kUnload = 572,
                       kRecon = 573, kAirStrike = 574, kBombard = 575, kCargoLabel = 576, kCargo = 577,
                       kClose = 578;
  // What the dialog waits for an answer to.
  enum ePending : int {
    kNone = 0,
    kRenameFleetAnswer = 1,
    kRenameShipAnswer = 2,
    kMoveShipsAnswer = 3,
    kBombardPick = 5,
    kAirStrikePick = 6,
    kReconPick = 7,
    kUnloadPick = 8,
    kCommanderAnswer = 9,
  };

  explicit cDialogFlot(int seaNodeId);
  ~cDialogFlot() override;

  int FillFleetList(int restoreSelection);
  void ShowFleet();
  void ReloadUnits();
  void ShowUnit();

  void OnEvent(UINT event, int controlId, CFWControl* control) override;
  void OnKeyboard(UINT key, bool keyDown, bool altDown) override;
  void OnResume() override;

  // Null when nothing is selected; an index past the end gives the last.
  sFlota* GetSelectedFleet(unsigned index) const;
  cJednostkaMorska* GetSelectedShip(unsigned index) const;
  void DeselectFleet(const sFlota* fleet);

  const std::vector<sFlota*>& SelectedFleets() const { return fleets_; }
  const std::vector<cJednostkaMorska*>& SelectedShips() const { return ships_; }
  int Pending() const { return pending_; }
  sWezelGrafuMorz* Node() const { return node_; }

 private:
  void SetButton(int id, bool enabled, const char* hint);
  void LoadPicture(const cJednostkaMorska& ship);
  void Split();
  void Disband();
  void DisbandConfirmed();
  int CountryId() const;

  sWezelGrafuMorz* node_ = nullptr;
  std::vector<sFlota*> fleets_;
  std::vector<cJednostkaMorska*> ships_;
  int pending_ = kNone;
  std::unique_ptr<cTexture> picture_;
};
