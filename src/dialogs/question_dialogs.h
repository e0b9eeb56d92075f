#pragma once
// Three small dialogs that ask the player something for an opener: a yes/no
// question, one line of text, a choice from a list. The opener pushes one
// and makes itself the answer target; the pressed button's id reaches the
// target's OnEvent, the result stays in a shared value, and the dialog
// closes itself. Enter presses the confirming button, Esc the refusing one.
#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/dialog.h"

class CFWListBox;

// The shared results, program-wide.
extern uint8_t gQuestionAnswer;           // 1 yes, 0 no
extern std::wstring gEnteredText;         // at most 99 characters after a confirmed entry
extern std::vector<int32_t> gChosenItems;  // data values of the chosen list items

class cQuestionDialog : public cDialog {
 public:
  void OnKeyboard(UINT key, bool keyDown, bool altDown) override;

 protected:
  cQuestionDialog(int id, int confirmId, int refuseId);
  // Hands the answer to the target, then closes this dialog: touch nothing
  // of it afterwards.
  void Answer(UINT event, int controlId, CFWControl* control);
  void AddTitle(int id, const std::wstring& text);

  int confirmId_;
  int refuseId_;
};

class cDialogPotwierdzenia : public cQuestionDialog {
 public:
  enum eControl : int { kDialog = 701, kTitle = 702, kQuestion = 704, kYes = 705, kNo = 706 };
  cDialogPotwierdzenia(const std::wstring& title, const std::wstring& question, const std::wstring& yes,
                       const std::wstring& yesHint, const std::wstring& no, const std::wstring& noHint);
  void OnEvent(UINT event, int controlId, CFWControl* control) override;
};

class cDialogPobraniaTekstu : public cQuestionDialog {
 public:
  enum eControl : int { kDialog = 694, kTitle = 695, kPrompt = 697, kEdit = 698, kOk = 699, kCancel = 700 };
  cDialogPobraniaTekstu(const std::wstring& title, const std::wstring& prompt, const std::wstring& initial);
  void OnEvent(UINT event, int controlId, CFWControl* control) override;
};

class cDialogPobraniaListy : public cQuestionDialog {
 public:
  enum eControl : int { kDialog = 722, kTitle = 723, kPrompt = 725, kList = 726, kOk = 727, kCancel = 728 };
  cDialogPobraniaListy(const std::wstring& title, const std::wstring& prompt);
  void OnEvent(UINT event, int controlId, CFWControl* control) override;
  // The opener fills it (text and data value per item) and may set style 1.
  CFWListBox* List();
};
