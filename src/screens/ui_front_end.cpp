#include "screens/ui_front_end.h"

#include <algorithm>
#include <chrono>

#include <boost/algorithm/string.hpp>

#include "core/console.h"
#include "core/game_lock.h"
#include "core/text.h"
#include "dialogs/combat_result_dialog.h"
#include "dialogs/convoy_results_dialog.h"
#include "dialogs/dialog.h"
#include "dialogs/event_dialog.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/message_dialog.h"
#include "framework/fw_main.h"
#include "framework/map_skin.h"
#include "framework/music_manager.h"
#include "framework/shared_draw.h"
#include "framework/sound.h"
#include "framework/texture.h"
#include "framework/texture_handles.h"
#include "framework/traced_sleep.h"
#include "gui/cursor.h"
#include "gui/fw_dialog.h"
#include "gui/fw_resource_manager.h"
#include "gui/gui_layout.h"
#include "platform/device.h"
#include "platform/font.h"
#include "platform/sprite.h"
#include "platform/window.h"
#include "rules/worker_thread.h"
#include "screens/game/game_screen.h"
#include "screens/loading_menu.h"
#include "screens/map_frame.h"
#include "screens/menu.h"
#include "screens/scenario_menu.h"
#include "world/game.h"
#include "world/sea_graph.h"

namespace {
std::unique_ptr<cUiFrontEnd> gUi;
}

cUiFrontEnd* UiFrontEnd() { return gUi.get(); }

void InstallUiFrontEnd() {
  gUi = std::make_unique<cUiFrontEnd>();
  SetFrontEnd(gUi.get());
}

void DropUiFrontEnd() {
  SetFrontEnd(nullptr);
  gUi.reset();
}

cUiFrontEnd::cUiFrontEnd() : mainThread_(std::this_thread::get_id()) {
  // The scenario menu frames its preview with the map skin's drawing.
  gDrawScenarioPreview = &DrawScenarioPreview;
}
cUiFrontEnd::~cUiFrontEnd() {
  for (const auto& entry : textures_) UnregisterTextureHolder(entry.first);
}

void cUiFrontEnd::OnMainThread(std::function<void()> work) {
  if (IsMainThread()) {
    work();
    return;
  }
  std::lock_guard<std::mutex> g(queueMutex_);
  queue_.push_back(std::move(work));
}

void cUiFrontEnd::RunQueuedWork() {
  {
    // Once a frame: an untraced hold.
    cGameLockGuard lock(nullptr, 0);
    DropClosedDialogs();
  }
  for (;;) {
    std::function<void()> work;
    {
      std::lock_guard<std::mutex> g(queueMutex_);
      if (queue_.empty()) break;
      work = std::move(queue_.front());
      queue_.pop_front();
    }
    cGameLockGuard lock(__FILE__, __LINE__);
    work();
  }
  // The boxes that another thread waits for are up with the game lock free,
  // so that nothing waits for this thread's hold meanwhile; a frame drawn
  // from inside a step that holds the lock leaves them to a later one.
  if (GameLockHeldByThisThread() > 0) return;
  for (;;) {
    std::shared_ptr<sAskedBox> box;
    {
      std::lock_guard<std::mutex> g(queueMutex_);
      if (boxes_.empty()) return;
      box = boxes_.front();
      boxes_.pop_front();
    }
    PlatformMessageBox(box->text, box->title, box->icon);
    {
      std::lock_guard<std::mutex> g(queueMutex_);
      box->closed = true;
    }
    boxClosed_.notify_all();
  }
}

void cUiFrontEnd::DropGameWork() {
  {
    std::lock_guard<std::mutex> g(queueMutex_);
    queue_.clear();
  }
  cGameLockGuard lock(__FILE__, __LINE__);
  // Every dialog of the game goes with it: one left open would act on the
  // freed game over the menus or in the next game. Those asked for and never
  // built are dropped too; nobody waits for them any more. The widgets
  // belong to the main thread; a fatal exit elsewhere only ends the process.
  if (IsMainThread()) {
    ResetDialogStack();
    dialogs_.clear();
  } else {
    std::erase_if(dialogs_, [](const auto& d) { return !d.second.pushed; });
  }
  std::erase_if(seaBattleScreens_, [](const auto& s) { return s.second == nullptr; });
  DropMoveAnimation();
}

