// Feeds arbitrary bytes to the BED line reader, line by line, once as each member of the BED
// family (plain BED, bedGraph, narrowPeak, broadPeak) with its own header state carried over.
// Every accepted item is stored with its thick range and blocks and read back: the blocks must
// lie in order within the item.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/chromosome_dataset.h"
#include "data/parsed_feature_line.h"
#include "framework/file_processing_exception.h"
#include "import/bed_reader.h"

namespace {

void CheckStored(const ChromosomeDataset& track, ChromosomeDataset::ItemHandle handle) {
    const uint32_t start = track.GetStart(handle);
    const uint32_t stop = track.GetStop(handle);
    uint32_t thickStart = 0;
    uint32_t thickStop = 0;
    if (track.GetThickRange(handle, thickStart, thickStop) && thickStart <= thickStop &&
        (thickStart < start || thickStop > stop))
        __builtin_trap();  // a coding part outside its item
    const ItemBlocks blocks = track.GetBlocks(handle);
    uint32_t next = start;
    for (size_t i = 0; i < blocks.size(); ++i) {
        if (blocks[i].Start < next || blocks[i].Stop < blocks[i].Start || blocks[i].Stop > stop)
            __builtin_trap();  // blocks out of order, empty or outside their item
        next = blocks[i].Stop + 1;
    }
    if (!blocks.empty() && (blocks[0].Start != start || blocks[blocks.size() - 1].Stop != stop))
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (const BedForm form :
         {BedForm::kBed, BedForm::kBedGraph, BedForm::kNarrowPeak, BedForm::kBroadPeak}) {
        std::string_view text(reinterpret_cast<const char*>(data), size);
        BedReaderState state{form, "fuzz"};
        ChromosomeDataset track;
        uint64_t lineNumber = 0;
        ParsedFeatureLine record;
        while (!text.empty()) {
            const size_t end = text.find('\n');
            const std::string_view line = text.substr(0, end);
            text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
            record.Reset();
            try {
                if (ParseBedLine(line, record, ++lineNumber, state) &&
                    record.Start <= record.Stop) {
                    track.AddItem(record.Start, record, record.Structure);
                    CheckStored(track, track.End() - 1);
                }
            } catch (const FileProcessingException& refusal) {
                (void)refusal.GetMessage();
            }
        }
        for (ChromosomeDataset::ItemHandle h = 0; h < track.End(); ++h)
            CheckStored(track, h);
    }
    return 0;
}
