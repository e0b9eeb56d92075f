// Writers of the save whose tables are built on other branches: ai_data.csv
// and the saved-game state tables.
// Until each one lands, its seam writes nothing and says so in the log; a
// save made meanwhile lacks that file. Each body is replaced by (or removed
// for) the writer of its table when that lands.
#include <string>

#include "core/console.h"
#include "persistence/saver.h"

namespace {

void NotWrittenYet(const wchar_t* fileName) {
  LogLine(std::wstring(L"Not written: ") + fileName + L" (its table writer is not in this build)");
}

}  // namespace

void cZapisGry::SaveAiData(const std::wstring&) const { NotWrittenYet(L"ai_data.csv"); }
void cZapisGry::SaveTopography(const std::wstring&) const { NotWrittenYet(L"topography.csv"); }
void cZapisGry::SaveCitiesSupplyInfo(const std::wstring&) const { NotWrittenYet(L"cities_supply_info.csv"); }
void cZapisGry::SaveCitiesConvoyInfo(const std::wstring&) const { NotWrittenYet(L"cities_convoy_info.csv"); }
void cZapisGry::SaveAirshipAttacks(const std::wstring&) const { NotWrittenYet(L"airship_attacks.csv"); }
void cZapisGry::SaveAirReconUnits(const std::wstring&) const { NotWrittenYet(L"airrecon_units.csv"); }