void cUiFrontEnd::Shutdown() {
  // The framework belongs to the main thread; a fatal exit elsewhere only
  // ends the process.
  if (IsMainThread()) FWShutdown();
}

int cUiFrontEnd::ScreenWidth() { return ::ScreenWidth(); }
int cUiFrontEnd::ScreenHeight() { return ::ScreenHeight(); }
int cUiFrontEnd::MaxTextureWidth() { return static_cast<int>(FWGetDeviceCaps()->MaxTextureWidth); }

void cUiFrontEnd::MessageBox(const std::wstring& text, const std::wstring& title, eMessageBoxIcon icon) {
  // The main thread's own box is up at once, with its holds of the game lock
  // given up meanwhile, so that the worker's steps do not wait for it. Its
  // callers ask for it where the game does not rely on the hold: loading
  // (no worker yet) and the end of a human turn (no turn ends during an
  // events check, so the worker is idle; the end runs under holds of the
  // lock, two from the confirmation's Yes, and the box gives them up).
  if (IsMainThread()) {
    cGameLockWait wait;
    PlatformMessageBox(text, title, icon);
    return;
  }
  // Another thread's is put up by the main thread's next frame, and the
  // asker waits for it as for a dialog: with every hold of the game lock
  // given up, and no longer than its game.
  auto box = std::make_shared<sAskedBox>(sAskedBox{text, title, icon});
  cGameLockWait wait;
  std::unique_lock<std::mutex> g(queueMutex_);
  boxes_.push_back(box);
  while (!box->closed && !WorkerMustStop()) boxClosed_.wait_for(g, std::chrono::milliseconds(20));
  // One never put up belonged to the game that ended.
  std::erase(boxes_, box);
}

sScreenRect cUiFrontEnd::LayoutRect(int id) {
  const sGuiRect r = GuiRect(id);
  return {r.x, r.y, r.w, r.h};
}

sCursorState cUiFrontEnd::CursorState() {
  // The map is dragged with the right button, as the sea-battle grid is; its
  // release ends the drag until the map has taken it.
  sCursorState s;
  s.x = gCursor.MouseX();
  s.y = gCursor.MouseY();
  s.dragging = gCursor.rightHeld;
  s.dragEnded = gCursor.rightReleased;
  s.dragDx = gCursor.rightDragX;
  s.dragDy = gCursor.rightDragY;
  return s;
}

void cUiFrontEnd::ClearDragEnded() { gCursor.rightReleased = false; }

