// The headless view: camera, zoom and drag in one table of cases, each from
// a fresh 20 x 10 map on a 1024 x 768 screen at full size.
#include <gtest/gtest.h>

#include <functional>

#include "core/settings.h"
#include "support/recording_front_end.h"
#include "support/log_capture.h"
#include "support/unit_fixtures.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world_test_support.h"

using namespace world_test;

namespace {

struct sViewCase {
  const char* name;
  int state;
  std::function<void(cMapa&, cRecordingFrontEnd&)> act;
  std::function<void(const cMapa&, const cRecordingFrontEnd&, const LogCapture&)> check;
};

// A drag of (dx, dy) pixels from the camera at (500, 400), then its end.
void Drag(cMapa& m, cRecordingFrontEnd& fe, int dx, int dy) {
  m.SetCameraAt(500, 400);
  fe.cursor.dragging = true;
  fe.cursor.dragDx = dx;
  fe.cursor.dragDy = dy;
  m.UpdateCamera(0.02f);
  fe.cursor.dragging = false;
  fe.cursor.dragEnded = true;
  m.UpdateCamera(0.02f);
}

const sViewCase kCases[] = {
    {"an off-map hex only warns", kStateHumanPlays,
     [](cMapa& m, cRecordingFrontEnd&) {
       m.SetCameraAt(300, 200);
       m.CenterAtHex(-1, 0);
     },
     [](const cMapa& m, const cRecordingFrontEnd&, const LogCapture& log) {
       EXPECT_EQ(m.cameraTargetX, 300.0f);
       EXPECT_EQ(m.cameraTargetY, 200.0f);
       EXPECT_TRUE(log.Has(L"Warning: attempt to center map on hex (-1,0) which is out of range!"));
       EXPECT_FALSE(log.Has(L"CenterAtHex"));
     }},
    {"centring on (10, 4) aims at (830, 392) and arrives", kStateHumanPlays,
     [](cMapa& m, cRecordingFrontEnd&) {
       m.SetCameraAt(300, 200);
       m.CenterAtHex(10, 4);
       m.UpdateCamera(0.01f);  // half way at a speed of the whole distance
       EXPECT_FLOAT_EQ(m.cameraX, 300.0f + 0.5f * 530.0f);
       m.UpdateCamera(0.05f);
     },
     [](const cMapa& m, const cRecordingFrontEnd&, const LogCapture& log) {
       EXPECT_EQ(m.cameraTargetX, 830.0f);
       EXPECT_EQ(m.cameraTargetY, 392.0f);
       EXPECT_EQ(m.cameraX, 830.0f);
       EXPECT_EQ(m.cameraY, 392.0f);
       EXPECT_EQ(m.cameraSpeedX, 0.0f);
       EXPECT_TRUE(log.Has(L"CenterAtHex"));
     }},
    {"the target stays inside the bounds", kStateHumanPlays,
     [](cMapa& m, cRecordingFrontEnd&) { m.CenterAtHex(0, 0); },
     [](const cMapa& m, const cRecordingFrontEnd&, const LogCapture&) {
       EXPECT_EQ(m.cameraTargetX, 83.0f);
       EXPECT_EQ(m.cameraTargetY, 83.0f);
     }},
    {"a wheel step at 0.8 gives 0.75", kStateHumanPlays,
     [](cMapa& m, cRecordingFrontEnd&) {
       gProgramSettings.mapZoom = 0.8f;
       m.ZoomAtScreenPoint(1, 0, 0);
     },
     [](const cMapa&, const cRecordingFrontEnd&, const LogCapture&) {
       EXPECT_NEAR(gProgramSettings.mapZoom, 0.75f, 1e-6f);
     }},
    {"a wheel step at 0.5 gives 0.49 and the point under the cursor stays", kStateHumanPlays,
     [](cMapa& m, cRecordingFrontEnd&) {
       gProgramSettings.mapZoom = 0.5f;
       m.SetCameraAt(830, 490);
       m.ZoomAtScreenPoint(1, 200, 100);
       m.UpdateCamera(0.002f);  // a part of the scale's way, then the rest
       m.UpdateCamera(0.02f);
     },
     [](const cMapa& m, const cRecordingFrontEnd&, const LogCapture&) {
       EXPECT_NEAR(gProgramSettings.mapZoom, 0.49f, 1e-6f);
       const float t = 1024.0f / ((83.0f * 20 - 1024.0f) * 0.49f + 1024.0f);
       EXPECT_EQ(gCurrentMapScale, t);
       // The cursor, 312 and 284 pixels left of and above the view's centre,
       // stays on the map point (518, 206).
       EXPECT_NEAR(-312.0f / t + m.cameraX, 518.0f, 0.01f);
       EXPECT_NEAR(-284.0f / t + m.cameraY, 206.0f, 0.01f);
       EXPECT_EQ(m.cameraTargetX, m.cameraX);
     }},
    {"the zoom never leaves 0..1, and no shift outside the player's turn", kStateComputerPlays,
     [](cMapa& m, cRecordingFrontEnd&) {
       gProgramSettings.mapZoom = 0.995f;
       m.ZoomAtScreenPoint(-3, 200, 100);
       EXPECT_EQ(gProgramSettings.mapZoom, 1.0f);
       gProgramSettings.mapZoom = 0.005f;
       m.ZoomAtScreenPoint(2, 200, 100);
     },
     [](const cMapa& m, const cRecordingFrontEnd&, const LogCapture&) {
       EXPECT_EQ(gProgramSettings.mapZoom, 0.0f);
       EXPECT_EQ(gTargetMapScale, 1.0f);
       EXPECT_EQ(m.zoomShiftX, 0.0f);
     }},
    {"a 5-pixel drag is a click", kStateHumanPlays,
     [](cMapa& m, cRecordingFrontEnd& fe) {
       fe.topDialogId = kFleetsDialog;
       Drag(m, fe, 5, -5);
     },
     [](const cMapa& m, const cRecordingFrontEnd& fe, const LogCapture&) {
       EXPECT_EQ(fe.Count("RefreshAttackPanel"), 1);
       EXPECT_EQ(fe.Count("SendMapClickToTopDialog"), 1);
       EXPECT_EQ(fe.Count("ClearDragEnded"), 1);
       EXPECT_EQ(m.cameraX, 495.0f);
       EXPECT_EQ(m.cameraTargetY, 405.0f);
     }},
    {"a 10-pixel drag is no click, and moves the map twice as far with Ctrl", kStateHumanPlays,
     [](cMapa& m, cRecordingFrontEnd& fe) {
       fe.ctrlHeld = true;
       Drag(m, fe, 10, 0);
     },
     [](const cMapa& m, const cRecordingFrontEnd& fe, const LogCapture&) {
       EXPECT_EQ(fe.Count("RefreshAttackPanel"), 0);
       EXPECT_EQ(fe.Count("ClearDragEnded"), 1);
       EXPECT_EQ(m.cameraX, 480.0f);
       EXPECT_EQ(m.cameraTargetX, 480.0f);
     }},
    {"bounds of a map smaller than the screen meet in the middle", kStateHumanPlays,
     [](cMapa& m, cRecordingFrontEnd&) {
       gCurrentMapScale = gTargetMapScale = 0.25f;
       m.UpdateCamera(0.02f);
       m.MoveCamera(-5000, 5000, 1.0f);
     },
     [](const cMapa& m, const cRecordingFrontEnd& fe, const LogCapture&) {
       // (20 + 5) x 83 - 2048 = 27 and 2048 - 415 = 1633 meet at 830;
       // (10 + 5) x 98 - 1536 = -66 and 1536 - 490 = 1046 meet at 490.
       EXPECT_EQ(m.cameraMinX, 830);
       EXPECT_EQ(m.cameraMaxX, 830);
       EXPECT_EQ(m.cameraMinY, 490);
       EXPECT_EQ(m.cameraMaxY, 490);
       EXPECT_EQ(m.cameraTargetX, 830.0f);
       EXPECT_EQ(m.cameraTargetY, 490.0f);
       EXPECT_EQ(m.cameraX, 830.0f) << "the camera itself is brought inside at once";
       EXPECT_EQ(m.visibleColumnsAtScale, (24 + 2) * 4 + 2);
       EXPECT_EQ(m.spriteTransform[0], 0.25f);
       EXPECT_EQ(fe.Count("SelectCityAppearanceByZoom"), 1);
     }},
    {"a camera placed before the bounds were known is brought inside them", kStateHumanPlays,
     [](cMapa& m, cRecordingFrontEnd&) {
       m.SetCameraAt(83, 83);  // where a new map's first bounds left it
       m.appliedScale = 0.0f;
       m.UpdateCamera(0.02f);
       // 512 - 415 = 97 on the left; -106 .. 1086 holds 83 on the top.
       EXPECT_EQ(m.cameraX, 97.0f);
       EXPECT_EQ(m.cameraY, 83.0f);
       m.MoveCamera(5000, 5000, 1.0f);
     },
     [](const cMapa& m, const cRecordingFrontEnd&, const LogCapture&) {
       // (20 + 5) x 83 - 512 = 1563 and (10 + 5) x 98 - 384 = 1086.
       EXPECT_EQ(m.cameraTargetX, 1563.0f);
       EXPECT_EQ(m.cameraTargetY, 1086.0f);
     }},
    {"a camera scroll ends the scroll state when it arrives", kStateCameraScroll,
     [](cMapa& m, cRecordingFrontEnd&) {
       m.SetCameraAt(300, 200);
       m.ScrollCameraToPoint(400, 250, true);
       m.UpdateCamera(0.1f);
     },
     [](const cMapa& m, const cRecordingFrontEnd&, const LogCapture&) {
       EXPECT_EQ(m.cameraX, 400.0f);
       EXPECT_EQ(gGra->GetState(), kStateHumanPlays);
     }},
};

TEST(MapView, CameraZoomAndDragCases) {
  unit_test::LoadShippedStrings();
  for (const sViewCase& c : kCases) {
    SCOPED_TRACE(c.name);
    cRecordingFrontEnd fe;
    cFrontEndScope scope(&fe);
    GameFixture g(20, 10);
    gGra = g.game;
    g.game->SetState(c.state);
    gCurrentMapScale = gTargetMapScale = 1.0f;
    gProgramSettings.mapZoom = 0.0f;
    g.map().appliedScale = 1.0f;
    LogCapture log;
    c.act(g.map(), fe);
    c.check(g.map(), fe, log);
  }
  gCurrentMapScale = gTargetMapScale = 1.0f;
  gProgramSettings.mapZoom = 1.0f;
}

}  // namespace
