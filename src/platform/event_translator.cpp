#include "platform/event_translator.h"

#include <cstdlib>
#include <string>

#include "core/text.h"
#include "platform/clock.h"

int VirtualKeyFromSdl(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + (key - SDLK_F1);
  if (key >= SDLK_F13 && key <= SDLK_F24) return VK_F1 + 12 + (key - SDLK_F13);
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return VK_NUMPAD0 + 1 + (key - SDLK_KP_1);
  switch (key) {
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_RETURN: case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_LSHIFT: case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL: case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LALT: case SDLK_RALT: return VK_MENU;
    case SDLK_PAUSE: return VK_PAUSE;
    case SDLK_CAPSLOCK: return VK_CAPITAL;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_END: return VK_END;
    case SDLK_HOME: return VK_HOME;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_UP: return VK_UP;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_PRINTSCREEN: return VK_SNAPSHOT;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_LGUI: return VK_LWIN;
    case SDLK_RGUI: return VK_RWIN;
    case SDLK_APPLICATION: return VK_APPS;
    case SDLK_KP_0: return VK_NUMPAD0;
    case SDLK_KP_MULTIPLY: return VK_MULTIPLY;
    case SDLK_KP_PLUS: return VK_ADD;
    case SDLK_KP_MINUS: return VK_SUBTRACT;
    case SDLK_KP_PERIOD: return VK_DECIMAL;
    case SDLK_KP_DIVIDE: return VK_DIVIDE;
    case SDLK_NUMLOCKCLEAR: return VK_NUMLOCK;
    case SDLK_SCROLLLOCK: return VK_SCROLL;
    case SDLK_SEMICOLON: return VK_OEM_1;
    case SDLK_EQUALS: return VK_OEM_PLUS;
    case SDLK_COMMA: return VK_OEM_COMMA;
    case SDLK_MINUS: return VK_OEM_MINUS;
    case SDLK_PERIOD: return VK_OEM_PERIOD;
    case SDLK_SLASH: return VK_OEM_2;
    case SDLK_BACKQUOTE: return VK_OEM_3;
    case SDLK_LEFTBRACKET: return VK_OEM_4;
    case SDLK_BACKSLASH: return VK_OEM_5;
    case SDLK_RIGHTBRACKET: return VK_OEM_6;
    case SDLK_QUOTE: return VK_OEM_7;
    default: return 0;
  }
}

namespace {
// The left or right variant of a modifier, kept beside the generic code.
int SideKey(SDL_Keycode key) {
  switch (key) {
    case SDLK_LSHIFT: return VK_LSHIFT;
    case SDLK_RSHIFT: return VK_RSHIFT;
    case SDLK_LCTRL: return VK_LCONTROL;
    case SDLK_RCTRL: return VK_RCONTROL;
    case SDLK_LALT: return VK_LMENU;
    case SDLK_RALT: return VK_RMENU;
    default: return 0;
  }
}

bool IsExtendedKey(int vk) {
  return (vk >= VK_PRIOR && vk <= VK_DOWN) || vk == VK_INSERT || vk == VK_DELETE || vk == VK_DIVIDE ||
         vk == VK_LWIN || vk == VK_RWIN || vk == VK_APPS || vk == VK_RCONTROL || vk == VK_RMENU;
}

MSG Message(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
  MSG m;
  m.hwnd = hwnd;
  m.message = message;
  m.wParam = w;
  m.lParam = l;
  m.time = GetTickCount();
  return m;
}

int ButtonVk(int sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: return VK_LBUTTON;
    case SDL_BUTTON_RIGHT: return VK_RBUTTON;
    case SDL_BUTTON_MIDDLE: return VK_MBUTTON;
    case SDL_BUTTON_X1: return VK_XBUTTON1;
    case SDL_BUTTON_X2: return VK_XBUTTON2;
    default: return 0;
  }
}
}  // namespace

void cEventTranslator::SetKeyDown(int vk, bool down) {
  if (vk > 0 && vk < 256) keys_[vk] = down;
}

