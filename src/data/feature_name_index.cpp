#include "data/feature_name_index.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "data/feature_name.h"
#include "data/genome_dataset.h"
#include "data/percent_decoding.h"
#include "framework/notification_agent.h"

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(100);
// Reading the clock costs more than reading a few names, so it is read only this often.
constexpr uint32_t kItemsPerClockRead = 4096;
constexpr int kProgressSteps = 1000;
constexpr uint64_t kLastNumber = 0xFFFFFFFF;

// BED writes "." for an item without a name.
bool IsName(std::string_view text) {
    return !text.empty() && text != ".";
}

// A name as the view shows it, escapes decoded; buffer holds it when decoding was needed.
std::string_view Shown(std::string_view written, std::string& buffer) {
    if (written.find('%') == std::string_view::npos)
        return written;
    buffer = PercentDecodedForDisplay(written);
    return buffer;
}

unsigned char Folded(char c) {
    return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
}

bool EqualFolded(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return Folded(x) == Folded(y);
           });
}

// FNV-1a over the folded bytes, its bits mixed so that the top half is as good as the bottom.
uint32_t FoldedHash(std::string_view text) {
    uint64_t hash = 14695981039346656037ull;
    for (const char c : text) {
        hash ^= Folded(c);
        hash *= 1099511628211ull;
    }
    hash ^= hash >> 33;
    hash *= 0xFF51AFD7ED558CCDull;
    hash ^= hash >> 33;
    return static_cast<uint32_t>(hash >> 32);
}

uint64_t Key(uint32_t hash, uint32_t number) {
    return uint64_t{hash} << 32 | number;
}

// Sorts keys made in ascending item order by their hash, keeping that order among equal
// hashes: two stable counting passes of 16 bits, several times faster than a comparison sort
// on millions of keys.
void SortByHash(std::vector<uint64_t>& keys) {
    constexpr int kDigitBits = 16;
    constexpr size_t kDigits = size_t{1} << kDigitBits;
    std::vector<uint64_t> sorted(keys.size());
    std::vector<size_t> place(kDigits);
    for (const int shift : {32, 32 + kDigitBits}) {
        std::fill(place.begin(), place.end(), 0);
        for (const uint64_t key : keys)
            ++place[(key >> shift) & (kDigits - 1)];
        size_t next = 0;
        for (size_t& digit : place)
            next += std::exchange(digit, next);
        for (const uint64_t key : keys)
            sorted[place[(key >> shift) & (kDigits - 1)]++] = key;
        keys.swap(sorted);
    }
}

// The shown name and ID of an item's attributes; either empty when it is no name.
struct ShownNames {
    std::string_view name;
    std::string_view id;
    std::string nameBuffer;
    std::string idBuffer;

    explicit ShownNames(std::string_view attributes) {
        const FeatureNameAndId found = FindFeatureNameAndId(attributes);
        name = Shown(found.name, nameBuffer);
        id = Shown(found.id, idBuffer);
        if (!IsName(name))
            name = {};
        // An ID that reads as the name is the same key.
        if (!IsName(id) || (!name.empty() && EqualFolded(id, name)))
            id = {};
    }
    bool AnswersTo(std::string_view query) const {
        return (!name.empty() && EqualFolded(name, query)) ||
               (!id.empty() && EqualFolded(id, query));
    }
};

