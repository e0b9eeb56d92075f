// "land_units.csv" and "air_units.csv": every land unit, artificial harbour
// and air unit of a scenario or saved game, on the map, aboard ships or in
// the reserve pool, read into the game's lists and written back by a save.
#include <charconv>
#include <cstdio>
#include <list>
#include <string>
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
#include "world/country.h"
#include "world/folder_template.h"
#include "world/game.h"
#include "world/table_reader.h"

namespace {

constexpr uint16_t kLandColumns = 33;
constexpr uint16_t kAirColumns = 19;

// "ďż˝" stands where the opening lines lost their Polish letters.
const wchar_t* const kOpeningLand = L"Otwieram plik z jednostkami l\u010f\u017c\u02dddowymi ze \u010f\u017c\u02ddcie"
                                    L"\u010f\u017c\u02ddk\u010f\u017c\u02dd...";
const wchar_t* const kOpeningAir = L"Otwieram plik z jednostkami lotniczymi ze \u010f\u017c\u02ddcie\u010f\u017c\u02ddk"
                                   L"\u010f\u017c\u02dd...";

const char* const kLandLegend =
    "#Land units\r\n"
    "#ID;Name;Country ID;Hex X;Hex Y;Type;Level (1-5);Current strength (1-100);Action Points;Attacked [0=false "
    "1=true];Was attacked [0=false 1=true];Supply source X;Supply source Y;Starting AP;TransporterID (-1=not on "
    "transporter);CommanderID (-1=no commander assigned);InReserve [0=false 1=true];ShoreBombEffect;Freeze time;AI - "
    "order;AI - targetX;AI - targetY;AI- ultimate target X;AI - ultimate targetY;Supply;EventsEffect;Number of turns "
    "from last paradrop;mulberry remaining time (months);Turns without supply;Trench bonus multiplier;Last X;Last "
    "Y;Available in turns;";
const char* const kAirLegend =
    "#Air units\r\n"
    "#ID;Name;Country ID;Hex X;Hex Y;Type;Level (1-5);Strength;Commander ID (-1 = no commander assigned);Attacked "
    "[0=false 1=true];Was attacked [0=false 1=true];Supply source X;Supply source Y;Action Points;Starting AP;In "
    "reserve [0=false 1=true];Supply;Air recon done? [0=false 1=true];Available in turns\r\n"
    "#On map";

bool IsLandType(int type) { return (type >= 0 && type <= kTypeAirborne) || type == kTypeMulberry; }
bool IsAirType(int type) { return type >= kTypeFighter && type <= kTypeStrategicBomber; }

int Int(const std::vector<std::wstring>& f, size_t column) { return ReadIntField(f[column]); }
uint8_t Flag(const cRangedRow& r, size_t column) { return ReadIntField(r.Fields()[column]) != 0 ? 1 : 0; }

// The ranges of the unit tables' own numbers.
constexpr sFieldRange kLevelRange{0, 5};
constexpr sFieldRange kStrengthRange{0, 1000};
constexpr sFieldRange kEffectRange{-1000, 1000};
// A unit's state counters (turns frozen, supply, paradrop and supply turns).
constexpr sFieldRange kCounterRange{-1, 100000};

void AttachCommander(cUnit* unit) {
  if (unit->commander != nullptr) unit->commander->unit = unit;
}

// An artificial harbour takes only part of its row; what it does not take
// is pinned by its own setters. The state a save writes of it (supply
// record, trenches, last hex, the whole ultimate target) is taken back, so
// that a saved harbour loads as it was.
cMulberry* MakeHarbour(const cRangedRow& r) {
  const std::vector<std::wstring>& f = r.Fields();
  auto* m = new cMulberry();
  m->unitId = Int(f, 0);
  m->SetName(f[1]);
  m->countryId = Int(f, 2);
  m->x = r.Int(3, L"Hex X", kCoordinateRange);
  m->y = r.Int(4, L"Hex Y", kCoordinateRange);
  m->SetType(kTypeMulberry);
  m->level = r.Int(6, L"Level", kLevelRange);
  m->wasAttacked = Flag(r, 10);
  m->transportShipId = r.Int(14, L"TransporterID", kCodeRange);
  m->shoreBombardmentEffect = r.Real32(17, L"ShoreBombEffect", kEffectRange);
  m->freezeTime = r.Int(18, L"Freeze time", kCounterRange);
  m->aiOrder = r.Int(19, L"AI - order", kCodeRange);
  m->aiTargetX = r.Int(20, L"AI - targetX", kCoordinateRange);
  m->aiTargetY = r.Int(21, L"AI - targetY", kCoordinateRange);
  m->aiUltimateTargetX = r.Int(22, L"AI- ultimate target X", kCoordinateRange);
  m->aiUltimateTargetY = r.Int(23, L"AI - ultimate targetY", kCoordinateRange);
  m->eventsEffect = r.Int(25, L"EventsEffect", kEffectRange);
  m->turnsFromLastParadrop = r.Int(26, L"Number of turns from last paradrop", kCounterRange);
  m->monthsLeft = r.Int(27, L"mulberry remaining time", kCounterRange);
  m->turnsWithoutSupply = r.Int(28, L"Turns without supply", kCounterRange);
  m->trenchBonusMultiplier = r.Int(29, L"Trench bonus multiplier", kEffectRange);
  m->lastX = r.Int(30, L"Last X", kCoordinateRange);
  m->lastY = r.Int(31, L"Last Y", kCoordinateRange);
  const cPanstwo* owner = m->GetCountry();
  if (m->monthsLeft == -1 && owner != nullptr) m->monthsLeft = static_cast<int>(owner->consts.newMulberryMonths);
  m->SetStrength(-1);
  m->SetSupplySourceX(-1);
  m->SetSupplySourceY(-1);
  m->SetSupplyLevel(-1);
  m->SetStartingActionPoints(-1);
  m->commander = nullptr;
  m->assignedCommanderId = -1;
  m->spottedLevel = 6;
  m->ResetActionPoints();
  m->inReserve = 0;
  m->availableInTurns = 0;
  return m;
}

void FillLandUnit(cJednostkaLadowa& u, const cRangedRow& r) {
  const std::vector<std::wstring>& f = r.Fields();
  u.unitId = Int(f, 0);
  u.SetName(f[1]);
  u.countryId = Int(f, 2);
  u.x = r.Int(3, L"Hex X", kCoordinateRange);
  u.y = r.Int(4, L"Hex Y", kCoordinateRange);
  u.SetType(Int(f, 5));
  u.level = r.Int(6, L"Level", kLevelRange);
  u.strength = r.Int(7, L"Current strength", kStrengthRange);
  u.actionPoints = r.Int(8, L"Action Points", kAmountRange);
  u.attacked = Flag(r, 9);
  u.wasAttacked = Flag(r, 10);
  u.supplySourceX = r.Int(11, L"Supply source X", kCoordinateRange);
  u.supplySourceY = r.Int(12, L"Supply source Y", kCoordinateRange);
  u.startingActionPoints = r.Int(13, L"Starting AP", kAmountRange);
  u.transportShipId = r.Int(14, L"TransporterID", kCodeRange);
  u.commander = gGra->GetCommander(Int(f, 15));
  u.assignedCommanderId = -1;
  u.inReserve = Flag(r, 16);
  u.shoreBombardmentEffect = r.Real32(17, L"ShoreBombEffect", kEffectRange);
  u.freezeTime = r.Int(18, L"Freeze time", kCounterRange);
  u.aiOrder = r.Int(19, L"AI - order", kCodeRange);
  u.aiTargetX = r.Int(20, L"AI - targetX", kCoordinateRange);
  u.aiTargetY = r.Int(21, L"AI - targetY", kCoordinateRange);
  u.aiUltimateTargetX = r.Int(22, L"AI- ultimate target X", kCoordinateRange);
  u.aiUltimateTargetY = r.Int(23, L"AI - ultimate targetY", kCoordinateRange);
  u.supply = r.Int(24, L"Supply", kCounterRange);
  u.eventsEffect = r.Int(25, L"EventsEffect", kEffectRange);
  u.turnsFromLastParadrop = r.Int(26, L"Number of turns from last paradrop", kCounterRange);
  u.turnsWithoutSupply = r.Int(28, L"Turns without supply", kCounterRange);
  u.trenchBonusMultiplier = r.Int(29, L"Trench bonus multiplier", kEffectRange);
  u.lastX = r.Int(30, L"Last X", kCoordinateRange);
  u.lastY = r.Int(31, L"Last Y", kCoordinateRange);
  u.availableInTurns = r.Int(32, L"Available in turns", kCounterRange);
  // The state the table does not carry starts clear.
  u.spottedLevel = 0;
  u.secondStrength = 0.0f;
  u.deployedThisTurn = 0;
}

void FillAirUnit(cJednostkaLotnicza& u, const cRangedRow& r) {
  const std::vector<std::wstring>& f = r.Fields();
  u.unitId = Int(f, 0);
  u.SetName(f[1]);
  u.countryId = Int(f, 2);
  u.x = r.Int(3, L"Hex X", kCoordinateRange);
  u.y = r.Int(4, L"Hex Y", kCoordinateRange);
  u.SetType(Int(f, 5));
  u.level = r.Int(6, L"Level", kLevelRange);
  u.strength = r.Int(7, L"Strength", kAmountRange);
  u.commander = gGra->GetCommander(Int(f, 8));
  u.assignedCommanderId = -1;
  u.attacked = Flag(r, 9);
  u.wasAttacked = Flag(r, 10);
  u.supplySourceX = r.Int(11, L"Supply source X", kCoordinateRange);
  u.supplySourceY = r.Int(12, L"Supply source Y", kCoordinateRange);
  u.actionPoints = r.Int(13, L"Action Points", kAmountRange);
  u.startingActionPoints = r.Int(14, L"Starting AP", kAmountRange);
  u.inReserve = Flag(r, 15);
  u.supply = r.Int(16, L"Supply", kCounterRange);
  // Only 1 means done here.
  u.reconDone = Int(f, 17) == 1 ? 1 : 0;
  u.availableInTurns = r.Int(18, L"Available in turns", kCounterRange);
  u.spottedLevel = 0;
  u.UpdateEffectiveness();
}

int CommanderId(const cUnit& u) { return u.commander != nullptr ? u.commander->id : -1; }

// A row built field by field: each value followed by ';', integers as "%i"
// writes them and reals as "%f", without a format to parse per row.
class cRowText {
 public:
  explicit cRowText(size_t room) {
    text_.reserve(room);
    text_ += "\r\n";
  }
  cRowText& Int(int v) {
    char digits[16];
    const std::to_chars_result r = std::to_chars(digits, digits + sizeof digits, v);
    text_.append(digits, r.ptr);
    text_ += ';';
    return *this;
  }
  // Up to a zero byte, as "%s" writes it.
  cRowText& Text(const std::string& v) {
    text_ += v.c_str();
    text_ += ';';
    return *this;
  }
  cRowText& Real(double v) {
    text_ += Format("%f", v);
    text_ += ';';
    return *this;
  }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
};

std::string LandRow(const cJednostkaLadowa& u) {
  const auto* harbour = dynamic_cast<const cMulberry*>(&u);
  const int transporter = u.transport != nullptr ? u.transport->unitId : u.transportShipId;
  cRowText row(160);
  row.Int(u.unitId).Text(WideToCp1252(TableFieldText(u.name))).Int(u.countryId).Int(u.x).Int(u.y).Int(u.type);
  row.Int(u.level).Int(u.strength).Int(u.actionPoints).Int(u.attacked).Int(u.wasAttacked).Int(u.supplySourceX);
  row.Int(u.supplySourceY).Int(u.startingActionPoints).Int(transporter).Int(CommanderId(u)).Int(u.inReserve);
  row.Real(static_cast<double>(u.shoreBombardmentEffect)).Int(u.freezeTime).Int(u.aiOrder).Int(u.aiTargetX);
  row.Int(u.aiTargetY).Int(u.aiUltimateTargetX).Int(u.aiUltimateTargetY).Int(u.supply).Int(u.eventsEffect);
  row.Int(u.turnsFromLastParadrop).Int(harbour != nullptr && u.type == kTypeMulberry ? harbour->monthsLeft : -1);
  row.Int(u.turnsWithoutSupply).Int(u.trenchBonusMultiplier).Int(u.lastX).Int(u.lastY).Int(u.availableInTurns);
  return row.Take();
}

std::string AirRow(const cJednostkaLotnicza& u) {
  cRowText row(96);
  row.Int(u.unitId).Text(WideToCp1252(TableFieldText(u.name))).Int(u.countryId).Int(u.x).Int(u.y).Int(u.type);
  row.Int(u.level).Int(u.strength).Int(CommanderId(u)).Int(u.attacked).Int(u.wasAttacked).Int(u.supplySourceX);
  row.Int(u.supplySourceY).Int(u.actionPoints).Int(u.startingActionPoints).Int(u.inReserve).Int(u.supply);
  row.Int(u.reconDone).Int(u.availableInTurns);
  return row.Take();
}

void Put(std::FILE* f, const std::string& text) { std::fwrite(text.data(), 1, text.size(), f); }

}  // namespace

