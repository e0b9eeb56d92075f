#include <gtest/gtest.h>

#include "framework/fake_d3d.h"
#include "framework/fw_enumeration.h"
#include "framework/fw_main.h"
#include "support/sdl_test_support.h"

namespace {

class EnumerationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FWResetForTests();
    d3d = new FakeD3D();
    d3d->adapters.push_back(StandardAdapter());
    FWSetD3D(d3d);  // the framework owns it from here
  }
  void TearDown() override { FWResetForTests(); }

  // The options of device creation at start-up.
  static FWMatchOptions StartupOptions() {
    FWMatchOptions o;
    o.eAdapterOrdinal = FWMT_PRESERVE_INPUT;
    o.eWindowed = FWMT_PRESERVE_INPUT;
    o.eResolution = FWMT_CLOSEST_TO_INPUT;
    o.ePresentInterval = FWMT_PRESERVE_INPUT;
    return o;
  }
  static FWDeviceSettings Wanted(bool windowed, uint32_t w, uint32_t h) {
    FWDeviceSettings s;
    s.pp.Windowed = windowed ? 1 : 0;
    s.pp.BackBufferWidth = w;
    s.pp.BackBufferHeight = h;
    s.pp.PresentationInterval = D3DPRESENT_INTERVAL_DEFAULT;
    return s;
  }
  HRESULT Find(FWDeviceSettings& out, const FWDeviceSettings& in, const FWMatchOptions& o) {
    FWPrepareEnumerationObject(true);
    return FWFindValidDeviceSettings(&out, &in, &o);
  }
  FakeD3D* d3d = nullptr;
};

TEST_F(EnumerationTest, AdaptersDeviceTypesAndCombinationsAreListed) {
  d3d->adapters[0].ref = true;
  CFWEnumeration* e = FWPrepareEnumerationObject(true);
  ASSERT_EQ(e->GetAdapterInfoList().size(), 1u);
  const CFWEnumAdapterInfo* a = e->GetAdapterInfoList()[0].get();
  EXPECT_EQ(a->displayModeList.size(), 9u);
  EXPECT_EQ(a->displayModeList.front().Width, 640u);
  EXPECT_EQ(a->displayModeList.back().Width, 1280u);
  ASSERT_EQ(a->deviceInfoList.size(), 2u);
  EXPECT_EQ(a->deviceInfoList[0]->DeviceType, D3DDEVTYPE_HAL);
  EXPECT_EQ(a->deviceInfoList[1]->DeviceType, D3DDEVTYPE_REF);
  // Adapter formats X8R8G8B8 (back buffers A8R8G8B8, X8R8G8B8) and R5G6B5,
  // each full screen and windowed.
  EXPECT_EQ(a->deviceInfoList[0]->deviceSettingsComboList.size(), 6u);
  const CFWEnumDeviceSettingsCombo* c = a->deviceInfoList[0]->deviceSettingsComboList[1].get();
  EXPECT_TRUE(c->Windowed);
  EXPECT_EQ(c->multiSampleTypeList.size(), 2u);
  EXPECT_EQ(c->depthStencilFormatList.size(), 4u);
  // Windowed: no interval TWO; full screen keeps it.
  EXPECT_EQ(c->presentIntervalList, (std::vector<uint32_t>{D3DPRESENT_INTERVAL_IMMEDIATE, D3DPRESENT_INTERVAL_DEFAULT,
                                                            D3DPRESENT_INTERVAL_ONE}));
  EXPECT_EQ(a->deviceInfoList[0]->deviceSettingsComboList[0]->presentIntervalList.size(), 4u);
}

