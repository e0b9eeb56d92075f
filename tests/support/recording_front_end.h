#pragma once
#include <map>
#include <string>
#include <vector>

#include "core/front_end.h"

// A quiet front end that also writes down every call, for tests.
class cRecordingFrontEnd : public cQuietFrontEnd {
 public:
  struct sCall {
    std::string name;
    std::wstring text;
    int value = 0;
    int value2 = 0;
  };
  std::vector<sCall> calls;
  std::vector<sWynikWalki> combatResults;
  std::vector<FrontEndHandle> releasedTextures;
  std::vector<cHoverable*> hoverObjects;
  std::vector<const sZdarzenie*> shownEvents;
  std::vector<cSeaBattle*> seaBattles;
  std::vector<const sFlota*> droppedFleets;
  std::vector<sScreenRect> minimapRects;

  // Answers a test sets up for the queries.
  sCursorState cursor;
  bool ctrlHeld = false;
  bool dialogHasMouse = false;
  int topDialogId = kNoDialog;
  cUnit* unitToDeploy = nullptr;
  std::vector<sFlota*> selectedFleets;          // given only while topDialogId is the fleets dialog
  std::vector<cJednostkaMorska*> selectedShips;  // likewise
  std::map<int, sScreenRect> layoutRects;        // rows not given answer as the quiet front end does

