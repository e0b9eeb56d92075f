#include "dialogs/research_dialog.h"

#include "core/string_table.h"
#include "core/text.h"
#include "dialogs/dialog_stack.h"
#include "framework/texture.h"
#include "gui/fw_editbox.h"
#include "gui/gui_builders.h"
#include "gui/gui_layout.h"
#include "world/country.h"
#include "world/country_economy.h"
#include "world/game.h"

namespace {
const char* const kNameKeys[cDialogResearchu::kRows] = {"research_artillery",  "research_tanks",
                                                         "research_aircraft",   "research_submarines",
                                                         "research_warships",   "research_nuclear"};
constexpr int kPictureRow = 13;  // the level-0 picture inside GUI.png

cPlatformTexture* GuiTexture() { return gTextures[kGuiTextureHolder].Texture(); }

CFWEditBox* ValueBox(CFWDialog& d, int id, const wchar_t* text, const std::string& hint, const sGuiRect& column,
                     int row) {
  CFWEditBox* box = AddEditBox(&d, id, text, Txt(hint).c_str());
  if (box == nullptr) return nullptr;
  box->SetLocation(column.x, column.y + (row + 1) * (column.h + 10));
  box->SetSize(column.w, column.h);
  // Set again at the box's own size: at the size of no layout row the whole
  // text would have scrolled out of sight.
  box->SetText(text);
  box->SetBorderWidth(2);
  box->SetTextColor(0xFFFFFFFFu);
  box->SetEnabled(false);
  return box;
}
}  // namespace

float cDialogResearchu::InvestmentPrice(const cPanstwo& country, int category) {
  if (category < 0 || category >= 7 || category == kTechDoctrine) return -1.0f;
  const int needed = ResearchThreshold(country.consts, category);
  if (needed <= 0) return 0.0f;
  // Constant 78 holds the price of one investment level by category.
  const float base = country.consts.c078[category];
  return base * static_cast<float>(needed - country.researchProgress[category]) / static_cast<float>(needed);
}

cDialogResearchu::cDialogResearchu()
    : cDialog(kDialogId, GuiRect(kDialogId).x, GuiRect(kDialogId).y, GuiRect(kDialogId).w, GuiRect(kDialogId).h) {
  if (gGra != nullptr) country_ = gGra->selection.currentCountry;
  if (CFWControl* frame = m_GuiDialog.GetControl(kDialogId)) frame->m_bMovable = false;
  CFWStatic* title = nullptr;
  m_GuiDialog.AddStatic(kTitle, Txt("research_title").c_str(), &title);
  if (title != nullptr) {
    title->m_iTextElement = 1;
    title->m_dwTextFormat = DT_CENTER | DT_VCENTER;
  }
  const sGuiRect names = GuiRect(794), levels = GuiRect(795), pictures = GuiRect(796), progress = GuiRect(797),
                 prices = GuiRect(798), invest = GuiRect(799);
  for (int j = 0; j < kRows; ++j)
    ValueBox(m_GuiDialog, kNames + j, Txt(kNameKeys[j]).c_str(), std::string(kNameKeys[j]) + "_hint", names, j);
  for (int j = 0; j < kRows; ++j) ValueBox(m_GuiDialog, kLevels + j, L"-", "research_technology_level_hint", levels, j);
  for (int j = 0; j < kRows; ++j) {
    CFWImage* image = nullptr;
    const int y = pictures.y + (j + 1) * (pictures.h + 10);
    m_GuiDialog.AddImage(kPictures + j, GuiTexture(), 0, 0, 0, 0, pictures.x, y, pictures.w, pictures.h, 0, false,
                         &image);
    if (image != nullptr) image->SetHint(Txt("research_investment_hint").c_str());
    SetPicture(j, country_ != nullptr ? country_->techInvestments[kRowCategory[j]] : 0);
  }
  for (int j = 0; j < kRows; ++j) ValueBox(m_GuiDialog, kProgress + j, L"-", "research_progress_hint", progress, j);
  for (int j = 0; j < kRows; ++j) ValueBox(m_GuiDialog, kPrices + j, L"-", "research_price_hint", prices, j);
  for (int j = 0; j < kRows; ++j) {
    CFWButton* b = nullptr;
    m_GuiDialog.AddButton(kInvest + j, Txt("research_invest").c_str(), invest.x, invest.y + j * (invest.h + 10),
                          invest.w, invest.h, 0, false, &b);
    if (b != nullptr) b->SetHint(Txt("research_invest_hint").c_str());
  }
  m_GuiDialog.AddButton(kClose, Txt("research_close").c_str(), Txt("research_close_hint").c_str());
  RefreshResearch();
}