TEST_F(EnumerationTest, AWindowedRequestTakesTheDesktopFormatAndHalOutranksRefBy100) {
  d3d->adapters[0].ref = true;
  FWDeviceSettings out;
  ASSERT_EQ(Find(out, Wanted(true, 800, 600), StartupOptions()), S_OK);
  EXPECT_EQ(out.DeviceType, D3DDEVTYPE_HAL);
  EXPECT_EQ(out.AdapterFormat, D3DFMT_X8R8G8B8);
  EXPECT_EQ(out.pp.BackBufferFormat, D3DFMT_X8R8G8B8);
  EXPECT_EQ(out.pp.Windowed, 1);
  EXPECT_EQ(out.pp.PresentationInterval, D3DPRESENT_INTERVAL_DEFAULT);
  EXPECT_EQ(out.pp.FullScreen_RefreshRateInHz, 0u);
  EXPECT_EQ(out.BehaviorFlags, D3DCREATE_HARDWARE_VERTEXPROCESSING);

  CFWEnumeration* e = FWGetEnumeration();
  FWDeviceSettings optimal;
  const FWDeviceSettings in = Wanted(true, 800, 600);
  const FWMatchOptions o = StartupOptions();
  FWBuildOptimalDeviceSettings(&optimal, &in, &o);
  const D3DDISPLAYMODE desktop = d3d->adapters[0].desktop;
  const auto& hal = e->GetDeviceInfo(0, D3DDEVTYPE_HAL)->deviceSettingsComboList;
  const auto& ref = e->GetDeviceInfo(0, D3DDEVTYPE_REF)->deviceSettingsComboList;
  for (size_t i = 0; i < hal.size(); ++i)
    EXPECT_NEAR(FWRankDeviceCombo(hal[i].get(), &optimal, &desktop) - FWRankDeviceCombo(ref[i].get(), &optimal, &desktop),
                100.1f, 1e-3);

  // A windowed combination of another format than the desktop's is never taken.
  d3d->adapters[0].desktop.Format = D3DFMT_R5G6B5;
  FWMatchOptions keepFormat = StartupOptions();
  keepFormat.eAdapterFormat = FWMT_PRESERVE_INPUT;
  FWDeviceSettings x8 = Wanted(true, 800, 600);
  x8.AdapterFormat = D3DFMT_X8R8G8B8;
  EXPECT_EQ(Find(out, x8, keepFormat), FWERR_NOCOMPATIBLEDEVICES);
  ASSERT_EQ(Find(out, Wanted(true, 800, 600), StartupOptions()), S_OK);
  EXPECT_EQ(out.AdapterFormat, D3DFMT_R5G6B5);
  EXPECT_EQ(out.pp.AutoDepthStencilFormat, D3DFMT_D16) << "ignored depth: nearest to 4 x 5 bits";
}

TEST_F(EnumerationTest, AWindowKeepsItsAskedSizeWithinTheUsableDesktop) {
  d3d->adapters[0].modes = {{1280, 1024, 60, D3DFMT_X8R8G8B8}};  // one mode only, as under X often
  struct Case {
    uint32_t w, h, wantW, wantH;
  } cases[] = {{1000, 700, 1000, 700}, {800, 600, 800, 600}, {3000, 2000, 1280, 1000}, {0, 0, 640, 480}};
  for (const Case& c : cases) {
    FWDeviceSettings out;
    ASSERT_EQ(Find(out, Wanted(true, c.w, c.h), StartupOptions()), S_OK);
    EXPECT_EQ(out.pp.BackBufferWidth, c.wantW) << c.w << "x" << c.h;
    EXPECT_EQ(out.pp.BackBufferHeight, c.wantH) << c.w << "x" << c.h;
  }
}

TEST_F(EnumerationTest, FullScreenSnapsToTheNearestModeOrTheDesktopSize) {
  FWDeviceSettings out;
  ASSERT_EQ(Find(out, Wanted(false, 1000, 700), StartupOptions()), S_OK);
  EXPECT_EQ(out.pp.Windowed, 0);
  EXPECT_EQ(out.pp.BackBufferWidth, 1024u);
  EXPECT_EQ(out.pp.BackBufferHeight, 768u);
  EXPECT_EQ(out.pp.FullScreen_RefreshRateInHz, 60u) << "nearest to the desktop's 60 Hz";
  ASSERT_EQ(Find(out, Wanted(false, 0, 0), StartupOptions()), S_OK);
  EXPECT_EQ(out.pp.BackBufferWidth, 1280u);
  EXPECT_EQ(out.pp.BackBufferHeight, 1024u);
  EXPECT_EQ(out.pp.PresentationInterval, D3DPRESENT_INTERVAL_DEFAULT);
}

