#pragma once

#include <cstddef>

// What the stores of the track containers ask before they grow: whether the program may take
// that much more memory. An import that is refused stops there and keeps what it read, rather
// than taking the last of the machine's memory and being killed for it.
class MemoryBudget {
public:
    virtual ~MemoryBudget() = default;

    // Called before the data grows by bytes. Throws std::bad_alloc when the growth is refused,
    // as a failed allocation would, so both end the import the same way.
    virtual void Reserve(size_t bytes) = 0;

    // A budget that refuses nothing: for data filled outside an import.
    static MemoryBudget& Unlimited();
};
