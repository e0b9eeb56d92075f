#pragma once
// One drawable piece of a control: which texture and font of its dialog it
// uses, the text format, the texture rectangle, and a texture and a font
// colour that fade between the colours of the control's states.
#include <array>
#include <cstdint>

#include "platform/win_types.h"

// Control states in the order of the colour tables.
enum FWControlState : uint32_t {
  FWSTATE_NORMAL = 0,
  FWSTATE_DISABLED = 1,
  FWSTATE_HIDDEN = 2,
  FWSTATE_FOCUS = 3,
  FWSTATE_MOUSEOVER = 4,
  FWSTATE_PRESSED = 5,
};
constexpr int kFWStates = 6;

struct FWColorValue {
  float r = 0, g = 0, b = 0, a = 0;
};
FWColorValue FWColorFromArgb(D3DCOLOR c);
// Each channel 0..1 scaled to 0..255 and rounded.
D3DCOLOR FWColorToArgb(const FWColorValue& c);

struct FWBlendColor {
  std::array<D3DCOLOR, kFWStates> States{};
  FWColorValue Current;

  void Init(D3DCOLOR defaultColor, D3DCOLOR disabledColor = 0xC8808080u, D3DCOLOR hiddenColor = 0);
  // Moves the current colour toward the state's colour: by 1 - rate^(30 x
  // elapsed) of the way; a rate of 0 jumps at once.
  void Blend(uint32_t state, float elapsedTime, float rate = 0.7f);
};

struct CFWElement {
  UINT iTexture = 0;
  UINT iFont = 0;
  DWORD dwTextFormat = 0;
  RECT rcTexture;
  FWBlendColor TextureColor;
  FWBlendColor FontColor;

  void SetTexture(UINT texture, const RECT* rect, D3DCOLOR defaultColor = 0xFFFFFFFFu);
  void SetFont(UINT font, D3DCOLOR defaultColor = 0xFFFFFFFFu, DWORD textFormat = 5);
  // Both colours to their normal state at once.
  void Refresh();
};
