#pragma once

// Gives the calling thread the timing a periodic link thread needs: real-time
// scheduling where the system permits it (otherwise the thread stays normal,
// silently) and the smallest timer slack, so wake-ups come on time.
void RaiseCurrentThreadPriority();
