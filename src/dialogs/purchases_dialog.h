#pragma once
// The purchases dialog: the current country spends production points on
// land, air and naval units, which enter its reserve pools, and on
// strategic movement, sea transport and amphibious points.
#include <memory>

#include "dialogs/dialog.h"

class cPanstwo;
class CFWListBox;
class cJednostkaLadowa;
class cJednostkaLotnicza;
class cJednostkaMorska;

class cDialogZakupow : public cDialog {
 public:
  static constexpr int kDialogId = 740;
  static constexpr int kTitle = 741, kTabs = 743, kItemsLabel = 744, kList = 745, kLevel1 = 746, kCostLabel = 751,
                       kCost = 752, kAvailableLabel = 753, kAvailable = 754, kImage = 755, kBuy = 756, kExit = 757;
  // Item codes: 0-6 land types 0-6, 7-9 air types 20-22, 10-13 naval types
  // 40-43, 14 strategic movement, 15 sea transport, 16 amphibious points.
  static constexpr int kItemCount = 17;
  static const int kItems[kItemCount];

  cDialogZakupow();
  ~cDialogZakupow() override;
  void Render(float elapsed) override;
  void OnEvent(UINT event, int controlId, CFWControl* control) override;
  void OnKeyboard(UINT key, bool keyDown, bool altDown) override;

  // The price tables of a country, as the dialog computes them when it opens.
  static float LandPrice(const cPanstwo& c, int type, int level);
  static float AirPrice(const cPanstwo& c, int type, int level);
  static float NavalPrice(const cPanstwo& c, int type);
  static float PointsPrice(const cPanstwo& c, int item);

  int SelectedLevel() const { return level_; }
  int SelectedItem() const { return item_ != nullptr ? *item_ : -1; }
  float CurrentPrice() const { return price_; }
  CFWListBox* List();

 private:
  void FillList();
  void UpdateSelection();
  void UpdateLevelButtons(int techLevel);
  // Makes the template of the item's kind a fresh unit of the item.
  void ResetTemplate(int item);
  void Buy();
  // The technology level that limits the item's levels, -1 for items
  // without levels.
  int ItemTechLevel(int item) const;

  cPanstwo* country_ = nullptr;
  float land_[7][5] = {};
  float air_[3][5] = {};
  float naval_[4] = {};
  float points_[3] = {};
  int level_ = 1;
  const int* item_ = nullptr;
  float price_ = 0.0f;
  // The units shown as the preview, one of each kind; not in the game.
  std::unique_ptr<cJednostkaLadowa> landTemplate_;
  std::unique_ptr<cJednostkaLotnicza> airTemplate_;
  std::unique_ptr<cJednostkaMorska> navalTemplate_;
};
