#include "dialogs/elections_dialog.h"

#include "core/random.h"
#include "core/string_table.h"
#include "core/text.h"
#include "dialogs/dialog_stack.h"
#include "framework/sound.h"
#include "gui/gui_layout.h"
#include "platform/text_layout.h"
#include "world/country.h"

int gOrientationChoice = kNoOrientationChoice;

namespace {

struct sChoice {
  int id;
  const char* key;
};
// The three choices open to a pro-allied, pro-axis and pro-communist country.
const sChoice kChoices[3][3] = {
    {{0, "diplomacy_elections_democracy"}, {4, "diplomacy_elections_pro_axis"},
     {5, "diplomacy_elections_pro_communist"}},
    {{1, "diplomacy_elections_nationalist_regime"}, {3, "diplomacy_elections_pro_allied"},
     {5, "diplomacy_elections_pro_communist"}},
    {{2, "diplomacy_elections_communist_regime"}, {4, "diplomacy_elections_pro_axis"},
     {3, "diplomacy_elections_pro_allied"}},
};

}  // namespace

cDialogWyborow::cDialogWyborow(cPanstwo* country, bool elections)
    : cDialog(kDialog, GuiRect(kDialog).x, GuiRect(kDialog).y, GuiRect(kDialog).w, GuiRect(kDialog).h),
      country_(country) {
  gOrientationChoice = kNoOrientationChoice;
  CFWDialog& d = m_GuiDialog;
  const std::wstring name = country_ != nullptr ? country_->name : L"-";
  CFWStatic* s = nullptr;
  d.AddStatic(kTitle,
              WFormat(Txt(elections ? "diplomacy_elections_in_country_title"
                                    : "diplomacy_change_orientation_of_country_title")
                          .c_str(),
                      name.c_str())
                  .c_str(),
              &s);
  if (s != nullptr && elections) {
    s->m_iTextElement = 1;
    s->m_dwTextFormat = DT_CENTER | DT_VCENTER;
  }
  d.AddStatic(kText,
              WFormat(Txt(elections ? "diplomacy_elections_in_country" : "diplomacy_change_orientation_of_country")
                          .c_str(),
                      name.c_str())
                  .c_str(),
              &s);
  if (s != nullptr) s->m_dwTextFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK;
  const char* cancel = elections ? "diplomacy_elections_cancel" : "diplomacy_change_orientation_cancel";
  d.AddButton(kCancel, Txt(cancel).c_str(), Txt(std::string(cancel) + "_hint").c_str());
  const int code = country_ != nullptr ? country_->orientation : -1;
  if (code < 3 || code > 5) return;
  for (int i = 0; i < 3; ++i) {
    const sChoice& c = kChoices[code - 3][i];
    const sGuiRect r = GuiRect(kFirstChoiceRow + i);
    d.AddButton(c.id, Txt(c.key).c_str(), r.x, r.y, r.w, r.h, 0, false, &choices_[i]);
  }
  const sGuiRect r = GuiRect(kRandomRow);
  d.AddButton(kRandom, Txt("diplomacy_elections_random").c_str(), r.x, r.y, r.w, r.h);
}

int cDialogWyborow::ChoiceId(int index) const {
  return index >= 0 && index < 3 && choices_[index] != nullptr ? choices_[index]->m_ID : -1;
}

void cDialogWyborow::OnEvent(UINT event, int controlId, CFWControl* control) {
  if ((controlId >= 0 && controlId <= 5) || controlId == kCancel) {
    gOrientationChoice = controlId == kCancel ? kNoOrientationChoice : controlId;
    if (m_pAnswerTarget != nullptr) {
      // The opener hears the answer as a click of the user's, sound included.
      PlayControlSound(event, controlId, control != nullptr ? control : m_GuiDialog.GetControl(controlId));
      m_pAnswerTarget->OnEvent(event, controlId, control);
    }
    CloseDialogs(1);
  } else if (controlId == kRandom) {
    // A uniform pick: all three choices can come up.
    const int k = RandomIndex(3);
    if (k >= 0 && k < 3 && choices_[k] != nullptr) m_GuiDialog.SendEvent(kGuiEventButtonClicked, true, choices_[k]);
  }
}
