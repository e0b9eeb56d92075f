#pragma once
// The unit panel: the unit on the selected hex with its picture, name,
// owner, size, level, supply, action points, commander, strength,
// effectiveness and entrenchment, and the row of action icons whose state
// and hint say what the player may do with it now.
#include <string>

#include "framework/texture.h"
#include "screens/game/panels/panel.h"

class cJednostka;

class cUnitPanel : public cPanel {
 public:
  enum eControl : int {
    kFrame = 351,
    kPicture = 352,
    kNameLabel = 353,
    kName = 354,
    kRename = 355,
    kOwnerLabel = 356,
    kFlag = 357,
    kOwner = 358,
    kSizeLabel = 359,
    kSize = 360,
    kUpgrade = 361,
    kLevelLabel = 362,
    kLevel = 363,
    kLevelUp = 364,
    kSupplyLabel = 365,
    kSupply = 366,
    kSupplySource = 367,
    kApLabel = 368,
    kAp = 369,
    kCommanderLabel = 370,
    kCommander = 371,
    kCommanders = 372,
    kStrengthLabel = 373,
    kStrength = 374,
    kReplacements = 375,
    kEffectivenessLabel = 376,
    kEffectiveness = 377,
    kBonusLabel = 378,
    kBonus = 379,
    kDisband = 380,
    kUndo = 381,
    kStrategicMove = 382,
    kAirborneAssault = 383,
    kAmphibious = 384,
    kSeaTransport = 385,
    kAirFight = 386,
    kBombardment = 387,
    kRecon = 388,
    kNuclear = 390,
    kLast = 390,
  };
  // Which dialog opened by the panel waits for its answer.
  enum ePending : int { kNone = 0, kRenamePending = 1, kCommandersPending = 2, kReplacementsPending = 3,
                        kDisbandPending = 4 };
  // The sixteen action icons, in the order the panel lays them out.
  static constexpr int kActionIcons[16] = {kRename,  kUpgrade,       kLevelUp,         kSupplySource,
                                           kCommanders, kReplacements, kDisband,       kUndo,
                                           kStrategicMove, kAirborneAssault, kAmphibious, kSeaTransport,
                                           kAirFight, kBombardment,  kRecon,          kNuclear};

  cUnitPanel();
  void Refresh();
  void Move(int dx, int dy) { MoveControls(kFrame, kLast, dx, dy); }
  void OnEvent(UINT event, int controlId, CFWControl* control) override;
  // Takes the shown unit out of the attack being prepared; the attack ends
  // with its last attacker.
  void RemoveFromAssaultPlan();

  cJednostka* ShownUnit() const { return shown_; }
  int Pending() const { return pending_; }
  // The text of a value box, the state and hint of a control (tests, checks).
  std::wstring Text(int id);
  std::wstring Hint(int id);
  bool Enabled(int id);
  // The picture file the shown unit's picture was loaded from, empty for none.
  const std::wstring& PictureFile() const { return pictureFile_; }
  // The candidate picture files of a unit, in the order they are tried.
  static std::vector<std::wstring> PictureCandidates(const cJednostka& unit, const std::wstring& scenarioFolder);

 private:
  void SetBox(int id, const std::wstring& text, const std::wstring& hint);
  void SetIcon(int id, bool enabled, const std::wstring& hint);
  void LoadPicture(const cJednostka& unit);
  void Disband();
  // Puts the unit on a new ship at the port it stands in or beside; the
  // points are paid only once the port and its sea node are found.
  void LoadOntoShip(int shipType);
  void OpenDialog(cDialog* dialog, int pending);

  cJednostka* shown_ = nullptr;
  int pending_ = kNone;
  int supplyX_ = -1;
  int supplyY_ = -1;
  // "data\scenarios\<name>\Units images\%s".
  std::wstring pictureFolder_;
  std::wstring pictureFile_;
  cTexture picture_;
};
