#include "import/track_collector.h"

#include <functional>

size_t TrackCollector::PairHash::operator()(const Pair& pair) const {
    const size_t first = std::hash<std::string>()(pair.first);
    return first ^ (std::hash<std::string>()(pair.second) + 0x9E3779B97F4A7C15ull + (first << 6) +
                    (first >> 2));
}

void TrackCollector::Add(const std::string& chromosomeName, const std::string& trackName) {
    Pair pair(chromosomeName, trackName);
    if (seen_.insert(pair).second)
        pairs_.push_back(std::move(pair));
}
