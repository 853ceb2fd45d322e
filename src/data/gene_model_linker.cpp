#include "data/gene_model_linker.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <system_error>
#include <thread>

namespace {

constexpr uint32_t kNoSlot = 0xFFFFFFFF;
constexpr uint8_t kDuplicate = 1;    // an ID given to more than one item: nobody's parent
constexpr uint8_t kReferenced = 2;   // named as a parent, so not an exon of its own parent
constexpr uint8_t kSynthesized = 4;  // a GTF transcript without a transcript line
// Items whose texts are asked for ahead of reading them: the texts of a track lie scattered
// among those of other tracks, where the processor does not guess them.
constexpr uint32_t kPrefetchAhead = 16;
// More threads than this gain little: most files hold a few large chromosomes.
constexpr unsigned kMostThreads = 8;
// Below this many items a thread costs more than it saves.
constexpr size_t kItemsPerThread = 200000;

// The fields that link items, as they stand in the text: GFF3's ID= and Parent=, and GTF's
// transcript_id "x" (quotes taken off).
struct LinkFields {
    std::string_view id;
    std::string_view parents;
    std::string_view transcriptId;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

template <size_t N>
bool BeginsWith(std::string_view field, const char (&key)[N]) {
    if (field.size() < N - 1)
        return false;
    for (size_t i = 0; i + 1 < N; ++i) {
        if (field[i] != key[i])
            return false;
    }
    return true;
}

// Walks the ';'-separated fields once. Without needId it stops at the first Parent or
// transcript_id, which GFF3 and GTF write near the front; a walk over every field is left for
// the few items that have neither (genes, with needId their IDs).
void ReadLinkFields(std::string_view text, bool needId, LinkFields& fields) {
    fields = LinkFields();
    const char* const end = text.data() + text.size();
    const char* at = text.data();
    while (at < end) {
        const char* stop = static_cast<const char*>(std::memchr(at, ';', size_t(end - at)));
        if (stop == nullptr)
            stop = end;
        std::string_view field(at, size_t(stop - at));
        at = stop + 1;
        while (!field.empty() && IsBlank(field.front()))
            field.remove_prefix(1);
        if (field.empty())
            continue;
        switch (field.front()) {
            case 'P':
                if (BeginsWith(field, "Parent="))
                    fields.parents = Trimmed(field.substr(7));
                break;
            case 'I':
                if (BeginsWith(field, "ID="))
                    fields.id = Trimmed(field.substr(3));
                break;
            case 't':
                // GTF writes `transcript_id "x"`; GFF3's transcript_id=x is no link.
                if (BeginsWith(field, "transcript_id") && field.size() > 13 && IsBlank(field[13])) {
                    std::string_view value = Trimmed(field.substr(13));
                    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
                        value = value.substr(1, value.size() - 2);
                    fields.transcriptId = value;
                }
                break;
            default:
                break;
        }
        const bool linked = !fields.parents.empty() || !fields.transcriptId.empty();
        if (linked && (!needId || !fields.id.empty()))
            return;
    }
}

bool EqualsNoCase(std::string_view text, std::string_view word) {
    if (text.size() != word.size())
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(text[i]) != lower(word[i]))
            return false;
    }
    return true;
}

}  // namespace

void GeneModelLinker::NameTable::Reset(size_t expected) {
    size_t capacity = 16;
    while (capacity < 2 * expected)
        capacity *= 2;
    entries_.assign(capacity, Entry{0, 0, 0, kNone});
    names_.clear();
    used_ = 0;
    std::fill(std::begin(recent_), std::end(recent_), Entry{0, 0, 0, kNone});
}

uint32_t GeneModelLinker::NameTable::Hash(std::string_view name) {
    const size_t hash = std::hash<std::string_view>()(name);
    return static_cast<uint32_t>(hash ^ (hash >> 32));
}

size_t GeneModelLinker::NameTable::Place(std::string_view name, uint32_t hash) const {
    const size_t mask = entries_.size() - 1;
    for (size_t at = hash & mask;; at = (at + 1) & mask) {
        const Entry& entry = entries_[at];
        if (entry.slot == kNone || (entry.hash == hash && entry.length == name.size() &&
                                    names_.compare(entry.offset, entry.length, name) == 0))
            return at;
    }
}

uint32_t GeneModelLinker::NameTable::Find(std::string_view name) {
    const uint32_t hash = Hash(name);
    for (const Entry& entry : recent_) {
        if (entry.slot != kNone && Holds(entry, name, hash))
            return entry.slot;
    }
    const Entry& found = entries_[Place(name, hash)];
    if (found.slot != kNone) {
        recent_[nextRecent_] = found;
        nextRecent_ = (nextRecent_ + 1) % kRecent;
    }
    return found.slot;
}

