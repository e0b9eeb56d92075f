#include "dialogs/dialog.h"

#include <cmath>

#include "dialogs/dialog_stack.h"

cDialog::cDialog(int id, int x, int y, int width, int height) : m_nId(id) {
  if (id > 0) {
    CFWFrame* frame = nullptr;
    m_GuiDialog.AddFrame(id, x, y, width, height, 0, &frame);
    if (frame != nullptr) frame->m_bMovable = true;
  }
  m_GuiDialog.SetCallback(&OnDialogGuiEvent);
}

cDialog::cDialog(int id) : m_nId(id) {}

cDialog::~cDialog() = default;

void cDialog::Render(float elapsed) { m_GuiDialog.OnRender(elapsed); }

void cDialog::Destroy() {
  m_GuiDialog.SetCallback(nullptr);
  delete this;
}

void cDialog::OnEvent(UINT, int, CFWControl*) {}
void cDialog::OnKeyboard(UINT, bool, bool) {}
void cDialog::OnMouse(bool, bool, bool, bool, bool, int, int, int) {}
void cDialog::OnResume() {}
void cDialog::OnCountdown(float) {}

void cDialog::UpdateCountdown(float elapsed) {
  if (m_nCountdownStopped != 0) return;
  if (std::isnan(m_fCountdownSeconds) || m_fCountdownSeconds < 0.0f) return;
  m_fCountdownSeconds -= elapsed;
  OnCountdown(elapsed);
  // OnCountdown may have given the dialog more time.
  if (m_fCountdownSeconds > 0.0f || std::isnan(m_fCountdownSeconds)) return;
  m_fCountdownSeconds = -1.0f;
  switch (m_nCountdownAction) {
    case kCountdownClose:
      CloseDialogs(1);
      break;
    case kCountdownHide:
      m_GuiDialog.SetVisible(false);
      break;
    case kCountdownShow:
      m_GuiDialog.SetVisible(true);
      break;
    default:
      break;
  }
}

void cDialog::PressButton(int controlId) {
  m_GuiDialog.EnableNonUserEvents(true);
  m_GuiDialog.SendEvent(kGuiEventButtonClicked, false, m_GuiDialog.GetControl(controlId), true);
}
