#pragma once
// The one narrow way in which the game core reaches the screen, dialogs,
// sound, music, textures, loading progress, move animation, delays and the
// fatal exit. The UI installs its implementation at start-up; tests and
// computer-only games use the quiet or the recording one.
#include <functional>
#include <string>
#include <vector>

#include "core/shared_records.h"

// Identifies a texture or a dialog handed out by the front end; 0 is none.
using FrontEndHandle = int;

class cFrontEnd {
 public:
  virtual ~cFrontEnd() = default;

  // Framework.
  virtual void Shutdown() = 0;  // closes the window and releases devices
  virtual int ScreenWidth() = 0;
  virtual int ScreenHeight() = 0;
  virtual int MaxTextureWidth() = 0;
  virtual void MessageBox(const std::wstring& text, const std::wstring& title) = 0;

  // Loading screen.
  virtual void SetLoadingProgress(int percent) = 0;
  virtual void FinishLoading() = 0;
  virtual void CreateHudPanels() = 0;

  // Skins, textures, sounds and music.
  virtual bool LoadMapSkin(const std::wstring& name) = 0;
  virtual bool LoadUnitsSkin(const std::wstring& name) = 0;
  virtual FrontEndHandle LoadTexture(const std::wstring& file, int kind, int mode) = 0;
  virtual FrontEndHandle CreateBlankTexture(int width, int height) = 0;
  virtual void ReleaseTexture(FrontEndHandle texture) = 0;
  virtual void InitSounds() = 0;
  // Stops, rewinds and plays a sound effect by its file name; unknown or
  // unloaded sounds are skipped.
  virtual void PlaySound(const std::wstring& file) = 0;
  virtual bool PlayCountryMusic(int countryId) = 0;
  virtual void StopMusic() = 0;

  // Panels of the game screen.
  virtual void RefreshInfoPanel() = 0;
  virtual void SetInfoMessage(const std::wstring& text) = 0;
  virtual void RefreshHexPanel() = 0;
  virtual void RefreshUnitPanel() = 0;
  virtual void RefreshDiplomacyPanel() = 0;

  // Dialogs. Each returns the handle of the pushed dialog.
  virtual FrontEndHandle ShowTextDialog(const std::wstring& text, const std::wstring& title, int layout) = 0;
  virtual FrontEndHandle ShowCombatResult(const sWynikWalki& result, float delay) = 0;
  // Waits until the dialog has left the dialog stack; never holds the game
  // lock while sleeping.
  virtual void WaitForDialogClosed(FrontEndHandle dialog, const char* file, int line) = 0;

  // A unit's move is shown step by step: advance is called once per move
  // delay until it returns false.
  virtual void AnimateMove(const std::function<bool()>& advance) = 0;
  // A pause of the delay preferences.
  virtual void Delay(int milliseconds, const char* file, int line) = 0;
};

// Answers at once, sleeps never, shows nothing; moves are run synchronously.
class cQuietFrontEnd : public cFrontEnd {
 public:
  void Shutdown() override {}
  int ScreenWidth() override { return 1024; }
  int ScreenHeight() override { return 768; }
  int MaxTextureWidth() override { return 4096; }
  void MessageBox(const std::wstring&, const std::wstring&) override {}
  void SetLoadingProgress(int) override {}
  void FinishLoading() override {}
  void CreateHudPanels() override {}
  bool LoadMapSkin(const std::wstring&) override { return true; }
  bool LoadUnitsSkin(const std::wstring&) override { return true; }
  FrontEndHandle LoadTexture(const std::wstring&, int, int) override { return ++lastHandle_; }
  FrontEndHandle CreateBlankTexture(int, int) override { return ++lastHandle_; }
  void ReleaseTexture(FrontEndHandle) override {}
  void InitSounds() override {}
  void PlaySound(const std::wstring&) override {}
  bool PlayCountryMusic(int) override { return false; }
  void StopMusic() override {}
  void RefreshInfoPanel() override {}
  void SetInfoMessage(const std::wstring&) override {}
  void RefreshHexPanel() override {}
  void RefreshUnitPanel() override {}
  void RefreshDiplomacyPanel() override {}
  FrontEndHandle ShowTextDialog(const std::wstring&, const std::wstring&, int) override { return ++lastHandle_; }
  FrontEndHandle ShowCombatResult(const sWynikWalki&, float) override { return ++lastHandle_; }
  void WaitForDialogClosed(FrontEndHandle, const char*, int) override {}
  void AnimateMove(const std::function<bool()>& advance) override;
  void Delay(int, const char*, int) override {}

