#pragma once
// The computer-player parameters of one country, the keywords of ai_data.csv.
#include <array>
#include <cstdint>
#include <list>
#include <utility>

class cMiasto;

struct sAiParameters {
  uint8_t makesSeaInvasions = 0;
  int32_t maxFrontsForSeaInvasion = 2;
  int32_t currentSeaInvasionTarget = -1;
  std::list<cMiasto*> obligatorySeaInvasionTargets;  // not owned
  std::list<std::array<int32_t, 3>> currentTargets;
  std::list<cMiasto*> doNotAttackCities;     // not owned
  std::list<cMiasto*> extraCitiesToGarrison;  // not owned
  std::list<std::pair<int32_t, int32_t>> seaZonesToPatrol;
  std::list<int32_t> purchaseQueue;
  int32_t fortLevelToHoldAtAllCost = 5;
  int32_t desiredLandForcesStructure[5] = {10, 20, 30, 20, 10};
  int32_t desiredTechLevels[7] = {1, 1, 1, 1, 1, 1, 0};
  int32_t desiredStrategicMovementPoints = 0;
  int32_t newUnitPurchasePreferences[14] = {10, 10, 5, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0};
  std::pair<int32_t, float> newUnitPurchaseData[3] = {{99, -1.0f}, {99, -1.0f}, {99, -1.0f}};
  int32_t multipleSideAttackPreferences[3] = {5, 3, 4};
  int32_t oneSideAttackPreferences[3] = {4, 2, 2};
  int32_t allianceEntryPolicy = 0;
  std::list<int32_t> countriesToPress;
  uint8_t transportsUnitsToFrontsBySea = 0;
  float minRatioToPatchFront = 2.5f;
  // Hexes an air unit keeps between its base and the nearest enemy land unit.
  int32_t airSafeDistance = 4;
  int32_t maxUnitCountOnFront = 15;
  int32_t maxCoveringUnitDistance = 3;
  int32_t maxSafeMoveCost = 5;
  // The table holds these multiplied by 100.
  float shoreBombardmentSingleUse[2] = {1.0f, 1.0f};
  int32_t carrierTargetsPriorities[9] = {90, 80, 70, 60, 50, 40, 30, 20, 10};
};