void cGra::LoadLandUnits(const sLoadRequest& request, std::list<cJednostkaLadowa*>& target) {
  const std::wstring path = FormatFolderTemplate(request.pathTemplate, L"land_units.csv");
  cCsvFile file;
  OpenTableOrDie(file, kOpeningLand, path);

  for (cJednostkaLadowa* u : target) DiscardLoadedUnit(u);
  target.clear();

  cTableIds ids;
  for (const cJednostka* u : reserve)
    if (u->category == kCategoryLand) ids.Take(u->unitId);
  for (const auto* list : {&landUnits, &transportedUnits, &amphibiousUnits})
    for (const cJednostkaLadowa* u : *list) ids.Take(u->unitId);
  ForEachUnitRow(file, path, kLandColumns, [&](const std::vector<std::wstring>& f, int line) {
    if (!CheckUnitRow(ids, f, 5, IsLandType, path, line, L"land unit", L"Blad: Numer ID=%i sie powtarza.")) return;
    if (Int(f, 5) == kTypeMulberry) {
      target.push_back(MakeHarbour(cRangedRow(f, path, line)));
      return;
    }
    cJednostkaLadowa record;
    FillLandUnit(record, cRangedRow(f, path, line));
    auto* unit = new cJednostkaLadowa(record);
    target.push_back(unit);
    AttachCommander(unit);
  });
}

