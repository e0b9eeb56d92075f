// A dialog as the player sees it, drawn with the shipped GUI picture and
// fonts: a combo box with its list open over a list box with columns, a
// sorted column and two selected rows. The frame is read back and written
// as PNG (into $BRENNMARK_SCREENSHOT_DIR when set, to be looked at).
#include <SDL2/SDL_image.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "gui/fw_combobox.h"
#include "gui/fw_listbox.h"
#include "gui_test_support.h"

namespace {

constexpr int kW = 640, kH = 400;

class ListsScreenshot : public ::testing::Test {
 protected:
  void SetUp() override {
    (void)sdl_test::kDummyDrivers;
    ASSERT_TRUE(PlatformInitVideo());
    FlushMessageQueue();
    RegisterWindowClass(L"ShotClass", CS_DBLCLKS, &sdl_test::RecordingProc);
    hwnd = CreatePlatformWindow(L"ShotClass", L"lists", 0, 0, 0, kW, kH);
    ASSERT_NE(hwnd, nullptr);
    gui_test::LoadShippedLayout();
    CFWDialog::ClearFocus();
    D3DPRESENT_PARAMETERS pp;
    pp.Windowed = 1;
    pp.BackBufferWidth = kW;
    pp.BackBufferHeight = kH;
    ASSERT_EQ(cPlatformDevice::Create(hwnd, pp, &device), S_OK);
    FWSetD3DDevice(device);
    D3DSURFACE_DESC desc;
    desc.Width = kW;
    desc.Height = kH;
    FWSetBackBufferSurfaceDesc(desc);
    rm = GetGlobalDialogResourceManager();
    rm->ClearForTests();
    ASSERT_EQ(rm->OnCreateDevice(device), S_OK);
  }
  void TearDown() override {
    CFWDialog::ClearFocus();
    gCursor.SetHoverControl(nullptr);
    rm->ClearForTests();
    FWSetD3DDevice(nullptr);
    if (device != nullptr) device->Release();
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
    UnregisterWindowClass(L"ShotClass");
    FlushMessageQueue();
  }
  uint32_t At(int x, int y) { return sdl_test::PixelAt(device, x, y); }

  HWND hwnd = nullptr;
  cPlatformDevice* device = nullptr;
  CFWDialogResourceManager* rm = nullptr;
};

bool Near(uint32_t argb, int r, int g, int b) {
  return std::abs(static_cast<int>((argb >> 16) & 0xFF) - r) <= 3 && std::abs(static_cast<int>((argb >> 8) & 0xFF) - g) <= 3 &&
         std::abs(static_cast<int>(argb & 0xFF) - b) <= 3;
}

TEST_F(ListsScreenshot, OpenComboOverAListWithColumnsAndASelection) {
  CFWDialog dialog;
  dialog.SetTexture(0, Utf8ToWide(std::string(BRENNMARK_SOURCE_DIR) + "/data/gfx/GUI.png").c_str());
  dialog.SetLocation(0, 0);
  dialog.SetSize(kW, kH);
  dialog.SetBackgroundColors(0xFF1E2430u);

  CFWListBox* list = nullptr;
  ASSERT_EQ(dialog.AddListBox(1, CFWListBox::kMultiSelection, &list), S_OK);
  list->SetLocation(20, 80);
  list->SetSize(600, 300);
  list->SetColumns(4, L"Fleet;Ships;HP;Strength", {40, 15, 25, 20});
  list->SetColumnSortTypes(4, 1, 3, 4, 5);
  list->SetColumnHints(L"Name of the fleet;Ships in it;Hit points;Combat strength");
  const wchar_t* rows[] = {L"Home Fleet;12;80% (40/50);31.5",  L"Channel Squadron;4;100% (12/12);9.0",
                           L"Baltic Group;7;55% (22/40);14.2", L"North Sea Patrol;3;90% (9/10);6.8",
                           L"Reserve Flotilla;9;35% (14/40);4.1", L"Atlantic Raiders;2;75% (6/8);7.7"};
  for (const wchar_t* r : rows) list->AddItem(r, nullptr);
  list->GetColumn(1)->nSortDirection = 1;
  list->SortByColumn(1);  // ships, most first
  list->SelectItem(1, false);
  list->SelectItem(3, false);
  ASSERT_EQ(list->GetItem(0)->Texts[0], L"Home Fleet");

  CFWComboBox* combo = nullptr;
  ASSERT_EQ(dialog.AddComboBox(2, 360, 20, 240, 30, 0, false, &combo), S_OK);
  for (const wchar_t* s : {L"800 x 600", L"1024 x 768", L"1280 x 1024", L"1600 x 1200", L"1920 x 1080"})
    combo->AddItem(s, nullptr);
  combo->SetSelectedByIndex(1);
  // Opened by a click on the field; the highlight moved one down.
  dialog.MsgProc(nullptr, WM_LBUTTONDOWN, 0, MakeLParam(440, 35));
  dialog.MsgProc(nullptr, WM_LBUTTONUP, 0, MakeLParam(440, 35));
  ASSERT_TRUE(combo->IsOpened());
  dialog.MsgProc(nullptr, WM_KEYDOWN, VK_DOWN, 0);

  device->Clear(0xFF000000u);
  dialog.OnRender(10.0f);

  std::vector<uint32_t> px;
  int w = 0, h = 0;
  ASSERT_TRUE(device->ReadPixels(px, w, h));
  ASSERT_EQ(w, kW);
  ASSERT_EQ(h, kH);
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(px.data(), w, h, 32, w * 4, SDL_PIXELFORMAT_ARGB8888);
  ASSERT_NE(s, nullptr);
  const char* dir = std::getenv("BRENNMARK_SCREENSHOT_DIR");
  cTempDir tmp("shot");
  const std::string path = (dir != nullptr ? std::string(dir) : tmp.File("").string()) + "/lists.png";
  EXPECT_EQ(IMG_SavePNG(s, path.c_str()), 0);
  SDL_FreeSurface(s);

  // The selection bar of the skin behind the selected rows and the open
  // list's highlight, the field's colour elsewhere.
  const RECT& selected = list->GetItem(3)->rcActive;
  EXPECT_TRUE(Near(At(selected.right - 3, (selected.top + selected.bottom) / 2), 90, 74, 40));
  const RECT& plain = list->GetItem(2)->rcActive;
  EXPECT_FALSE(Near(At(plain.right - 3, (plain.top + plain.bottom) / 2), 90, 74, 40));
  const RECT& focused = combo->GetItem(2)->rcActive;
  EXPECT_TRUE(Near(At(focused.right - 2, (focused.top + focused.bottom) / 2), 90, 74, 40));
  // Text is drawn in the first row: some light pixels in its first cell.
  auto light = [](uint32_t c) { return ((c >> 16) & 0xFF) > 150 && ((c >> 8) & 0xFF) > 150 && (c & 0xFF) > 150; };
  const RECT& first = list->GetItem(0)->rcActive;
  int bright = 0;
  for (int y = first.top; y < first.bottom; ++y)
    for (int x = first.left; x < first.left + 80; ++x) bright += light(px[static_cast<size_t>(y) * kW + x]) ? 1 : 0;
  EXPECT_GT(bright, 5);
}

}  // namespace
