#include "dialogs/save_game_dialog.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "core/ini_file.h"
#include "core/paths.h"
#include "core/string_table.h"
#include "core/text.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/message_dialog.h"
#include "dialogs/question_dialogs.h"
#include "dialogs/screen_hooks.h"
#include "gui/fw_editbox.h"
#include "gui/fw_listbox.h"
#include "gui/gui_builders.h"
#include "gui/gui_layout.h"
#include "persistence/saver.h"
#include "platform/text_layout.h"
#include "platform/window.h"
#include "world/country_economy.h"
#include "world/game.h"

namespace {

// Ctrl as the keyboard holds it now: a flag recorded before the dialog
// opened could turn a plain click into an overwrite without a question.
bool CtrlHeldNow() { return (GetKeyState(VK_CONTROL) & 0x8000) != 0; }

void ShowMessage(const std::wstring& text) {
  PushDialog(new cDialogTekstowy(text, Txt("save_game_title"), kMessageDialogLayout), 0);
}

}  // namespace

cDialogZapisuGry::cDialogZapisuGry()
    : cDialog(kDialog, GuiRect(kDialog).x, GuiRect(kDialog).y, GuiRect(kDialog).w, GuiRect(kDialog).h) {
  if (gGra != nullptr && gGra->GetState() != kStateScreenStarted && ScreenHooks().pauseGame != nullptr)
    ScreenHooks().pauseGame();
  CFWStatic* s = nullptr;
  m_GuiDialog.AddStatic(kTitle, Txt("save_game_title").c_str(), &s);
  if (s != nullptr) {
    s->m_iTextElement = 2;
    s->m_dwTextFormat = DT_CENTER | DT_VCENTER;
  }
  m_GuiDialog.AddStatic(kListLabel, Txt("save_game_list").c_str());
  CFWListBox* list = nullptr;
  m_GuiDialog.AddListBox(kList, 0, &list);
  // Wide enough a turn column for its title.
  if (list != nullptr) list->SetColumns(4, Txt("save_list_saved_game_columns").c_str(), {32, 36, 10, 22});
  m_GuiDialog.AddStatic(kNameLabel, Txt("save_game_new_name").c_str());
  AddEditBox(&m_GuiDialog, kName, Txt("save_game_default_name").c_str(), Txt("save_game_new_name_hint").c_str());
  m_GuiDialog.AddButton(kSave, Txt("save_game_save").c_str(), Txt("save_game_save_hint").c_str());
  m_GuiDialog.AddButton(kExit, Txt("save_game_exit").c_str(), Txt("save_game_exit_hint").c_str());
  FillList();
  m_GuiDialog.SetVisible(true);
}

cDialogZapisuGry::~cDialogZapisuGry() { ClearRows(); }

void cDialogZapisuGry::ClearRows() {
  auto* list = m_GuiDialog.Get<CFWListBox>(kList, FWCONTROL_LISTBOX);
  if (list == nullptr) return;
  for (int i = 0; i < list->GetSize(); ++i) delete static_cast<std::wstring*>(list->GetItem(i)->pData);
  list->RemoveAllItems();
}

std::wstring cDialogZapisuGry::NameText() {
  auto* edit = m_GuiDialog.Get<CFWEditBox>(kName, FWCONTROL_EDITBOX);
  return edit != nullptr ? edit->GetText() : std::wstring();
}

void cDialogZapisuGry::FillList() {
  auto* list = m_GuiDialog.Get<CFWListBox>(kList, FWCONTROL_LISTBOX);
  if (list == nullptr) return;
  const int remembered = list->GetSelectedIndex();
  ClearRows();
  std::vector<std::wstring> folders;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(NativePath(std::wstring(L"data\\save")), ec), end; !ec && it != end;
       it.increment(ec)) {
    if (!it->is_directory(ec)) continue;
    const std::string name = it->path().filename().string();
    // A save being written lies beside its target under a dotted name.
    if (name.empty() || name[0] == '.') continue;
    folders.push_back(Utf8ToWide(name));
  }
  std::sort(folders.begin(), folders.end());
  for (const std::wstring& f : folders) ReadSaveHeader(f);
  // The same position again when it still exists, else none.
  if (remembered >= 0 && remembered < list->GetSize()) list->SelectItem(remembered, false);
}

