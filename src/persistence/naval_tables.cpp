// "fleets.csv" and "naval_units.csv": the fleets on their sea nodes and the
// ships, read before the ships are entered into their fleets and written
// back by a save; and the computer player's pick of a fleet for shore
// bombardment.
#include <cstdio>
#include <list>
#include <map>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/console.h"
#include "core/csv_file.h"
#include "core/front_end.h"
#include "core/table_fields.h"
#include "core/text.h"
#include "persistence/load_request.h"
#include "persistence/save_file.h"
#include "persistence/saver.h"
#include "persistence/unit_tables.h"
#include "units/unit.h"
#include "world/commander.h"
#include "world/fleet.h"
#include "world/folder_template.h"
#include "world/game.h"
#include "world/table_reader.h"

namespace {

constexpr uint16_t kFleetColumns = 11;
constexpr uint16_t kNavalColumns = 14;

const wchar_t* const kOpeningNaval = L"Otwieram plik z jednostkami morskimi ze \u010f\u017c\u02ddcie\u010f\u017c\u02ddk"
                                     L"\u010f\u017c\u02dd...";

const char* const kFleetLegend =
    "#Fleets\r\n"
    "#ID;Name;Country ID;Sea node ID;Formation [0=regular 1=raiders];Has Moved? [0=false 1=true];Order (AI);"
    "Destination sea node ID (AI);Invasion hex X(AI);Invasion hex Y (AI);Is active? [0=false 1=true]";
const char* const kNavalLegend =
    "#Naval units\r\n"
    "#ID;Name;Country ID;Type;Fleet ID;HP;Max HP;Commander ID (-1 = no commander assigned);In reserve [0=false "
    "1=true];Shore bombardment done? [0=false 1=true];Airstrike done? [0=false 1=true];Available in turns;Recon "
    "done? [0=false 1=true] ;Can be repaired? [0=false 1=true]\r\n"
    "#On map";

bool IsNavalType(int type) { return type >= kTypeCarrier && type <= kTypeAmphibious; }
bool CanShell(const cJednostkaMorska& ship) {
  return (ship.type == kTypeBattleship || ship.type == kTypeCruiser) && ship.shoreBombardmentDone == 0;
}

int Int(const std::vector<std::wstring>& f, size_t column) { return ReadIntField(f[column]); }
uint8_t Flag(const std::vector<std::wstring>& f, size_t column) { return ReadIntField(f[column]) != 0 ? 1 : 0; }

[[noreturn]] void MissingSeaNode(const std::wstring& path, int line, const sFlota& fleet) {
  FatalExit(WFormat(L"ERROR: %s line %i: fleet %s (ID=%i) stands on sea node %i, which does not exist", path.c_str(),
                    line, fleet.name.c_str(), fleet.id, fleet.seaNode),
            1, false);
}

// Hit points are dealt out in sea battles, a few at a time.
constexpr sFieldRange kHitPointRange{0, 10000};

void FillFleet(sFlota& fleet, const cRangedRow& r) {
  const std::vector<std::wstring>& f = r.Fields();
  fleet.id = Int(f, 0);
  // The name is text only, never a format.
  fleet.SetName(f[1]);
  fleet.countryId = Int(f, 2);
  fleet.seaNode = r.Int(3, L"Sea node ID", kCodeRange);
  fleet.formation = r.Int(4, L"Formation", kCodeRange);
  fleet.hasMoved = Flag(f, 5);
  fleet.order = r.Int(6, L"Order", kCodeRange);
  fleet.destinationNode = r.Int(7, L"Destination sea node ID", kCodeRange);
  fleet.invasionX = r.Int(8, L"Invasion hex X", kCoordinateRange);
  fleet.invasionY = r.Int(9, L"Invasion hex Y", kCoordinateRange);
  fleet.isActive = Flag(f, 10);
}

void FillShip(cJednostkaMorska& ship, const cRangedRow& r) {
  const std::vector<std::wstring>& f = r.Fields();
  ship.unitId = Int(f, 0);
  ship.SetName(f[1]);
  ship.countryId = Int(f, 2);
  ship.SetType(Int(f, 3));
  ship.fleetId = r.Int(4, L"Fleet ID", kCodeRange);
  ship.hitPoints = r.Int(5, L"HP", kHitPointRange);
  ship.maxHitPoints = r.Int(6, L"Max HP", kHitPointRange);
  ship.commander = gGra->GetCommander(Int(f, 7));
  ship.assignedCommanderId = -1;
  ship.inReserve = Flag(f, 8);
  ship.shoreBombardmentDone = Flag(f, 9);
  ship.airstrikeDone = Flag(f, 10);
  ship.availableInTurns = r.Int(11, L"Available in turns", {-1, 100000});
  ship.reconDone = Flag(f, 12);
  ship.canBeRepaired = Flag(f, 13);
  // The bombardment selection (the transfer mark) and the fire flag start clear.
  ship.transferMark = 0;
  ship.mayFire = 0;
}

std::string NavalRow(const cJednostkaMorska& s, int fleetId, int commanderId) {
  return Format("\r\n%i;%s;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;", s.unitId, WideToCp1252(TableFieldText(s.name)).c_str(),
                s.countryId, s.type, fleetId, s.hitPoints, s.maxHitPoints, commanderId, s.inReserve,
                s.shoreBombardmentDone, s.airstrikeDone, s.availableInTurns, s.reconDone, s.canBeRepaired);
}

void Put(std::FILE* f, const std::string& text) { std::fwrite(text.data(), 1, text.size(), f); }

}  // namespace

