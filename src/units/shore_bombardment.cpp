// A fleet's battleships and cruisers shell a land unit on the coast: the
// unit loses effectiveness, not strength, until the effect is cleared.
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/random.h"
#include "core/string_table.h"
#include "core/text.h"
#include "units/naval_values.h"
#include "units/unit.h"
#include "units/unit_rules.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/reports.h"

void cJednostka::ShoreBombardment(sFlota& fleet, sWynikWalki& result, bool allShips) {
  const cPanstwo* fleetOwner = gGra != nullptr ? gGra->GetCountry(fleet.countryId) : nullptr;
  const sConsts& fc = fleetOwner != nullptr ? fleetOwner->consts : unit_rules::ConstsOf(*this);
  result.resultCode = sWynikWalki::kShoreBombardment;
  result.attackerCountry = fleet.countryId;
  result.defenderCountry = countryId;

  std::vector<cJednostkaMorska*> battleships;
  std::vector<cJednostkaMorska*> cruisers;
  for (cJednostkaMorska* ship : fleet.ships) {
    if (!(ship->transferMark || allShips) || ship->shoreBombardmentDone) continue;
    if (ship->type == kTypeBattleship) battleships.push_back(ship);
    if (ship->type == kTypeCruiser) cruisers.push_back(ship);
  }
  const int die = RandomInRange(1, 6);
  const size_t n = battleships.size() + cruisers.size();
  // Many ships fire less each; an exponent of 0 would divide by zero and
  // then leaves the fire unscaled.
  float g = 1.0f;
  if (n > 0 && fc.fleetSizeExponent != 0.0f)
    g = std::pow(static_cast<float>(n), -1.0f / fc.fleetSizeExponent);

  result.attackerInfo += L"Shore bombardment\n----------\n Fleet: " + fleet.name + L"\n";
  float total = 0.0f;
  auto fire = [&](std::vector<cJednostkaMorska*>& group, const wchar_t* title, int type, const float (&byDie)[6]) {
    if (group.empty()) return;
    result.attackerInfo += title;
    const int full = fc.shipHitPoints[naval_values::TypeIndex(type)];
    for (cJednostkaMorska* ship : group) {
      ship->shoreBombardmentDone = 1;
      result.attackerInfo += ship->name + L"\n  ";
      const float r = ship->maxHitPoints > 0 && full > 0
                          ? static_cast<float>(ship->hitPoints) / static_cast<float>(full)
                          : 1.0f;
      total += r * byDie[die - 1] * g;
    }
    result.attackerInfo += L"\n";
  };
  fire(battleships, L" Battleships:\n  ", kTypeBattleship, fc.battleshipFire);
  fire(cruisers, L" Cruisers:\n  ", kTypeCruiser, fc.cruiserFire);

  const float value = GetStrengthValue();
  total = std::min(total, value);
  const int navy = fleetOwner != nullptr ? fleetOwner->techLevels[naval_values::kNavyTech] : 1;
  const float factor = fc.shoreBombardTechFactor[std::clamp(navy, 1, 5) - 1];
  const float effect =
      value > 0.0f ? factor * 0.01f * total / value * static_cast<float>(effectiveness) : 0.0f;
  shoreBombardmentEffect = effect;
  UpdateEffectiveness();

  const std::wstring head = WFormat(L"Shore bombardment: hex (%d, %d)\n\n", x, y);
  const std::wstring fleetOwnerName = fleetOwner != nullptr ? fleetOwner->name : std::wstring();
  AddReport(15, countryId,
            head + WFormat(L"Unit %s was attacked from sea by %s (%s)\n\n", name.c_str(), fleet.name.c_str(),
                           fleetOwnerName.c_str()) +
                result.defenderInfo);
  AddReport(14, fleet.countryId,
            head + WFormat(L"Attacked unit %s (%s) from sea with %s\n\n", name.c_str(),
                           unit_rules::CountryName(*this).c_str(), fleet.name.c_str()) +
                result.attackerInfo);
  result.defenderInfo += WFormat(Txt("report_details_shorebombardment_def").c_str(), static_cast<int>(effect));

  if (GetStrengthValue() < 0.1f) {
    result.defenderDestroyed |= 1;
    Kill();  // frees this unit: nothing may follow
  }
}
