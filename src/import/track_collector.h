#pragma once

#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

// The (chromosome, track name) pairs that an import filed features into, each once, in the
// order they were first filed.
class TrackCollector {
public:
    using Pair = std::pair<std::string, std::string>;

    void Add(const std::string& chromosomeName, const std::string& trackName);
    const std::vector<Pair>& GetPairs() const { return pairs_; }

private:
    struct PairHash {
        size_t operator()(const Pair& pair) const;
    };

    std::vector<Pair> pairs_;
    std::unordered_set<Pair, PairHash> seen_;
};