// Progress and cancel through an agent, polled by time.
class Poller {
public:
    Poller(CNotificationAgent* agent, uint64_t total)
        : agent_(agent), total_(std::max<uint64_t>(total, 1)) {}
    // False when the agent asks to cancel.
    bool Poll(uint64_t done) {
        if (agent_ == nullptr || ++sinceClockRead_ < kItemsPerClockRead)
            return true;
        sinceClockRead_ = 0;
        const auto now = std::chrono::steady_clock::now();
        if (now - lastPoll_ < kPollInterval)
            return true;
        lastPoll_ = now;
        Report(done);
        return !agent_->IsCancelRequested(false);
    }
    void Report(uint64_t done) const {
        if (agent_ != nullptr)
            agent_->SetProgress(CNotificationAgent::PROGRESS_OVERALL,
                                static_cast<int>(done * kProgressSteps / total_), kProgressSteps,
                                "", "", 0);
    }

private:
    CNotificationAgent* agent_;
    uint64_t total_;
    uint32_t sinceClockRead_ = 0;
    // The first clock read already polls, so that the bar moves at once.
    std::chrono::steady_clock::time_point lastPoll_ =
        std::chrono::steady_clock::now() - kPollInterval;
};

}  // namespace

bool FeatureNameIndex::Build(const GenomeDataset& genome, CNotificationAgent* agent) {
    Clear();
    const std::vector<GenomeDataset::TrackRef> refs = genome.Store().GetPaneTracks(kAllTracksPane);
    uint64_t total = 0;
    for (const GenomeDataset::TrackRef& ref : refs)
        total += ref.dataset != nullptr ? ref.dataset->GetItemCount() : 0;
    // Items are numbered in 32 bits; a genome beyond that (some hundred gigabytes) is
    // recorded without names rather than numbered wrongly.
    const bool numbered = total <= kLastNumber;
    keys_.reserve(numbered ? total : 0);
    Poller poller(agent, total);
    uint64_t number = 0;
    for (const GenomeDataset::TrackRef& ref : refs) {
        if (ref.dataset == nullptr)
            continue;
        const ChromosomeDataset& track = *ref.dataset;
        const size_t count = track.GetItemCount();
        tracks_.push_back({track.GetSerial(),
                           static_cast<uint32_t>(std::min<uint64_t>(count, kLastNumber)),
                           static_cast<uint32_t>(std::min(number, kLastNumber))});
        for (size_t handle = 0; numbered && handle < count; ++handle, ++number) {
            const ShownNames names(track.GetItem(handle).Attributes);
            const auto item = static_cast<uint32_t>(number);
            if (!names.name.empty())
                keys_.push_back(Key(FoldedHash(names.name), item));
            if (!names.id.empty())
                keys_.push_back(Key(FoldedHash(names.id), item));
            namedFeatures_ += !names.name.empty() || !names.id.empty() ? 1 : 0;
            if (!poller.Poll(number)) {
                Clear();
                return false;
            }
        }
    }
    SortByHash(keys_);
    if (keys_.capacity() > keys_.size() + keys_.size() / 8)
        keys_.shrink_to_fit();
    bySerial_.resize(tracks_.size());
    for (size_t i = 0; i < tracks_.size(); ++i)
        bySerial_[i] = static_cast<uint32_t>(i);
    std::sort(bySerial_.begin(), bySerial_.end(),
              [this](uint32_t a, uint32_t b) { return tracks_[a].serial < tracks_[b].serial; });
    poller.Report(total);
    built_ = true;
    return true;
}

