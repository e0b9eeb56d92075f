#include "rules/game_over.h"

#include <algorithm>

#include "core/console.h"
#include "core/front_end.h"
#include "core/game_lock.h"
#include "core/string_table.h"
#include "core/text.h"
#include "world/country.h"
#include "world/country_economy.h"
#include "world/game.h"

namespace {

constexpr size_t kRankedCountriesShown = 20;

int CountAllianceLeaders(const cGra& game) {
  int leaders = 0;
  for (int a = kAllianceAllies; a <= kAllianceComintern; ++a)
    if (game.FindCountryByAlliance(a) != nullptr) ++leaders;
  return leaders;
}

bool HadHumanCountry(const cGra& game) {
  for (const cPanstwo* c : game.countries)
    if (c->humanControlled != 0) return true;
  return false;
}

}  // namespace

eGameOverCause DetermineGameOverCause(const cGra& game) {
  const int leaders = CountAllianceLeaders(game);
  if (leaders == 0) return eGameOverCause::kAllAlliancesEliminated;
  if (leaders == 1) return eGameOverCause::kOneAllianceLeft;
  // A surrendered country stays human-controlled but is no longer active.
  if (HadHumanCountry(game) && !game.HasHumanCountry()) return eGameOverCause::kHumansAnnexed;
  if (game.turnsLeft <= 0) return eGameOverCause::kTimeOut;
  return eGameOverCause::kNone;
}

const char* GameOverCauseKey(eGameOverCause cause) {
  switch (cause) {
    case eGameOverCause::kAllAlliancesEliminated: return "game_over:_all_alliances_eliminated_(uncommon_ending)";
    case eGameOverCause::kOneAllianceLeft: return "game_over:_only_one_major_alliance_left";
    case eGameOverCause::kHumansAnnexed: return "game_over:_all_human-controlled_countries_annexed";
    case eGameOverCause::kTimeOut: return "game_over:_time_has_run_out";
    case eGameOverCause::kNone: break;
  }
  return "";
}

const char* GameResultKey(int a, int x, int c) {
  if (a == x && x == c) return a != 0 ? "result:_draw" : "result:_all_major_alliances_eliminated,_no_result!";
  if (a == x && a > c) return "result:_axis-allied_draw_comintern_defeat";
  if (a == c && a > x) return "result:_allied-comintern_draw_axis_defeat";
  if (x == c && x > a) return "result:_axis-comintern_draw_allied_defeat";
  if (x > a && x > c) return "result:_axis_victory";
  if (a > x && a > c) return "result:_allied_victory";
  return "result:_comintern_victory";
}

std::vector<sCountryScore> RankCountries(const cGra& game) {
  std::vector<sCountryScore> ranking;
  for (const cPanstwo* c : game.countries)
    if (c->active != 0 && c->politicalStrength >= 0) ranking.push_back({c, game.ComputeCountryScore(c->id)});
  std::stable_sort(ranking.begin(), ranking.end(),
                   [](const sCountryScore& l, const sCountryScore& r) { return l.score > r.score; });
  return ranking;
}

std::wstring BuildGameOverAccount(const cGra& game, eGameOverCause cause) {
  std::wstring text = L"\n";
  if (cause != eGameOverCause::kNone) text += Txt(GameOverCauseKey(cause));
  const int allies = game.GetAllianceVictoryPoints(kAllianceAllies);
  const int axis = game.GetAllianceVictoryPoints(kAllianceAxis);
  const int comintern = game.GetAllianceVictoryPoints(kAllianceComintern);
  text += Txt(GameResultKey(allies, axis, comintern));
  text += Txt("alliance_score:");
  text += WFormat(Txt("axis:_%i_vp").c_str(), axis);
  text += WFormat(Txt("allies:_%i_vp").c_str(), allies);
  text += WFormat(Txt("comintern:_%i_vp").c_str(), comintern);
  text += Txt("individual_score:");
  const std::vector<sCountryScore> ranking = RankCountries(game);
  for (size_t i = 0; i < ranking.size() && i < kRankedCountriesShown; ++i)
    text += WFormat(Txt("%i._%s:_%i").c_str(), static_cast<int>(i) + 1, ranking[i].country->name.c_str(),
                    ranking[i].score);
  text += Txt("___press_esc_to_finish");
  return text;
}

void cGra::CheckGameOver() {
  LogLine(L"CHECKING FOR GAME OVER...");
  const eGameOverCause cause = DetermineGameOverCause(*this);
  if (cause != eGameOverCause::kNone) gameOver = 1;
  const std::wstring account = BuildGameOverAccount(*this, cause);
  if (gameOver != 0) {
    FrontEndHandle dialog = 0;
    {
      cGameLockGuard lock(__FILE__, __LINE__);
      dialog = FrontEnd().ShowTextDialog(account, Txt("game_over"), kMessageDialogLayout);
    }
    // Waited for outside the lock, so that the main thread can draw it.
    FrontEnd().WaitForDialogClosed(dialog, __FILE__, __LINE__);
  }
  LogLine(L"CHECKING FOR GAME OVER FINISHED");
}
