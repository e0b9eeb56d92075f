// The answers of the three question dialogs, keyed by Enter and Esc as a
// player does: what reaches the answer target, what stays in the shared
// results, and what an opener without a target reads when it is resumed.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/game_lock.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/question_dialogs.h"
#include "gui/fw_editbox.h"
#include "gui/fw_listbox.h"

namespace {

// The dialog that asks: it hears the answer and, when resumed, reads the
// shared results.
class cOpener : public cDialog {
 public:
  cOpener() : cDialog(300, 0, 0, 100, 100) {}
  void OnEvent(UINT, int controlId, CFWControl*) override { answers.push_back(controlId); }
  void OnResume() override {
    resumedAnswer = gQuestionAnswer;
    resumedText = gEnteredText;
    resumedItems = gChosenItems;
    ++resumes;
  }
  std::vector<int> answers;
  int resumes = 0;
  int resumedAnswer = -1;
  std::wstring resumedText;
  std::vector<int32_t> resumedItems;
};

cQuestionDialog* YesNo() { return new cDialogPotwierdzenia(L"Save", L"Overwrite?", L"Yes", L"", L"No", L""); }

cQuestionDialog* Text(const std::wstring& typed) {
  auto* d = new cDialogPobraniaTekstu(L"Name", L"Name of the game", L"first");
  d->Gui().Get<CFWEditBox>(cDialogPobraniaTekstu::kEdit, FWCONTROL_EDITBOX)->SetText(typed.c_str());
  return d;
}

cQuestionDialog* List(DWORD style, const std::vector<int>& selected) {
  auto* d = new cDialogPobraniaListy(L"Ports", L"Choose");
  CFWListBox* list = d->List();
  list->SetStyle(style);
  for (int i = 0; i < 5; ++i)
    list->AddItem((L"item " + std::to_wstring(i)).c_str(), reinterpret_cast<void*>(static_cast<intptr_t>(10 * i + 7)));
  for (int i : selected) {
    if (style == 0) list->SelectItem(i, false);
    else list->GetItem(i)->bSelected = true;
  }
  return d;
}

TEST(QuestionDialogs, AnswersReachTheTargetAndStayShared) {
  CreateGameLock();
  const std::wstring longText(120, L'x');
  struct sCase {
    const char* what;
    std::function<cQuestionDialog*()> make;
    UINT key;
    bool withTarget;
    int reported;  // button id the target hears (none without a target)
    int answer;
    std::wstring text;
    std::vector<int32_t> items;
  } cases[] = {
      {"yes by Enter", YesNo, 13, true, 705, 1, L"", {}},
      {"no by Esc", YesNo, 27, true, 706, 0, L"", {}},
      {"yes without a target, read on resume", YesNo, 13, false, 0, 1, L"", {}},
      {"text cut to 99", [&] { return Text(longText); }, 13, true, 699, 0, longText.substr(0, 99), {}},
      {"text cancelled keeps the initial text", [] { return Text(L"changed"); }, 27, true, 700, 0, L"first", {}},
      {"one item", [] { return List(0, {2}); }, 13, true, 727, 0, L"", {27}},
      {"nothing selected", [] { return List(0, {}); }, 13, true, 727, 0, L"", {}},
      {"several items in list order", [] { return List(1, {4, 1}); }, 13, false, 0, 0, L"", {17, 47}},
      {"list cancelled chooses nothing", [] { return List(1, {1}); }, 27, true, 728, 0, L"", {}},
  };
  for (const sCase& c : cases) {
    SCOPED_TRACE(c.what);
    ResetDialogStack();
    gQuestionAnswer = 9;
    gEnteredText.clear();
    gChosenItems = {99};
    auto* opener = new cOpener;
    PushDialog(opener, 0);
    cQuestionDialog* q = c.make();
    PushDialog(q, 0);
    if (c.withTarget) q->SetAnswerTarget(opener);
    const bool yesNo = dynamic_cast<cDialogPotwierdzenia*>(q) != nullptr;
    const bool text = dynamic_cast<cDialogPobraniaTekstu*>(q) != nullptr;
    ASSERT_TRUE(DialogKeyboard(c.key, true, false));
    EXPECT_EQ(opener->answers, c.withTarget ? std::vector<int>{c.reported} : std::vector<int>{});
    ASSERT_EQ(DialogStack().size(), 1u) << "the question closed itself";
    EXPECT_EQ(gCurrentDialog, opener);
    EXPECT_EQ(opener->resumes, 1);
    // Each dialog leaves its own result; the others keep theirs.
    if (yesNo) {
      EXPECT_EQ(opener->resumedAnswer, c.answer);
    } else if (text) {
      EXPECT_EQ(opener->resumedText, c.text);
    } else {
      EXPECT_EQ(opener->resumedItems, c.items);
    }
  }
  ResetDialogStack();
}
}  // namespace
