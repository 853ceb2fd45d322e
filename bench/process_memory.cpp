#include "process_memory.h"

#include "data/large_block.h"

#include <malloc.h>

#include <fstream>
#include <string>

namespace ProcessMemory {

namespace {

uint64_t StatusField(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line)) {
        if (line.compare(0, prefix.size(), prefix) == 0)
            return std::stoull(line.substr(prefix.size())) * 1024;  // reported in kB
    }
    return 0;
}

}  // namespace

uint64_t ResidentBytes() {
    return StatusField("VmRSS");
}

uint64_t PeakResidentBytes() {
    return StatusField("VmHWM");
}

void ResetPeak() {
    // Writing 5 to clear_refs resets the peak resident size (Linux 4.0 and later).
    std::ofstream("/proc/self/clear_refs") << "5";
}

void ReleaseFreeMemory() {
    LargeBlock::ReleaseCachedBlocks();
    malloc_trim(0);
}

}  // namespace ProcessMemory
