#include "import/bed_structure_reader.h"

#include "data/number_scan.h"

namespace {

const char kThickNotNumbers[] = "thickStart and thickEnd are not whole numbers";
const char kThickOutside[] = "thickStart and thickEnd do not lie in order within the feature";
const char kBadCount[] = "blockCount is not a whole number from 1 on";
const char kListsDisagree[] = "blockSizes and blockStarts do not hold blockCount whole numbers";
const char kEmptyBlock[] = "a block is empty";
const char kFirstBlockAfterStart[] = "the first block does not start at chromStart";
const char kBlocksOverlap[] = "blocks overlap or are out of order";
const char kBlockPastEnd[] = "a block ends after chromEnd";
const char kLastBlockShort[] = "the last block does not end at chromEnd";

// A plain whole number (digits only, below 2^31); false for anything else.
bool ReadWholeNumber(std::string_view text, uint32_t& value) {
    const Long32Scan scan = ScanLong32(text);
    if (text.empty() || scan.consumed != text.size() || scan.value < 0 || scan.saturated ||
        text[0] < '0' || text[0] > '9')
        return false;
    value = static_cast<uint32_t>(scan.value);
    return true;
}

// Calls take(number) for each entry of a comma-separated list; false when an entry is not a
// whole number or take refuses it. One comma at the very end is allowed, as UCSC writes it.
template <typename Take>
bool ForEachListEntry(std::string_view list, Take take) {
    if (!list.empty() && list.back() == ',')
        list.remove_suffix(1);
    if (list.empty())
        return true;
    size_t begin = 0;
    for (;;) {
        const size_t comma = list.find(',', begin);
        uint32_t value = 0;
        if (!ReadWholeNumber(list.substr(begin, comma - begin), value) || !take(value))
            return false;
        if (comma == std::string_view::npos)
            return true;
        begin = comma + 1;
    }
}

// Why the blocks break BED's rules for an item of the given length, or null.
const char* BlockProblem(const std::vector<FeatureStructure::Block>& blocks, uint64_t length) {
    if (blocks.front().Offset != 0)
        return kFirstBlockAfterStart;
    uint64_t end = 0;
    for (const FeatureStructure::Block& block : blocks) {
        if (block.Size == 0)
            return kEmptyBlock;
        if (block.Offset < end)
            return kBlocksOverlap;
        end = uint64_t{block.Offset} + block.Size;
        if (end > length)
            return kBlockPastEnd;
    }
    return end == length ? nullptr : kLastBlockShort;
}

}  // namespace

void ReadBedThickRange(std::string_view thickStart, std::string_view thickEnd, uint32_t chromStart,
                       uint32_t chromEnd, ParsedFeatureLine& record) {
    uint32_t start = 0;
    uint32_t end = 0;
    if (!ReadWholeNumber(thickStart, start) || !ReadWholeNumber(thickEnd, end)) {
        record.DroppedThick = kThickNotNumbers;
        return;
    }
    if (start != end && (start < chromStart || start > end || end > chromEnd)) {
        record.DroppedThick = kThickOutside;
        return;
    }
    // start < 2^31, so start + 1 cannot wrap.
    record.Structure.HasThick = true;
    record.Structure.ThickStart = start + 1;
    record.Structure.ThickStop = end;
}

void ReadBedBlocks(std::string_view blockCount, std::string_view blockSizes,
                   std::string_view blockStarts, uint32_t chromStart, uint32_t chromEnd,
                   ParsedFeatureLine& record) {
    std::vector<FeatureStructure::Block>& blocks = record.Structure.Blocks;
    uint32_t count = 0;
    if (!ReadWholeNumber(blockCount, count) || count == 0) {
        record.DroppedBlocks = kBadCount;
        return;
    }
    // The count is not trusted for the allocation: the lists decide how many blocks there are.
    const bool sizesRead = ForEachListEntry(blockSizes, [&](uint32_t size) {
        if (blocks.size() == count)
            return false;
        blocks.push_back({0, size});
        return true;
    });
    size_t next = 0;
    const bool startsRead = sizesRead && ForEachListEntry(blockStarts, [&](uint32_t offset) {
                                if (next == blocks.size())
                                    return false;
                                blocks[next++].Offset = offset;
                                return true;
                            });
    const char* problem = nullptr;
    if (!startsRead || blocks.size() != count || next != count)
        problem = kListsDisagree;
    else
        problem = BlockProblem(blocks, uint64_t{chromEnd} - chromStart);
    if (problem != nullptr) {
        record.DroppedBlocks = problem;
        blocks.clear();
    }
}
