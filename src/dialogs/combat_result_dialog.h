#pragma once
// The outcome of one fight: its kind as the title, both sides' flags and
// texts, and a row of icons for what happened. It closes by itself after
// the chosen delay (the player may pause the count), or waits for a click
// when the delay is negative.
#include <string>

#include "core/shared_records.h"
#include "dialogs/dialog.h"

class cDialogWynikuWalki : public cDialog {
 public:
  enum eControl : int {
    kDialog = 900,
    kTitle = 902,
    kAttackerFlag = 903,
    kAttackerText = 907,
    kDefenderFlag = 910,
    kDefenderText = 914,
    kCountdown = 917,
    kPause = 918,
    kClose = 919,
    kAttackerKilledIcon = 7500,  // 7501..7506 the defender's outcomes
  };
  cDialogWynikuWalki(const sWynikWalki& result, float delayMs);
  void OnEvent(UINT event, int controlId, CFWControl* control) override;
  void OnKeyboard(UINT key, bool keyDown, bool altDown) override;
  void OnCountdown(float elapsed) override;
  void TogglePause();
};

// The string-base key of the title of a fight's kind.
const char* CombatResultTitleKey(int kind);
