#pragma once

#include <cstdint>

// Resident memory of this process, from /proc/self/status (Linux).
namespace ProcessMemory {

// Current resident set size in bytes.
uint64_t ResidentBytes();
// Peak resident set size in bytes since the last ResetPeak (or since start).
uint64_t PeakResidentBytes();
// Starts a new peak measurement from the current resident size.
void ResetPeak();
// Gives freed heap memory and the track containers' kept blocks back to the system, so the
// next measurement starts clean.
void ReleaseFreeMemory();

}  // namespace ProcessMemory
