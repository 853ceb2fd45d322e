#pragma once

// How many threads an import parses with when it is not told.
namespace ImportThreads {

// The environment variable that sets the number, for the program as a whole.
constexpr char kVariable[] = "LOCUSCOPE_IMPORT_THREADS";
// More would only wait for the one thread that files the items in order.
constexpr unsigned kMost = 16;

// LOCUSCOPE_IMPORT_THREADS when it holds a whole number from 1 (at most kMost), else the
// number of processors this process may run on (which `taskset` narrows), at most kMost.
unsigned Default();

}  // namespace ImportThreads
