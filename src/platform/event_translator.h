#pragma once
// Turns SDL events into the window messages the framework handles: keys
// with virtual-key codes and their lparam bits, character messages (also
// for the keys SDL's text input never delivers), mouse buttons with double
// clicks, the wheel in steps of 120, focus, size, paint and close. It keeps
// its own key and button table, since events pushed by tests do not change
// SDL's.
#include <SDL2/SDL.h>

#include <array>
#include <cstdint>
#include <vector>

#include "platform/win_types.h"
#include "platform/window.h"

// The virtual-key code of an SDL key, 0 for keys without one.
int VirtualKeyFromSdl(SDL_Keycode key);

class cEventTranslator {
 public:
  // Appends the messages for one event (none for events without a message).
  // hwnd is the window the event belongs to; windowX, windowY its position
  // on the screen (for the wheel, whose position is in screen coordinates).
  void Translate(const SDL_Event& e, HWND hwnd, int windowX, int windowY, std::vector<MSG>& out);

  bool IsKeyDown(int vk) const { return vk >= 0 && vk < 256 && keys_[vk]; }
  void SetKeyDown(int vk, bool down);
  // The MK_* bits of the buttons held and of Shift and Ctrl.
  WPARAM MouseKeyBits() const;
  // Forgets every held key and button (the window lost the focus).
  void ReleaseAll();
  // Appends a release for every key held, then forgets them and the buttons:
  // for input whose releases never reached the window.
  void ReleaseHeldKeys(HWND hwnd, std::vector<MSG>& out);
  // The longest gap and distance between two clicks of a double click.
  static constexpr uint32_t kDoubleClickMs = 500;
  static constexpr int kDoubleClickDistance = 2;

 private:
  void Key(const SDL_KeyboardEvent& k, HWND hwnd, std::vector<MSG>& out);
  void Button(const SDL_MouseButtonEvent& b, HWND hwnd, std::vector<MSG>& out);

  std::array<bool, 256> keys_{};
  int lastClickButton_ = 0;
  uint32_t lastClickTime_ = 0;
  int lastClickX_ = 0;
  int lastClickY_ = 0;
};
