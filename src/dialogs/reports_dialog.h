#pragma once
// Reports and statistics: for one country at a time, either statistics
// computed from the game on the spot (a summary, victory points, cities,
// lost ships) or the turn reports the game stored for it.
#include <vector>

#include "dialogs/dialog.h"
#include "world/reports.h"

class cPanstwo;

class cDialogStatystyk : public cDialog {
 public:
  static constexpr int kTitle = 811, kMainTabs = 813, kTypeLabel = 814, kTypes = 815, kCountryLabel = 816,
                       kCountries = 817, kCounter = 818, kSlider = 819, kSubTabs = 820, kTable = 821,
                       kDateLabel = 822, kDate = 823, kMemo = 824, kExit = 826;
  // Computed kinds beside the stored report kinds.
  static constexpr int kGeneralSummary = 28, kVictoryPoints = 29, kLostShips = 33, kCities = 34;

  cDialogStatystyk();
  void FillTypeList(int mainTab);
  void FillCountryList();
  void BuildTab(bool reset);
  void OnEvent(UINT event, int controlId, CFWControl* control) override;
  void OnKeyboard(UINT key, bool keyDown, bool altDown) override;

  int Kind() const { return kind_; }
  cPanstwo* Country() const { return country_; }
  const std::vector<sRaport>& Reports() const { return reports_; }

 private:
  void ShowViewer(bool viewer);
  void SetSubTabs(int kind, std::initializer_list<const wchar_t*> titles);
  void BuildVictoryPoints(int subTab);
  void BuildCities(int subTab);
  void BuildSummary(int subTab);
  void BuildLostShips();
  void BuildStoredReports(bool reset);

  std::vector<sRaport> reports_;
  cPanstwo* country_ = nullptr;
  // The general summary is what the dialog shows before a type is picked.
  int kind_ = kGeneralSummary;
  int subTabKind_ = -1;
};
