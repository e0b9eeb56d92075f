#pragma once
// A fired scenario event shown to its human player: title, text, picture
// and flag, one button per option. The chosen option is filed as a report
// and run before the dialog closes; a PBEM game offers saving and leaving.
#include "dialogs/dialog.h"
#include "events/event_manager.h"

class cTexture;

class cDialogEventu : public cDialog {
 public:
  enum eControl : int {
    kDialog = kDialogEvent,
    kTitle = 781,
    kFlag = 782,
    kText = 783,
    kPicture = 784,
    kButtonRow = 785,    // first button's row
    kButtonStep = 786,   // its height is the step between buttons
    kFirstOption = 4001,  // 4001 + i for option i from 0
  };
  // The dialog keeps its own copy of the event.
  explicit cDialogEventu(const sZdarzenie& event);
  void OnEvent(UINT event, int controlId, CFWControl* control) override;
  const sZdarzenie& Event() const { return event_; }
  // The id of the save-and-exit button (PBEM games only).
  int SaveAndExitId() const { return 4002 + static_cast<int>(event_.options.size()); }

 private:
  sZdarzenie event_;
};

// The picture of the event on screen; each new dialog loads its own.
extern cTexture gEventPicture;