// Drawn by the cursor's hint step, inside its sprite batch: a dark box with
// a border in the colour of the side that holds the node, one text line per
// row of the box.
void cUiFrontEnd::DrawHoverBox(int x, int y, const std::vector<std::wstring>& lines, bool friendly) {
  CFWDialogResourceManager* rm = GetGlobalDialogResourceManager();
  cPlatformSprite* sprite = rm != nullptr ? rm->Sprite() : nullptr;
  const sGuiRect box = GuiRect(kSeaNodeHintLayoutId);
  if (sprite == nullptr || box.w <= 0 || box.h <= 0) return;
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  const float w = static_cast<float>(box.w), h = static_cast<float>(box.h);
  const D3DCOLOR back[4] = {0xFF182028u, 0xFF182028u, 0xFF101418u, 0xFF101418u};
  sprite->DrawQuad(fx, fy, w, h, back, 0.1f);
  const D3DCOLOR edge = friendly ? 0xFF48C050u : 0xFFD83828u;
  const D3DCOLOR border[4] = {edge, edge, edge, edge};
  constexpr float kBorder = 2.0f;
  sprite->DrawQuad(fx, fy, w, kBorder, border, 0.09f);
  sprite->DrawQuad(fx, fy + h - kBorder, w, kBorder, border, 0.09f);
  sprite->DrawQuad(fx, fy, kBorder, h, border, 0.09f);
  sprite->DrawQuad(fx + w - kBorder, fy, kBorder, h, border, 0.09f);
  if (lines.empty()) return;
  const sFontRecord& f = GuiFontTable[1];
  FWFontNode* node = rm->GetFontNode(rm->AddFont(f.face.c_str(), f.height, f.weight));
  if (node == nullptr || node->pFont == nullptr) return;
  constexpr int kMargin = 6;
  const int rows = static_cast<int>(lines.size());
  const int rowHeight = (box.h - 2 * kMargin) / rows;
  for (int i = 0; i < rows; ++i) {
    const std::wstring& line = lines[static_cast<size_t>(i)];
    const int top = y + kMargin + i * rowHeight, bottom = top + rowHeight;
    // The name in the friendly or hostile colour; a row of counts spread
    // over the box's width, one column per ship type, so that they read
    // apart.
    std::vector<std::wstring> cells;
    if (i > 0) boost::split(cells, line, boost::is_any_of(L" "), boost::token_compress_on);
    if (cells.size() < 2) {
      RECT rc{x + kMargin, top, x + box.w - kMargin, bottom};
      node->pFont->DrawText(sprite, line, -1, &rc, DT_LEFT | DT_VCENTER | DT_SINGLELINE,
                            i == 0 ? (friendly ? 0xFFA8F0A8u : 0xFFFFB0A0u) : 0xFFFFFFFFu);
      continue;
    }
    const int cell = (box.w - 2 * kMargin) / static_cast<int>(cells.size());
    for (size_t k = 0; k < cells.size(); ++k) {
      const int left = x + kMargin + static_cast<int>(k) * cell;
      RECT rc{left, top, left + cell, bottom};
      node->pFont->DrawText(sprite, cells[k], -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0xFFFFFFFFu);
    }
  }
}

void cUiFrontEnd::SetHoverObject(cHoverable* object) {
  OnMainThread([object] { gCursor.SetHoverObject(object); });
}

void cUiFrontEnd::SetLoadingProgress(int percent) {
  if (auto* loading = dynamic_cast<cLoadingMenu*>(gCurrentMenu)) loading->SetProgress(percent);
}

void cUiFrontEnd::FinishLoading() {
  if (auto* loading = dynamic_cast<cLoadingMenu*>(gCurrentMenu)) loading->FinishLoading();
}

FrontEndHandle cUiFrontEnd::NewHandle() {
  cGameLockGuard lock(__FILE__, __LINE__);
  return ++lastHandle_;
}

// From the worker the picture is made by the next frame; its handle is
// given at once.
FrontEndHandle cUiFrontEnd::LoadTexture(const std::wstring& file, int kind, int mode) {
  const FrontEndHandle h = NewTextureHolder();
  auto make = [this, h, file, kind, mode] {
    cTexture* t = TextureOf(h);
    if (t != nullptr && SUCCEEDED(t->Load(file.c_str(), kind, mode))) return true;
    DropTextureHolder(h);
    return false;
  };
  if (IsMainThread()) return make() ? h : 0;
  OnMainThread([make] { make(); });
  return h;
}

FrontEndHandle cUiFrontEnd::CreateBlankTexture(int width, int height) {
  const FrontEndHandle h = NewTextureHolder();
  auto make = [this, h, width, height] {
    cTexture* t = TextureOf(h);
    if (t != nullptr && SUCCEEDED(t->CreateBlank(width, height))) return true;
    DropTextureHolder(h);
    return false;
  };
  if (IsMainThread()) return make() ? h : 0;
  OnMainThread([make] { make(); });
  return h;
}

