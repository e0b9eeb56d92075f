#pragma once
// The one stack of open in-game dialogs, bottom first. Its top entry is the
// current dialog: it alone takes input and counts down; every visible entry
// with an id >= 0 is drawn each frame. The main thread and the worker
// thread both change it, always under the game lock.
#include <string>
#include <vector>

#include "gui/fw_dialog.h"

class cDialog;

// The dialog taking input, null when the stack is empty. A top entry with a
// negative id is represented by the placeholder dialog (id 675).
extern cDialog* gCurrentDialog;

// The stacked dialogs, bottom first. Read it holding the game lock.
const std::vector<cDialog*>& DialogStack();

// Puts an already built dialog on the stack: depth 0 on top, a negative depth
// that many places below the top (clamped to the bottom). Null only resets
// the input state.
void PushDialog(cDialog* dialog, int depth = 0);
// Closes the n top dialogs, all of them for -1; 0 or another negative value
// closes none. Each uncovered dialog is resumed before the call returns.
void CloseDialogs(int n);
// Closes the topmost dialog with the id and every dialog above it.
void CloseDialogsDownTo(int id);
// The lowest dialog with the id, or null.
cDialog* FindDialogById(int id);
// Whether the dialog (compared by identity, never touched) is on the stack.
bool IsDialogOnStack(const cDialog* dialog);
// Blocks the calling (worker) thread until the dialog has left the stack,
// polling every 100 ms with a trace line. Must be entered without holding
// the game lock. The class name is taken by the caller while the dialog
// certainly exists (DialogClassName under the lock, before or at the push).
void WaitForDialogClosed(const cDialog* dialog, const std::string& className, const char* file, int line);
// The dialog's class name for trace lines.
std::string DialogClassName(const cDialog& dialog);

// The GUI event callback of every dialog: the visible current dialog's OnEvent.
void OnDialogGuiEvent(UINT event, int controlId, CFWControl* control);

// While one of these lives, dialogs taken off the stack are destroyed only
// when the outermost one ends: a dialog that closes itself inside its own
// handler is not destroyed under its running code. Main thread; holds the
// game lock while it lives.
class cDialogDispatch {
 public:
  cDialogDispatch();
  ~cDialogDispatch();
  cDialogDispatch(const cDialogDispatch&) = delete;
  cDialogDispatch& operator=(const cDialogDispatch&) = delete;
};

// The main thread's routes of input to the current dialog, each inside a
// dispatch. They answer whether a visible current dialog took the input.
bool DialogKeyboard(UINT key, bool keyDown, bool altDown);
bool DialogMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheelDelta, int x, int y);
bool DialogMsgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The countdown step of the current dialog.
void UpdateCurrentDialogCountdown(float elapsed);
// Draws every visible entry with an id >= 0, bottom first.
void RenderDialogStack(float elapsed);
// Closes every dialog and drops the placeholder (the end of a game and of
// the program, tests).
void ResetDialogStack();
