#include "screens/loading_menu.h"

#include <algorithm>

#include "core/console.h"
#include "framework/fw_main.h"
#include "framework/texture.h"
#include "rules/worker_thread.h"
#include "screens/main_menu.h"
#include "screens/scenario_settings_menu.h"

StartWorkerFn gStartWorker = &StartWorkerThread;

cLoadingMenu::cLoadingMenu() {
  gLoadingWallpaper.Release();
  gLoadingWallpaper.Load(L"data\\gfx\\wallpaper_loading.png", kTextureFromFile, 1);
  gConsole.AddLine(L"----- Loading -----");
  AddProgressBar(kProgress, 0, 100, 0);
  SetVisible(true);
}

void cLoadingMenu::SetProgress(int percent) {
  percent = std::clamp(percent, 0, 100);
  if (auto* bar = Get<CFWProgressBar>(kProgress, FWCONTROL_PROGRESSBAR)) bar->SetValue(percent);
  gConsole.AddFormatted(L" Progress = %i%%", percent);
  FWRender3DEnvironment();
}

int cLoadingMenu::Progress() const {
  auto* self = const_cast<cLoadingMenu*>(this);
  const auto* bar = self->Get<CFWProgressBar>(kProgress, FWCONTROL_PROGRESSBAR);
  return bar != nullptr ? bar->GetValue() : -1;
}

void cLoadingMenu::FinishLoading() {
  if (gStartWorker != nullptr) gStartWorker();
  gConsole.AddLine(L"Creating next menu");
  gLoadingWallpaper.Release();
  gCurrentMenu = new cScenarioSettingsMenu();
}

void cLoadingMenu::OnRender(float elapsed) { RenderWithWallpaper(gLoadingWallpaper, elapsed); }
