#pragma once
// A window with a software device installed as the framework's device and
// a back buffer of 1024 x 768 as the framework reports it; every texture
// holder is released after the test.
#include <string>

#include "core/text.h"
#include "framework/fw_state.h"
#include "framework/texture.h"
#include "support/sdl_test_support.h"

namespace sdl_test {

class FrameworkDeviceTest : public DeviceWindowTest {
 protected:
  void SetUp() override {
    DeviceWindowTest::SetUp();
    if (HasFatalFailure()) return;
    FWSetD3DDevice(device);
    D3DSURFACE_DESC desc;
    desc.Width = 1024;
    desc.Height = 768;
    FWSetBackBufferSurfaceDesc(desc);
  }
  void TearDown() override {
    for (cTexture& t : gTextures) t.Release();
    FWSetD3DDevice(nullptr);
    DeviceWindowTest::TearDown();
  }
  // The shipped GUI picture.
  static std::wstring SkinPath() { return Utf8ToWide(std::string(BRENNMARK_SOURCE_DIR) + "/data/gfx/GUI.png"); }
};

}  // namespace sdl_test
