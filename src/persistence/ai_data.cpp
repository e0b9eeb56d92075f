// "ai_data.csv": the computer player's settings and standing plans, a
// keyword file with one block of rows per country.
#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "core/console.h"
#include "core/front_end.h"
#include "core/paths.h"
#include "core/string_table.h"
#include "core/table_fields.h"
#include "core/text.h"
#include "core/text_file.h"
#include "persistence/load_request.h"
#include "persistence/save_file.h"
#include "persistence/saver.h"
#include "world/ai_parameters.h"
#include "world/city.h"
#include "world/country.h"
#include "world/folder_template.h"
#include "world/game.h"
#include "world/hex_map.h"

namespace {

// The keywords in their numbering 1-27; 0 is no keyword.
enum eAiKeyword : int {
  kNoKeyword = 0,
  kCountry,
  kMakesSeaInvasions,
  kCurrentSeaInvasionTarget,
  kCurrentTargets,
  kDoNotAttackCities,
  kFortLevelToHoldAtAllCost,
  kExtraCitiesToGarrison,
  kMaxNumberOfFrontsForSeaInvasion,
  kSeaZonesToPatrol,
  kDesiredLandForcesStructure,
  kDesiredTechLevels,
  kDesiredStrategicMovementPoints,
  kNewUnitPurchasePreferences,
  kMultipleSideAttackPreferences,
  kOneSideAttackPreferences,
  kAllianceEntryPolicy,
  kCountriesToPress,
  kTransportsUnitsToFrontsBySea,
  kPurchaseQueue,
  kNewUnitPurchaseData,
  kMinRatioToPatchFront,
  kMaxUnitCountOnFront,
  kMaxCoveringUnitDistance,
  kMaxSafeMoveCost,
  kObligatorySeaInvasionTargets,
  kShoreBombardmentSingleUse,
  kCarrierTargetsPriorities,
  kKeywordCount
};

constexpr std::array<const wchar_t*, kKeywordCount> kKeywords = {
    L"",
    L"Country",
    L"MakesSeaInvasions",
    L"CurrentSeaInvasionTarget",
    L"CurrentTargets",
    L"DoNotAttackCities",
    L"FortLevelToHoldAtAllCost",
    L"ExtraCitiesToGarrison",
    L"MaxNumberOfFrontsForSeaInvasion",
    L"SeaZonesToPatrol",
    L"DesiredLandForcesStructure",
    L"DesiredTechLevels",
    L"DesiredStrategicMovementPoints",
    L"NewUnitPurchasePreferences",
    L"MultipleSideAttackPreferences",
    L"OneSideAttackPreferences",
    L"AllianceEntryPolicy",
    L"CountriesToPress",
    L"TransportsUnitsToFrontsBySea",
    L"PurchaseQueue",
    L"NewUnitPurchaseData",
    L"MinRatioToPatchFront",
    L"MaxUnitCountOnFront",
    L"MaxCoveringUnitDistance",
    L"MaxSafeMoveCost",
    L"ObligatorySeaInvasionTargets",
    L"ShoreBombardmentSingleUse",
    L"CarrierTargetsPriorities",
};

int KeywordNumber(const std::wstring& field) {
  for (int k = 1; k < kKeywordCount; ++k)
    if (field == kKeywords[static_cast<size_t>(k)]) return k;
  return kNoKeyword;
}

// Fills slot (p - 2) mod n of a fixed array.
template <size_t N>
void FillCyclic(int32_t (&slots)[N], int p, int value) {
  slots[static_cast<size_t>(p - 2) % N] = value;
}

// Reads one file's rows into the countries; keeps the state that spans rows
// (the current country) and the half-read pairs and triples of a row.
class cAiDataReader {
 public:
  cAiDataReader(cGra& game, const std::wstring& path) : game_(game), path_(path) {}