void cDialogZapisuGry::ReadSaveHeader(const std::wstring& folder) {
  cIniFile ini;
  if (!ini.Load(WFormat(L"data\\save\\%s\\Info.ini", folder.c_str()))) return;
  const std::string nameKey = WideToUtf8(WFormat(L"General_%s/Name", gStringTable.Language().c_str()));
  const std::wstring name = ini.GetString(nameKey, L"Unknown name");
  const std::wstring date = ini.GetString("Save/Date", L"--.--.-- --:--");
  const int turn = ini.GetInt("Save/Turn", 1);
  auto* list = m_GuiDialog.Get<CFWListBox>(kList, FWCONTROL_LISTBOX);
  const std::wstring row = WFormat(L"%s;%s;%i;%s", folder.c_str(), name.c_str(), turn, date.c_str());
  list->AddItem(row.c_str(), new std::wstring(folder));
}

void cDialogZapisuGry::AskOverwrite(const std::wstring& name, int force) {
  const std::wstring trimmed = TrimSaveName(name);
  // "..", separators and the characters no folder name may hold would reach
  // beyond "data\save": refused before anything is asked or written.
  if (const auto why = CheckSaveName(trimmed)) {
    ShowMessage(*why);
    return;
  }
  cZapisGry saver;
  if (force == 0 && saver.SaveFolderExists(trimmed)) {
    const std::wstring question = WFormat(Txt("save_overwrite_question_%s").c_str(), trimmed.c_str());
    PushDialog(new cDialogPotwierdzenia(Txt("save_overwrite_title"), question, Txt("save_overwrite_yes"),
                                        Txt("save_overwrite_yes_hint"), Txt("save_overwrite_no"),
                                        Txt("save_overwrite_no_hint")),
               0);
    awaitingOverwriteAnswer_ = 1;
    return;
  }
  saver.SaveGame(trimmed, force != 0);
}

void cDialogZapisuGry::OnEvent(UINT, int controlId, CFWControl*) {
  switch (controlId) {
    case kList: {
      auto* list = m_GuiDialog.Get<CFWListBox>(kList, FWCONTROL_LISTBOX);
      const auto* folder = list != nullptr ? static_cast<const std::wstring*>(list->GetSelectedData()) : nullptr;
      if (folder == nullptr) return;
      if (CtrlHeldNow()) {
        const std::wstring name = *folder;
        const sScreenHooks hooks = ScreenHooks();
        CloseDialogs(1);
        // This dialog is gone: nothing of it is touched from here on.
        cZapisGry().SaveGame(name, true);
        if (hooks.returnToGame != nullptr) hooks.returnToGame();
        return;
      }
      if (auto* edit = m_GuiDialog.Get<CFWEditBox>(kName, FWCONTROL_EDITBOX)) edit->SetText(folder->c_str());
      return;
    }
    case kSave:
      AskOverwrite(NameText(), 0);
      FillList();
      return;
    case kExit: {
      const sScreenHooks hooks = ScreenHooks();
      CloseDialogs(1);
      if (hooks.returnToGame != nullptr) hooks.returnToGame();
      return;
    }
    default:
      return;
  }
}

void cDialogZapisuGry::OnResume() {
  if (awaitingOverwriteAnswer_ == 1 && gQuestionAnswer == 1) {
    awaitingOverwriteAnswer_ = 0;
    cZapisGry().SaveGame(TrimSaveName(NameText()), false);
    FillList();
  }
  awaitingOverwriteAnswer_ = 0;
}