 protected:
  FrontEndHandle lastHandle_ = 0;
};

// A quiet front end that also writes down every call, for tests.
class cRecordingFrontEnd : public cQuietFrontEnd {
 public:
  struct sCall {
    std::string name;
    std::wstring text;
    int value = 0;
  };
  std::vector<sCall> calls;
  std::vector<sWynikWalki> combatResults;
  std::vector<FrontEndHandle> releasedTextures;

  void Shutdown() override { Record("Shutdown"); }
  void MessageBox(const std::wstring& text, const std::wstring& title) override { Record("MessageBox", text + L"|" + title); }
  void SetLoadingProgress(int percent) override { Record("SetLoadingProgress", L"", percent); }
  void FinishLoading() override { Record("FinishLoading"); }
  void CreateHudPanels() override { Record("CreateHudPanels"); }
  bool LoadMapSkin(const std::wstring& name) override { Record("LoadMapSkin", name); return true; }
  bool LoadUnitsSkin(const std::wstring& name) override { Record("LoadUnitsSkin", name); return true; }
  FrontEndHandle LoadTexture(const std::wstring& file, int kind, int mode) override {
    Record("LoadTexture", file, mode);
    (void)kind;
    return ++lastHandle_;
  }
  FrontEndHandle CreateBlankTexture(int w, int h) override { Record("CreateBlankTexture", L"", w * 100000 + h); return ++lastHandle_; }
  void ReleaseTexture(FrontEndHandle t) override { Record("ReleaseTexture", L"", t); releasedTextures.push_back(t); }
  void InitSounds() override { Record("InitSounds"); }
  void PlaySound(const std::wstring& file) override { Record("PlaySound", file); }
  bool PlayCountryMusic(int id) override { Record("PlayCountryMusic", L"", id); return true; }
  void StopMusic() override { Record("StopMusic"); }
  void RefreshInfoPanel() override { Record("RefreshInfoPanel"); }
  void SetInfoMessage(const std::wstring& text) override { Record("SetInfoMessage", text); }
  void RefreshHexPanel() override { Record("RefreshHexPanel"); }
  void RefreshUnitPanel() override { Record("RefreshUnitPanel"); }
  void RefreshDiplomacyPanel() override { Record("RefreshDiplomacyPanel"); }
  FrontEndHandle ShowTextDialog(const std::wstring& text, const std::wstring& title, int layout) override {
    Record("ShowTextDialog", title + L"|" + text, layout);
    return ++lastHandle_;
  }
  FrontEndHandle ShowCombatResult(const sWynikWalki& r, float delay) override {
    Record("ShowCombatResult", r.generalText, static_cast<int>(delay));
    combatResults.push_back(r);
    return ++lastHandle_;
  }
  void WaitForDialogClosed(FrontEndHandle d, const char*, int) override { Record("WaitForDialogClosed", L"", d); }
  void AnimateMove(const std::function<bool()>& advance) override {
    Record("AnimateMove");
    cQuietFrontEnd::AnimateMove(advance);
  }
  void Delay(int ms, const char*, int) override { Record("Delay", L"", ms); }

  int Count(const std::string& name) const;

 private:
  void Record(const char* name, std::wstring text = L"", int value = 0) { calls.push_back({name, std::move(text), value}); }
};

// The installed front end (the quiet one until something else is set).
cFrontEnd& FrontEnd();
// Installs fe (not owned); null restores the quiet one.
void SetFrontEnd(cFrontEnd* fe);

// The game object's teardown, set by the world model so that fatal paths
// can destroy a running game first.
using DestroyGameFn = void (*)();
void SetDestroyGameHook(DestroyGameFn fn);
void DestroyGameIfAny();

// A fatal error: writes the log line, destroys the game when asked, shuts
// the front end down and ends the process with the exit code (data errors 1).
[[noreturn]] void FatalExit(const std::wstring& logLine, int exitCode = 1, bool destroyGame = false);