uint32_t GeneModelLinker::NameTable::Insert(std::string_view name, uint32_t slot) {
    if (2 * (used_ + 1) > entries_.size())
        Grow();
    const uint32_t hash = Hash(name);
    Entry& entry = entries_[Place(name, hash)];
    if (entry.slot == kNone) {
        entry = {static_cast<uint32_t>(names_.size()), static_cast<uint32_t>(name.size()), hash,
                 slot};
        names_.append(name);
        ++used_;
    }
    return entry.slot;
}

void GeneModelLinker::NameTable::Grow() {
    std::vector<Entry> old(std::max<size_t>(entries_.size() * 2, 16), Entry{0, 0, 0, kNone});
    old.swap(entries_);
    const size_t mask = entries_.size() - 1;
    for (const Entry& entry : old) {
        if (entry.slot == kNone)
            continue;
        size_t at = entry.hash & mask;
        while (entries_[at].slot != kNone)
            at = (at + 1) & mask;
        entries_[at] = entry;
    }
}

GeneModelLinker::Role GeneModelLinker::RoleOf(std::string_view featureType) {
    struct Entry {
        std::string_view type;
        Role role;
    };
    static constexpr Entry kRoles[] = {
        {"exon", Role::kExon},
        {"pseudogenic_exon", Role::kExon},
        {"CDS", Role::kCoding},
        {"start_codon", Role::kCoding},
        {"stop_codon", Role::kCoding},
        {"UTR", Role::kUntranslated},
        {"five_prime_UTR", Role::kUntranslated},
        {"three_prime_UTR", Role::kUntranslated},
        {"5UTR", Role::kUntranslated},
        {"3UTR", Role::kUntranslated},
        {"intron", Role::kNonExonic},
        {"polypeptide", Role::kNonExonic},
        {"protein", Role::kNonExonic},
        {"mature_protein_region", Role::kNonExonic},
        {"signal_peptide", Role::kNonExonic},
        {"transit_peptide", Role::kNonExonic},
        {"propeptide", Role::kNonExonic},
        {"Selenocysteine", Role::kNonExonic},
    };
    for (const Entry& entry : kRoles) {
        if (EqualsNoCase(featureType, entry.type))
            return entry.role;
    }
    return Role::kOther;
}

void GeneModelLinker::Link(const GenomeDataset::TrackMap& tracks) {
    counts_ = Counts();
    tracks_.clear();
    // By name, so that the same data always gives the same models.
    std::vector<std::pair<std::string_view, ChromosomeDataset*>> named;
    for (const auto& [name, dataset] : tracks)
        named.emplace_back(name, dataset.get());
    std::sort(named.begin(), named.end());
    for (const auto& [name, dataset] : named)
        tracks_.push_back({dataset, RoleOf(name), &dataset->GetStartPositions()});

    slots_.clear();
    links_.clear();
    CollectParents();
    CollectChildren();
    BuildModels();
    slotOfItem_.clear();
}

void GeneModelLinker::LinkAll(const std::vector<const GenomeDataset::TrackMap*>& chromosomes) {
    size_t items = 0;
    for (const GenomeDataset::TrackMap* tracks : chromosomes) {
        for (const auto& track : *tracks)
            items += track.second->GetItemCount();
    }
    const size_t wanted =
        std::min<size_t>({std::max(std::thread::hardware_concurrency(), 1u), kMostThreads,
                          chromosomes.size(), items / kItemsPerThread + 1});
    std::atomic<size_t> next{0};
    std::atomic<bool> outOfMemory{false};
    const auto work = [&]() {
        GeneModelLinker linker;
        for (size_t k; (k = next.fetch_add(1)) < chromosomes.size();) {
            try {
                linker.Link(*chromosomes[k]);
            } catch (const std::bad_alloc&) {
                for (const auto& track : *chromosomes[k])
                    track.second->SetGeneModels(nullptr);
                outOfMemory = true;
            }
        }
    };
    std::vector<std::thread> helpers;
    try {
        for (size_t t = 1; t < wanted; ++t)
            helpers.emplace_back(work);
    } catch (const std::system_error&) {
        // No more threads to be had: the ones running, and this one, do the rest.
    }
    work();
    for (std::thread& helper : helpers)
        helper.join();
    if (outOfMemory)
        throw std::bad_alloc();
}

