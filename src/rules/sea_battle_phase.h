#pragma once
// The sea battles of the end of turn: run by cGra::EndOfImpulse in game
// state 4 on the worker thread; sets state 3 again when the battles are over.
void GenerateSeaBattles();