// The holder exists from the start, empty, so that its handle is one of the
// numbering the world's drawing reads with the skins' pictures.
FrontEndHandle cUiFrontEnd::NewTextureHolder() {
  cGameLockGuard lock(__FILE__, __LINE__);
  auto t = std::make_unique<cTexture>();
  const FrontEndHandle h = RegisterTextureHolder(t.get());
  textures_[h] = std::move(t);
  return h;
}

void cUiFrontEnd::DropTextureHolder(FrontEndHandle texture) {
  cGameLockGuard lock(__FILE__, __LINE__);
  if (textures_.erase(texture) != 0) UnregisterTextureHolder(texture);
}

void cUiFrontEnd::ReleaseTexture(FrontEndHandle texture) {
  OnMainThread([this, texture] { DropTextureHolder(texture); });
}

cTexture* cUiFrontEnd::TextureOf(FrontEndHandle texture) {
  auto it = textures_.find(texture);
  return it != textures_.end() ? it->second.get() : nullptr;
}

bool cUiFrontEnd::TextureSize(FrontEndHandle texture, int& width, int& height) {
  cTexture* t = TextureOf(texture);
  width = height = 0;
  if (t == nullptr || t->Texture() == nullptr) return false;
  width = t->Texture()->Width();
  height = t->Texture()->Height();
  return true;
}

void cUiFrontEnd::WriteTexturePixels(FrontEndHandle texture, int width, int height,
                                     const std::vector<uint32_t>& argb) {
  if (!IsMainThread()) {
    OnMainThread([this, texture, width, height, argb] { WriteTexturePixels(texture, width, height, argb); });
    return;
  }
  cTexture* t = TextureOf(texture);
  if (t == nullptr || t->Texture() == nullptr) return;
  cPlatformTexture* p = t->Texture();
  // Only what lies inside both the picture and the given pixels is written.
  const int w = std::min(width, p->Width()), h = std::min(height, p->Height());
  if (w <= 0 || h <= 0 || argb.size() < static_cast<size_t>(width) * static_cast<size_t>(height)) return;
  uint32_t* dst = p->Lock();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) dst[static_cast<size_t>(y) * p->Width() + x] = argb[static_cast<size_t>(y) * width + x];
  p->Unlock();
}

void cUiFrontEnd::PlaySound(const std::wstring& file) {
  OnMainThread([file] { PlayGameSound(file); });
}

bool cUiFrontEnd::PlayCountryMusic(int countryId) {
  if (gMusicManager == nullptr || gMusicManager->Playlists().count(countryId) == 0) return false;
  OnMainThread([countryId] {
    if (gMusicManager != nullptr) gMusicManager->PlayPlaylist(countryId);
  });
  return true;
}

void cUiFrontEnd::StopMusic() {
  OnMainThread([] {
    if (gMusicManager != nullptr) gMusicManager->StopSpecificFile();
  });
}

bool cUiFrontEnd::IsCtrlHeld() { return (GetKeyState(VK_CONTROL) & 0x8000) != 0; }

bool cUiFrontEnd::DialogHasMouse() {
  return CFWDialog::PressedControl() != nullptr || CFWDialog::ControlDragActive();
}

void cUiFrontEnd::ClearMapInputLatches() {
  gCursor.leftReleased = false;
  gCursor.leftReleasedNow = false;
  gCursor.rightReleased = false;
  gCursor.rightPressedNow = false;
  CFWDialog::CancelControlDrag();
}

FrontEndHandle cUiFrontEnd::ShowDialog(const std::string& className, std::function<cDialog*()> build) {
  cGameLockGuard lock(__FILE__, __LINE__);
  DropClosedDialogs();
  const FrontEndHandle h = NewHandle();
  dialogs_[h].className = className;
  OnMainThread([this, h, build = std::move(build)] {
    cGameLockGuard inner(__FILE__, __LINE__);
    cDialog* d = build();
    PushDialog(d, 0);
    dialogs_[h].dialog = d;
    dialogs_[h].pushed = true;
  });
  return h;
}

