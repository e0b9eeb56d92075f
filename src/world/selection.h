#pragma once
// The selection and impulse record of the game.
class cPanstwo;

class cSelection {
 public:
  virtual ~cSelection() = default;

  // The country whose impulse it is; null before the play order is known.
  cPanstwo* currentCountry = nullptr;
  // The computer's actions are shown on the map (centred and paced).
  uint8_t showActions = 0;
};
