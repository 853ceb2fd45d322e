// Writes a file made from the input and imports it, twice into one genome (so the second import
// meets existing chromosomes and tracks), then reads everything back through the operations the
// view and the export use. An input costs what its bytes cost: nothing is expanded, and the
// import's limits are shrunk (lines over 256 bytes, 16 chromosome names, progress at every
// check) so that short inputs reach them.
//
// The first byte chooses how the rest is stored:
//   bits 0-2  the name: .gff, .bed, .txt, .bedGraph, .narrowPeak, .broadPeak, .bed12, .gtf;
//   bit 3     ".gz" added to the name (the bytes, not the name, say whether it is compressed);
//   bits 4-5  0 and 3: the bytes as they are; 1: gzip-compressed by this target in 1 to 3
//             members cut anywhere; 2: the bytes behind the two bytes that start gzip data, so
//             the decompression meets damaged and hostile streams;
//   bit 6     the progress display asks to cancel when the import first reports progress;
//   bit 7     the memory budget refuses growth beyond a few kilobytes, so the import stops
//             with a memory error part way and what it stored must stay whole.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <new>
#include <sstream>
#include <string>
#include <string_view>

#include "data/genome_dataset.h"
#include "data/memory_budget.h"
#include "framework/notification_agent.h"
#include "import/import_driver.h"
#include "fuzzed_storage.h"
#include "support/tight_budget.h"

namespace {

const char* const kExtensions[] = {".gff",        ".bed",       ".txt",   ".bedGraph",
                                   ".narrowPeak", ".broadPeak", ".bed12", ".gtf"};
constexpr int kExtensionBits = 3;
constexpr uint8_t kCompressedNameBit = 1 << 3;
constexpr int kStorageShift = 4;
constexpr uint8_t kCancelBit = 1 << 6;
constexpr uint8_t kTightMemoryBit = 1 << 7;
constexpr size_t kTightMemoryBytes = 8192;

ImportLimits FuzzLimits() {
    ImportLimits limits;
    limits.maxLineLength = 256;
    limits.maxChromosomeNames = 16;
    limits.progressInterval = std::chrono::milliseconds(0);
    return limits;
}

// The progress display as the import sees it: counts progress, may ask to cancel.
class FuzzProgress : public CNotificationAgent {
public:
    explicit FuzzProgress(bool cancel) : cancel_(cancel) {}
    bool SetProgress(int type, int current, int total, const std::string&, const std::string&,
                     int) override {
        if (current < 0 || total < 0 || current > total)
            __builtin_trap();  // progress must stay within its total
        progressSeen_ |= type == PROGRESS_TASK;
        return true;
    }
    bool IsCancelRequested(bool) override { return cancel_ && progressSeen_; }
    using CNotificationAgent::ReportMessage;
    void ReportMessage(const std::string&) override {}
    bool WaitForClose(const std::string&, int) override { return true; }

private:
    const bool cancel_;
    bool progressSeen_ = false;
};

void ReadBack(GenomeDataset& genome) {
    for (const std::string& pane : genome.Store().GetPaneOrder()) {
        const int count = genome.Store().GetPaneTrackCount(pane);
        for (int i = 0; i < count; ++i) {
            ChromosomeDataset* track = genome.Store().GetTrack(pane, i).dataset;
            if (track == nullptr)
                continue;
            if (track->GetPositionCount() != track->GetItemCount())
                __builtin_trap();  // a refused growth left the stores apart
            uint32_t minStart, maxStart;
            float minValue = 0, maxValue = 0;
            track->GetMinMaxInRange(track->MinStart, track->MaxStop, minStart, maxStart, minValue,
                                    maxValue);
            (void)track->FindItemAt(track->MinStart, 0.0f, 0, 0xFFFFFFFF);
            std::ostringstream out;
            track->WriteGff(&out, track->MinStart, 0xFFFFFFFF, pane, "t");
            for (size_t h = 0; h < track->GetItemCount(); ++h) {
                (void)track->GetItem(h).GetUrl();
                const ItemBlocks blocks = track->GetBlocks(h);
                if (!blocks.empty() && (blocks[0].Start != track->GetStart(h) ||
                                        blocks[blocks.size() - 1].Stop != track->GetStop(h)))
                    __builtin_trap();  // blocks that do not span their item
            }
        }
        genome.SetCurrentPane(pane);
        genome.Cursors().StepCursor(pane, 1);
        (void)genome.Cursors().GetCursorRange(pane);
        (void)genome.MoveCursorNear(100);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const uint8_t selector = data[0];
    const std::string_view body(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string path = "/tmp/locuscope-fuzz-" + std::to_string(getpid()) +
                             kExtensions[selector & ((1 << kExtensionBits) - 1)] +
                             ((selector & kCompressedNameBit) != 0 ? ".gz" : "");
    WriteFuzzedFile(path, body, selector >> kStorageShift);
    FuzzProgress progress((selector & kCancelBit) != 0);
    TightBudget tightBudget(kTightMemoryBytes);
    MemoryBudget& budget =
        (selector & kTightMemoryBit) != 0 ? tightBudget : MemoryBudget::Unlimited();
    GenomeDataset genome;
    genome.SetNotificationTarget(&progress);
    ImportDriver driver(genome, FuzzLimits(), &budget);
    driver.LoadFiles({path});
    driver.LoadFiles({path});
    ReadBack(genome);
    std::remove(path.c_str());
    return 0;
}
