// The view on the map: camera with its smooth movement and bounds, zoom with
// its animation, the visible range the drawing walks, and the minimap.
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/console.h"
#include "core/draw_target.h"
#include "core/front_end.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/text.h"
#include "rules/player_actions.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"

float gTargetMapScale = 1.0f;

sMapDisplay sMapDisplay::FromSettings() {
  const sProgramSettings& s = gProgramSettings;
  sMapDisplay d;
  d.mode = std::clamp(s.mapMode, 0, 2);
  d.borderMode = s.borderMode;
  d.borderColour = s.borderColor;
  d.tintMode = s.mapOwnershipMode;
  d.showSeaZones = s.showSeaZoneBorders;
  d.showGrid = s.showGrid;
  d.showWeather = s.showWeather;
  d.showMarkValues = s.showActionPointsLeft;
  d.showUnits = s.showUnits;
  d.showSeaZoneNames = s.showSeaZoneNames;
  d.showCityNames = s.showCityNames;
  return d;
}

namespace {

float ScreenW() { return static_cast<float>(FrontEnd().ScreenWidth()); }
float ScreenH() { return static_cast<float>(FrontEnd().ScreenHeight()); }

// The map's bounds may cross when the map is smaller than the screen; the
// camera then stays on their mean.
float ClampToBounds(float v, int32_t lo, int32_t hi) {
  return std::clamp(v, static_cast<float>(std::min(lo, hi)), static_cast<float>(std::max(lo, hi)));
}

// Minimum speeds, so that a small remaining distance is still covered.
float MinimumSpeedX(float v) {
  if (v > 0.0f && v < 0.1f) return 0.1f;
  if (v < 0.0f && v > -0.1f) return -0.1f;
  return v;
}
float MinimumSpeedY(float v) {
  if (v > 0.0f && v < 0.1f) return 0.005f;
  if (v < 0.0f && v > -0.1f) return -0.1f;
  return v;
}

// One axis of the smooth movement; true when the position moved.
bool StepAxis(float& position, float target, float& speed, float& shift, float elapsed) {
  if (target == position) return false;
  const float step = speed * elapsed * 50.0f;
  const float remaining = target - position;
  if (step == 0.0f || (step > 0.0f ? remaining <= step : remaining >= step)) {
    position = target;
    speed = 0.0f;
    shift = 0.0f;
  } else {
    position += step;
  }
  return true;
}

}  // namespace

void cMapa::MoveCamera(float dx, float dy, float speed) {
  cameraTargetX = ClampToBounds(cameraTargetX + dx, cameraMinX, cameraMaxX);
  cameraTargetY = ClampToBounds(cameraTargetY + dy, cameraMinY, cameraMaxY);
  cameraSpeedX = MinimumSpeedX(speed * (cameraTargetX - cameraX));
  cameraSpeedY = MinimumSpeedY(speed * (cameraTargetY - cameraY));
}

void cMapa::CenterAtHex(int x, int y) {
  if (!IsInside(x, y)) {
    gConsole.AddLine(WFormat(Txt("warning:_attempt_to_center_map_on_hex_(%i,%i)_which_is_out_of_range!").c_str(), x, y));
    return;
  }
  LogLine(L"CenterAtHex");
  MoveCamera(83.0f * static_cast<float>(x) - cameraTargetX, 98.0f * static_cast<float>(y) - cameraTargetY, 1.0f);
}

void cMapa::ScrollCameraToPoint(float x, float y, bool scrollState) {
  MoveCamera(x - cameraX, y - cameraY, 1.0f);
  if (scrollState && gGra != nullptr) gGra->SetState(kStateCameraScroll);
}

void cMapa::CenterAtMinimapCursor() {
  if (minimapRect[2] <= 0 || minimapRect[3] <= 0) return;
  const sCursorState c = FrontEnd().CursorState();
  const int hx = static_cast<int>(static_cast<float>(c.x - minimapRect[0]) / static_cast<float>(minimapRect[2]) *
                                  static_cast<float>(width));
  const int hy = static_cast<int>(static_cast<float>(c.y - minimapRect[1]) / static_cast<float>(minimapRect[3]) *
                                  static_cast<float>(height));
  CenterAtHex(hx, hy);
}