std::optional<FeatureNameIndex::Lookup> FeatureNameIndex::Find(const GenomeDataset& genome,
                                                               std::string_view name) const {
    if (!built_)
        return std::nullopt;
    // The genome must hold exactly the tracks indexed, each with as many items; their place
    // in "All Tracks" may have changed (a sort, a moved track) and orders the matches.
    const std::vector<GenomeDataset::TrackRef> refs = genome.Store().GetPaneTracks(kAllTracksPane);
    std::vector<const GenomeDataset::TrackRef*> refOf(tracks_.size(), nullptr);
    std::vector<uint32_t> rankOf(tracks_.size(), 0);
    uint32_t shown = 0;
    for (const GenomeDataset::TrackRef& ref : refs) {
        if (ref.dataset == nullptr)
            continue;
        const uint64_t serial = ref.dataset->GetSerial();
        const auto at = std::lower_bound(
            bySerial_.begin(), bySerial_.end(), serial,
            [this](uint32_t index, uint64_t value) { return tracks_[index].serial < value; });
        if (at == bySerial_.end() || tracks_[*at].serial != serial ||
            tracks_[*at].itemCount != ref.dataset->GetItemCount() || refOf[*at] != nullptr)
            return std::nullopt;
        refOf[*at] = &ref;
        rankOf[*at] = shown++;
    }
    if (shown != tracks_.size())
        return std::nullopt;

    Lookup lookup;
    const std::string_view query = TrimmedName(name);
    lookup.name = query;
    if (!IsName(query))
        return lookup;
    struct Candidate {
        uint32_t rank;
        uint32_t handle;
        uint32_t track;
    };
    std::vector<Candidate> found;
    const uint32_t hash = FoldedHash(query);
    const auto first = std::lower_bound(keys_.begin(), keys_.end(), Key(hash, 0));
    const auto last = std::upper_bound(first, keys_.end(), Key(hash, 0xFFFFFFFF));
    uint64_t previous = kLastNumber + 1;
    for (auto key = first; key != last; ++key) {
        const auto number = static_cast<uint32_t>(*key);
        if (number == previous)  // its name and its ID hash alike
            continue;
        previous = number;
        const size_t track = TrackOf(number);
        const uint32_t handle = number - tracks_[track].firstNumber;
        if (ShownNames(refOf[track]->dataset->GetItem(handle).Attributes).AnswersTo(query))
            found.push_back({rankOf[track], handle, static_cast<uint32_t>(track)});
    }
    lookup.count = found.size();
    const size_t listed = std::min(found.size(), kListedMatches);
    std::partial_sort(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(listed),
                      found.end(), [](const Candidate& a, const Candidate& b) {
                          return a.rank != b.rank ? a.rank < b.rank : a.handle < b.handle;
                      });
    for (size_t k = 0; k < listed; ++k) {
        const GenomeDataset::TrackRef& ref = *refOf[found[k].track];
        const ChromosomeDataset& track = *ref.dataset;
        const uint32_t start = track.GetStart(found[k].handle);
        const ShownNames names(track.GetItem(found[k].handle).Attributes);
        lookup.matches.push_back({ref.chromosomeName, ref.trackName, start,
                                  std::max(start, track.GetStop(found[k].handle)),
                                  std::string(names.name.empty() ? names.id : names.name)});
    }
    return lookup;
}

void FeatureNameIndex::Clear() {
    tracks_ = {};
    bySerial_ = {};
    keys_ = {};
    namedFeatures_ = 0;
    built_ = false;
}

size_t FeatureNameIndex::GetMemoryBytes() const {
    return tracks_.capacity() * sizeof(Track) + bySerial_.capacity() * sizeof(uint32_t) +
           keys_.capacity() * sizeof(uint64_t);
}

Range FeatureNameIndex::ShownRange(uint32_t start, uint32_t stop) {
    const Position low = std::min(start, stop);
    const Position high = std::max(start, stop);
    const uint64_t length = uint64_t{high} - low + 1;
    uint64_t margin = (length + kMarginDivisor - 1) / kMarginDivisor;
    if (length + 2 * margin < kMinimumShownBases)
        margin = (kMinimumShownBases - length + 1) / 2;
    // A tenth of a 32-bit length, or half the minimum width: the margin fits a position.
    const Position side = static_cast<Position>(margin);
    const Position first = std::max<Position>(SaturatingSubtract(low, side), 1);
    return {std::min(first, kLastPosition), SaturatingAdd(high, side)};
}

size_t FeatureNameIndex::TrackOf(uint32_t number) const {
    const auto after = std::upper_bound(
        tracks_.begin(), tracks_.end(), number,
        [](uint32_t value, const Track& track) { return value < track.firstNumber; });
    return static_cast<size_t>(after - tracks_.begin()) - 1;
}
