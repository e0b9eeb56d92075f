#include "dialogs/combat_result_dialog.h"

#include "core/string_table.h"
#include "core/text.h"
#include "dialogs/dialog_stack.h"
#include "gui/cursor.h"
#include "framework/texture.h"
#include "framework/texture_handles.h"
#include "gui/fw_editbox.h"
#include "gui/gui_builders.h"
#include "gui/gui_layout.h"
#include "platform/text_layout.h"
#include "world/country.h"
#include "world/game.h"

namespace {

struct sOutcomeIcon {
  int id;
  int srcTop;
  const char* hintKey;
  int advance;  // how far the next defender icon moves right
};
// Source rectangles of the GUI picture: x 380..440, 60 high from srcTop.
const sOutcomeIcon kIcons[] = {
    {7500, 150, "combatresult_att_killed_hint", 0},
    {7501, 150, "combatresult_def_killed_hint", 70},
    {7502, 210, "combatresult_def_surrenders_hint", 50},
    {7503, 270, "combatresult_def_retreats_hint", 50},
    {7504, 330, "combatresult_def_city_affected_hint", 50},
    {7505, 390, "combatresult_defport_affected_hint", 50},
    {7506, 450, "combatresult_def_naval_def_killed_hint", 50},
};
constexpr int kIconSize = 40;

cPlatformTexture* FlagOf(int countryId) {
  if (countryId <= 0 || gGra == nullptr) return nullptr;
  const cPanstwo* c = gGra->GetCountry(countryId);
  return c != nullptr ? TextureOfHandle(c->GetFlagTexture()) : nullptr;
}

std::wstring CountryName(int countryId) {
  const cPanstwo* c = countryId > 0 && gGra != nullptr ? gGra->GetCountry(countryId) : nullptr;
  return c != nullptr ? c->name : std::wstring();
}

// One side's memo: the side, its losses and what happened to it.
std::wstring SideText(const std::wstring& side, float value, const std::wstring& details) {
  std::wstring text = WFormat(Txt("combat_result_main").c_str(), side.c_str(), static_cast<double>(value), details.c_str());
  if (text.size() > 4095) text.resize(4095);
  return text;
}

}  // namespace

const char* CombatResultTitleKey(int kind) {
  static const char* const kTitles[] = {
      "combatresult_land_battle_title",          "combatresult_air_fight_title",
      "combatresult_air_strike_land_title",      "combatresult_air_strike_sea_zone_title",
      "combatresult_nuclear_title",              "combatresult_recon_title",
      "combatresult_interception_title",         "combatresult_shore_bombardment_title",
      "combatresult_carrier_airstrike_land_title", "combatresult_carrier_airstrike_sea_zone_title",
  };
  return kind >= 0 && kind < 10 ? kTitles[kind] : "combatresult_unknown_battle_title";
}

