#pragma once
// A sleep that leaves a trace line naming its caller, so that a hang shows
// in the log where it waits. Both threads use it; it takes no lock.
void TracedSleep(int milliseconds, const char* file, int line);
