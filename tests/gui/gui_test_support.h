#pragma once
// Helpers of the toolkit's tests: the shipped fonts loaded, a dialog whose
// events are recorded, the mouse and keys fed as window messages, and a
// device with the flat-colour GUI picture: every default element's
// rectangle painted in a colour of its own, so that a pixel of the frame
// tells which element was drawn there.
#include <SDL2/SDL_image.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/cursor.h"
#include "framework/fw_state.h"
#include "gui/fw_dialog.h"
#include "gui/fw_resource_manager.h"
#include "gui/gui_layout.h"
#include "support/sdl_test_support.h"
#include "support/temp_dir.h"

namespace gui_test {

struct sEvent {
  UINT event;
  int id;
  bool operator==(const sEvent& o) const { return event == o.event && id == o.id; }
};

inline std::vector<sEvent>& Events() {
  static std::vector<sEvent> events;
  return events;
}
inline void Record(UINT event, int id, CFWControl*) { Events().push_back({event, id}); }

inline void LoadShippedLayout() {
  LoadGuiLayoutFrom(Utf8ToWide(std::string(BRENNMARK_SOURCE_DIR) + "/data/GUI_1024x768.csv"));
}

// Window messages as the window procedure hands them to a dialog.
inline bool Mouse(CFWDialog& d, UINT msg, int x, int y) { return d.MsgProc(nullptr, msg, 0, MakeLParam(x, y)); }
inline bool Key(CFWDialog& d, UINT msg, int vk) { return d.MsgProc(nullptr, msg, static_cast<WPARAM>(vk), 0); }
inline void Click(CFWDialog& d, int x, int y) {
  Mouse(d, WM_MOUSEMOVE, x, y);
  Mouse(d, WM_LBUTTONDOWN, x, y);
  Mouse(d, WM_LBUTTONUP, x, y);
}

// A toolkit test without a screen: the shipped fonts, no focus left over
// from an earlier test, the events of the dialogs recorded.
class ToolkitTest : public ::testing::Test {
 protected:
  // The fonts are read before the fixtures' own dialogs take their skin.
  ToolkitTest() { LoadShippedLayout(); }
  void SetUp() override {
    Events().clear();
    CFWDialog::ClearFocus();
    CFWDialog::SetPressedControl(nullptr);
    CFWDialog::CancelControlDrag();
    gCursor.Init(20, 20, 16, 40, 0, nullptr);
  }
  void TearDown() override {
    CFWDialog::ClearFocus();
    gCursor.SetHoverControl(nullptr);
  }
};

// The colour of element (type, index) in the flat-colour picture.
inline uint32_t FlatColour(UINT type, UINT index) {
  return 0xFF000000u | ((type * 16 + 8) << 16) | ((index * 9 + 10) << 8) | 0x80u;
}

// Paints every default element of the dialog in its own colour into a
// picture of the skin's size and writes it as PNG.
inline bool WriteFlatPicture(CFWDialog& dialog, const std::string& path) {
  constexpr int kW = 1280, kH = 2048;
  std::vector<uint32_t> px(static_cast<size_t>(kW) * kH, 0xFF000000u);
  for (const auto& h : dialog.m_DefaultElements) {
    const RECT& r = h->Element.rcTexture;
    for (int y = std::max(0, static_cast<int>(r.top)); y < std::min(kH, static_cast<int>(r.bottom)); ++y)
      for (int x = std::max(0, static_cast<int>(r.left)); x < std::min(kW, static_cast<int>(r.right)); ++x)
        px[static_cast<size_t>(y) * kW + x] = FlatColour(h->nControlType, h->iElement);
  }
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(px.data(), kW, kH, 32, kW * 4, SDL_PIXELFORMAT_ARGB8888);
  if (s == nullptr) return false;
  const bool ok = IMG_SavePNG(s, path.c_str()) == 0;
  SDL_FreeSurface(s);
  return ok;
}

// A window, a software device of 320 x 240 known to the framework and the
// resource cache, and the flat-colour picture as the skin of new dialogs.
class RenderTest : public sdl_test::DeviceWindowTest {
 protected:
  RenderTest() {
    backBufferWidth = 320;
    backBufferHeight = 240;
  }
  void SetUp() override {
    sdl_test::DeviceWindowTest::SetUp();
    if (HasFatalFailure()) return;
    LoadShippedLayout();
    Events().clear();
    CFWDialog::ClearFocus();
    CFWDialog::CancelControlDrag();
    FWSetD3DDevice(device);
    D3DSURFACE_DESC desc;
    desc.Width = 320;
    desc.Height = 240;
    FWSetBackBufferSurfaceDesc(desc);
    rm = GetGlobalDialogResourceManager();
    rm->ClearForTests();
    tmp = std::make_unique<cTempDir>("gui");
    flatPath = tmp->File("flat.png").string();
    {
      CFWDialog probe;
      ASSERT_TRUE(WriteFlatPicture(probe, flatPath));
    }
    rm->ClearForTests();
    ASSERT_EQ(rm->OnCreateDevice(device), S_OK);
    device->Clear(0xFF000000u);
  }
  void TearDown() override {
    CFWDialog::ClearFocus();
    gCursor.SetHoverControl(nullptr);
    if (rm != nullptr) rm->ClearForTests();
    FWSetD3DDevice(nullptr);
    sdl_test::DeviceWindowTest::TearDown();
  }
  // A dialog over the whole window drawing with the flat-colour picture.
  void UseFlatPicture(CFWDialog& d) {
    d.SetTexture(0, Utf8ToWide(flatPath).c_str());
    d.SetLocation(0, 0);
    d.SetSize(320, 240);
  }
  // Draws the dialog with the colours settled (a long elapsed time).
  void Draw(CFWDialog& d) {
    device->Clear(0xFF000000u);
    d.OnRender(10.0f);
  }
  uint32_t At(int x, int y) { return sdl_test::PixelAt(device, x, y); }

  CFWDialogResourceManager* rm = nullptr;
  std::unique_ptr<cTempDir> tmp;
  std::string flatPath;
};

// A render test with one dialog over the window, drawn with the flat-colour
// picture, its events recorded; the control under test is placed on it.
class DialogRenderTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    if (HasFatalFailure()) return;
    // Made after the resource cache was reset, so that its indices are valid.
    dialog = std::make_unique<CFWDialog>();
    UseFlatPicture(*dialog);
    dialog->SetCallback(&Record);
  }
  void TearDown() override {
    CFWDialog::ClearFocus();
    dialog.reset();
    RenderTest::TearDown();
  }
  // Hands the control to the dialog, then gives it the id (unless negative),
  // place and size.
  template <class T>
  T* Place(T* control, int id, int x, int y, int w, int h) {
    EXPECT_EQ(dialog->AddControl(control), S_OK);
    if (id >= 0) control->m_ID = id;
    control->SetLocation(x, y);
    control->SetSize(w, h);
    return control;
  }

  std::unique_ptr<CFWDialog> dialog;
};

}  // namespace gui_test