WPARAM cEventTranslator::MouseKeyBits() const {
  WPARAM bits = 0;
  if (keys_[VK_LBUTTON]) bits |= MK_LBUTTON;
  if (keys_[VK_RBUTTON]) bits |= MK_RBUTTON;
  if (keys_[VK_MBUTTON]) bits |= MK_MBUTTON;
  if (keys_[VK_XBUTTON1]) bits |= MK_XBUTTON1;
  if (keys_[VK_XBUTTON2]) bits |= MK_XBUTTON2;
  if (keys_[VK_SHIFT]) bits |= MK_SHIFT;
  if (keys_[VK_CONTROL]) bits |= MK_CONTROL;
  return bits;
}

void cEventTranslator::ReleaseAll() {
  keys_.fill(false);
  lastClickButton_ = 0;
}

void cEventTranslator::ReleaseHeldKeys(HWND hwnd, std::vector<MSG>& out) {
  // Buttons are below VK_BACK; a left or right modifier goes with its generic code.
  for (int vk = VK_BACK; vk < 256; ++vk) {
    if (!keys_[vk] || (vk >= VK_LSHIFT && vk <= VK_RMENU)) continue;
    const LPARAM l = 1 | KF_REPEAT_BIT | KF_UP_BIT | (IsExtendedKey(vk) ? KF_EXTENDED_BIT : 0);
    out.push_back(Message(hwnd, vk == VK_MENU || vk == VK_F10 ? WM_SYSKEYUP : WM_KEYUP, static_cast<WPARAM>(vk), l));
  }
  ReleaseAll();
}

void cEventTranslator::Key(const SDL_KeyboardEvent& k, HWND hwnd, std::vector<MSG>& out) {
  const int vk = VirtualKeyFromSdl(k.keysym.sym);
  if (vk == 0) return;
  const bool down = k.type == SDL_KEYDOWN;
  const bool wasDown = keys_[vk] || k.repeat != 0;
  keys_[vk] = down;
  if (int side = SideKey(k.keysym.sym)) keys_[side] = down;

  const bool alt = keys_[VK_MENU] || (k.keysym.mod & KMOD_ALT) != 0;
  const bool ctrl = keys_[VK_CONTROL] || (k.keysym.mod & KMOD_CTRL) != 0;
  LPARAM l = 1;  // repeat count
  l |= static_cast<LPARAM>(k.keysym.scancode & 0xFF) << 16;
  if (IsExtendedKey(vk) || IsExtendedKey(SideKey(k.keysym.sym))) l |= KF_EXTENDED_BIT;
  if (alt && vk != VK_MENU) l |= KF_ALTDOWN_BIT;
  if (vk == VK_MENU && down) l |= KF_ALTDOWN_BIT;
  if (!down || wasDown) l |= KF_REPEAT_BIT;
  if (!down) l |= KF_UP_BIT;
  // Alt combinations and F10 are system keys; Ctrl+Alt (AltGr) is not.
  const bool system = (alt && !ctrl) || vk == VK_F10;
  UINT msg = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  out.push_back(Message(hwnd, msg, static_cast<WPARAM>(vk), l));
  if (!down) return;

  // SDL's text input never delivers control characters: make them here.
  int ch = 0;
  if (vk == VK_BACK) ch = 8;
  else if (vk == VK_TAB) ch = 9;
  else if (vk == VK_RETURN) ch = 13;
  else if (vk == VK_ESCAPE) ch = 27;
  else if (ctrl && !alt && vk >= 'A' && vk <= 'Z') ch = vk - 'A' + 1;
  if (ch != 0 && !(alt && !ctrl)) out.push_back(Message(hwnd, WM_CHAR, static_cast<WPARAM>(ch), l & ~KF_UP_BIT));
}