  void Shutdown() override { Record("Shutdown"); }
  void MessageBox(const std::wstring& text, const std::wstring& title, eMessageBoxIcon) override { Record("MessageBox", text + L"|" + title); }
  sScreenRect LayoutRect(int id) override {
    auto it = layoutRects.find(id);
    return it != layoutRects.end() ? it->second : cQuietFrontEnd::LayoutRect(id);
  }
  sCursorState CursorState() override { return cursor; }
  void ClearDragEnded() override {
    Record("ClearDragEnded");
    cursor.dragEnded = false;
  }
  void SetHoverObject(cHoverable* object) override {
    Record("SetHoverObject", L"", object != nullptr ? 1 : 0);
    hoverObjects.push_back(object);
  }
  void DrawHoverBox(int x, int y, const std::vector<std::wstring>& lines, bool friendly) override {
    std::wstring text;
    for (const std::wstring& l : lines) text += l + L"\n";
    Record("DrawHoverBox", text, friendly ? 1 : 0);
    (void)x;
    (void)y;
  }
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
  void WriteTexturePixels(FrontEndHandle t, int w, int h, const std::vector<uint32_t>& argb) override {
    Record("WriteTexturePixels", L"", t, static_cast<int>(argb.size()));
    (void)w;
    (void)h;
  }
  void SelectFontsByScale() override { Record("SelectFontsByScale"); }
  void SelectCityAppearanceByZoom() override { Record("SelectCityAppearanceByZoom"); }
  void InitSounds() override { Record("InitSounds"); }
  void PlaySound(const std::wstring& file) override { Record("PlaySound", file); }
  bool PlayCountryMusic(int id) override { Record("PlayCountryMusic", L"", id); return true; }
  void StopMusic() override { Record("StopMusic"); }
  void RefreshInfoPanel() override { Record("RefreshInfoPanel"); }
  void SetInfoMessage(const std::wstring& text) override { Record("SetInfoMessage", text); }
  void RefreshHexPanel() override { Record("RefreshHexPanel"); }
  void RefreshUnitPanel() override { Record("RefreshUnitPanel"); }
  void RefreshDiplomacyPanel() override { Record("RefreshDiplomacyPanel"); }
  void RefreshAttackPanel() override { Record("RefreshAttackPanel"); }
  void RefreshMinimapDate() override { Record("RefreshMinimapDate"); }
  void SetMinimapRect(const sScreenRect& r) override {
    Record("SetMinimapRect", L"", r.x, r.y);
    minimapRects.push_back(r);
  }
  void EnableInfoPanelControls() override { Record("EnableInfoPanelControls"); }
  void RestorePanelFolding() override { Record("RestorePanelFolding"); }
  bool IsCtrlHeld() override { return ctrlHeld; }
  bool DialogHasMouse() override { return dialogHasMouse; }
  void ClearMapInputLatches() override { Record("ClearMapInputLatches"); }
  cUnit* UnitToDeploy() override { return unitToDeploy; }
  void CenterMapOn(int x, int y) override { Record("CenterMapOn", L"", x, y); }
  FrontEndHandle ShowTextDialog(const std::wstring& text, const std::wstring& title, int layout) override {
    Record("ShowTextDialog", title + L"|" + text, layout);
    return ++lastHandle_;
  }
  FrontEndHandle ShowCombatResult(const sWynikWalki& r, float delay) override {
    Record("ShowCombatResult", r.generalText, static_cast<int>(delay));
    combatResults.push_back(r);
    return ++lastHandle_;
  }
  FrontEndHandle ShowNewTurnDialog(int countryId) override { return RecordDialog("ShowNewTurnDialog", countryId); }
  FrontEndHandle ShowConvoyResults(int countryId) override { return RecordDialog("ShowConvoyResults", countryId); }
  FrontEndHandle ShowEventDialog(const sZdarzenie& event) override {
    shownEvents.push_back(&event);
    return RecordDialog("ShowEventDialog", 0);
  }
  FrontEndHandle ShowFleetsDialog(int seaNodeId) override { return RecordDialog("ShowFleetsDialog", seaNodeId); }
  void WaitForDialogClosed(FrontEndHandle d, const char*, int) override { Record("WaitForDialogClosed", L"", d); }
  int TopDialogId() override { return topDialogId; }
  bool FleetsDialogSelection(std::vector<sFlota*>& fleets, std::vector<cJednostkaMorska*>& ships) override {
    if (topDialogId != kFleetsDialog) return cQuietFrontEnd::FleetsDialogSelection(fleets, ships);
    fleets = selectedFleets;
    ships = selectedShips;
    return true;
  }
  void DropFleetFromFleetsDialog(const sFlota* fleet) override {
    Record("DropFleetFromFleetsDialog");
    droppedFleets.push_back(fleet);
  }
  void ResumeTopDialog(int dialogId) override { Record("ResumeTopDialog", L"", dialogId); }
  void CloseTopDialog(int dialogId) override { Record("CloseTopDialog", L"", dialogId); }
  void SendMapClickToTopDialog() override { Record("SendMapClickToTopDialog"); }
  void CreateConvoyFromPicks(int fromSeaNode, int toSeaNode) override {
    Record("CreateConvoyFromPicks", L"", fromSeaNode, toSeaNode);
  }
  FrontEndHandle OpenSeaBattleScreen(cSeaBattle& battle, const std::function<void()>& fightWithoutScreen) override {
    Record("OpenSeaBattleScreen");
    seaBattles.push_back(&battle);
    return cQuietFrontEnd::OpenSeaBattleScreen(battle, fightWithoutScreen);
  }
  void WaitForSeaBattleScreenClosed(FrontEndHandle s, const char*, int) override {
    Record("WaitForSeaBattleScreenClosed", L"", s);
  }
  void ClearSeaBattleGridUnit(int x, int y) override { Record("ClearSeaBattleGridUnit", L"", x, y); }
  void EnableSeaBattleCloseOnly() override { Record("EnableSeaBattleCloseOnly"); }
  void AnimateMove(const std::function<bool()>& advance) override {
    Record("AnimateMove");
    cQuietFrontEnd::AnimateMove(advance);
  }
  void Delay(int ms, const char*, int) override { Record("Delay", L"", ms); }

  int Count(const std::string& name) const {
    int n = 0;
    for (const sCall& c : calls)
      if (c.name == name) ++n;
    return n;
  }

 private:
  void Record(const char* name, std::wstring text = L"", int value = 0, int value2 = 0) {
    calls.push_back({name, std::move(text), value, value2});
  }
  FrontEndHandle RecordDialog(const char* name, int value) {
    Record(name, L"", value);
    return ++lastHandle_;
  }
};