FrontEndHandle cUiFrontEnd::ShowTextDialog(const std::wstring& text, const std::wstring& title, int layout) {
  return ShowDialog("cDialogTekstowy", [text, title, layout] { return new cDialogTekstowy(text, title, layout); });
}

FrontEndHandle cUiFrontEnd::ShowCombatResult(const sWynikWalki& result, float delay) {
  if (delay == 0.0f) return 0;
  return ShowDialog("cDialogWynikuWalki", [result, delay] { return new cDialogWynikuWalki(result, delay); });
}

FrontEndHandle cUiFrontEnd::ShowConvoyResults(int countryId) {
  return ShowDialog("cDialogWynikuKonwojow", [countryId] {
    return new cDialogWynikuKonwojow(gGra != nullptr ? gGra->GetCountry(countryId) : nullptr);
  });
}

FrontEndHandle cUiFrontEnd::ShowEventDialog(const sZdarzenie& event) {
  return ShowDialog("cDialogEventu", [event] { return new cDialogEventu(event); });
}

void cUiFrontEnd::DropClosedDialogs() {
  for (auto it = dialogs_.begin(); it != dialogs_.end();)
    it = it->second.pushed && !IsDialogOnStack(it->second.dialog) ? dialogs_.erase(it) : std::next(it);
}

size_t cUiFrontEnd::ShownDialogCount() {
  cGameLockGuard lock(__FILE__, __LINE__);
  return dialogs_.size();
}

void cUiFrontEnd::WaitForDialogClosed(FrontEndHandle handle, const char* file, int line) {
  std::string name;
  const cDialog* dialog = nullptr;
  for (;;) {
    bool known = false, pushed = false;
    {
      cGameLockGuard lock(__FILE__, __LINE__);
      auto it = dialogs_.find(handle);
      if (it != dialogs_.end()) {
        known = true;
        pushed = it->second.pushed;
        name = it->second.className;
        dialog = it->second.dialog;
        if (pushed) dialogs_.erase(it);
      }
    }
    if (!known) return;
    if (pushed) break;
    // Not built yet: the main thread's next frame pushes it, and needs the
    // lock for that. A game that ends meanwhile never shows it.
    if (WorkerMustStop()) return;
    gConsole.AddFormatted(L"WBC:%s:%s:%d", Utf8ToWide(name).c_str(), Utf8ToWide(RelativeSourceName(file)).c_str(), line);
    cGameLockWait wait;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  ::WaitForDialogClosed(dialog, name, file, line);
}

int cUiFrontEnd::TopDialogId() {
  cGameLockGuard lock(__FILE__, __LINE__);
  return gCurrentDialog != nullptr ? gCurrentDialog->Id() : kNoDialog;
}

void cUiFrontEnd::ResumeTopDialog(int dialogId) {
  OnMainThread([dialogId] {
    cDialogDispatch dispatch;
    if (gCurrentDialog == nullptr || gCurrentDialog->Id() != dialogId) return;
    // The dialog shows itself again when its delay has passed (its countdown).
    gCurrentDialog->OnResume();
  });
}

void cUiFrontEnd::CloseTopDialog(int dialogId) {
  OnMainThread([dialogId] {
    cDialogDispatch dispatch;
    if (gCurrentDialog != nullptr && gCurrentDialog->Id() == dialogId) CloseDialogs(1);
  });
}

void cUiFrontEnd::Delay(int milliseconds, const char* file, int line) {
  if (IsMainThread()) {
    TracedSleep(milliseconds, file, line);
    return;
  }
  // The worker's pauses let the frame draw, and end with the game.
  TraceSleep(milliseconds, file, line);
  cGameLockWait wait;
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (!WorkerMustStop()) {
    const auto left = until - std::chrono::steady_clock::now();
    if (left <= std::chrono::milliseconds(0)) break;
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(left, std::chrono::milliseconds(20)));
  }
}
