#pragma once
// Saves the running game under a name the player types or takes from the
// list of saved games, asking before it overwrites one. A name that could
// not be a folder of "data\save" is refused with a message. Ctrl held while
// a saved game is clicked overwrites it at once and returns to the game.
#include <string>

#include "dialogs/dialog.h"

class cDialogZapisuGry : public cDialog {
 public:
  enum eControl : int {
    kDialog = 252,
    kTitle = 250,
    kListLabel = 253,
    kList = 254,
    kNameLabel = 255,
    kName = 256,
    kExit = 257,
    kSave = 258,
  };
  cDialogZapisuGry();
  ~cDialogZapisuGry() override;
  void OnEvent(UINT event, int controlId, CFWControl* control) override;
  void OnResume() override;

  void FillList();
  // Asks before overwriting an existing save unless forced; saves otherwise.
  void AskOverwrite(const std::wstring& name, int force);
  bool AwaitingOverwriteAnswer() const { return awaitingOverwriteAnswer_ != 0; }
  std::wstring NameText();

 private:
  void ReadSaveHeader(const std::wstring& folder);
  void ClearRows();
  int32_t awaitingOverwriteAnswer_ = 0;
};