void cMapa::SetCameraAt(float x, float y) {
  cameraTargetX = x;
  cameraTargetY = y;
  cameraX = ClampToBounds(x, cameraMinX, cameraMaxX);
  cameraY = ClampToBounds(y, cameraMinY, cameraMaxY);
  RecomputeFirstCell();
  RecomputeViewOutline();
}

void cMapa::ZoomAtScreenPoint(int delta, int sx, int sy) {
  float& z = gProgramSettings.mapZoom;
  z -= (z >= 0.75f ? 0.05f : 0.01f) * static_cast<float>(delta);
  z = std::clamp(z, 0.0f, 1.0f);
  const float w = ScreenW();
  const float t0 = gTargetMapScale;
  gTargetMapScale = w / ((83.0f * static_cast<float>(width) - w) * z + w);
  const int state = gGra != nullptr ? gGra->GetState() : kStateConstructed;
  if (state == kStateHumanPlays || state == kStateHumanMoveShown) {
    // The camera is the view's centre, so the cursor counts from there; the
    // zoom keys pass (0, 0), no cursor, and zoom about the centre.
    const bool cursor = sx != 0 || sy != 0;
    const float dx = cursor ? static_cast<float>(sx) - w / 2.0f : 0.0f;
    const float dy = cursor ? static_cast<float>(sy) - ScreenH() / 2.0f : 0.0f;
    zoomShiftX += dx / t0 - dx / gTargetMapScale;
    zoomShiftY += dy / t0 - dy / gTargetMapScale;
  } else {
    zoomShiftX = 0.0f;
    zoomShiftY = 0.0f;
  }
}

void cMapa::ClearSelectionOnClick() {
  if (gGra == nullptr) return;
  cSelection& s = gGra->selection;
  if (s.attack != nullptr) LogLine(L"Player action: assault plan canceled");
  // A pick that a dialog asked for ends with that dialog given back.
  CancelDialogPick(*gGra);
  s.ClearUnit();
  s.ClearAttack();
  // The unit is put down: a mode chosen for it would wait for targets that
  // are no longer marked.
  s.mapAction = kMapActionNone;
  FrontEnd().RefreshAttackPanel();
  if (FrontEnd().TopDialogId() != kNoDialog) FrontEnd().SendMapClickToTopDialog();
}

void cMapa::RecomputeFirstCell() {
  const int cx = static_cast<int>(cameraX);
  firstColumn = (cx - 166) / 83;
  columnOffset = cx % 83;
  firstRow = static_cast<int>((cameraY - 166.0f) / 98.0f);
  rowOffset = static_cast<int>(std::fmod(cameraY - 166.0f, 98.0f));
}

void cMapa::RecomputeViewOutline() {
  if (width <= 0 || height <= 0) return;
  const float s = gCurrentMapScale;
  const float mx = static_cast<float>(minimapRect[0]), my = static_cast<float>(minimapRect[1]);
  const float mw = static_cast<float>(minimapRect[2]), mh = static_cast<float>(minimapRect[3]);
  const float hw = (mw * ScreenW() / s) / (83.0f * static_cast<float>(width)) * 0.5f;
  const float hh = (mh * ScreenH() / s) / (98.0f * static_cast<float>(height)) * 0.5f;
  float left = mx + static_cast<float>(firstColumn + 1) / static_cast<float>(width) * mw - hw;
  float top = my + static_cast<float>(firstRow + 1) / static_cast<float>(height) * mh - hh;
  float right = left + 2.0f * hw;
  float bottom = top + 2.0f * hh;
  left = std::clamp(left, mx, mx + mw);
  right = std::clamp(right, mx, mx + mw);
  top = std::clamp(top, my, my + mh);
  bottom = std::clamp(bottom, my, my + mh);
  const float pts[5][2] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}};
  for (int i = 0; i < 5; ++i) {
    minimapViewLine[i][0] = pts[i][0];
    minimapViewLine[i][1] = pts[i][1];
  }
}

