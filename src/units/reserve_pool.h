#pragma once
// Emptying one country's share of the reserve pools (a surrender, or the
// scenario effect that kills a country's reserve units).

// Destroys every land and air unit of the country in the reserve pool; the
// other units keep their order.
void KillAllUnitsInReserve(int country);
// The same for the naval reserve pool.
void KillAllNavalUnitsInReserve(int country);
