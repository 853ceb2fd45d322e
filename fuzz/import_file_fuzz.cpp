// Writes a file made from the input and imports it, twice into one genome (so the second import
// meets existing chromosomes and tracks), then reads everything back through the operations the
// view and the export use.
//
// The first byte chooses the file's extension (byte % 3: gff, bed, txt) and how the rest is
// read ((byte / 3) % 4):
//   0  the bytes as they are;
//   1  a compact form that expands to many lines, so that short inputs reach the limits of the
//      import (33 refused lines, 32,769 chromosome names, over-long lines, progress): records of
//      a two-byte big-endian repeat count followed by the text up to and including the next
//      line feed, or up to a zero byte, which is dropped (so the copies join into one line);
//      "%d" in the text becomes the copy's number;
//   2, 3  as 0 and 1, and the progress display asks to cancel when the import first reports
//      progress.
// and how the file is stored ((byte / 64) % 3):
//   0  as plain text;
//   1  gzip-compressed by this target, in 1 to 3 members ((byte / 12) % 3 + 1) cut anywhere,
//      with ".gz" added to the name;
//   2  the text taken as compressed data as it stands, with ".gz" added to the name, so the
//      decompression meets damaged and hostile streams.
// Bytes from 192 on store plain text under the other names of the BED family instead:
// byte % 4 picks .bedGraph, .narrowPeak, .broadPeak or .bed12, and (byte / 4) % 4 the reading
// as above.
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "data/genome_dataset.h"
#include "framework/notification_agent.h"
#include "import/import_driver.h"

namespace {

const char* const kExtensions[] = {".gff", ".bed", ".txt"};
constexpr int kExtensionCount = 3;
const char* const kBedFamilyExtensions[] = {".bedGraph", ".narrowPeak", ".broadPeak", ".bed12"};
constexpr int kBedFamilyCount = 4;
constexpr uint8_t kFirstBedFamilySelector = 192;
constexpr int kReadModes = 4;
constexpr int kCompactMode = 1;
constexpr int kCancelModes = 2;
enum Storage { kPlain, kCompressedHere, kCompressedAsGiven, kStorageForms };
constexpr int kMaxMembers = 3;
constexpr size_t kMaxExpandedBytes = size_t{4} << 20;  // room for a line over 1 MB

std::string TemporaryPath(uint8_t selector, Storage storage) {
    const char* extension = selector >= kFirstBedFamilySelector
                                ? kBedFamilyExtensions[selector % kBedFamilyCount]
                                : kExtensions[selector % kExtensionCount];
    return "/tmp/locuscope-fuzz-" + std::to_string(getpid()) + extension +
           (storage == kPlain ? "" : ".gz");
}

// Writes text gzip-compressed in the given number of members, cut at even shares.
void WriteGzip(std::ostream& out, std::string_view text, int members) {
    constexpr int kGzipWindowBits = 15 + 16;
    constexpr int kMemoryLevel = 8;
    const size_t share = text.size() / static_cast<size_t>(members) + 1;
    for (int member = 0; member < members; ++member) {
        const std::string_view part = text.substr(std::min(text.size(), member * share), share);
        z_stream stream{};
        if (deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, kGzipWindowBits, kMemoryLevel,
                         Z_DEFAULT_STRATEGY) != Z_OK)
            __builtin_trap();
        std::string compressed(deflateBound(&stream, static_cast<uLong>(part.size())), '\0');
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(part.data()));
        stream.avail_in = static_cast<uInt>(part.size());
        stream.next_out = reinterpret_cast<Bytef*>(compressed.data());
        stream.avail_out = static_cast<uInt>(compressed.size());
        if (deflate(&stream, Z_FINISH) != Z_STREAM_END)
            __builtin_trap();
        out.write(compressed.data(), static_cast<std::streamsize>(stream.total_out));
        deflateEnd(&stream);
    }
}

// Writes the compact form expanded, up to kMaxExpandedBytes.
void WriteExpanded(std::ostream& out, std::string_view compact) {
    size_t written = 0;
    while (compact.size() >= 2 && written < kMaxExpandedBytes) {
        const unsigned copies = (static_cast<uint8_t>(compact[0]) << 8) | static_cast<uint8_t>(compact[1]);
        compact.remove_prefix(2);
        const size_t end = compact.find_first_of(std::string_view("\n\0", 2));
        const size_t length = end == std::string_view::npos ? compact.size() : end + 1;
        std::string_view text = compact.substr(0, length);
        compact.remove_prefix(length);
        if (!text.empty() && text.back() == '\0')
            text.remove_suffix(1);
        const size_t mark = text.find("%d");
        for (unsigned copy = 0; copy < copies && written < kMaxExpandedBytes; ++copy) {
            if (mark == std::string_view::npos) {
                out << text;
                written += text.size();
            } else {
                const std::string number = std::to_string(copy);
                out << text.substr(0, mark) << number << text.substr(mark + 2);
                written += text.size() + number.size();
            }
        }
    }
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
    for (const std::string& pane : genome.GetPaneOrder()) {
        const int count = genome.GetPaneTrackCount(pane);
        for (int i = 0; i < count; ++i) {
            ChromosomeDataset* track = genome.GetTrack(pane, i).dataset;
            if (track == nullptr)
                continue;
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
        genome.StepCursor(pane, 1);
        (void)genome.GetCursorRange(pane);
        (void)genome.MoveCursorNear(100);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const uint8_t selector = data[0];
    const bool bedFamily = selector >= kFirstBedFamilySelector;
    const int mode = (selector / (bedFamily ? kBedFamilyCount : kExtensionCount)) % kReadModes;
    constexpr int kStorageUnit = 64;  // printable selectors ('0' to '9') store plain text
    const auto storage =
        bedFamily ? kPlain : static_cast<Storage>(selector / kStorageUnit % kStorageForms);
    const int members = selector / (kExtensionCount * kReadModes) % kMaxMembers + 1;
    const std::string_view body(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string path = TemporaryPath(selector, storage);
    {
        std::ostringstream text;
        if (mode % 2 == kCompactMode)
            WriteExpanded(text, body);
        else
            text << body;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (storage == kCompressedHere)
            WriteGzip(out, text.str(), members);
        else
            out << text.str();
    }
    FuzzProgress progress(mode >= kCancelModes);
    GenomeDataset genome;
    genome.SetNotificationTarget(&progress);
    ImportDriver driver(genome);
    driver.LoadFiles({path});
    driver.LoadFiles({path});
    ReadBack(genome);
    std::remove(path.c_str());
    return 0;
}
