#pragma once
// The diplomacy panel: the country that controls the selected hex with its
// unrest, war economy, alliance, regime, zone of influence, political
// strength and enemies; and the diplomatic actions open to the acting
// country against it, or for itself.
#include <string>

#include "screens/game/panels/panel.h"

class cPanstwo;

class cDiplomacyPanel : public cPanel {
 public:
  enum eControl : int {
    kFrame = 601,
    kDeclareWar = 602,
    kPressure = 603,
    kCoup = 604,
    kLowerEntry = 605,
    kRaiseEntry = 606,
    kElections = 607,
    kChangeOrientation = 608,
    kCountryLabel = 609,
    kFlag = 610,
    kCountry = 611,
    kUnrestLabel = 612,
    kUnrest = 613,
    kWarEconomyLabel = 614,
    kWarEconomy = 615,
    kAllianceLabel = 616,
    kAlliance = 617,
    kEntryLabel = 618,
    kEntry = 619,
    kOrientationLabel = 620,
    kOrientation = 621,
    kZoneLabel = 622,
    kZone = 623,
    kStrengthLabel = 624,
    kStrength = 625,
    kWarWithLabel = 626,
    kWarWith = 627,
    kLast = 627,
  };
  enum ePending : int { kNone = 0, kWarQuestion = 1, kElectionsChoice = 2, kOrientationChoice = 3 };

  cDiplomacyPanel();
  void Refresh();
  void Move(int dx, int dy) { MoveControls(kFrame, kLast, dx, dy); }
  void OnEvent(UINT event, int controlId, CFWControl* control) override;

  // The result text of a declaration of war by its case number.
  static std::wstring DeclareWarResultText(int result, const cPanstwo& acting, const cPanstwo& shown);

  int Pending() const { return pending_; }
  cPanstwo* Shown() const { return shown_; }
  std::wstring Text(int id);
  std::wstring Hint(int id);
  bool Enabled(int id);
  bool Visible(int id);

 private:
  void Set(int id, const std::wstring& text);
  void ShowResult(const std::wstring& text, const std::wstring& title, int depth);

  cPanstwo* shown_ = nullptr;
  cPanstwo* acting_ = nullptr;
  int pending_ = kNone;
};
