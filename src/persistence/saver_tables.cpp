// The world's tables of a save: cities, commanders, countries, the two
// halves of the relations matrix, and the files other parts of the world
// write themselves (sea nodes, map, reports, automatic events).
#include <string>

#include "core/console.h"
#include "core/text.h"
#include "persistence/auto_events.h"
#include "persistence/save_file.h"
#include "persistence/saver.h"
#include "world/city.h"
#include "world/commander.h"
#include "world/convoys.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/reports.h"

namespace {

// The legend starts the file; every row starts with its own line break, so
// the file ends without one.
void WriteTable(const std::wstring& folder, const wchar_t* fileName, const std::string& text) {
  const std::wstring path = SaveFilePath(folder, fileName);
  std::FILE* f = OpenSaveFileOrDie(path, TableSaveMessages());
  std::fwrite(text.data(), 1, text.size(), f);
  CloseSaveFileOrDie(f, path);
}

// A name in the tables' code page, made safe for one field.
std::string Field(const std::wstring& text) { return WideToCp1252(TableFieldText(text)); }

}  // namespace

std::wstring TableFieldText(const std::wstring& text) {
  std::wstring out = text;
  for (wchar_t& c : out) {
    if (c == L';') c = L',';
    else if (c == L'\r' || c == L'\n') c = L' ';
  }
  return out;
}

void cZapisGry::SaveCities(const std::wstring& folder) const {
  std::string text =
      "#Name;Hex X;Hex Y;Type [0=supply 1=normal 2=supply+port 3=port 4=resources];Victory Points;Production Points;"
      "Supply;Production Points Losses In Strategic Bombardment";
  for (const cMiasto* c : gGra->cities)
    text += Format("\r\n%s;%i;%i;%i;%i;%f;%i;%i;", Field(c->name).c_str(), c->x, c->y, c->type, c->victoryPoints,
                   static_cast<double>(c->productionPoints), c->supply, c->bombardmentLosses);
  WriteTable(folder, L"cities.csv", text);
}

void cZapisGry::SaveCommanders(const std::wstring& folder) const {
  std::string text =
      "#Commanders\r\n#ID;Name;Country ID;Type [0=land 1=air 2=naval];Skill;Experience;State [0=not assigned 1=on "
      "his way to HQ 2=assigned]";
  for (const sDowodca* c : gGra->commanders)
    text += Format("\r\n%i;%s;%i;%i;%i;%i;%i;", c->id, Field(c->name).c_str(), c->countryId, c->type, c->skill,
                   c->experience, c->state);
  WriteTable(folder, L"commanders.csv", text);
}

