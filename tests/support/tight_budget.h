#pragma once

#include <cstddef>
#include <new>

#include "data/memory_budget.h"

// A memory budget that refuses growth once limit bytes have been granted, for imports that
// must stop with a memory error part way through.
class TightBudget : public MemoryBudget {
public:
    explicit TightBudget(size_t limit) : limit_(limit) {}

    void Reserve(size_t bytes) override {
        granted_ += bytes;
        if (granted_ > limit_)
            throw std::bad_alloc();
    }

private:
    const size_t limit_;
    size_t granted_ = 0;
};
