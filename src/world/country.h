#pragma once
// A country of the running game: identity and graphics, alliance, points,
// technology, the computer-player parameters and its own copy of the
// scenario constants. The game holds them in a vector indexed by id - 1.
#include <array>
#include <cstdint>
#include <list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/front_end.h"
#include "world/ai_parameters.h"
#include "world/consts.h"

class cMiasto;
class cUnit;
struct sPhaseReport;

// The unit counts of the units and statistics dialogs: two blocks of 16
// rows by 2 columns (0 on the map, 1 in the reserve pools); counter
// 2 x row + column in the first block, 32 + 2 x row + column in the second.
struct sUnitStatistics {
  static constexpr int kRows = 16;
  static constexpr int kSecondBlock = 32;
  int32_t counters[64] = {};
};

// Alliance codes: a member of an alliance has 1-3, its leader 4-6.
enum : int32_t {
  kAllianceNeutral = 0,
  kAllianceAllies = 1,
  kAllianceAxis = 2,
  kAllianceComintern = 3,
};

// A texture held by one country and released with it. A copy starts
// without one and a move hands it over, so that each texture belongs to
// exactly one country.
class cCountryTexture {
 public:
  cCountryTexture() = default;
  cCountryTexture(const cCountryTexture&) {}
  cCountryTexture(cCountryTexture&& other) noexcept : handle_(std::exchange(other.handle_, 0)) {}
  cCountryTexture& operator=(const cCountryTexture&) = delete;
  cCountryTexture& operator=(cCountryTexture&&) = delete;
  ~cCountryTexture() { Reset(0); }

  // Releases the texture held, then holds the new one (0 for none).
  void Reset(FrontEndHandle handle);
  FrontEndHandle Get() const { return handle_; }

 private:
  FrontEndHandle handle_ = 0;
};

class cPanstwo {
 public:
  static constexpr int kNamePartSlots = 17;
  static constexpr size_t kMaxNameLength = 99;

  cPanstwo() = default;
  // A copy holds every field of the source but no textures; moving hands
  // the textures over.
  cPanstwo(const cPanstwo&) = default;
  cPanstwo(cPanstwo&&) noexcept = default;
  cPanstwo& operator=(const cPanstwo&) = delete;
  cPanstwo& operator=(cPanstwo&&) = delete;

  // Identity and graphics.
  void SetGraphicsNames(const std::wstring& newName);
  void SetSecondGraphicsName(const std::wstring& newSkinName);
  void LoadUnitsTexture(const std::wstring& unitsSkin);
  void LoadFlagTexture(const std::wstring& scenario);
  FrontEndHandle GetFlagTexture() const;
  FrontEndHandle GetUnitsTexture() const { return unitsTexture_.Get(); }
  // The name template of a unit type; "Unknown" for a key that is no type,
  // null when the type has no template.
  const wchar_t* GetNamePart(int key) const;
  void SetNamePart(int slot, const std::wstring& text);
  void StoreCameraView(float x, float y, float scale);
  void GetCameraView(float& x, float& y, float& scale) const;

  // Alliance and orientation.
  bool IsInAlliance(int a) const;
  // Country id 0 is nobody: allied to nobody.
  bool IsAlly(int otherId) const;
  bool IsInAnyAlliance() const;
  int GetAllianceGroup() const;
  bool HasSameOrientationAs(const cPanstwo& other) const;
  bool OrientationMatchesZoneOfInfluence() const;
  int GetTargetAlliance() const;
  // Country id 0 is nobody: at war with nobody.
  bool IsAtWarWith(int otherId) const;
  bool IsAtWarWithAnyone() const;

  // Display names from the string base; the second variant takes the keys
  // ending in "2". Nothing is written for a code without a name.
  void GetAllianceDisplayName(std::wstring& out, bool second) const;
  void FormatOrientationAllianceName(std::wstring& out, bool second) const;
  void GetRegimeName(std::wstring& out, bool second) const;
  void GetZoneOfInfluenceName(std::wstring& out, bool second) const;

  // Points; each change refreshes the information bar.
  void ChangeProductionPoints(double amount);
  void ChangeDiplomaticPoints(int amount);
  void ChangeSMP(int amount);
  void ChangeSTP(int amount);
  void ChangeAIP(int amount);
  // Alliance entry and social unrest stay within 0..100.
  void ChangeAllianceEntry(int delta);
  void ChangeSocialUnrest(float delta);

  // Computer-player parameters.
  int FindListPairValue(int key) const;
  bool IsExtraCityToGarrison(const cMiasto* city) const;
  void RemoveDoNotAttackCity(int x, int y);

  // The country's units in the game's lists: every air unit killed; every
  // frozen land unit of the main list given the freeze counter level.
  void KillAllAirUnits();
  void SetFreezeLevelForAllFreezedUnits(int level);
  // Every land unit of the country on the map and on ships killed; every
  // ship of the naval-unit list sunk with its cargo; every frozen land unit
  // of the main list unfrozen.
  void KillAllLandUnits();
  void KillAllNavalUnits();
  void UnFreezeAllUnits();

  cMiasto* GetMainCity() const;
  int GetTechLevel(int category) const;
  // Copies the build times of bought units out of the country's constants.
  void TakeBuildTimesFromConsts();

