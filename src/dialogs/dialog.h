#pragma once
// The base of every in-game modal dialog and of the game-screen panels: one
// GUI dialog of the toolkit with a dialog id, an optional countdown that
// closes, hides or shows it, and the object that opened it (the answer
// target). Built on the heap by its opener; once pushed on the dialog stack
// the stack owns it and alone destroys it.
#include "gui/fw_dialog.h"

// Ids of the dialogs that other code recognises on top of the stack; for all
// but the message dialog also the layout row of the dialog's rectangle.
enum eDialogIds : int {
  kDialogUnitsManager = 480,
  kDialogFleets = 550,
  kDialogCheat = 630,
  kDialogPlaceholder = 675,
  kDialogEvent = 780,
  kDialogReports = 810,
  kDialogConvoys = 940,
  kDialogMessage = 8000,
};

// What the countdown does when it runs out.
enum eCountdownAction : int {
  kCountdownNothing = 0,
  kCountdownClose = 1,
  kCountdownHide = 2,
  kCountdownShow = 3,
};

// The GUI event of a pressed button.
constexpr UINT kGuiEventButtonClicked = 0x101;

class cDialog {
 public:
  // A dialog of its own rectangle: with id > 0 a style-0 frame control of the
  // same id covers it and drags the dialog.
  cDialog(int id, int x, int y, int width, int height);
  // A bare dialog: no frame, no event callback (the placeholder and panels).
  explicit cDialog(int id);
  virtual ~cDialog();
  cDialog(const cDialog&) = delete;
  cDialog& operator=(const cDialog&) = delete;

  virtual void Render(float elapsed);
  // Only the dialog stack destroys a dialog; after it the object is gone.
  void Destroy();
  virtual void OnEvent(UINT event, int controlId, CFWControl* control);
  virtual void OnKeyboard(UINT key, bool keyDown, bool altDown);
  virtual void OnMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheelDelta, int x, int y);
  virtual void OnResume();
  virtual void OnCountdown(float elapsed);

  // One countdown step, called once per frame for the top dialog.
  void UpdateCountdown(float elapsed);
  // Presses a button of this dialog as the keyboard does: silently, through
  // the same event path as a click.
  void PressButton(int controlId);

  CFWDialog& Gui() { return m_GuiDialog; }
  const CFWDialog& Gui() const { return m_GuiDialog; }
  bool IsVisible() const { return m_GuiDialog.GetVisible(); }
  int Id() const { return m_nId; }
  cDialog* AnswerTarget() const { return m_pAnswerTarget; }
  void SetAnswerTarget(cDialog* target) { m_pAnswerTarget = target; }

  int m_nCountdownStopped = 1;
  float m_fCountdownSeconds = -1.0f;
  int m_nCountdownAction = kCountdownNothing;

 protected:
  CFWDialog m_GuiDialog;
  int m_nId = 0;
  cDialog* m_pAnswerTarget = nullptr;
};