void cMapa::ApplyScale() {
  const float s = gCurrentMapScale;
  const float w = ScreenW(), h = ScreenH();
  visibleColumnsAtScale = static_cast<int32_t>(static_cast<float>(visibleColumns) / s) + 2;
  visibleRowsAtScale = static_cast<int32_t>(static_cast<float>(visibleRows) / s) + 2;
  cameraMaxX = static_cast<int32_t>(static_cast<float>((width + 5) * 83) - w / (2.0f * s));
  cameraMaxY = static_cast<int32_t>(static_cast<float>((height + 5) * 98) - h / (2.0f * s));
  cameraMinX = static_cast<int32_t>(w / (2.0f * s) - 415.0f);
  cameraMinY = static_cast<int32_t>(h / (2.0f * s) - 490.0f);
  if (cameraMinX > cameraMaxX) cameraMinX = cameraMaxX = (cameraMinX + cameraMaxX) / 2;
  if (cameraMinY > cameraMaxY) cameraMinY = cameraMaxY = (cameraMinY + cameraMaxY) / 2;
  // A camera placed before the bounds were known (the start of a game) or
  // left outside them by the zoom comes back inside.
  cameraX = ClampToBounds(cameraX, cameraMinX, cameraMaxX);
  cameraY = ClampToBounds(cameraY, cameraMinY, cameraMaxY);
  cameraTargetX = ClampToBounds(cameraTargetX, cameraMinX, cameraMaxX);
  cameraTargetY = ClampToBounds(cameraTargetY, cameraMinY, cameraMaxY);
  RecomputeFirstCell();
  RecomputeViewOutline();
  const sDrawTransform t = sDrawTransform::Scaling(s);
  std::copy(std::begin(t.m), std::end(t.m), spriteTransform);
  appliedScale = s;
  FrontEnd().SelectFontsByScale();
  FrontEnd().SelectCityAppearanceByZoom();
}

void cMapa::UpdateCamera(float e) {
  float& s = gCurrentMapScale;
  const float t = gTargetMapScale;
  bool moved = false;
  // 1. Scale animation; the zoom shift follows in the same proportion.
  if (s != t) {
    const float before = s - t;
    const float maxStep = 50.0f * e;
    const float step = std::fabs(before) <= maxStep ? -before : (before > 0 ? -maxStep : maxStep);
    s += step;
    if (std::fabs(t - s) < 1e-7f) s = t;
    // The target moves along, or the smooth movement would take the camera
    // back to it; the whole rest goes in when the scale arrives.
    const float r = s == t ? 1.0f : std::fabs(step / before);
    if (zoomShiftX != 0.0f) {
      cameraX += r * zoomShiftX;
      cameraTargetX += r * zoomShiftX;
      zoomShiftX -= r * zoomShiftX;
    }
    if (zoomShiftY != 0.0f) {
      cameraY += r * zoomShiftY;
      cameraTargetY += r * zoomShiftY;
      zoomShiftY -= r * zoomShiftY;
    }
    moved = true;
  }
  const sCursorState cursor = FrontEnd().CursorState();
  if (cursor.dragging || cursor.dragEnded) {
    // 2 and 3. The map follows the drag from where it was pressed.
    const float k = FrontEnd().IsCtrlHeld() ? 2.0f : 1.0f;
    cameraX = ClampToBounds(cameraTargetX - k * static_cast<float>(cursor.dragDx) / s, cameraMinX, cameraMaxX);
    cameraY = ClampToBounds(cameraTargetY - k * static_cast<float>(cursor.dragDy) / s, cameraMinY, cameraMaxY);
    cameraSpeedX = cameraSpeedY = 0.0f;
    zoomShiftX = zoomShiftY = 0.0f;
    moved = true;
    if (!cursor.dragging && cursor.dragEnded) {
      cameraTargetX = cameraX;
      cameraTargetY = cameraY;
      FrontEnd().ClearDragEnded();
      const int state = gGra != nullptr ? gGra->GetState() : kStateConstructed;
      if (IsMapClickDrag(cursor.dragDx, cursor.dragDy) && (state == kStateHumanPlays || state == kStateHumanMoveShown))
        ClearSelectionOnClick();
    }
  } else {
    // 4. Smooth movement towards the target.
    moved = StepAxis(cameraX, cameraTargetX, cameraSpeedX, zoomShiftX, e) || moved;
    moved = StepAxis(cameraY, cameraTargetY, cameraSpeedY, zoomShiftY, e) || moved;
  }
  RecomputeFirstCell();
  // 5. Arrived: the game goes on after a camera scroll.
  if (cameraX == cameraTargetX && cameraY == cameraTargetY && gGra != nullptr &&
      gGra->GetState() == kStateCameraScroll)
    gGra->SetState(kStateHumanPlays);
  // 6 and 7.
  const bool scaled = s != appliedScale;
  if (scaled) ApplyScale();
  if (moved || scaled) RecomputeViewOutline();
}