TEST_F(EnumerationTest, OptimalDepthFollowsTheBackBufferBits) {
  FWMatchOptions o;
  o.eBackBufferFormat = FWMT_PRESERVE_INPUT;
  FWDeviceSettings in, optimal;
  in.pp.BackBufferFormat = D3DFMT_R5G6B5;
  FWBuildOptimalDeviceSettings(&optimal, &in, &o);
  EXPECT_EQ(optimal.pp.AutoDepthStencilFormat, D3DFMT_D16);
  in.pp.BackBufferFormat = D3DFMT_X8R8G8B8;
  FWBuildOptimalDeviceSettings(&optimal, &in, &o);
  EXPECT_EQ(optimal.pp.AutoDepthStencilFormat, D3DFMT_D32);
  EXPECT_EQ(optimal.pp.Windowed, 1);
  EXPECT_EQ(optimal.pp.BackBufferWidth, 640u);
  EXPECT_EQ(optimal.pp.PresentationInterval, D3DPRESENT_INTERVAL_IMMEDIATE);
}

TEST_F(EnumerationTest, TwoAdaptersWithOneDescriptionGetTheirOrdinalsAndTheFirstWinsATie) {
  d3d->adapters.push_back(StandardAdapter());
  CFWEnumeration* e = FWPrepareEnumerationObject(true);
  ASSERT_EQ(e->GetAdapterInfoList().size(), 2u);
  EXPECT_EQ(e->GetAdapterInfoList()[0]->szUniqueDescription, L"Fake adapter (#0)");
  EXPECT_EQ(e->GetAdapterInfoList()[1]->szUniqueDescription, L"Fake adapter (#1)");
  // An adapter that neither is: both rank alike and the first listed wins.
  FWMatchOptions o = StartupOptions();
  o.eAdapterOrdinal = FWMT_CLOSEST_TO_INPUT;
  FWDeviceSettings in = Wanted(true, 800, 600), out;
  in.AdapterOrdinal = 7;
  ASSERT_EQ(Find(out, in, o), S_OK);
  EXPECT_EQ(out.AdapterOrdinal, 0u);

  d3d->adapters[1].description = "Other";
  e = FWPrepareEnumerationObject(true);
  EXPECT_EQ(e->GetAdapterInfoList()[0]->szUniqueDescription, L"Fake adapter");
  EXPECT_EQ(e->GetAdapterInfoList()[1]->szUniqueDescription, L"Other");
}

TEST_F(EnumerationTest, ValidSettingsFromClosestOptions) {
  d3d->adapters[0].hwtl = false;
  FWMatchOptions o;
  o.eVertexProcessing = o.eBackBufferCount = o.eMultiSample = o.eSwapEffect = o.eDepthFormat = o.eStencilFormat =
      o.ePresentFlags = o.ePresentInterval = FWMT_CLOSEST_TO_INPUT;
  FWDeviceSettings in = Wanted(true, 800, 600), out;
  in.BehaviorFlags = D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MULTITHREADED;
  in.pp.BackBufferCount = 5;
  in.pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
  in.pp.MultiSampleType = static_cast<D3DMULTISAMPLE_TYPE>(5);
  in.pp.MultiSampleQuality = 3;
  in.pp.AutoDepthStencilFormat = D3DFMT_D24S8;
  in.pp.PresentationInterval = D3DPRESENT_INTERVAL_TWO;  // not listed for windows
  ASSERT_EQ(Find(out, in, o), S_OK);
  EXPECT_EQ(out.BehaviorFlags, D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_MULTITHREADED);
  EXPECT_EQ(out.pp.BackBufferCount, 3u);
  EXPECT_EQ(out.pp.MultiSampleType, 4u);
  EXPECT_EQ(out.pp.MultiSampleQuality, 1u) << "below the type's two levels";
  EXPECT_EQ(out.pp.AutoDepthStencilFormat, D3DFMT_D24S8);
  EXPECT_EQ(out.pp.Flags, D3DPRESENTFLAG_DISCARD_DEPTHSTENCIL);
  EXPECT_EQ(out.pp.PresentationInterval, D3DPRESENT_INTERVAL_IMMEDIATE);

  FWMatchOptions ignore;
  ASSERT_EQ(Find(out, in, ignore), S_OK);
  EXPECT_EQ(out.pp.BackBufferCount, 2u);
  EXPECT_EQ(out.pp.MultiSampleType, D3DMULTISAMPLE_NONE);
  EXPECT_EQ(out.pp.AutoDepthStencilFormat, D3DFMT_D32);
  EXPECT_EQ(out.BehaviorFlags, D3DCREATE_SOFTWARE_VERTEXPROCESSING);

  d3d->depthFormats.clear();
  ASSERT_EQ(Find(out, in, ignore), S_OK);
  EXPECT_EQ(out.pp.EnableAutoDepthStencil, 0);
  EXPECT_EQ(out.pp.Flags, 0u);
}

