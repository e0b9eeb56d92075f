// The countries table "countries.csv": one row of 69 columns per country,
// with an optional 70th naming the units skin.
#include <algorithm>
#include <cwchar>
#include <string>

#include "core/console.h"
#include "core/csv_file.h"
#include "core/front_end.h"
#include "core/paths.h"
#include "core/table_fields.h"
#include "core/text.h"
#include "persistence/load_request.h"
#include "world/consts.h"
#include "world/country.h"
#include "world/folder_template.h"
#include "world/game.h"
#include "world/table_reader.h"

namespace {

constexpr size_t kCountryColumns = 69;

uint8_t Flag(const std::wstring& f) { return ReadIntField(f) != 0 ? 1 : 0; }
uint32_t HexColour(const std::wstring& f) { return static_cast<uint32_t>(std::wcstoul(f.c_str(), nullptr, 16)); }

// Columns 29-34 and 35-40 hold six of the seven research categories; the
// land-warfare doctrine (slot 2) has none.
constexpr int kResearchSlots[6] = {0, 1, 3, 4, 5, 6};

// Points and counters a country adds to and spends turn by turn.
constexpr sFieldRange kPercentRange{-1000, 1000};
constexpr sFieldRange kRateRange{-10000, 10000};

void FillCountry(cPanstwo& c, const cRangedRow& r) {
  const std::vector<std::wstring>& f = r.Fields();
  c.id = ReadIntField(f[0]);
  c.active = Flag(f[1]);
  for (size_t i = 0; i < 4; ++i) c.colors[i] = HexColour(f[3 + i]);
  c.alliance = r.Int(7, L"alliance", kCodeRange);
  c.orientation = r.Int(8, L"orientation", kCodeRange);
  c.zoneOfInfluence = r.Int(9, L"zone of influence", kCodeRange);
  c.allianceEntry = r.Int(10, L"alliance entry", kAmountRange);
  c.politicalStrength = r.Int(11, L"political strength", kAmountRange);
  c.finishedTurn = Flag(f[12]);
  c.humanControlled = Flag(f[13]);
  for (size_t i = 0; i < 7; ++i) c.techLevels[i] = r.Int(14 + i, L"technology level", kAmountRange);
  c.productionPoints = r.Real(21, L"production points", kRealAmountRange);
  c.diplomaticPoints = r.Int(22, L"diplomatic points", kAmountRange);
  c.strategicMovementPoints = r.Int(23, L"strategic movement points", kAmountRange);
  c.seaTransportPoints = r.Int(24, L"sea transport points", kAmountRange);
  c.amphibiousPoints = r.Int(25, L"amphibious points", kAmountRange);
  c.strategicMovementUsed = r.Int(26, L"strategic movement used", kAmountRange);
  c.seaTransportUsedByConvoys = r.Int(27, L"sea transport used by convoys", kAmountRange);
  c.amphibiousPointsInUse = r.Int(28, L"amphibious points in use", kAmountRange);
  c.techInvestments[2] = -1;
  c.researchProgress[2] = -1;
  for (size_t i = 0; i < 6; ++i) {
    c.techInvestments[kResearchSlots[i]] = r.Int(29 + i, L"research investment", kAmountRange);
    c.researchProgress[kResearchSlots[i]] = r.Int(35 + i, L"research progress", kAmountRange);
  }
  c.capitalX = r.Int(41, L"capital X", kCoordinateRange);
  c.capitalY = r.Int(42, L"capital Y", kCoordinateRange);
  c.doneDelayWarEntry = Flag(f[43]);
  c.doneHasteWarEntry = Flag(f[44]);
  c.doneParliamentaryElections = Flag(f[45]);
  c.doneTurnInOrientation = Flag(f[46]);
  c.socialUnrest = r.Real32(47, L"social unrest", {0, 100});
  c.warEconomy = r.Real32(48, L"war economy", kPercentRange);
  c.power = r.Int(49, L"power", kCodeRange);
  c.region = r.Int(50, L"region", kCodeRange);
  c.difficultyLevel = r.Int(51, L"difficulty level", kCodeRange);
  c.nuclearBombs = r.Int(52, L"nuclear bombs", kAmountRange);
  c.dpGrowthPerMonth = r.Int(53, L"diplomatic points per month", kAmountRange);
  for (size_t i = 0; i < 5; ++i) c.doctrineMonths[i] = r.Int(54 + i, L"doctrine months", kAmountRange);
  c.doneExertPressureAxis = Flag(f[59]);
  c.doneExertPressureAllied = Flag(f[60]);
  c.doneExertPressureComintern = Flag(f[61]);
  c.pbemPlayerId = r.Int(62, L"PBEM player", kCodeRange);
  c.unitUpkeepCostModifier = r.Real32(63, L"unit upkeep modifier", kRateRange);
  c.winterBattle = r.Real32(64, L"winter battle", kRateRange);
  c.winterMove = r.Real32(65, L"winter move", kRateRange);
  c.mudBattle = r.Real32(66, L"mud battle", kRateRange);
  c.mudMove = r.Real32(67, L"mud move", kRateRange);
  c.countryTypeSpecialFlags = ReadIntField(f[68]);
}

}  // namespace

void cGra::LoadCountries(const sLoadRequest& request, std::vector<cPanstwo*>& target) {
  const std::wstring path = FormatFolderTemplate(request.pathTemplate, L"countries.csv");
  cCsvFile file;
  OpenTableOrDie(file,
                 L"Otwieram plik z pa\u010f\u017c\u02ddstwami ze \u010f\u017c\u02ddcie\u010f\u017c\u02ddk\u010f\u017c\u02dd...",
                 path);

  for (cPanstwo* c : target) delete c;
  target.clear();
  // Every country looks for its pictures in the same few folders.
  cFolderLookupScope lookups;

  ForEachTableRow(
      file, kCountryColumns,
      [&](uint16_t count) {
        const std::vector<std::wstring>& f = file.fields;
        cPanstwo record;
        FillCountry(record, cRangedRow(f, path, file.LineNumber()));
        record.SetGraphicsNames(f[2]);
        if (count > kCountryColumns) record.SetSecondGraphicsName(f[69]);
        record.LoadFlagTexture(scenarioName);
        if (!LoadConsts(record.consts, scenarioName, &record.name)) record.consts = consts;
        record.TakeBuildTimesFromConsts();

        // Every table keyed by country id counts on the rows running 1, 2, 3...
        const int expected = static_cast<int>(target.size()) + 1;
        if (record.id != expected)
          FatalExit(WFormat(L"ERROR: Country IDs in %s must run 1, 2, 3...: line %i has ID %i where %i belongs", path.c_str(),
                            file.LineNumber(), record.id, expected),
                    1, true);
        target.push_back(new cPanstwo(std::move(record)));
        LogF(L"Added country %s (ID: %i, AllianceID: %i)", target.back()->name.c_str(), target.back()->id,
             target.back()->alliance);
      },
      [&](uint16_t count) {
        LogLine(WFormat(L"WARNING: wrong tokens (columns/values) amount (%i) in %s at line %i (counting from 1)",
                        static_cast<int>(count), path.c_str(), file.LineNumber()));
      });
}
