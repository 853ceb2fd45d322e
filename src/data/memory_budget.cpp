#include "data/memory_budget.h"

namespace {

class UnlimitedBudget : public MemoryBudget {
public:
    void Reserve(size_t) override {}
};

}  // namespace

MemoryBudget& MemoryBudget::Unlimited() {
    static UnlimitedBudget budget;
    return budget;
}