cDialogWynikuWalki::cDialogWynikuWalki(const sWynikWalki& r, float delayMs)
    : cDialog(kDialog, GuiRect(kDialog).x, GuiRect(kDialog).y, GuiRect(kDialog).w, GuiRect(kDialog).h) {
  m_nCountdownAction = kCountdownClose;
  m_fCountdownSeconds = delayMs / 1000.0f;
  m_nCountdownStopped = m_fCountdownSeconds >= 0.0f ? 0 : 1;

  CFWStatic* s = nullptr;
  m_GuiDialog.AddStatic(kTitle, Txt(CombatResultTitleKey(r.resultCode)).c_str(), &s);
  if (s != nullptr) {
    s->m_iTextElement = 1;
    s->m_dwTextFormat = DT_CENTER | DT_VCENTER;
  }
  for (const auto& [id, country] : {std::pair{int(kAttackerFlag), r.attackerCountry}, std::pair{int(kDefenderFlag), r.defenderCountry}}) {
    if (country <= 0) continue;
    const sGuiRect f = GuiRect(id);
    m_GuiDialog.AddImage(id, FlagOf(country), 0, 0, 128, 85, f.x, f.y, f.w, f.h);
  }
  // What happened overall opens the attacker's side.
  std::wstring attackerDetails = r.generalText;
  if (!attackerDetails.empty() && !r.attackerInfo.empty()) attackerDetails += L"\n";
  attackerDetails += r.attackerInfo;
  std::wstring defenderDetails = r.defenderInfo;
  if (!r.lossText.empty()) defenderDetails += (defenderDetails.empty() ? L"" : L"\n") + r.lossText;
  AddMemo(&m_GuiDialog, kAttackerText, SideText(CountryName(r.attackerCountry), r.attackerLosses, attackerDetails).c_str());
  AddMemo(&m_GuiDialog, kDefenderText, SideText(CountryName(r.defenderCountry), r.defenderLosses, defenderDetails).c_str());

  const bool flags[] = {r.attackerDestroyed != 0, r.defenderDestroyed != 0, r.defenderSurrendered != 0,
                        r.defenderRetreated != 0, r.cityDamaged != 0,       r.portDamaged != 0,
                        r.shipsHit != 0};
  const sGuiRect att = GuiRect(kAttackerText), def = GuiRect(kDefenderText);
  int x = def.x;
  cPlatformTexture* gui = gTextures[kGuiTextureHolder].Texture();
  for (size_t i = 0; i < std::size(kIcons); ++i) {
    if (!flags[i]) continue;
    const sOutcomeIcon& icon = kIcons[i];
    const bool attacker = i == 0;
    const int ix = attacker ? att.x : x;
    const int iy = attacker ? att.y + att.h + 5 : def.y + def.h + 5;
    CFWImage* img = nullptr;
    m_GuiDialog.AddImage(icon.id, gui, 380, icon.srcTop, 440, icon.srcTop + 60, ix, iy, kIconSize, kIconSize, 0, false,
                         &img);
    if (img != nullptr) {
      img->SetEnabled(true);
      img->SetHint(Txt(icon.hintKey).c_str());
    }
    if (!attacker) x += icon.advance;
  }
  m_GuiDialog.AddStatic(kCountdown, Txt("combatresult_waiting_for_click").c_str(), &s);
  if (s != nullptr) s->m_dwTextFormat = DT_CENTER | DT_VCENTER;
  m_GuiDialog.AddButton(kPause, Txt("combat_result_pause").c_str(), Txt("combat_result_pause_hint").c_str());
  m_GuiDialog.AddButton(kClose, Txt("combat_result_close").c_str(), Txt("combat_result_close_hint").c_str());
}

void cDialogWynikuWalki::OnEvent(UINT, int controlId, CFWControl*) {
  if (controlId == kPause) TogglePause();
  else if (controlId == kClose) CloseDialogs(1);
}

void cDialogWynikuWalki::OnKeyboard(UINT key, bool keyDown, bool) {
  if (!keyDown) return;
  if (key == 13 || key == 27) CloseDialogs(1);
  else if (key == 32) TogglePause();
}

void cDialogWynikuWalki::OnCountdown(float) {
  if (auto* s = m_GuiDialog.Get<CFWStatic>(kCountdown, FWCONTROL_STATIC))
    s->SetText(WFormat(Txt("combatresult_timeout").c_str(), static_cast<double>(m_fCountdownSeconds)).c_str());
}

void cDialogWynikuWalki::TogglePause() {
  const char* text = nullptr;
  const char* hint = nullptr;
  if (m_nCountdownStopped == 0) {
    m_nCountdownStopped = 1;
    text = "combat_result_resume";
    hint = "combat_result_resume_hint";
  } else if (m_nCountdownStopped == 1) {
    m_nCountdownStopped = 0;
    text = "combat_result_pause";
    hint = "combat_result_pause_hint";
  } else {
    return;
  }
  if (auto* b = m_GuiDialog.Get<CFWButton>(kPause, FWCONTROL_BUTTON)) {
    b->SetText(Txt(text).c_str());
    b->SetHint(Txt(hint).c_str());
  }
  gCursor.SetHintText(Txt(hint).c_str());
}
