#pragma once
// The research dialog: the current country invests production points in six
// of its technology categories, one investment level (0-3) at a time. The
// research itself advances in the monthly turn processing.
#include "dialogs/dialog.h"

class cPanstwo;

class cDialogResearchu : public cDialog {
 public:
  static constexpr int kDialogId = 790;
  static constexpr int kTitle = 792;
  static constexpr int kClose = 800;
  static constexpr int kNames = 1000, kLevels = 1010, kPictures = 1020, kProgress = 1030, kPrices = 1040,
                       kInvest = 1050;
  static constexpr int kRows = 6;
  // The category shown in each row; category 2 (doctrine) is not researched.
  static constexpr int kRowCategory[kRows] = {0, 1, 3, 4, 5, 6};

  cDialogResearchu();
  void RefreshResearch();
  void OnEvent(UINT event, int controlId, CFWControl* control) override;
  void OnKeyboard(UINT key, bool keyDown, bool altDown) override;

  // The price of one investment level of a category: what the part of the
  // level still to research costs. A category that needs no points (0 in
  // the scenario) has nothing left to pay for.
  static float InvestmentPrice(const cPanstwo& country, int category);

  float Price(int category) const { return price_[category]; }

 private:
  void SetPicture(int row, int level);

  cPanstwo* country_ = nullptr;
  float price_[7] = {};
};
