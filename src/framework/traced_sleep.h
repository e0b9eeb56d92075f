#pragma once
// A sleep that leaves a trace line naming its caller, so that a hang shows
// in the log where it waits. Both threads use it; it takes no lock.
void TracedSleep(int milliseconds, const char* file, int line);
// Its trace line alone, for a wait that sleeps in slices of its own.
void TraceSleep(int milliseconds, const char* file, int line);
