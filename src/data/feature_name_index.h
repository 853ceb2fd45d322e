#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/position.h"

class CNotificationAgent;
class GenomeDataset;

// A feature found by its name: where it lies and what it is called. Positions are 1-based and
// inclusive; stop is never below start.
struct FeatureMatch {
    std::string chromosomeName;
    std::string trackName;
    uint32_t start = 0;
    uint32_t stop = 0;
    std::string name;  // the feature's name as the view shows it

    bool operator==(const FeatureMatch& other) const {
        return chromosomeName == other.chromosomeName && trackName == other.trackName &&
               start == other.start && stop == other.stop && name == other.name;
    }
};

// Finds features by name: a feature answers to its name as the view shows it (FeatureName,
// %XX escapes decoded) and to its GFF3 ID, compared whole and without regard to the case of
// A to Z. A name of "." (BED's "no name") is no name.
//
// The index is built by its own pass over the stored items, never during an import, and
// answers only for the genome as it was built from: once a track is added, grown or deleted
// Find answers nothing until Build runs again. It holds 8 bytes per name (a feature with a
// name and a different ID has two) and 20 bytes per track, and keeps no pointer into the
// genome.
class FeatureNameIndex {
public:
    // At most this many matches are listed; the count says how many there are.
    static constexpr size_t kListedMatches = 1000;
    // A shown feature has this share of its length free on either side ...
    static constexpr uint64_t kMarginDivisor = 10;
    // ... and the range shown is at least this wide, so that a single base is seen in context.
    static constexpr uint64_t kMinimumShownBases = 40;

    struct Lookup {
        std::string name;                   // the name asked for, blanks around it dropped
        size_t count = 0;                   // every feature of that name
        std::vector<FeatureMatch> matches;  // the first kListedMatches, in pane order
    };

    // Reads every item of every track shown in "All Tracks". Reports progress through agent
    // (may be null) and asks it to cancel at most every 100 ms; false when cancelled, leaving
    // the index empty.
    bool Build(const GenomeDataset& genome, CNotificationAgent* agent);
    // The features named name, ordered as "All Tracks" shows them (pane order, then track
    // order, then start); nothing when the index does not answer for genome as it stands.
    std::optional<Lookup> Find(const GenomeDataset& genome, std::string_view name) const;
    // Forgets everything (the memory too).
    void Clear();

    // Items of the genome as built that have a name or an ID.
    size_t GetNamedFeatureCount() const { return namedFeatures_; }
    size_t GetMemoryBytes() const;

    // The range that shows a feature: its span with a tenth of its length (rounded up) on
    // either side, widened evenly to kMinimumShownBases, held within 1..kLastPosition.
    static Range ShownRange(uint32_t start, uint32_t stop);

private:
    struct Track {
        uint64_t serial;       // ChromosomeDataset::GetSerial of the track indexed
        uint32_t itemCount;    // its items when indexed
        uint32_t firstNumber;  // the number of its first item; items are numbered in order
    };

    // The track of an item number: the last whose first number is not above it.
    size_t TrackOf(uint32_t number) const;

    std::vector<Track> tracks_;       // in the order "All Tracks" showed them
    std::vector<uint32_t> bySerial_;  // indexes into tracks_, ascending serial
    std::vector<uint64_t> keys_;      // name hash << 32 | item number, ascending
    size_t namedFeatures_ = 0;
    bool built_ = false;
};