  void ReadLine(int lineNumber, std::string_view line) {
    if (line.empty() || line[0] == '#') return;
    const std::vector<std::wstring> fields = SplitTableLine(Cp1252ToWide(line));
    if (fields.empty()) return;
    const int keyword = KeywordNumber(fields[0]);
    if (keyword == kNoKeyword) {
      // A lone unknown word passes; an unknown word with values is an error.
      if (fields.size() > 1)
        FatalExit(WFormat(L"ERROR: line %i in ai_data.csv has incorrect variable name (%s)!", lineNumber,
                          fields[0].c_str()));
      return;
    }
    if (keyword == kCountry) {
      for (size_t i = 1; i < fields.size(); ++i) current_ = game_.GetCountry(ReadIntField(fields[i]));
      // One line per block that names no country, not one per row.
      warnedNoCountry_ = current_ == nullptr && fields.size() > 1;
      if (warnedNoCountry_)
        LogF(L"WARNING: %s line %i: no country with ID %s; rows up to the next Country row are skipped", path_.c_str(),
             lineNumber, fields.back().c_str());
      return;
    }
    if (current_ == nullptr) {
      if (!warnedNoCountry_)
        LogF(L"WARNING: %s line %i: %s names no country (no valid Country row before it); row skipped", path_.c_str(),
             lineNumber, fields[0].c_str());
      warnedNoCountry_ = true;
      return;
    }
    x_ = 0;
    a_ = 0;
    b_ = 0;
    for (size_t i = 1; i < fields.size(); ++i) Apply(keyword, static_cast<int>(i) + 1, fields[i], lineNumber);
  }

 private:
  // The city of the hex; no city there is a data error.
  cMiasto* CityAt(int x, int y, int lineNumber) const {
    cMiasto* city = nullptr;
    if (game_.map != nullptr && game_.map->IsInside(x, y)) city = game_.map->GetHex(x, y)->city;
    if (city == nullptr)
      FatalExit(WFormat(L"ERROR (ai_data.csv, line %i): There is no city at coords (%i,%i)", lineNumber, x, y));
    return city;
  }

  // Every value of the computer player's data is a count, a weight, a
  // coordinate or an id looked up later: one bound keeps them all in int's
  // reach of the rules that add and multiply them.
  int Int(int keyword, const std::wstring& field, int lineNumber) const {
    return RangedIntField(field, kAmountRange, {path_, lineNumber, kKeywords[static_cast<size_t>(keyword)]});
  }
  double Real(int keyword, const std::wstring& field, int lineNumber) const {
    return RangedRealField(field, kRealAmountRange, {path_, lineNumber, kKeywords[static_cast<size_t>(keyword)]});
  }