void cEventTranslator::Button(const SDL_MouseButtonEvent& b, HWND hwnd, std::vector<MSG>& out) {
  const int vk = ButtonVk(b.button);
  if (vk == 0) return;
  const bool down = b.type == SDL_MOUSEBUTTONDOWN;
  keys_[vk] = down;
  const WPARAM bits = MouseKeyBits();
  const LPARAM pos = MakeLParam(b.x, b.y);
  bool dbl = false;
  if (down) {
    const uint32_t now = GetTickCount();
    const bool classWantsDoubleClicks = hwnd == nullptr || PlatformWindowWantsDoubleClicks(hwnd);
    if (classWantsDoubleClicks && lastClickButton_ == b.button && now - lastClickTime_ <= kDoubleClickMs &&
        std::abs(b.x - lastClickX_) <= kDoubleClickDistance && std::abs(b.y - lastClickY_) <= kDoubleClickDistance) {
      dbl = true;
      lastClickButton_ = 0;  // a third click starts a new pair
    } else {
      lastClickButton_ = b.button;
      lastClickTime_ = now;
      lastClickX_ = b.x;
      lastClickY_ = b.y;
    }
  }
  UINT msg = 0;
  WPARAM w = bits;
  switch (b.button) {
    case SDL_BUTTON_LEFT: msg = down ? (dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN) : WM_LBUTTONUP; break;
    case SDL_BUTTON_RIGHT: msg = down ? (dbl ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN) : WM_RBUTTONUP; break;
    case SDL_BUTTON_MIDDLE: msg = down ? (dbl ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN) : WM_MBUTTONUP; break;
    default:
      msg = down ? (dbl ? WM_XBUTTONDBLCLK : WM_XBUTTONDOWN) : WM_XBUTTONUP;
      w |= static_cast<WPARAM>(b.button == SDL_BUTTON_X1 ? 1 : 2) << 16;
      break;
  }
  out.push_back(Message(hwnd, msg, w, pos));
}

void cEventTranslator::Translate(const SDL_Event& e, HWND hwnd, int windowX, int windowY, std::vector<MSG>& out) {
  switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      Key(e.key, hwnd, out);
      break;
    case SDL_TEXTINPUT: {
      for (wchar_t c : Utf8ToWide(e.text.text)) out.push_back(Message(hwnd, WM_CHAR, static_cast<WPARAM>(c), 1));
      break;
    }
    case SDL_MOUSEMOTION:
      if (e.motion.which == SDL_TOUCH_MOUSEID) break;
      out.push_back(Message(hwnd, WM_MOUSEMOVE, MouseKeyBits(), MakeLParam(e.motion.x, e.motion.y)));
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (e.button.which == SDL_TOUCH_MOUSEID) break;
      Button(e.button, hwnd, out);
      break;
    case SDL_MOUSEWHEEL: {
      int steps = e.wheel.y;
      if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) steps = -steps;
      if (steps == 0) break;
      const int delta = steps * WHEEL_DELTA;
      WPARAM w = (static_cast<WPARAM>(static_cast<uint16_t>(delta)) << 16) | MouseKeyBits();
      out.push_back(Message(hwnd, WM_MOUSEWHEEL, w, MakeLParam(windowX + e.wheel.mouseX, windowY + e.wheel.mouseY)));
      break;
    }
    case SDL_WINDOWEVENT:
      switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          out.push_back(Message(hwnd, WM_CLOSE, 0, 0));
          break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
          out.push_back(Message(hwnd, WM_ACTIVATEAPP, 1, 0));
          break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          ReleaseAll();
          out.push_back(Message(hwnd, WM_ACTIVATEAPP, 0, 0));
          break;
        case SDL_WINDOWEVENT_EXPOSED:
          out.push_back(Message(hwnd, WM_PAINT, 0, 0));
          break;
        case SDL_WINDOWEVENT_MINIMIZED:
          out.push_back(Message(hwnd, WM_SIZE, SIZE_MINIMIZED, 0));
          break;
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SIZE_CHANGED: {
          int w = 0, h = 0;
          if (hwnd != nullptr) PlatformWindowClientSize(hwnd, w, h);
          WPARAM kind = e.window.event == SDL_WINDOWEVENT_MAXIMIZED ? SIZE_MAXIMIZED : SIZE_RESTORED;
          if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
            w = e.window.data1;
            h = e.window.data2;
            if (hwnd != nullptr && PlatformWindowIsMaximized(hwnd)) kind = SIZE_MAXIMIZED;
          }
          out.push_back(Message(hwnd, WM_SIZE, kind, MakeLParam(w, h)));
          break;
        }
        default:
          break;
      }
      break;
    default:
      break;
  }
}
