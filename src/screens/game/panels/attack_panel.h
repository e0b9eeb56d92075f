#pragma once
// The attack panel: the land attack being put together on the map, its
// attackers and defender with their strengths, modifiers and the odds
// column of the combat table. It only shows; the map carries the attack out.
#include <string>

#include "screens/game/panels/panel.h"

struct sAtak;

class cAttackPanel : public cPanel {
 public:
  enum eControl : int {
    kFrame = 451,
    kDefNameLabel = 453,
    kDefName = 454,
    kDefFlag = 455,
    kDefStrengthLabel = 456,
    kDefStrength = 457,
    kDefModLabel = 458,
    kDefMod = 459,
    kDefEffectiveLabel = 460,
    kDefEffective = 461,
    kAttNameLabel = 463,
    kAttNames = 464,
    kAttFlag = 465,
    kAttStrengthLabel = 466,
    kAttStrength = 467,
    kAttModLabel = 468,
    kAttMod = 469,
    kAttEffectiveLabel = 470,
    kAttEffective = 471,
    kColumnLabel = 472,
    kColumn = 473,
    kLast = 473,
  };

  cAttackPanel();
  void Refresh();
  void Move(int dx, int dy) { MoveControls(kFrame, kLast, dx, dy); }

  std::wstring Text(int id);
  std::wstring Hint(int id);
  bool Visible(int id);

 private:
  void Set(int id, const std::wstring& text);
  void SetHintOf(int id, const std::wstring& hint);

  sAtak* attack_ = nullptr;
};