  // Value at position p (the first value is p = 2) of a row of the keyword.
  void Apply(int keyword, int p, const std::wstring& field, int lineNumber) {
    sAiParameters& ai = current_->ai;
    switch (keyword) {
      case kMakesSeaInvasions:
        ai.makesSeaInvasions = Int(keyword, field, lineNumber) != 0 ? 1 : 0;
        break;
      case kCurrentSeaInvasionTarget:
        ai.currentSeaInvasionTarget = Int(keyword, field, lineNumber);
        break;
      case kFortLevelToHoldAtAllCost:
        ai.fortLevelToHoldAtAllCost = Int(keyword, field, lineNumber);
        break;
      case kMaxNumberOfFrontsForSeaInvasion:
        ai.maxFrontsForSeaInvasion = Int(keyword, field, lineNumber);
        break;
      case kDesiredStrategicMovementPoints:
        ai.desiredStrategicMovementPoints = Int(keyword, field, lineNumber);
        break;
      case kAllianceEntryPolicy:
        ai.allianceEntryPolicy = Int(keyword, field, lineNumber);
        break;
      case kTransportsUnitsToFrontsBySea:
        ai.transportsUnitsToFrontsBySea = Int(keyword, field, lineNumber) != 0 ? 1 : 0;
        break;
      case kMinRatioToPatchFront:
        ai.minRatioToPatchFront = static_cast<float>(Real(keyword, field, lineNumber));
        break;
      case kMaxUnitCountOnFront:
        ai.maxUnitCountOnFront = Int(keyword, field, lineNumber);
        break;
      case kMaxCoveringUnitDistance:
        ai.maxCoveringUnitDistance = Int(keyword, field, lineNumber);
        break;
      case kMaxSafeMoveCost:
        ai.maxSafeMoveCost = Int(keyword, field, lineNumber);
        break;
      case kDoNotAttackCities:
      case kExtraCitiesToGarrison:
      case kObligatorySeaInvasionTargets:
        if (p % 2 == 0) {
          x_ = Int(keyword, field, lineNumber);
          break;
        }
        {
          const int y = Int(keyword, field, lineNumber);
          cMiasto* city = CityAt(x_, y, lineNumber);
          if (keyword == kDoNotAttackCities) {
            ai.doNotAttackCities.push_back(city);
          } else if (keyword == kExtraCitiesToGarrison) {
            ai.extraCitiesToGarrison.push_back(city);
          } else {
            if (!city->IsPort())
              FatalExit(WFormat(L"ERROR(ai_data.csv, line %i): City at coords (%i, %i) is not a port", lineNumber, x_,
                                y));
            ai.obligatorySeaInvasionTargets.push_back(city);
          }
        }
        break;
      case kSeaZonesToPatrol:
        if (p % 2 == 0)
          a_ = Int(keyword, field, lineNumber);
        else
          ai.seaZonesToPatrol.emplace_back(a_, Int(keyword, field, lineNumber));
        break;
      case kCurrentTargets:
        if ((p - 2) % 3 == 0)
          a_ = Int(keyword, field, lineNumber);
        else if ((p - 2) % 3 == 1)
          b_ = Int(keyword, field, lineNumber);
        else
          ai.currentTargets.push_back({a_, b_, Int(keyword, field, lineNumber)});
        break;
      case kDesiredLandForcesStructure:
        FillCyclic(ai.desiredLandForcesStructure, p, Int(keyword, field, lineNumber));
        break;
      case kDesiredTechLevels:
        FillCyclic(ai.desiredTechLevels, p, Int(keyword, field, lineNumber));
        break;
      case kNewUnitPurchasePreferences:
        FillCyclic(ai.newUnitPurchasePreferences, p, Int(keyword, field, lineNumber));
        break;
      case kMultipleSideAttackPreferences:
        FillCyclic(ai.multipleSideAttackPreferences, p, Int(keyword, field, lineNumber));
        break;
      case kOneSideAttackPreferences:
        FillCyclic(ai.oneSideAttackPreferences, p, Int(keyword, field, lineNumber));
        break;
      case kCarrierTargetsPriorities:
        if (p <= 10) ai.carrierTargetsPriorities[p - 2] = Int(keyword, field, lineNumber);
        break;
      case kNewUnitPurchaseData:
        if (p > 7) break;
        if (p % 2 == 0)
          ai.newUnitPurchaseData[(p - 2) / 2].first = Int(keyword, field, lineNumber);
        else
          ai.newUnitPurchaseData[(p - 3) / 2].second = static_cast<float>(Real(keyword, field, lineNumber));
        break;
      case kShoreBombardmentSingleUse:
        if (p <= 3) ai.shoreBombardmentSingleUse[p - 2] = static_cast<float>(Real(keyword, field, lineNumber) / 100.0);
        break;
      case kCountriesToPress:
        ai.countriesToPress.push_back(Int(keyword, field, lineNumber));
        break;
      case kPurchaseQueue:
        ai.purchaseQueue.push_back(Int(keyword, field, lineNumber));
        break;
      default:
        break;
    }
  }

  cGra& game_;
  std::wstring path_;
  cPanstwo* current_ = nullptr;
  bool warnedNoCountry_ = false;
  // The first parts of a pair or triple of the row being read.
  int x_ = 0;
  int a_ = 0;
  int b_ = 0;
};

// The row's values after the keyword, each as ";%i".
template <class List, class Each>
std::string JoinList(const List& list, Each each) {
  std::string out;
  for (const auto& e : list) out += each(e);
  return out;
}

std::string IntArray(const int32_t* values, size_t n) {
  std::string out;
  for (size_t i = 0; i < n; ++i) out += Format(";%i", values[i]);
  return out;
}

}  // namespace

void cGra::LoadAiData(const sLoadRequest& request) {
  const std::wstring path = FormatFolderTemplate(request.pathTemplate, L"ai_data.csv");
  LogLine(L"Otwieram plik z danymi AI ze sciezki...");
  LogLine(path);
  std::FILE* f = OpenGameFile(path, "rb");
  if (f == nullptr) FatalExit(L"Blad otwarcia pliku! (nie istnieje?)", 1, true);
  LogLine(L"Otwarcie OK");

  // Lines are read whole: a long list of cities cut into pieces would start
  // a piece with a number where the keyword belongs.
  cAiDataReader reader(*this, path);
  std::string line;
  int lineNumber = 0;
  while (ReadTextLine(f, line)) reader.ReadLine(++lineNumber, line);
  std::fclose(f);
  LogLine(Txt("empty_line..."));
}

