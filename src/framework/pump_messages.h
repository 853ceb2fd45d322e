#pragma once

// Keeping the one user-interface thread responsive while long work runs on it.

// Dispatches every event waiting in the calling thread's queue and returns once it is empty.
// Does nothing without an application object.
void PumpMessages();

// Milliseconds of a steady clock since the process started; wraps after about 24 days.
int MillisecondsSinceStart();

// Waits until the clock has advanced by milliseconds since start (since the call when useStart
// is false), dispatching events meanwhile when pump is set. Returns at once when the clock
// reads earlier than start. The wait sleeps between events instead of spinning.
void Delay(int milliseconds, bool pump, bool useStart = false, int start = 0);