void GeneModelLinker::CollectParents() {
    slotOfItem_.assign(tracks_.size(), {});
    pendingParents_.clear();
    size_t candidates = 0;
    for (const Track& track : tracks_)
        candidates += track.role == Role::kOther ? track.dataset->GetItemCount() : 0;
    ids_.Reset(candidates);
    transcripts_.Reset(candidates);
    LinkFields fields;
    for (uint32_t t = 0; t < tracks_.size(); ++t) {
        if (tracks_[t].role != Role::kOther)
            continue;
        const ChromosomeDataset& dataset = *tracks_[t].dataset;
        std::vector<uint32_t>& slotOf = slotOfItem_[t];
        const uint32_t count = static_cast<uint32_t>(dataset.GetItemCount());
        slotOf.assign(count, kNoSlot);
        for (uint32_t item = 0; item < count; ++item) {
            if (item + kPrefetchAhead < count)
                dataset.PrefetchTexts(item + kPrefetchAhead);
            ReadLinkFields(dataset.GetAttributes(item), true, fields);
            if (!fields.parents.empty())
                pendingParents_.push_back({fields.parents, t, item});
            NameTable* names = &ids_;
            std::string_view key = fields.id;
            if (key.empty() && fields.parents.empty()) {
                names = &transcripts_;  // a GTF transcript line
                key = fields.transcriptId;
            }
            if (key.empty())
                continue;
            const uint32_t slot = names->Insert(key, uint32_t(slots_.size()));
            if (slot == slots_.size())
                slots_.push_back({t, item, 0});
            else
                slots_[slot].flags |= kDuplicate;
            slotOf[item] = slot;
        }
    }
}

uint32_t GeneModelLinker::GtfSlot(std::string_view transcriptId, uint32_t track, uint32_t item) {
    const uint32_t slot = transcripts_.Insert(transcriptId, uint32_t(slots_.size()));
    if (slot == slots_.size())
        slots_.push_back({track, item, kSynthesized});
    return slot;
}

void GeneModelLinker::AddChild(uint32_t slot, uint32_t track, uint32_t item) {
    const Track& in = tracks_[track];
    const uint32_t start = (*in.starts)[item];
    links_.push_back(
        {slot, start, std::max(start, in.dataset->GetStop(item)), item, track, in.role});
}

void GeneModelLinker::AddChildOfEach(std::string_view parents, uint32_t track, uint32_t item) {
    while (!parents.empty()) {
        const size_t comma = std::min(parents.find(','), parents.size());
        const std::string_view id = Trimmed(parents.substr(0, comma));
        parents.remove_prefix(std::min(comma + 1, parents.size()));
        const uint32_t slot = id.empty() ? kNoSlot : ids_.Find(id);
        if (slot == kNoSlot)
            continue;  // a missing parent: the child stays as it is
        slots_[slot].flags |= kReferenced;
        AddChild(slot, track, item);
    }
}

void GeneModelLinker::CollectChildren() {
    LinkFields fields;
    for (const PendingParents& pending : pendingParents_)
        AddChildOfEach(pending.parents, pending.track, pending.item);
    for (uint32_t t = 0; t < tracks_.size(); ++t) {
        const Role role = tracks_[t].role;
        if (role == Role::kOther || role == Role::kNonExonic)
            continue;  // read already, or never drawn as boxes
        const ChromosomeDataset& dataset = *tracks_[t].dataset;
        const uint32_t count = static_cast<uint32_t>(dataset.GetItemCount());
        for (uint32_t item = 0; item < count; ++item) {
            if (item + kPrefetchAhead < count)
                dataset.PrefetchTexts(item + kPrefetchAhead);
            ReadLinkFields(dataset.GetAttributes(item), false, fields);
            if (!fields.parents.empty())
                AddChildOfEach(fields.parents, t, item);
            else if (!fields.transcriptId.empty())
                AddChild(GtfSlot(fields.transcriptId, t, item), t, item);
        }
    }
}

