#pragma once
// The effects table: (target, operation, numbers, texts, ids the numbers
// name). Each entry runs its own function Effect<Target>_<Operation>.
#define BRENNMARK_EFFECTS_WITH_CHANGES(X) \
  X(Country, ChangeDiplomaticPoints, 2, 0, "c0") \
  X(Country, SetDiplomaticPoints, 2, 0, "c0") \
  X(Country, ChangeProductionPoints, 2, 0, "c0") \
  X(Country, SetProductionPoints, 2, 0, "c0") \
  X(Country, ChangePoliticalStrength, 2, 0, "c0") \
  X(Country, SetPoliticalStrength, 2, 0, "c0") \
  X(Country, ChangeAllianceEntry, 2, 0, "c0") \
  X(Country, SetAllianceEntry, 2, 0, "c0") \
  X(Country, ChangeSocialUnrest, 2, 0, "c0") \
  X(Country, SetSocialUnrest, 2, 0, "c0") \
  X(Country, ChangeWarEconomy, 2, 0, "c0") \
  X(Country, SetWarEconomy, 2, 0, "c0") \
  X(Country, ChangeSMP, 2, 0, "c0") \
  X(Country, ChangeSTP, 2, 0, "c0") \
  X(Country, ChangeAIP, 2, 0, "c0") \
  X(Country, ChangeUpkeepCost, 2, 0, "c0") \
  X(Country, SetUpkeepCost, 2, 0, "c0") \
  X(Country, SetWinterBattle, 2, 0, "c0") \
  X(Country, SetWinterMove, 2, 0, "c0") \
  X(Country, SetMudBattle, 2, 0, "c0") \
  X(Country, SetMudMove, 2, 0, "c0") \
  X(Country, SetActive, 2, 0, "c0") \
  X(Country, SetOrientation, 2, 0, "c0") \
  X(Country, SetZoneOfInfluence, 2, 0, "c0") \
  X(Country, SetTechLevel, 3, 0, "c0") \
  X(Country, ChangeTechLevel, 3, 0, "c0") \
  X(Country, SetTechResearchProgress, 3, 0, "c0 r1:0:6") \
  X(Country, ChangeTechResearchProgress, 3, 0, "c0 r1:0:6") \
  X(Country, SetTechInvestment, 3, 0, "c0 r1:0:6") \
  X(Country, ChangeTechInvestment, 3, 0, "c0 r1:0:6") \
  X(Country, ChangeMonthsToReachWarfareDoctrineLevel, 2, 0, "c0") \
  X(Country, DeclareWarOnCountry, 2, 0, "c0 c1") \
  X(Country, MakePeace, 2, 0, "c0") \
  X(HexStripe, ChangeControllerAndOwner, 4, 0, "c3") \
  X(HexStripe, ChangeControllerOwnerAndOriginalOwner, 4, 0, "c3") \
  X(Country, ChangeTerritoryControllerOwnerAndOriginalOwner, 2, 0, "c0 c1") \
  X(Hex, SetFortLevel, 3, 0, "") \
  X(Hex, ChangeFortLevel, 3, 0, "") \
  X(City, SetProductionPoints, 3, 0, "") \
  X(City, ChangeProductionPoints, 3, 0, "") \
  X(City, SetOwnSupply, 3, 0, "") \
  X(City, ChangeOwnSupply, 3, 0, "") \
  X(City, SetType, 3, 0, "") \
  X(Port, SetSize, 2, 0, "s0") \
  X(Port, ChangeSize, 2, 0, "s0") \
  X(New, StartWinterArea, 5, 0, "") \
  X(New, EndWinterArea, 4, 0, "") \
  X(New, StartMudArea, 5, 0, "") \
  X(New, EndMudArea, 4, 0, "") \
  X(Flag, SetValue, 2, 0, "") \
  X(Flag, ChangeValue, 2, 0, "") \
  X(View, CenterAt, 2, 0, "") \
  X(Hex, AddLandUnit, 6, 1, "c2") \
  X(Hex, AddUnitAndPassControlOverHexIfEmpty, 6, 1, "c2") \
  X(City, FirePartisans, 6, 1, "c2") \
  X(Hex, AddAirUnit, 6, 1, "c0") \
  X(Hex, AddNavalUnit, 2, 1, "c0") \
  X(SeaNode, AddNavalUnit, 3, 1, "s0 c1") \
  X(SeaNode, AddLandUnit, 6, 1, "s0 c2") \
  X(SeaNode, AddLandUnitWithDest, 8, 1, "s0 c2 s6") \
  X(SeaNode, AddLandingLandUnit, 8, 1, "s0 c2") \
  X(Hex, AddMulberry, 3, 1, "c0") \
  X(Commander, AddNew, 3, 1, "c0") \
  X(Unit, Teleport, 4, 0, "") \
  X(Unit, Freeze, 3, 0, "") \
  X(Unit, FreezeIfOwnedByCountry, 4, 0, "") \
  X(Unit, Unfreeze, 2, 0, "") \
  X(Unit, Remove, 3, 0, "") \
  X(Hex, KillUnit, 2, 0, "") \
  X(Country, UnFreezeAllUnits, 1, 0, "c0") \
  X(Country, SetFreezeLevelForAllFreezedUnits, 2, 0, "c0") \
  X(Country, KillAllLandUnits, 1, 0, "c0") \
  X(Country, KillAllAirUnits, 1, 0, "c0") \
  X(Country, KillAllNavalUnits, 1, 0, "c0") \
  X(Country, KillAllUnitsInReserve, 1, 0, "c0") \
  X(Country, ChangeOwnershipOfAllNavalUnits, 2, 0, "c0 c1") \
  X(Country, ChangeOwnershipOfAllAirUnits, 2, 0, "c0 c1") \
  X(Country, ChangeEffectivityOfAllUnits, 3, 0, "c0") \
  X(Area, ChangeEffectivityOfAllUnits, 6, 0, "") \
  X(Country, DamageRandomShipsInSeaZone, 4, 0, "s1") \
  X(Country, AddConvoy, 7, 0, "c0") \
  X(Country, RemoveConvoy, 6, 0, "c0") \
  X(AI, SetMakesSeaInvasionsParameter, 2, 0, "c0") \
  X(AI, SetMaxNumberOfFrontsForSeaInvasion, 2, 0, "c0") \
  X(AI, AddInvasionTarget, 4, 0, "c0") \
  X(AI, RemoveInvasionTarget, 3, 0, "c0") \
  X(AI, AddDoNotAttackCity, 3, 0, "c0") \
  X(AI, RemoveDoNotAttackCity, 3, 0, "c0") \
  X(AI, AddExtraCityToGarrison, 3, 0, "c0") \
  X(AI, AddPortForObligatoryInvasion, 4, 0, "c0") \
  X(AI, RemovePortForObligatoryInvasion, 3, 0, "c0") \
  X(AI, AddSeaZoneToPatrolList, 3, 0, "c0") \
  X(AI, RemoveSeaZoneFromPatrolList, 2, 0, "c0") \
  X(AI, AddCountryToPress, 2, 0, "c0 c1") \
  X(AI, TransportUnitsToFrontsBySea, 2, 0, "c0") \
  X(AI, SetMultipleSideAttackPreferences, 4, 0, "c0") \
  X(AI, SetOneSideAttackPreferences, 4, 0, "c0") \
  X(AI, SetDesiredStrategicMovementPoints, 2, 0, "c0") \
  X(AI, SetDesiredTechLevel, 3, 0, "c0 r1:0:6") \
  X(AI, SetFortLevelToHoldAtAllCost, 2, 0, "c0") \
  X(Country, NewUnitPurchasePreferences, 3, 0, "c0 r1:1:14") \
  X(Country, SetDesiredLandForcesStructure, 3, 0, "c0 r1:1:5") \
  X(Country, SetMaxSafeMoveCost, 2, 0, "c0") \
  X(Country, SetMinRatioToPatchFront, 2, 0, "c0") \
  X(Country, SetMaxUnitCountOnFront, 2, 0, "c0") \
  X(Country, SetMaxCoveringUnitDistance, 2, 0, "c0") \
  X(Country, SetAICarrierTargetsPriorities, 9, 0, "") \
  X(Country, ChangeAICarrierTargetsPriorities, 3, 0, "c0 r1:1:9")

// Entries that pass the load check and change nothing when run.
#define BRENNMARK_EFFECTS_WITHOUT_CHANGES(X) \
  X(Commander, ChangeLevel, 2, 0, "") \
  X(Commander, SetLevel, 2, 0, "") \
  X(Hex, AddRailroads, 2, 0, "") \
  X(Hex, RemoveRailroads, 2, 0, "") \
  X(Hex, AddLandUnitAndPassControlOverHexIfEmpty, 6, 1, "")

#define BRENNMARK_EFFECT_DECLARE(A, B, N, S, IDS) void Effect##A##_##B(const sEfekt& effect);
struct sEfekt;
BRENNMARK_EFFECTS_WITH_CHANGES(BRENNMARK_EFFECT_DECLARE)
BRENNMARK_EFFECTS_WITHOUT_CHANGES(BRENNMARK_EFFECT_DECLARE)
#undef BRENNMARK_EFFECT_DECLARE
