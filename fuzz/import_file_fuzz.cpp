// Writes arbitrary bytes to a temporary file and imports it, twice into one genome (so the
// second import meets existing chromosomes and tracks), then reads everything back through the
// operations the view and the export use. The first byte chooses the file's extension.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

#include "data/genome_dataset.h"
#include "import/import_driver.h"

namespace {

const char* const kExtensions[] = {".gff", ".bed", ".txt"};

std::string TemporaryPath(uint8_t selector) {
    return "/tmp/locuscope-fuzz-" + std::to_string(getpid()) + kExtensions[selector % 3];
}

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
            for (size_t h = 0; h < track->GetItemCount(); ++h)
                (void)track->GetItem(h).GetUrl();
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
    const std::string path = TemporaryPath(data[0]);
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    GenomeDataset genome;
    ImportDriver driver(genome);
    driver.LoadFiles({path});
    driver.LoadFiles({path});
    ReadBack(genome);
    std::remove(path.c_str());
    return 0;
}
