#pragma once
// The city supply and convoy tables of a saved game, read after the cities'
// per-country tables have been sized (ResetCitySupplyTables).
struct sLoadRequest;

// "cities_supply_info.csv", then "cities_convoy_info.csv", of the request's
// folder into the cities of the running game; a missing file is fatal.
void LoadCitiesSupplyInfo(const sLoadRequest& request);
