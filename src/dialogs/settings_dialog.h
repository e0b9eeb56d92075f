#pragma once
// The preferences: display mode, frame-rate limit, skins, map and unit
// display options, border colour, fog of war, the fifteen delays, the
// sea-battle timeout, the end-turn question and the volumes, on six tabs.
// Every change takes effect and is set in the Settings.ini store at once;
// OK writes the file and is the only way out.
#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/dialog.h"

struct sBorderColour {
  uint32_t colour;  // A R G B from the high byte down
  const wchar_t* name;
};
constexpr int kBorderColours = 148;
extern const sBorderColour kBorderColourTable[kBorderColours];
// The index the colour combo box selects for a colour: the last entry of
// that colour (Cyan over Aqua), else 0.
int BorderColourIndex(uint32_t colour);

struct sDisplayMode {
  int index = 0;
  int width = 0;
  int height = 0;
  uint8_t flag = 0;
};
// The modes of the display that have a layout table, by width then height;
// each settings dialog fills it again.
extern std::vector<sDisplayMode> displayModes;

class cDialogUstawien : public cDialog {
 public:
  enum eControl : int {
    kDialog = 82,
    kTabs = 83,
    kResolutionLabel = 84,
    kResolution = 85,
    kWindowed = 86,
    kFpsLabel = 87,
    kFps = 88,
    kUnitsSkinLabel = 90,
    kUnitsSkin = 91,
    kDynamicUnits = 92,
    kShowUnitNames = 95,
    kMapSkinLabel = 96,
    kMapSkin = 97,
    kShowGrid = 98,
    kShowWeather = 99,
    kShowCityNames = 100,
    kShowSeaZoneNames = 101,
    kShowApLeft = 102,
    kBorderLabel = 103,
    kBorderColour = 104,
    kBorderPreviewFirst = 105,  // to 110
    kVisibilityLabel = 111,
    kVisibilityValue = 112,
    kVisibility = 113,
    kSeaBattleLabel = 144,
    kSeaBattleValue = 145,
    kSeaBattle = 146,
    kAlliesActions = 147,
    kSfxLabel = 148,
    kSfxValue = 149,
    kSfx = 150,
    kMusicLabel = 151,
    kMusicValue = 152,
    kMusic = 153,
    kConfirmEndTurn = 154,
    kOk = 171,
  };
  cDialogUstawien();
  void OnEvent(UINT event, int controlId, CFWControl* control) override;

  static void DetectResolutions();
  static void AddModeIfLayoutExists(const sDisplayMode& mode);
  void FillBorderColours();
  void UpdateDelayLabels();
  void UpdateVisibilityLabel();
  void UpdateVolumeLabels();
  void UpdateSeaBattleDelayLabel();

 private:
  void FillSkinList(int listId, const wchar_t* prefix, const std::wstring& current);
  void UpdateBorderPreview();
  void SetLabel(int id, const std::wstring& text);
  int SliderValue(int id);
  bool Checked(int id);
  void OnDelaySlider(int row);
  void ApplyDisplayMode();
  void OnOk();
};