void cGra::LoadFleets(const sLoadRequest& request, std::list<sFlota*>& target) {
  const std::wstring path = FormatFolderTemplate(request.pathTemplate, L"fleets.csv");
  cCsvFile file;
  OpenTableOrDie(file, kOpeningNaval, path);

  // No ship may keep a fleet that is freed here.
  const std::unordered_set<const sFlota*> gone(target.begin(), target.end());
  for (cJednostkaMorska* ship : navalUnits)
    if (gone.count(ship->fleet) != 0) ship->fleet = nullptr;
  for (sFlota* fleet : target) delete fleet;
  target.clear();

  cTableIds ids;
  ForEachUnitRow(file, path, kFleetColumns, [&](const std::vector<std::wstring>& f, int line) {
    sFlota record;
    FillFleet(record, cRangedRow(f, path, line));
    record.sourceLine = line;
    // Two fleets of one id would both take every ship of that id.
    ids.Claim(record.id, path, line, L"fleet");
    if (!CheckRowCountry(record.countryId, path, line, L"fleet")) return;
    // The sea graph is read after the fleets when a game is loaded;
    // CheckFleetSeaNodes tests the upper end then.
    if (record.seaNode < 1 || (!seaGraph.nodes.empty() && seaGraph.FindNode(record.seaNode) == nullptr))
      MissingSeaNode(path, line, record);
    target.push_back(new sFlota(record));
    const sFlota* fleet = target.back();
    LogF(L"Added fleet %s (ID=%i CountryID=%i Location=%i)", fleet->name.c_str(), fleet->id, fleet->countryId,
         fleet->seaNode);
  });
}

void cGra::CheckFleetSeaNodes() const {
  const std::wstring path = FormatFolderTemplate(pathTemplate, L"fleets.csv");
  for (const sFlota* fleet : fleets)
    if (seaGraph.FindNode(fleet->seaNode) == nullptr) MissingSeaNode(path, fleet->sourceLine, *fleet);
}

void cGra::LoadNavalUnits(const sLoadRequest& request, std::list<cJednostkaMorska*>& target) {
  const std::wstring path = FormatFolderTemplate(request.pathTemplate, L"naval_units.csv");
  cCsvFile file;
  OpenTableOrDie(file, kOpeningNaval, path);

  // No fleet may keep a ship that is freed here.
  std::unordered_set<const cJednostkaMorska*> gone(target.begin(), target.end());
  for (sFlota* fleet : fleets) fleet->ships.remove_if([&](const cJednostkaMorska* s) { return gone.count(s) != 0; });
  for (cJednostkaMorska* ship : target) DiscardLoadedUnit(ship);
  target.clear();

  cTableIds ids;
  ForEachUnitRow(file, path, kNavalColumns, [&](const std::vector<std::wstring>& f, int line) {
    // Carried land units and convoys find their ships by id.
    if (!CheckUnitRow(ids, f, 3, IsNavalType, path, line, L"naval unit")) return;
    cJednostkaMorska record;
    FillShip(record, cRangedRow(f, path, line));
    auto* ship = new cJednostkaMorska(record);
    target.push_back(ship);
    LogF(L"Naval unit %s (ID=%i CountryID=%i) added", ship->name.c_str(), ship->unitId, ship->countryId);
    if (ship->commander != nullptr) ship->commander->unit = ship;
  });
}

sFlota* cGra::FindBombardmentFleet(int country, int seaNode) {
  // The candidates' fleets by ascending id, with their count of candidates.
  std::map<int, std::pair<sFlota*, int>> byId;
  for (cJednostkaMorska* ship : navalUnits) {
    if (ship->countryId != country || !CanShell(*ship) || ship->fleet == nullptr) continue;
    if (ship->fleet->seaNode != seaNode) continue;
    auto [it, fresh] = byId.try_emplace(ship->fleet->id, ship->fleet, 0);
    ++it->second.second;
  }
  sFlota* best = nullptr;
  int bestCount = 0;
  for (const auto& [id, entry] : byId) {
    if (entry.second > bestCount) {
      best = entry.first;
      bestCount = entry.second;
    }
  }
  if (best == nullptr) return nullptr;
  for (cJednostkaMorska* ship : navalUnits) ship->transferMark = 0;
  for (cJednostkaMorska* ship : navalUnits)
    if (ship->fleet == best && CanShell(*ship)) ship->transferMark = 1;
  return best;
}

void cZapisGry::SaveFleets(const std::wstring& folder) const {
  const std::wstring path = SaveFilePath(folder, L"fleets.csv");
  std::FILE* f = OpenSaveFileOrDie(path, TableSaveMessages());
  Put(f, kFleetLegend);
  for (const sFlota* fl : gGra->fleets)
    Put(f, Format("\r\n%i;%s;%i;%i;%i;%i;%i;%i;%i;%i;%i;", fl->id, WideToCp1252(TableFieldText(fl->name)).c_str(), fl->countryId,
                  fl->seaNode, fl->formation, fl->hasMoved, fl->order, fl->destinationNode, fl->invasionX,
                  fl->invasionY, fl->isActive));
  CloseSaveFileOrDie(f, path);
}

void cZapisGry::SaveNavalUnits(const std::wstring& folder) const {
  const std::wstring path = SaveFilePath(folder, L"naval_units.csv");
  std::FILE* f = OpenSaveFileOrDie(path, TableSaveMessages());
  Put(f, kNavalLegend);
  for (const cJednostkaMorska* s : gGra->navalUnits)
    Put(f, NavalRow(*s, s->fleet != nullptr ? s->fleet->id : s->fleetId,
                    s->commander != nullptr ? s->commander->id : -1));
  Put(f, "\r\n#In reserve");
  // A ship in reserve has no fleet yet, but keeps its commander.
  for (const cJednostkaMorska* s : gGra->navalReserve)
    Put(f, NavalRow(*s, -1, s->commander != nullptr ? s->commander->id : -1));
  CloseSaveFileOrDie(f, path);
}
