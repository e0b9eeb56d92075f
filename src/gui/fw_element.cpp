#include "gui/fw_element.h"

#include <cmath>

FWColorValue FWColorFromArgb(D3DCOLOR c) {
  FWColorValue v;
  v.a = static_cast<float>((c >> 24) & 0xFF) / 255.0f;
  v.r = static_cast<float>((c >> 16) & 0xFF) / 255.0f;
  v.g = static_cast<float>((c >> 8) & 0xFF) / 255.0f;
  v.b = static_cast<float>(c & 0xFF) / 255.0f;
  return v;
}

D3DCOLOR FWColorToArgb(const FWColorValue& c) {
  auto channel = [](float f) -> uint32_t {
    if (!(f > 0.0f)) return 0;
    if (f >= 1.0f) return 255;
    return static_cast<uint32_t>(f * 255.0f + 0.5f);
  };
  return D3DColorArgb(channel(c.a), channel(c.r), channel(c.g), channel(c.b));
}

void FWBlendColor::Init(D3DCOLOR defaultColor, D3DCOLOR disabledColor, D3DCOLOR hiddenColor) {
  for (int i = 0; i < kFWStates; ++i) States[static_cast<size_t>(i)] = defaultColor;
  States[FWSTATE_DISABLED] = disabledColor;
  States[FWSTATE_HIDDEN] = hiddenColor;
  Current = FWColorFromArgb(hiddenColor);
}

void FWBlendColor::Blend(uint32_t state, float elapsedTime, float rate) {
  if (state >= static_cast<uint32_t>(kFWStates)) state = FWSTATE_NORMAL;
  const FWColorValue target = FWColorFromArgb(States[state]);
  const float t = rate <= 0.0f ? 1.0f : 1.0f - std::pow(rate, 30.0f * elapsedTime);
  Current.r += (target.r - Current.r) * t;
  Current.g += (target.g - Current.g) * t;
  Current.b += (target.b - Current.b) * t;
  Current.a += (target.a - Current.a) * t;
}

void CFWElement::SetTexture(UINT texture, const RECT* rect, D3DCOLOR defaultColor) {
  iTexture = texture;
  rcTexture = rect != nullptr ? *rect : RECT{};
  TextureColor.Init(defaultColor);
}

void CFWElement::SetFont(UINT font, D3DCOLOR defaultColor, DWORD textFormat) {
  iFont = font;
  dwTextFormat = textFormat;
  FontColor.Init(defaultColor);
}

void CFWElement::Refresh() {
  TextureColor.Current = FWColorFromArgb(TextureColor.States[FWSTATE_NORMAL]);
  FontColor.Current = FWColorFromArgb(FontColor.States[FWSTATE_NORMAL]);
}
