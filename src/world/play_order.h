#pragma once
// Who moves next: the country whose impulse comes next, and the next country
// a human plays. Both read only the countries' alliance, political strength,
// active, finished and human flags.
#include <list>
#include <vector>

class cPanstwo;

// The next country of the impulse: groups in the order axis, allies,
// comintern, neutral; inside a group the highest political strength, ties to
// the earlier country. Null when every country that can move has finished.
cPanstwo* DetermineCurrentCountry(const std::vector<cPanstwo*>& countries);

// The sort key of the play order: a moves before b.
bool CompareByPoliticalStrength(const cPanstwo* a, const cPanstwo* b);

// Leaves in the list only human countries that have not finished their turn.
void KeepHumanCountriesToMove(std::list<cPanstwo*>& countries);

// The next country after a human player's turn. Every scenario needs a
// placeholder country that moves after the humans, so that an impulse ends on
// the worker thread: without one this is a fatal data error.
cPanstwo* DetermineCurrentCountryAfterHumanTurn(const std::vector<cPanstwo*>& countries);