  // The economy of the end of turn and of the end of impulse
  // (country_economy.cpp).
  void CollectProduction(sPhaseReport& report);
  void ComputeUnitUpkeep(sPhaseReport& report);
  void MonthlyResearch(sPhaseReport& report);
  // A human player hears of a new level in a dialog; with messages given
  // (an event effect, which holds the game lock) the text is queued there
  // instead, to be shown once the lock is free.
  void AdvanceLandDoctrine(std::vector<std::wstring>* messages = nullptr);
  void AccumulateAmphibiousShipCapacity();
  int GetTotalSTP() const;

  // Alliances and wars (alliances.cpp). A country without a leader to join,
  // and an unknown alliance or orientation in the table, are fatal data
  // errors.
  void JoinAlliance(int a);
  void DeclareWarOnAlliance(int a);
  void ShiftOrientationAfterCoup(const cPanstwo* stager);
  int GetDeclareWarTableRow() const;
  int GetDeclareWarTableColumn() const;

  // The end of the country's war (surrender.cpp). SurrenderTo is false, and
  // changes nothing, when no active country could take the surrender.
  bool HasLostAllVictoryCities() const;
  bool SurrenderTo(sPhaseReport& record);
  void MakePeace(bool returnHexes);
  void ChangeOwnershipOfAllNavalUnits(int newCountry);
  void ChangeOwnershipOfAllAirUnits(int newCountry);

  // Air defence, visibility and unit statistics (air_defence.cpp).
  // The reach of the country's fighters in hexes.
  int GetFighterReach() const;
  int SumFriendlyFighterStrengthAt(int x, int y) const;
  int SumEnemyAirDefenceAt(int x, int y) const;
  // Friendly over enemy strength; -1.0 when the enemy has none.
  float GetAirSuperiorityRatio(int x, int y) const;
  // The unit that defends this country's hex against an air attack.
  cUnit* FindInterceptor(int x, int y) const;
  // Which units the viewing country sees (fog of war).
  void RecalculateUnitsVisibility(int viewer);
  sUnitStatistics& GatherUnitStatistics(sUnitStatistics& record) const;

  int32_t id = 0;
  uint8_t active = 0;
  std::wstring name;
  std::wstring skinName;
  int32_t alliance = 0;
  // 0 firm democracy, 1 nationalist, 2 communist, 3 pro-allied, 4 pro-axis, 5 pro-communist.
  int32_t orientation = 0;
  // 0 none, 1 allied, 2 axis, 3 comintern.
  int32_t zoneOfInfluence = 0;
  int32_t allianceEntry = 0;
  int32_t politicalStrength = 0;
  uint8_t finishedTurn = 0;
  uint8_t humanControlled = 0;
  // Artillery, tanks, land-warfare doctrine, aircraft, submarines, navy, nuclear.
  int32_t techLevels[7] = {};
  float socialUnrest = 0.0f;
  std::array<std::optional<std::wstring>, kNamePartSlots> nameParts;
  float cameraX = 0.0f;
  float cameraY = 0.0f;
  float cameraScale = -100.0f;  // no view stored yet
  uint32_t colors[4] = {};
  double productionPoints = 0.0;
  int32_t diplomaticPoints = 0;
  int32_t strategicMovementPoints = 0;
  int32_t seaTransportPoints = 0;
  int32_t amphibiousPoints = 0;
  int32_t strategicMovementUsed = 0;
  int32_t seaTransportUsedByConvoys = 0;
  int32_t amphibiousPointsInUse = 0;
  // Purchases made so far of strategic movement and of amphibious capacity;
  // each drives the price of the next one.
  int32_t strategicMovementCapacity = 0;
  int32_t amphibiousCapacity = 0;
  int32_t techInvestments[7] = {};
  // Turns a bought unit waits in the reserve pool, by land type 0..6 (the
  // difference of two is the freeze of an upgrade to corps), air type 20..22
  // and naval type 40..43; taken from the country's constants
  // (`TakeBuildTimesFromConsts`).
  int32_t landBuildTime[7] = {};
  int32_t airBuildTime[3] = {};
  int32_t navalBuildTime[4] = {};
  int32_t researchProgress[7] = {};
  int32_t capitalX = 0;
  int32_t capitalY = 0;
  uint8_t doneDelayWarEntry = 0;
  uint8_t doneHasteWarEntry = 0;
  uint8_t doneParliamentaryElections = 0;
  uint8_t doneTurnInOrientation = 0;
  uint8_t doneExertPressureAxis = 0;
  uint8_t doneExertPressureAllied = 0;
  uint8_t doneExertPressureComintern = 0;
  float warEconomy = 0.0f;
  int32_t power = 0;
  int32_t region = 0;
  int32_t difficultyLevel = 0;
  int32_t nuclearBombs = 0;
  int32_t dpGrowthPerMonth = 0;
  int32_t doctrineMonths[5] = {};
  sAiParameters ai;
  int32_t pbemPlayerId = 0;
  float unitUpkeepCostModifier = 0.0f;
  float winterBattle = 0.0f;
  float winterMove = 0.0f;
  float mudBattle = 0.0f;
  float mudMove = 0.0f;
  std::list<std::wstring> airAttackReports;
  std::list<cUnit*> airReconSightings;  // not owned
  int32_t countryTypeSpecialFlags = 0;
  // The country's own copy of the scenario constants.
  sConsts consts;

 private:
  // Destroyed in reverse order: the units sheet is released before the flag.
  cCountryTexture flagTexture_;
  cCountryTexture unitsTexture_;
};

// The slot of a unit type's name template, -1 for a key that is no type.
int NamePartSlot(int key);
