#pragma once

#include <cstdio>
#include <string>

#include "import/import_driver.h"
#include "support/recording_agent.h"

// Everything an import of one file leaves behind that a user can see, as text: the outcome,
// every status line, the loaded files, the panes, tracks and every item with all its fields.
// For comparing imports that must not differ.
// With cancel, the progress display asks to cancel at every look.
inline std::string ImportSnapshot(const std::string& path, const ImportLimits& limits,
                                  MemoryBudget* budget = nullptr, bool cancel = false) {
    RecordingAgent agent;
    agent.cancelAnswer = cancel;
    GenomeDataset genome;
    genome.SetNotificationTarget(&agent);
    ImportOutcome outcome = ImportOutcome::kComplete;
    const bool loaded = ImportDriver(genome, limits, budget).LoadFiles({path}, &outcome);
    std::string out = "loaded " + std::to_string(loaded) + " outcome " +
                      std::to_string(static_cast<int>(outcome)) + " flag " +
                      std::to_string(agent.GetErrorFlag()) + " waits " +
                      std::to_string(agent.waits) + "\n";
    for (const std::string& message : agent.messages)
        out += "message " + message + "\n";
    for (const std::string& file : genome.Store().GetLoadedFiles())
        out += "file " + file + "\n";
    out += "current " + genome.GetCurrentPane() + " stored " +
           std::to_string(genome.Store().GetStoredFeatures()) + "\n";
    for (const std::string& name : genome.Store().GetTrackOrder())
        out += "order " + name + "\n";
    for (const GenomeDataset::TrackRef& ref : genome.Store().GetPaneTracks(kAllTracksPane)) {
        const ChromosomeDataset& track = *ref.dataset;
        char extents[160];
        std::snprintf(extents, sizeof extents, "%u %u %a %a %a %a %d %d %d", track.MinStart,
                      track.MaxStop, track.MinValue, track.MaxValue, track.ScaleMin, track.ScaleMax,
                      track.TrackColor, track.FixedColor, track.HasReverseStrand);
        out += "track " + ref.chromosomeName + " " + ref.trackName + " " + extents + "\n";
        for (size_t i = 0; i < track.GetItemCount(); ++i) {
            const ItemView item = track.GetItem(i);
            char fields[96];
            std::snprintf(fields, sizeof fields, "%u %u %a %c %c %08X", track.GetStart(i),
                          item.Stop, static_cast<double>(item.Score), item.Strand, item.Frame,
                          item.Color);
            out += std::string("item ") + fields + " [" + std::string(item.Source) + "] [" +
                   std::string(item.Attributes) + "]";
            uint32_t thickStart = 0;
            uint32_t thickStop = 0;
            if (track.GetThickRange(i, thickStart, thickStop))
                out += " thick " + std::to_string(thickStart) + "-" + std::to_string(thickStop);
            const ItemBlocks blocks = track.GetBlocks(i);
            for (size_t b = 0; b < blocks.size(); ++b)
                out += " block " + std::to_string(blocks[b].Start) + "-" +
                       std::to_string(blocks[b].Stop);
            out += "\n";
        }
    }
    return out;
}
