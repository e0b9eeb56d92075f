#pragma once
// The economy of one country: what its cities yield, what its units cost,
// monthly research with its nuclear bombs, the land-warfare doctrine clock
// and what its ships carry. The phases themselves are members of cPanstwo
// (country.h); here are the pieces they share with the computer player, the
// purchase dialog and the tests.
#include "world/consts.h"

class cPanstwo;

// Technology categories, the order of the country's tech arrays.
enum eTechCategory : int {
  kTechArtillery = 0,
  kTechTanks = 1,
  kTechDoctrine = 2,  // land warfare, advanced by the doctrine clock, not by research
  kTechAircraft = 3,
  kTechSubmarines = 4,
  kTechNavy = 5,
  kTechNuclear = 6,
  kTechCategoryCount = 7,
};

inline constexpr int kMaxDoctrineLevel = 5;
inline constexpr int kDoctrineCounterCount = 5;
// The text dialog layout every message dialog uses.
inline constexpr int kMessageDialogLayout = 684;

// The constants the economy reads from a country's copy of the block.
// Id 115: the first three of its seven values are the production factors.
inline float OccupiedCityFactor(const sConsts& c) { return c.c115[0]; }
inline float AnnexedCityFactor(const sConsts& c) { return c.c115[1]; }
inline float AnnexationShareFactor(const sConsts& c) { return c.c115[2]; }
// Ids 88 and 89: research points a level needs and the highest level, by
// tech category; 0 for a category outside 0..6.
int ResearchThreshold(const sConsts& c, int category);
int MaxTechLevel(const sConsts& c, int category);
// Ids 69 and 70: what carrying a land unit of a type costs; types outside
// the seven land types cost nothing.
int SeaTransportCost(const sConsts& c, int landType);
int AmphibiousCost(const sConsts& c, int landType);

// The turn's production of a country by the kind of city it comes from,
// before the modifiers.
struct sProductionSums {
  float resources = 0.0f;
  float ownCities = 0.0f;
  float occupiedCities = 0.0f;
  float annexedCities = 0.0f;
  float annexedShare = 0.0f;  // the share of annexed cities by losses dealt

  float Total() const { return resources + ownCities + occupiedCities + annexedCities + annexedShare; }
};

// Every city of the running game looked at once for the country, the first
// matching rule counting it. The loss shares are read as they stand.
sProductionSums SumCityProduction(const cPanstwo& country);

// The modifiers of the collected production, in percent.
float CivilOrderPercent(const cPanstwo& country);
float DifficultyPercent(const cPanstwo& country);

// The estimate of months until a research category reaches the threshold at
// an investment (above 0), from the progress made so far.
int EstimateResearchMonths(int threshold, int progress, int investment);
