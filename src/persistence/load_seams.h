#pragma once
// The loader's calls into work that other subsystems provide. Each seam is
// called at its step of the loader and holds the one call it stands for;
// while that work is not in the game the seam does nothing.
class cGra;
class cJednostkaLadowa;
struct sLoadRequest;

// convoys.csv into the convoy manager, and the highest convoy id it holds (0 for none).
void LoadConvoysTable(cGra& game, const sLoadRequest& request);
int HighestConvoyId(const cGra& game);
// A land unit that carries a transport ship id goes aboard that ship
// (cJednostkaLadowa::LoadIntoTransportById).
void LoadIntoItsTransport(cJednostkaLadowa& unit);
