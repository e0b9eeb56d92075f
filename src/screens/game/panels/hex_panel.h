#pragma once
// The hex panel: what stands on the selected hex (city, port, resources or
// sea zone) with its supply, production and victory points, the terrain,
// controller, owner, fortification and weather; and the one action of the
// panel, building an artificial harbour on a friendly empty coastal hex.
#include <string>

#include "screens/game/panels/panel.h"

struct sHex;
class cPanstwo;

class cHexPanel : public cPanel {
 public:
  enum eControl : int {
    kFrame = 401,
    kNameLabel = 402,
    kName = 403,
    kInfoLabel = 404,
    kInfo = 405,
    kSupplyLabel = 406,
    kSupply = 407,
    kProductionLabel = 408,
    kProduction = 409,
    kVictoryLabel = 410,
    kVictory = 411,
    kControllerLabel = 412,
    kController = 413,
    kOwnerLabel = 414,
    kOwner = 415,
    kFortLabel = 416,
    kFort = 417,
    kWeatherLabel = 418,
    kWeather = 419,
    kHarbour = 421,
    kLast = 421,
  };
  // The info panel's weather picture.
  static constexpr int kInfoWeatherImage = 420;

  cHexPanel();
  void Refresh();
  void Move(int dx, int dy) { MoveControls(kFrame, kLast, dx, dy); }
  void OnEvent(UINT event, int controlId, CFWControl* control) override;

  // Whether the acting country may build a harbour on the hex now; the
  // refusal's text, or the hint of the build, goes to hint.
  static bool CanBuildHarbour(const sHex& hex, const cPanstwo& acting, std::wstring& hint);

  std::wstring Text(int id);
  std::wstring Hint(int id);
  bool Enabled(int id);

 private:
  void Set(int id, const std::wstring& text);
};

// The artificial harbour's name from a country's name template with its one
// number; a template without a number conversion is used as it stands.
std::wstring FormatHarbourName(const std::wstring& pattern, int number);