void cGra::LoadAirUnits(const sLoadRequest& request, std::list<cJednostkaLotnicza*>& target) {
  const std::wstring path = FormatFolderTemplate(request.pathTemplate, L"air_units.csv");
  cCsvFile file;
  OpenTableOrDie(file, kOpeningAir, path);

  for (cJednostkaLotnicza* u : target) DiscardLoadedUnit(u);
  target.clear();

  cTableIds ids;
  for (const cJednostka* u : reserve)
    if (u->category == kCategoryAir) ids.Take(u->unitId);
  for (const cJednostkaLotnicza* u : airUnits) ids.Take(u->unitId);
  std::vector<std::wstring> invalid;
  ForEachUnitRow(file, path, kAirColumns, [&](const std::vector<std::wstring>& f, int line) {
    if (!CheckUnitRow(ids, f, 5, IsAirType, path, line, L"air unit",
                      L"Blad: Numer ID=%i jednostki lotniczej sie powtarza."))
      return;
    cJednostkaLotnicza record;
    FillAirUnit(record, cRangedRow(f, path, line));
    // A reserve unit is off the map, and only a reserve unit is.
    const bool offMap = record.x == -1 && record.y == -1;
    if (record.IsInReserve() != offMap) {
      invalid.push_back(WFormat(L"%s;%d;%d;%d", record.name.c_str(), record.x, record.y, record.countryId));
      LogLine(L"Invalid entry in air_units.csv: jednostka moze byc w rezerwie tylko, jesli ma wspolrzedne (-1, -1)");
      return;
    }
    auto* unit = new cJednostkaLotnicza(record);
    target.push_back(unit);
    LogF(L"Air unit %s (ID=%i CountryID=%i) added", unit->name.c_str(), unit->unitId, unit->countryId);
    AttachCommander(unit);
  });

  if (invalid.empty()) return;
  LogLine(L"Invalid entries from air_units.csv:");
  for (const std::wstring& entry : invalid) LogLine(entry);
  FrontEnd().MessageBox(
      L"There where invalid entries in air_units.csv, see ConsoleOut for details. This does not break the game, "
      L"click OK to continue",
      L"air_units.csv", eMessageBoxIcon::kWarning);
}

