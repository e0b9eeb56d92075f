#pragma once
// The developer's dialog (F12): switches a country between computer and
// human control, sets its production and diplomatic points and fires a
// scenario event by id. Every change is filed as a turn report of kind 30
// for every country.
#include <string>

#include "dialogs/dialog.h"

class cPanstwo;

// The event id to fire; kept across openings of the dialog.
extern int gCheatEventId;

class cDialogCheatow : public cDialog {
 public:
  static constexpr int kCountries = 632, kAi = 634, kHuman = 635, kProduction = 636, kDiplomacy = 637,
                       kEventId = 638, kFire = 639, kClose = 640;
  static constexpr int kCheatReportKind = 30;

  cDialogCheatow();
  void FillValues();
  static void AddCheatReport(const std::wstring& text);
  void OnEvent(UINT event, int controlId, CFWControl* control) override;

  cPanstwo* Country() const { return country_; }

 private:
  // The edit box's text as a decimal integer, 0 when it is not one.
  int ReadNumber(int controlId);

  cPanstwo* country_ = nullptr;
  // While the values are written into the boxes their change events are
  // not edits of the player.
  bool filling_ = false;
};
