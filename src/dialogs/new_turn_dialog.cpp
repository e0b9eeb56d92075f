#include "dialogs/new_turn_dialog.h"

#include "platform/text_layout.h"
#include "core/string_table.h"
#include "core/text.h"
#include "dialogs/dialog_stack.h"
#include "gui/cursor.h"
#include "framework/sound.h"
#include "framework/texture_handles.h"
#include "dialogs/dialog_ground.h"
#include "gui/gui_layout.h"
#include "world/country.h"
#include "world/game.h"

cDialogNowejTury::cDialogNowejTury(int countryId)
    : cDialog(kDialog, GuiRect(kDialog).x, GuiRect(kDialog).y, GuiRect(kDialog).w, GuiRect(kDialog).h),
      countryId_(countryId) {
  const cPanstwo* country = gGra != nullptr ? gGra->GetCountry(countryId) : nullptr;
  const std::wstring name = country != nullptr ? country->name : std::wstring();
  CFWStatic* s = nullptr;
  m_GuiDialog.AddStatic(kTitle, WFormat(Txt("new_turn_title_country%s").c_str(), name.c_str()).c_str(), &s);
  if (s != nullptr) {
    // The greeting is the dialog's title: the large title font.
    s->m_iTextElement = 2;
    s->m_dwTextFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK;
  }
  const sGuiRect r = GuiRect(kFlag);
  m_GuiDialog.AddImage(kFlag, country != nullptr ? TextureOfHandle(country->GetFlagTexture()) : nullptr, 0, 0, 128, 85,
                       r.x, r.y, r.w, r.h);
  PlayGameSound(L"data\\sound\\drum_roll.wav");
}

void cDialogNowejTury::Render(float elapsed) {
  DrawDialogGround(m_GuiDialog, kDialog);
  cDialog::Render(elapsed);
}

void cDialogNowejTury::OnKeyboard(UINT key, bool keyDown, bool) {
  if (keyDown && (key == 13 || key == 27)) CloseDialogs(1);
}

void cDialogNowejTury::OnMouse(bool, bool, bool, bool, bool, int, int, int) {
  if (gCursor.leftReleasedNow) CloseDialogs(1);
}
