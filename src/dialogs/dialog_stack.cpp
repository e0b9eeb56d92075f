#include "dialogs/dialog_stack.h"

#include <cxxabi.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>
#include <typeinfo>

#include "core/console.h"
#include "core/game_lock.h"
#include "core/text.h"
#include "dialogs/dialog.h"
#include "rules/worker_thread.h"
#include "gui/cursor.h"

cDialog* gCurrentDialog = nullptr;

namespace {
std::vector<cDialog*> gStack;
// Dialogs taken off the stack while a dispatch runs, destroyed when it ends
// (both guarded by the game lock).
std::vector<cDialog*> gClosed;
int gDispatchDepth = 0;
// One placeholder serves every uncovered entry with a negative id.
std::unique_ptr<cDialog> gPlaceholder;

// A click that opened or closed a dialog must not reach the next one.
void ResetInput() {
  gCursor.leftHeld = false;
  gCursor.leftReleased = false;
  gCursor.leftReleasedNow = false;
  CFWDialog::CancelControlDrag();
  gCursor.SetHoverControl(nullptr);
}

void TakeOff(cDialog* dialog) {
  if (gDispatchDepth > 0)
    gClosed.push_back(dialog);
  else
    dialog->Destroy();
}

void FlushClosed() {
  cGameLockGuard lock(__FILE__, __LINE__);
  while (!gClosed.empty()) {
    cDialog* d = gClosed.back();
    gClosed.pop_back();
    d->Destroy();
  }
}

cDialog* TopAsCurrent() {
  if (gStack.empty()) return nullptr;
  cDialog* top = gStack.back();
  if (top->Id() >= 0) return top;
  if (!gPlaceholder) gPlaceholder = std::make_unique<cDialog>(kDialogPlaceholder);
  gPlaceholder->Gui().SetVisible(false);
  return gPlaceholder.get();
}

bool CurrentVisible() { return gCurrentDialog != nullptr && gCurrentDialog->IsVisible(); }
}  // namespace

const std::vector<cDialog*>& DialogStack() { return gStack; }

void PushDialog(cDialog* dialog, int depth) {
  cGameLockGuard lock(__FILE__, __LINE__);
  ResetInput();
  if (dialog == nullptr) return;
  if (depth > 0) depth = 0;
  const int size = static_cast<int>(gStack.size());
  if (depth < -size) depth = -size;
  gStack.insert(gStack.begin() + (size + depth), dialog);
  gCurrentDialog = TopAsCurrent();
  gCursor.SetHoverObject(nullptr);
}

void CloseDialogs(int n) {
  cGameLockGuard lock(__FILE__, __LINE__);
  ResetInput();
  if (n < 1 && n != -1) return;
  while (gCurrentDialog != nullptr && !gStack.empty()) {
    // The popped entry itself is destroyed, also when the placeholder stood
    // in for it as the current dialog.
    cDialog* top = gStack.back();
    gStack.pop_back();
    gCurrentDialog = nullptr;
    TakeOff(top);
    if (n > 0) --n;
    if (!gStack.empty()) {
      gCurrentDialog = TopAsCurrent();
      gCurrentDialog->OnResume();
    }
    if (n == 0) break;
  }
}

void CloseDialogsDownTo(int id) {
  cGameLockGuard lock(__FILE__, __LINE__);
  for (size_t i = gStack.size(); i-- > 0;) {
    if (gStack[i]->Id() == id) {
      CloseDialogs(static_cast<int>(gStack.size() - i));
      return;
    }
  }
}

cDialog* FindDialogById(int id) {
  cGameLockGuard lock(__FILE__, __LINE__);
  for (cDialog* d : gStack)
    if (d->Id() == id) return d;
  return nullptr;
}

bool IsDialogOnStack(const cDialog* dialog) {
  cGameLockGuard lock(__FILE__, __LINE__);
  for (cDialog* d : gStack)
    if (d == dialog) return true;
  return false;
}

void WaitForDialogClosed(const cDialog* dialog, const std::string& className, const char* file, int line) {
  const std::wstring trace = WFormat(L"WBC:%s:%s:%d", Utf8ToWide(className).c_str(), Utf8ToWide(RelativeSourceName(file)).c_str(), line);
  // The player closes it on the main thread, which needs the lock for that;
  // a game that ends meanwhile ends the wait.
  cGameLockWait wait;
  for (;;) {
    const bool present = IsDialogOnStack(dialog);
    gConsole.AddLine(trace);
    if (WorkerMustStop()) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (!present) return;
  }
}

std::string DialogClassName(const cDialog& dialog) {
  const char* mangled = typeid(dialog).name();
  int status = 0;
  char* plain = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
  std::string name = status == 0 && plain != nullptr ? plain : mangled;
  std::free(plain);
  return name;
}

void OnDialogGuiEvent(UINT event, int controlId, CFWControl* control) {
  cDialogDispatch dispatch;
  if (CurrentVisible()) gCurrentDialog->OnEvent(event, controlId, control);
}

// The dispatch holds the game lock, so the worker cannot change the stack
// under a running handler.
// It runs for every frame: untraced.
cDialogDispatch::cDialogDispatch() {
  AcquireGameLock(nullptr, 0);
  ++gDispatchDepth;
}

cDialogDispatch::~cDialogDispatch() {
  if (--gDispatchDepth == 0 && !gClosed.empty()) FlushClosed();
  ReleaseGameLock(nullptr, 0);
}

bool DialogKeyboard(UINT key, bool keyDown, bool altDown) {
  cDialogDispatch dispatch;
  if (!CurrentVisible()) return false;
  gCurrentDialog->OnKeyboard(key, keyDown, altDown);
  return true;
}

bool DialogMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheelDelta, int x, int y) {
  cDialogDispatch dispatch;
  if (!CurrentVisible()) return false;
  gCurrentDialog->OnMouse(left, right, middle, side1, side2, wheelDelta, x, y);
  return true;
}

bool DialogMsgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  cDialogDispatch dispatch;
  if (!CurrentVisible()) return false;
  return gCurrentDialog->Gui().MsgProc(hwnd, msg, wParam, lParam);
}

void UpdateCurrentDialogCountdown(float elapsed) {
  cDialogDispatch dispatch;
  if (gCurrentDialog != nullptr) gCurrentDialog->UpdateCountdown(elapsed);
}

void RenderDialogStack(float elapsed) {
  cGameLockGuard lock(nullptr, 0);  // every frame: untraced
  for (cDialog* d : gStack)
    if (d->Id() >= 0 && d->IsVisible()) d->Render(elapsed);
}

void ResetDialogStack() {
  CloseDialogs(-1);
  cGameLockGuard lock(__FILE__, __LINE__);
  while (!gStack.empty()) {
    TakeOff(gStack.back());
    gStack.pop_back();
  }
  gCurrentDialog = nullptr;
  gPlaceholder.reset();
}
