#include "import/system_memory_budget.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <string_view>

namespace {

constexpr uint64_t kWholeParts = 10;  // a tenth of the whole is always left
constexpr uint64_t kKibibyte = 1024;

// The text of a small file of the proc file system, read with plain system calls: this runs
// while memory is short. Empty when it cannot be read.
std::string_view ReadProcFile(const char* path, char* buffer, size_t size) {
    const int file = open(path, O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return {};
    size_t used = 0;
    while (used < size) {
        const ssize_t got = read(file, buffer + used, size - used);
        if (got <= 0)
            break;
        used += static_cast<size_t>(got);
    }
    close(file);
    return std::string_view(buffer, used);
}

// The number after the first occurrence of key in text, or false.
bool NumberAfter(std::string_view text, std::string_view key, uint64_t& number) {
    const size_t at = text.find(key);
    if (at == std::string_view::npos)
        return false;
    size_t i = at + key.size();
    while (i < text.size() && text[i] == ' ')
        ++i;
    if (i == text.size() || text[i] < '0' || text[i] > '9')
        return false;
    number = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        number = number * 10 + static_cast<uint64_t>(text[i] - '0');
    return true;
}

// All memory and the memory available to programs, from /proc/meminfo; false without them.
bool ReadMemoryInfo(uint64_t& total, uint64_t& available) {
    char buffer[8192];
    const std::string_view info = ReadProcFile("/proc/meminfo", buffer, sizeof buffer);
    if (!NumberAfter(info, "MemTotal:", total) || !NumberAfter(info, "MemAvailable:", available))
        return false;
    total *= kKibibyte;
    available *= kKibibyte;
    return true;
}

// The address space the process takes now (the first number of /proc/self/statm, in pages).
uint64_t AddressSpaceInUse() {
    char buffer[256];
    uint64_t pages = 0;
    NumberAfter(ReadProcFile("/proc/self/statm", buffer, sizeof buffer), "", pages);
    return pages * static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
}

bool SystemHasRoomFor(uint64_t bytes) {
    uint64_t total = 0;
    uint64_t available = 0;
    if (ReadMemoryInfo(total, available) &&
        !SystemMemoryBudget::LeavesEnough(available, total, bytes))
        return false;
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
        const uint64_t whole = limit.rlim_cur;
        const uint64_t used = AddressSpaceInUse();
        if (!SystemMemoryBudget::LeavesEnough(whole > used ? whole - used : 0, whole, bytes))
            return false;
    }
    return true;
}

}  // namespace

bool SystemMemoryBudget::LeavesEnough(uint64_t left, uint64_t whole, uint64_t bytes) {
    return left >= bytes && left - bytes >= std::max(whole / kWholeParts, kLeastLeft);
}

void SystemMemoryBudget::Reserve(size_t bytes) {
    unasked_ += bytes;
    if (unasked_ < kAskEvery)
        return;
    const uint64_t asked = unasked_;
    unasked_ = 0;
    if (!SystemHasRoomFor(asked))
        throw std::bad_alloc();
}
