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
float Real32(const std::wstring& f) { return static_cast<float>(ReadRealField(f)); }

// Columns 29-34 and 35-40 hold six of the seven research categories; the
// land-warfare doctrine (slot 2) has none.
constexpr int kResearchSlots[6] = {0, 1, 3, 4, 5, 6};

void FillCountry(cPanstwo& c, const std::vector<std::wstring>& f) {
  c.id = ReadIntField(f[0]);
  c.active = Flag(f[1]);
  for (size_t i = 0; i < 4; ++i) c.colors[i] = HexColour(f[3 + i]);
  c.alliance = ReadIntField(f[7]);
  c.orientation = ReadIntField(f[8]);
  c.zoneOfInfluence = ReadIntField(f[9]);
  c.allianceEntry = ReadIntField(f[10]);
  c.politicalStrength = ReadIntField(f[11]);
  c.finishedTurn = Flag(f[12]);
  c.humanControlled = Flag(f[13]);
  for (size_t i = 0; i < 7; ++i) c.techLevels[i] = ReadIntField(f[14 + i]);
  c.productionPoints = ReadRealField(f[21]);
  c.diplomaticPoints = ReadIntField(f[22]);
  c.strategicMovementPoints = ReadIntField(f[23]);
  c.seaTransportPoints = ReadIntField(f[24]);
  c.amphibiousPoints = ReadIntField(f[25]);
  c.strategicMovementUsed = ReadIntField(f[26]);
  c.seaTransportUsedByConvoys = ReadIntField(f[27]);
  c.amphibiousPointsInUse = ReadIntField(f[28]);
  c.techInvestments[2] = -1;
  c.researchProgress[2] = -1;
  for (size_t i = 0; i < 6; ++i) {
    c.techInvestments[kResearchSlots[i]] = ReadIntField(f[29 + i]);
    c.researchProgress[kResearchSlots[i]] = ReadIntField(f[35 + i]);
  }
  c.capitalX = ReadIntField(f[41]);
  c.capitalY = ReadIntField(f[42]);
  c.doneDelayWarEntry = Flag(f[43]);
  c.doneHasteWarEntry = Flag(f[44]);
  c.doneParliamentaryElections = Flag(f[45]);
  c.doneTurnInOrientation = Flag(f[46]);
  c.socialUnrest = std::clamp(Real32(f[47]), 0.0f, 100.0f);
  c.warEconomy = Real32(f[48]);
  c.power = ReadIntField(f[49]);
  c.region = ReadIntField(f[50]);
  c.difficultyLevel = ReadIntField(f[51]);
  c.nuclearBombs = ReadIntField(f[52]);
  c.dpGrowthPerMonth = ReadIntField(f[53]);
  for (size_t i = 0; i < 5; ++i) c.doctrineMonths[i] = ReadIntField(f[54 + i]);
  c.doneExertPressureAxis = Flag(f[59]);
  c.doneExertPressureAllied = Flag(f[60]);
  c.doneExertPressureComintern = Flag(f[61]);
  c.pbemPlayerId = ReadIntField(f[62]);
  c.unitUpkeepCostModifier = Real32(f[63]);
  c.winterBattle = Real32(f[64]);
  c.winterMove = Real32(f[65]);
  c.mudBattle = Real32(f[66]);
  c.mudMove = Real32(f[67]);
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
        FillCountry(record, f);
        record.SetGraphicsNames(f[2]);
        if (count > kCountryColumns) record.SetSecondGraphicsName(f[69]);
        record.LoadFlagTexture(scenarioName);
        if (!LoadConsts(record.consts, scenarioName, &record.name)) record.consts = consts;

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
