#pragma once
// Asks whether the player really ends the turn, with a box that stops
// further questions.
#include "dialogs/dialog.h"

class cDialogPotwKoncaTury : public cDialog {
 public:
  enum eControl : int { kDialog = 701, kTitle = 702, kQuestion = 704, kYes = 705, kNo = 706, kDontAsk = 707 };
  cDialogPotwKoncaTury();
  void Render(float elapsed) override;
  void OnKeyboard(UINT key, bool keyDown, bool altDown) override;
  void OnEvent(UINT event, int controlId, CFWControl* control) override;
};

// What the yes button runs: the game screen's end of turn.
using EndTurnFn = void (*)();
void SetEndTurnHandler(EndTurnFn fn);