void cDialogResearchu::SetPicture(int row, int level) {
  auto* image = m_GuiDialog.Get<CFWImage>(kPictures + row, FWCONTROL_IMAGE);
  if (image == nullptr) return;
  const sGuiRect r = GuiRect(kPictureRow);
  image->m_rcSource = RECT{r.x, r.y + level * r.h, r.x + r.w, r.y + (level + 1) * r.h};
}

void cDialogResearchu::RefreshResearch() {
  if (country_ == nullptr) return;
  const float available = static_cast<float>(country_->productionPoints);
  for (int c = 0; c < 7; ++c) price_[c] = InvestmentPrice(*country_, c);
  static const char* const kLevelHints[4] = {"research_investment_level0_hint", "research_investment_level1_hint",
                                             "research_investment_level2_hint", "research_investment_level3_hint"};
  for (int j = 0; j < kRows; ++j) {
    const int c = kRowCategory[j];
    const int level = country_->techInvestments[c];
    if (auto* e = m_GuiDialog.Get<CFWEditBox>(kLevels + j, FWCONTROL_EDITBOX))
      e->SetText(WFormat(L"%i", country_->techLevels[c]).c_str());
    SetPicture(j, level);
    if (level >= 0 && level <= 3)
      if (CFWControl* image = m_GuiDialog.GetControl(kPictures + j)) image->SetHint(Txt(kLevelHints[level]).c_str());
    const int needed = ResearchThreshold(country_->consts, c);
    if (auto* e = m_GuiDialog.Get<CFWEditBox>(kProgress + j, FWCONTROL_EDITBOX))
      e->SetText(WFormat(L"%i/%i", country_->researchProgress[c], needed).c_str());
    if (auto* e = m_GuiDialog.Get<CFWEditBox>(kPrices + j, FWCONTROL_EDITBOX))
      e->SetText(WFormat(Txt("%.0f_pp").c_str(), static_cast<double>(price_[c])).c_str());
    std::wstring reason;
    if (country_->techLevels[c] >= MaxTechLevel(country_->consts, c))
      reason = Txt("research_invest_hint_max_level_reached");
    else if (level >= 3)
      reason = Txt("research_invest_hint_max_investment");
    else if (available < price_[c])
      reason = WFormat(Txt("research_invest_hint_not_enough_pp").c_str(), static_cast<double>(price_[c]));
    if (CFWControl* b = m_GuiDialog.GetControl(kInvest + j)) {
      b->SetEnabled(reason.empty());
      b->SetHint(reason.empty() ? Txt("research_invest_hint").c_str() : reason.c_str());
    }
  }
}

void cDialogResearchu::OnEvent(UINT, int controlId, CFWControl*) {
  if (controlId == kClose) {
    CloseDialogs(1);
    return;
  }
  if (controlId >= kInvest && controlId < kInvest + kRows && country_ != nullptr) {
    const int c = kRowCategory[controlId - kInvest];
    country_->ChangeProductionPoints(-static_cast<double>(price_[c]));
    ++country_->techInvestments[c];
    RefreshResearch();
  }
}

void cDialogResearchu::OnKeyboard(UINT key, bool keyDown, bool) {
  if (keyDown && (key == 13 || key == 27)) PressButton(kClose);
}