void cZapisGry::SaveCountries(const std::wstring& folder) const {
  std::string text =
      "#Important! Ids must follow sequence (1,2,3...etc);;;;;;;;;;;;;;Tech levels;;;;;;;Points;;;;;Points "
      "max/used;;;Tech investments;;;;;;Tech research progress;;;;;;Capital coordinates on diplomacy bmp "
      "image;;DoneDelayWarEntry;DoneHasteWarEntry;DoneParliamentaryElections;DoneTurnInOrientation;;;Data for "
      "settings screen only;Data for settings screen only;;Nuclear;;Months to reach new level of land warfare "
      "doctrine (cumulated);;;;;DoneExertPressureAxis;DoneExertPressureAllied;DoneExertPressureComintern;;;Weather "
      "modifiers;;;;\r\n"
      "#ID;IsActive?;Name;Color1;Color2;Color3;Color4;Alliance;Orientation;Zone of Influence;Alliance entry;Polit. "
      "Str.;Finished turn?;Human "
      "controlled?;Artillery;Tanks;Land warfer doctrine "
      "(0-5);Aircraft;Subs;Navy;Nukes;PPs;DPs;SMPs;STPs;AIPs;SMP;STP used by "
      "convoys;AIP;Artillery;Tanks;Aircraft;Subs;Navy;Nukes;Artillery;Tanks;Aircraft;Subs;Navy;Nukes;X;Y;0/1;0/1;0/"
      "1;0/1;Social unrest;WarEconomy(%);Power (1-major, 2-minor, 3-other);Region (1-africa, 2-asia, 3-europe, 4-n. "
      "America, 5-s.america);Difficulty level (0-v.hard, 1-hard, 2-normal, 3-easy, 4-v.easy);Nuclear bombs;DP "
      "growth per month;Lev 1;Lev 2;Lev 3;Lev 4;Lev 5;0/1;0/1;0/1;PBEM Player ID;Unit upkeep cost modifier;Winter "
      "battle;Winter move;Mud battle;Mud move;Country type special flags;Skins name [optional]";
  // The six research categories of the investment and progress columns;
  // the land-warfare doctrine (slot 2) has none.
  constexpr int kResearchSlots[6] = {0, 1, 3, 4, 5, 6};
  for (const cPanstwo* c : gGra->countries) {
    text += Format("\r\n%i;%i;%s;%X;%X;%X;%X;", c->id, c->active, Field(c->name).c_str(), c->colors[0], c->colors[1],
                   c->colors[2], c->colors[3]);
    text += Format("%i;%i;%i;%i;%i;%i;%i;", c->alliance, c->orientation, c->zoneOfInfluence, c->allianceEntry,
                   c->politicalStrength, c->finishedTurn, c->humanControlled);
    for (int level : c->techLevels) text += Format("%i;", level);
    text += Format("%f;", c->productionPoints);
    text += Format("%i;%i;%i;%i;%i;%i;%i;", c->diplomaticPoints, c->strategicMovementPoints, c->seaTransportPoints,
                   c->amphibiousPoints, c->strategicMovementUsed, c->seaTransportUsedByConvoys,
                   c->amphibiousPointsInUse);
    for (int slot : kResearchSlots) text += Format("%i;", c->techInvestments[slot]);
    for (int slot : kResearchSlots) text += Format("%i;", c->researchProgress[slot]);
    text += Format("%i;%i;%i;%i;%i;%i;", c->capitalX, c->capitalY, c->doneDelayWarEntry, c->doneHasteWarEntry,
                   c->doneParliamentaryElections, c->doneTurnInOrientation);
    text += Format("%f;%f;", static_cast<double>(c->socialUnrest), static_cast<double>(c->warEconomy));
    text += Format("%i;%i;%i;%i;%i;", c->power, c->region, c->difficultyLevel, c->nuclearBombs, c->dpGrowthPerMonth);
    for (int months : c->doctrineMonths) text += Format("%i;", months);
    text += Format("%i;%i;%i;%i;", c->doneExertPressureAxis, c->doneExertPressureAllied, c->doneExertPressureComintern,
                   c->pbemPlayerId);
    text += Format("%f;%f;%f;%f;%f;", static_cast<double>(c->unitUpkeepCostModifier),
                   static_cast<double>(c->winterBattle), static_cast<double>(c->winterMove),
                   static_cast<double>(c->mudBattle), static_cast<double>(c->mudMove));
    text += Format("%i;%s;", c->countryTypeSpecialFlags, Field(c->skinName).c_str());
  }
  WriteTable(folder, L"countries.csv", text);
}

void cZapisGry::SaveLosses(const std::wstring& folder) const {
  std::string text = "#Losses matrix:\r\n#Country ID;Country Name;Casualties dealt against all countries";
  for (const cPanstwo* a : gGra->countries) {
    text += Format("\r\n%i;%s;", a->id, Field(a->name).c_str());
    for (const cPanstwo* b : gGra->countries)
      text += Format("%f;", static_cast<double>(gGra->relations.GetLosses(a->id, b->id)));
  }
  WriteTable(folder, L"losses.csv", text);
}

void cZapisGry::SaveRelations(const std::wstring& folder) const {
  std::string text =
      "#Relations matrix [0=peace, 1=war]\r\n#Country ID;Country Name;Relations with all countries [0=peace, 1=war]";
  for (const cPanstwo* a : gGra->countries) {
    text += Format("\r\n%i;%s", a->id, Field(a->name).c_str());
    for (const cPanstwo* b : gGra->countries) text += Format(";%i", gGra->relations.IsAtWar(a->id, b->id));
  }
  WriteTable(folder, L"relations.csv", text);
}

void cZapisGry::SaveSeaNodes(const std::wstring& folder) const {
  const std::wstring path = SaveFilePath(folder, L"sea_nodes.csv");
  LogLine(TableSaveMessages().opening);
  LogLine(path);
  if (!gGra->seaGraph.SaveSeaNodes(folder)) SaveFailed(TableSaveMessages().failed + L": " + path);
}

void cZapisGry::SaveMap(const std::wstring& folder) const {
  // A save without its map could never be loaded.
  if (gGra->map == nullptr) SaveFailed(L"ERROR: no map to save into " + SaveFilePath(folder, L"map.hwd"));
  if (!gGra->map->SaveMapFile(folder, nullptr)) SaveFailed(L"ERROR: saving " + SaveFilePath(folder, L"map.hwd"));
}

void cZapisGry::SaveConvoys(const std::wstring& folder) const { ::SaveConvoys(folder); }

void cZapisGry::SaveReports(const std::wstring& folder) const { ::SaveReports(folder); }

void cZapisGry::SaveAutoEvents(const std::wstring& folder) const {
  if (gGra->autoEvents != nullptr)
    gGra->autoEvents->SaveAutoEvents(folder);
  else
    cAutoEventsRepository().SaveAutoEvents(folder);
}