void cZapisGry::SaveAiData(const std::wstring& folder) const {
  const std::wstring path = SaveFilePath(folder, L"ai_data.csv");
  std::FILE* f = OpenSaveFileOrDie(path, TableSaveMessages());
  std::string text = "# ai data";
  auto row = [&text](const std::string& r) { text += "\r\n" + r; };
  auto cities = [](const std::list<cMiasto*>& list) {
    return JoinList(list, [](const cMiasto* c) { return Format(";%i;%i", c->x, c->y); });
  };
  for (const cPanstwo* country : gGra->countries) {
    const sAiParameters& ai = country->ai;
    row(Format("Country;%i", country->id));
    row(Format("MakesSeaInvasions;%i", ai.makesSeaInvasions));
    row(Format("MaxNumberOfFrontsForSeaInvasion;%i", ai.maxFrontsForSeaInvasion));
    if (!ai.doNotAttackCities.empty()) row("DoNotAttackCities" + cities(ai.doNotAttackCities));
    row(Format("FortLevelToHoldAtAllCost;%i", ai.fortLevelToHoldAtAllCost));
    if (!ai.extraCitiesToGarrison.empty()) row("ExtraCitiesToGarrison" + cities(ai.extraCitiesToGarrison));
    if (!ai.currentTargets.empty())
      row("CurrentTargets" + JoinList(ai.currentTargets, [](const std::array<int32_t, 3>& t) {
            return Format(";%i;%i;%i", t[0], t[1], t[2]);
          }));
    if (!ai.obligatorySeaInvasionTargets.empty())
      row("ObligatorySeaInvasionTargets" + cities(ai.obligatorySeaInvasionTargets));
    if (!ai.seaZonesToPatrol.empty())
      row("SeaZonesToPatrol" + JoinList(ai.seaZonesToPatrol, [](const std::pair<int32_t, int32_t>& z) {
            return Format(";%i;%i", z.first, z.second);
          }));
    row("DesiredLandForcesStructure" + IntArray(ai.desiredLandForcesStructure, 5));
    row("DesiredTechLevels" + IntArray(ai.desiredTechLevels, 7));
    row(Format("DesiredStrategicMovementPoints;%i", ai.desiredStrategicMovementPoints));
    row("NewUnitPurchasePreferences" + IntArray(ai.newUnitPurchasePreferences, 14));
    row(Format("CurrentSeaInvasionTarget;%i", ai.currentSeaInvasionTarget));
    row("MultipleSideAttackPreferences" + IntArray(ai.multipleSideAttackPreferences, 3));
    row("OneSideAttackPreferences" + IntArray(ai.oneSideAttackPreferences, 3));
    row(Format("AllianceEntryPolicy;%i", ai.allianceEntryPolicy));
    if (!ai.countriesToPress.empty())
      row("CountriesToPress" + JoinList(ai.countriesToPress, [](int32_t c) { return Format(";%i", c); }));
    row(Format("TransportsUnitsToFrontsBySea;%i", ai.transportsUnitsToFrontsBySea));
    if (!ai.purchaseQueue.empty())
      row("PurchaseQueue" + JoinList(ai.purchaseQueue, [](int32_t c) { return Format(";%i", c); }));
    const auto& d = ai.newUnitPurchaseData;
    row(Format("NewUnitPurchaseData;%i;%f;%i;%f;%i;%f", d[0].first, static_cast<double>(d[0].second), d[1].first,
               static_cast<double>(d[1].second), d[2].first, static_cast<double>(d[2].second)));
    row(Format("MinRatioToPatchFront;%f", static_cast<double>(ai.minRatioToPatchFront)));
    row(Format("MaxUnitCountOnFront;%i", ai.maxUnitCountOnFront));
    row(Format("MaxCoveringUnitDistance;%i", ai.maxCoveringUnitDistance));
    row(Format("MaxSafeMoveCost;%i", ai.maxSafeMoveCost));
    // The table holds percentages and the reader divides by 100: a fraction
    // written as it is stored would shrink a hundredfold at every load.
    row(Format("ShoreBombardmentSingleUse;%f;%f", static_cast<double>(ai.shoreBombardmentSingleUse[0]) * 100.0,
               static_cast<double>(ai.shoreBombardmentSingleUse[1]) * 100.0));
    row("CarrierTargetsPriorities" + IntArray(ai.carrierTargetsPriorities, 9));
  }
  std::fwrite(text.data(), 1, text.size(), f);
  CloseSaveFileOrDie(f, path);
}
