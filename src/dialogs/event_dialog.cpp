#include "dialogs/event_dialog.h"

#include <algorithm>

#include "core/console.h"
#include "core/string_table.h"
#include "core/text.h"
#include "dialogs/dialog_stack.h"
#include "framework/texture.h"
#include "framework/texture_handles.h"
#include "gui/fw_memo.h"
#include "gui/fw_scrollbar.h"
#include "gui/fw_memo.h"
#include "gui/gui_builders.h"
#include "gui/gui_layout.h"
#include "persistence/saver.h"
#include "platform/text_layout.h"
#include "world/country.h"
#include "world/game.h"
#include "world/reports.h"

cTexture gEventPicture;

namespace {
constexpr int kEventResultsReport = 25;
bool IsPbem() { return gGra != nullptr && gGra->pbem != 0; }
}  // namespace

cDialogEventu::cDialogEventu(const sZdarzenie& event)
    : cDialog(kDialog, GuiRect(kDialog).x, GuiRect(kDialog).y, GuiRect(kDialog).w, GuiRect(kDialog).h),
      event_(event) {
  const sGuiRect frame = GuiRect(kDialog), title = GuiRect(kTitle), text = GuiRect(kText), pic = GuiRect(kPicture),
                 row = GuiRect(kButtonRow), step = GuiRect(kButtonStep), flag = GuiRect(kFlag);
  bool havePicture = false;
  gEventPicture.Release();
  if (!event_.image.empty()) {
    const std::wstring path = WFormat(L"data\\events\\%s", event_.image.c_str());
    havePicture = SUCCEEDED(gEventPicture.Load(path.c_str(), kTextureFromFile, 1)) && gEventPicture.Texture() != nullptr;
    if (!havePicture) LogLine(L"Event picture not found: " + path);
  }
  // The picture: the largest square inside its row, centred.
  const int side = std::min(pic.w, pic.h);
  const int picX = pic.x + (pic.w - side) / 2, picY = pic.y + (pic.h - side) / 2;

  const int count = static_cast<int>(event_.options.size());
  const int memoBottom = text.y + text.h;
  const int pictureBottom = havePicture ? picY + side : 0;
  const int upper = std::max(memoBottom, pictureBottom);
  const int buttons = (IsPbem() ? count + 1 : count) * step.h;
  const int contentBottom = buttons + row.y <= upper ? upper : buttons + row.y;
  const int d = (frame.y + frame.h) / 2 - (contentBottom + title.y) / 2;

  CFWStatic* s = nullptr;
  m_GuiDialog.AddStatic(kTitle, event_.title.c_str(), title.x, title.y + d, title.w, title.h, false, &s);
  if (s != nullptr) {
    s->m_iTextElement = 1;
    s->m_dwTextFormat = DT_CENTER | DT_VCENTER;
  }
  if (CFWMemo* memo = AddMemo(&m_GuiDialog, kText, event_.description.c_str())) memo->SetLocation(text.x, text.y + d);
  if (havePicture)
    m_GuiDialog.AddImage(kPicture, gEventPicture.Texture(), 0, 0, 512, 512, picX, picY + d, side, side);
  const cPanstwo* country = gGra != nullptr ? gGra->GetCountry(event_.countryID) : nullptr;
  m_GuiDialog.AddImage(kFlag, country != nullptr ? TextureOfHandle(country->GetFlagTexture()) : nullptr, 0, 0, 128, 85,
                       flag.x, flag.y + d, flag.w, flag.h);
  int y = row.y + d;
  for (int i = 0; i < count; ++i, y += step.h) {
    CFWButton* b = nullptr;
    m_GuiDialog.AddButton(kFirstOption + i, event_.options[i].text.c_str(), row.x, y, row.w, row.h, 0, false, &b);
    if (b != nullptr) b->SetHint(event_.options[i].tooltip.c_str());
  }
  if (IsPbem()) {
    CFWButton* b = nullptr;
    m_GuiDialog.AddButton(SaveAndExitId(), Txt("event_save_and_exit").c_str(), row.x, y, row.w, row.h, 0, false, &b);
    if (b != nullptr) b->SetHint(Txt("event_save_and_exit_hint").c_str());
  }
  if (CFWControl* f = m_GuiDialog.GetControl(kDialog)) {
    f->SetLocation(frame.x, d);
    f->SetSize(frame.w, contentBottom + title.y);
  }
}

void cDialogEventu::OnEvent(UINT, int controlId, CFWControl*) {
  if (controlId <= 4000) return;
  const int n = controlId - 4000;
  const int count = static_cast<int>(event_.options.size());
  if (n > count) {
    if (!IsPbem()) return;
    // The worker sees the flag once this dialog has left the stack and ends
    // the program; no option runs.
    cZapisGry().SavePbemGame(gGra->pbemGameName);
    gEventSaveAndExitRequest = true;
    CloseDialogs(1);
    return;
  }
  std::wstring option, tooltip;
  event_.GetOptionTexts(n, option, tooltip);
  const cPanstwo* country = gGra != nullptr ? gGra->GetCountry(event_.countryID) : nullptr;
  const std::wstring name = country != nullptr ? country->name : std::wstring();
  AddReport(kEventResultsReport, event_.countryID,
            WFormat(L"Event for country %s: %s\n\n%s\n\nChosen option: %s (%s)", name.c_str(), event_.title.c_str(),
                    event_.description.c_str(), option.c_str(), tooltip.c_str()));
  LogF(L"Event %i: the player chose option %i", event_.eventID, n);
  event_.ExecuteOption(n);
  CloseDialogs(1);
}
