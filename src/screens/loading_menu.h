#pragma once
// The loading screen: a wallpaper with a progress bar, current while the
// loader builds the game on the main thread. The loader moves the bar and,
// when the game is complete, has the worker thread started and the next
// menu opened.
#include "screens/menu.h"

class cLoadingMenu : public cMenu {
 public:
  enum eControl : int { kProgress = 263 };
  cLoadingMenu();
  // Moves the bar (clamped to 0..100), logs the step and draws one frame.
  void SetProgress(int percent);
  void FinishLoading();
  void OnRender(float elapsed) override;
  int Progress() const;
};

// Starts the worker thread at the end of loading; tests replace it.
using StartWorkerFn = int (*)();
extern StartWorkerFn gStartWorker;
