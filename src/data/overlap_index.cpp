#include "data/overlap_index.h"

void OverlapIndex::Clear() {
    values_.Clear();
    blockStops_.clear();
    groupStops_.clear();
}