void GeneModelLinker::BuildModels() {
    // The children of each slot together: a counting sort by slot. The buffers are kept from
    // one chromosome to the next, so that fresh memory is not asked for each time.
    firstLink_.assign(slots_.size() + 1, 0);
    for (const ChildLink& link : links_)
        ++firstLink_[link.slot + 1];
    for (size_t s = 0; s < slots_.size(); ++s)
        firstLink_[s + 1] += firstLink_[s];
    grouped_.resize(links_.size());
    nextLink_.assign(firstLink_.begin(), firstLink_.end() - 1);
    for (const ChildLink& link : links_)
        grouped_[nextLink_[link.slot]++] = link;
    links_.swap(grouped_);

    builders_.clear();
    builders_.resize(tracks_.size());
    for (size_t s = 0; s < slots_.size(); ++s) {
        if (firstLink_[s] != firstLink_[s + 1] && (slots_[s].flags & kDuplicate) == 0)
            BuildModel(slots_[s], firstLink_[s], firstLink_[s + 1]);
    }

    for (size_t t = 0; t < tracks_.size(); ++t) {
        ChromosomeDataset& dataset = *tracks_[t].dataset;
        std::optional<GeneModelSet::Builder>& builder = builders_[t];
        // A track draws models when most of its items are drawn in them.
        if (builder && builder->ClaimedCount() * 2 >= dataset.GetItemCount()) {
            auto set = std::make_unique<GeneModelSet>(builder->Finish());
            counts_.bytes += set->MemoryBytes();
            dataset.SetGeneModels(std::move(set));
        } else {
            dataset.SetGeneModels(nullptr);
        }
    }
    builders_.clear();
}

void GeneModelLinker::BuildModel(const Slot& slot, size_t begin, size_t end) {
    exons_.clear();
    coding_.clear();
    bool untranslated = false;
    size_t exonLike = 0;
    uint32_t host = slot.track;
    bool hostHasExon = false;
    for (size_t k = begin; k < end; ++k) {
        ChildLink& link = links_[k];
        if (link.role == Role::kOther) {
            // Any child counts as an exon unless it is itself a parent (an mRNA under a gene).
            const uint32_t own = slotOfItem_[link.track][link.item];
            if (own != kNoSlot && (slots_[own].flags & kReferenced) != 0)
                continue;
            link.role = Role::kExon;
        }
        ++exonLike;
        exons_.push_back({link.start, link.stop});
        if (link.role == Role::kCoding)
            coding_.push_back({link.start, link.stop});
        untranslated |= link.role == Role::kCoding || link.role == Role::kUntranslated;
        // A GTF transcript without its line is drawn on its exons' track.
        if ((slot.flags & kSynthesized) != 0 && !hostHasExon &&
            (k == begin || link.role == Role::kExon)) {
            host = link.track;
            hostHasExon = link.role == Role::kExon;
        }
    }
    if (exonLike == 0)
        return;

    std::optional<GeneModelSet::Builder>& builder = builders_[host];
    const ChromosomeDataset& dataset = *tracks_[host].dataset;
    if (!builder)
        builder.emplace(dataset.GetItemCount());
    if ((slot.flags & kSynthesized) != 0) {
        uint32_t anchor = kNoSlot;
        for (size_t k = begin; k < end; ++k) {
            if (links_[k].track == host && links_[k].role != Role::kOther) {
                anchor = std::min(anchor, links_[k].item);
                builder->Claim(links_[k].item);
            }
        }
        builder->BeginModel(anchor, kNoSlot, 0);
    } else {
        builder->Claim(slot.item);
        builder->BeginModel(slot.item, dataset.GetStart(slot.item),
                            dataset.EffectiveStop(slot.item));
    }
    AddMerged(exons_, untranslated ? GeneModelSet::kUntranslated : GeneModelSet::kExon, host);
    AddMerged(coding_, GeneModelSet::kCoding, host);
    counts_.models += 1;
    counts_.linkedItems += exonLike + ((slot.flags & kSynthesized) != 0 ? 0 : 1);
}

void GeneModelLinker::AddMerged(std::vector<GeneModelSet::Part>& parts, GeneModelSet::PartKind kind,
                                size_t host) {
    std::sort(parts.begin(), parts.end(), [](const auto& a, const auto& b) {
        return a.Start != b.Start ? a.Start < b.Start : a.Stop < b.Stop;
    });
    GeneModelSet::Builder& builder = *builders_[host];
    size_t k = 0;
    while (k < parts.size()) {
        GeneModelSet::Part merged = parts[k++];
        // 64-bit, so that a part ending at the last position cannot wrap.
        while (k < parts.size() && uint64_t{parts[k].Start} <= uint64_t{merged.Stop} + 1)
            merged.Stop = std::max(merged.Stop, parts[k++].Stop);
        builder.AddPart(merged.Start, merged.Stop, kind);
    }
}

bool GeneModelLinker::AnyModels(const GenomeDataset::TrackMap& tracks) {
    return std::any_of(tracks.begin(), tracks.end(),
                       [](const auto& track) { return track.second->GetGeneModels() != nullptr; });
}
