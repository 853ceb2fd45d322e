#include "import/import_threads.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <thread>

#if defined(__linux__)
#include <sched.h>
#endif

#include "data/number_scan.h"

namespace {

unsigned UsableProcessors() {
#if defined(__linux__)
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0)
        return static_cast<unsigned>(CPU_COUNT(&set));
#endif
    return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace

namespace ImportThreads {

unsigned Default() {
    if (const char* value = std::getenv(kVariable)) {
        const std::string_view text(value);
        const Long32Scan scan = ScanLong32(text);
        if (!text.empty() && scan.consumed == text.size() && scan.value >= 1)
            return std::min(static_cast<unsigned>(scan.value), kMost);
    }
    return std::min(UsableProcessors(), kMost);
}

}  // namespace ImportThreads
