#pragma once
// The game's message box: a title, a word-wrapped text and one OK button,
// sized to its text. Enter and Esc press OK.
#include <string>

#include "dialogs/dialog.h"

class cDialogTekstowy : public cDialog {
 public:
  // Rows of the layout table relative to the layout base id.
  enum eControl : int { kTitle = 1, kText = 3, kOk = 4 };
  cDialogTekstowy(const std::wstring& text, const std::wstring& title, int layoutBaseId);
  void OnKeyboard(UINT key, bool keyDown, bool altDown) override;
  void OnEvent(UINT event, int controlId, CFWControl* control) override;
  int LayoutBase() const { return base_; }

 private:
  int base_;
};

// The layout base every message passes.
constexpr int kMessageLayoutBase = 684;