void cMapa::InitMinimap(const std::wstring& picture) {
  cFrontEnd& fe = FrontEnd();
  for (FrontEndHandle& h : minimapTextures) {
    if (h != 0) fe.ReleaseTexture(h);
    h = 0;
  }
  const FrontEndHandle tex = fe.LoadTexture(picture, 1, 1);
  int tw = 0, th = 0;
  if (tex == 0 || !fe.TextureSize(tex, tw, th) || tw <= 0 || th <= 0 || width <= 0 || height <= 0) {
    if (tex != 0) fe.ReleaseTexture(tex);
    return;
  }
  minimapTextures[0] = tex;
  minimapTextures[1] = fe.CreateBlankTexture(tw, th);
  minimapTextureSize[0] = tw;
  minimapTextureSize[1] = th;
  const sScreenRect area = fe.LayoutRect(kMinimapAreaLayoutId);
  minimapPanelSize[0] = area.width;
  minimapPanelSize[1] = area.height;
  const float mapRatio = static_cast<float>(width) / static_cast<float>(height);
  const float areaRatio = area.height > 0 ? static_cast<float>(area.width) / static_cast<float>(area.height) : 0.0f;
  sScreenRect r = area;
  if (mapRatio > areaRatio) {
    r.height = static_cast<int>(static_cast<float>(area.width) / mapRatio);
    r.y = area.y + (area.height - r.height) / 2;
    minimapScale = static_cast<float>(area.width) / static_cast<float>(tw);
  } else {
    r.width = static_cast<int>(static_cast<float>(area.height) * mapRatio);
    r.x = area.x + (area.width - r.width) / 2;
    minimapScale = static_cast<float>(area.height) / static_cast<float>(th);
  }
  minimapRect[0] = r.x;
  minimapRect[1] = r.y;
  minimapRect[2] = r.width;
  minimapRect[3] = r.height;
  const sDrawTransform t = sDrawTransform::Scaling(minimapScale);
  std::copy(std::begin(t.m), std::end(t.m), minimapTransform);
  fe.SetMinimapRect(r);
}

void cMapa::RedrawMinimapTexture() {
  const int mode = gProgramSettings.minimapOwnershipMode;
  const int tw = minimapTextureSize[0], th = minimapTextureSize[1];
  if (mode == 0 || minimapTextures[1] == 0 || tw <= 0 || th <= 0 || width <= 0 || height <= 0) return;
  std::vector<uint32_t> texels(static_cast<size_t>(tw) * static_cast<size_t>(th));
  // The colour of each country once, by id; a hex of nobody is a faint grey.
  std::vector<uint32_t> colours(1, 0x80808080u);
  if (gGra != nullptr)
    for (size_t id = 1; id <= gGra->countries.size(); ++id)
      colours.push_back(0x80000000u | (gGra->countries[id - 1]->colors[0] & 0x00FFFFFFu));
  for (int v = 0; v < th; ++v) {
    const int hy = static_cast<int>(static_cast<int64_t>(v) * height / th);
    for (int u = 0; u < tw; ++u) {
      const int hx = static_cast<int>(static_cast<int64_t>(u) * width / tw);
      const sHex& hex = hexes[CellIndex(hx, hy)];
      uint32_t c = 0;
      if (hex.IsLand()) {
        const size_t id = mode == 1 ? hex.controller : hex.owner;
        c = id < colours.size() ? colours[id] : colours[0];
      }
      texels[static_cast<size_t>(v) * static_cast<size_t>(tw) + static_cast<size_t>(u)] = c;
    }
  }
  FrontEnd().WriteTexturePixels(minimapTextures[1], tw, th, texels);
}

void cMapa::DrawMinimapViewRect(cDrawTarget& target) const {
  sDrawPoint pts[5];
  for (int i = 0; i < 5; ++i) pts[i] = {minimapViewLine[i][0], minimapViewLine[i][1]};
  target.DrawLine(pts, 5, 1.0f, 0xFFFF0000u);
}