void cZapisGry::WriteLandUnitRows(std::FILE* file, const std::list<cJednostkaLadowa*>& units) const {
  for (const cJednostkaLadowa* u : units) Put(file, LandRow(*u));
}

void cZapisGry::WriteReserveLandUnitRows(std::FILE* file) const {
  for (const cJednostka* u : gGra->reserve) {
    const auto* land = dynamic_cast<const cJednostkaLadowa*>(u);
    if (land != nullptr) Put(file, LandRow(*land));
  }
}

void cZapisGry::SaveLandUnits(const std::wstring& folder) const {
  const std::wstring path = SaveFilePath(folder, L"land_units.csv");
  std::FILE* f = OpenSaveFileOrDie(path, TableSaveMessages());
  Put(f, kLandLegend);
  WriteLandUnitRows(f, gGra->landUnits);
  WriteLandUnitRows(f, gGra->transportedUnits);
  WriteLandUnitRows(f, gGra->amphibiousUnits);
  WriteReserveLandUnitRows(f);
  CloseSaveFileOrDie(f, path);
}

void cZapisGry::SaveAirUnits(const std::wstring& folder) const {
  const std::wstring path = SaveFilePath(folder, L"air_units.csv");
  std::FILE* f = OpenSaveFileOrDie(path, TableSaveMessages());
  Put(f, kAirLegend);
  for (const cJednostkaLotnicza* u : gGra->airUnits) Put(f, AirRow(*u));
  Put(f, "\r\n#In reserve");
  for (const cJednostka* u : gGra->reserve) {
    const auto* air = dynamic_cast<const cJednostkaLotnicza*>(u);
    if (air != nullptr) Put(f, AirRow(*air));
  }
  CloseSaveFileOrDie(f, path);
}