TEST_F(EnumerationTest, NothingToChooseFrom) {
  d3d->adapters.clear();
  FWDeviceSettings out;
  EXPECT_EQ(Find(out, Wanted(true, 800, 600), StartupOptions()), FWERR_NOCOMPATIBLEDEVICES);
  EXPECT_EQ(FWFindValidDeviceSettings(nullptr, nullptr, nullptr), E_INVALIDARG);
  CFWEnumeration e;
  EXPECT_EQ(e.Enumerate(nullptr), FWERR_NODIRECT3D);
}

TEST_F(EnumerationTest, FrameStatisticsDescribeTheDevice) {
  FWDeviceSettings* s = new FWDeviceSettings();
  s->AdapterFormat = D3DFMT_X8R8G8B8;
  s->pp.BackBufferFormat = D3DFMT_X8R8G8B8;
  s->pp.BackBufferWidth = 800;
  s->pp.BackBufferHeight = 600;
  s->pp.EnableAutoDepthStencil = 1;
  s->pp.AutoDepthStencilFormat = D3DFMT_D24X8;
  FWSetCurrentDeviceSettings(s);
  FWUpdateStaticFrameStats();
  EXPECT_EQ(std::wstring(FWGetStaticFrameStats()), L"%.02f fps (800x600), X8R8G8B8 (D24X8)");
  s->pp.BackBufferFormat = D3DFMT_A8R8G8B8;
  s->pp.EnableAutoDepthStencil = 0;
  s->pp.MultiSampleType = static_cast<D3DMULTISAMPLE_TYPE>(4);
  FWUpdateStaticFrameStats();
  EXPECT_EQ(std::wstring(FWGetStaticFrameStats()), L"%.02f fps (800x600), backbuf A8R8G8B8, adapter X8R8G8B8 (4x Multisample)");
  s->pp.MultiSampleType = D3DMULTISAMPLE_NONMASKABLE;
  FWUpdateStaticFrameStats();
  EXPECT_NE(std::wstring(FWGetStaticFrameStats()).find(L" (Nonmaskable Multisample)"), std::wstring::npos);
  EXPECT_EQ(FWD3DFormatToString(D3DFMT_D24S8, true), L"D3DFMT_D24S8");
  EXPECT_EQ(FWD3DFormatToString(D3DFMT_MULTI2_ARGB8, false), L"MULTI2_ARGB8");
  EXPECT_EQ(FWD3DFormatToString(static_cast<D3DFORMAT>(9999), true), L"Unknown format");
}

TEST(FormatBits, ChannelDepthAndStencilBits) {
  EXPECT_EQ(FWColorChannelBits(D3DFMT_A8R8G8B8), 8);
  EXPECT_EQ(FWColorChannelBits(D3DFMT_X1R5G5B5), 5);
  EXPECT_EQ(FWColorChannelBits(D3DFMT_A2R10G10B10), 10);
  EXPECT_EQ(FWColorChannelBits(D3DFMT_D16), 0);
  EXPECT_EQ(FWDepthBits(D3DFMT_D15S1), 15);
  EXPECT_EQ(FWDepthBits(D3DFMT_D24FS8), 24);
  EXPECT_EQ(FWStencilBits(D3DFMT_D24X4S4), 4);
  EXPECT_EQ(FWStencilBits(D3DFMT_D24X8), 0);
}

}  // namespace
