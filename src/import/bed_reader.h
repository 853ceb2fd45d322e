#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "data/chromosome_dataset.h"
#include "data/parsed_feature_line.h"

// The members of the BED family, told apart by the file's name. They share the first three
// columns (chrom, chromStart, chromEnd) and differ in what the others mean.
enum class BedForm {
    kBed,         // BED3 to BED12; the columns of BED15 after the twelfth are ignored
    kBedGraph,    // chrom, start, end, value: the value is the score; there is no name
    kNarrowPeak,  // BED6, then signalValue, pValue, qValue, peak
    kBroadPeak,   // BED6, then signalValue, pValue, qValue
};

// What the header lines of one BED file set for the data lines after them: the one state a
// BED reading carries from line to line. The import keeps one per file.
struct BedReaderState {
    BedForm Form = BedForm::kBed;
    // The track every data line is filed under; a "track" line with a name key replaces it.
    std::string TrackName;
    // Set by each "track" line from its color=R,G,B key (0x00BBGGRR), or
    // ChromosomeDataset::kUnassignedColor without one: the colour of the tracks that follow.
    int TrackColor = ChromosomeDataset::kUnassignedColor;
    // Whether column 9 (itemRgb) colours items; each "track" line sets it, false only with
    // itemRgb="Off" (any case).
    bool ItemColors = true;
};

// Reads one BED line into record, which must be fresh. Data lines have 3 to 12 words separated
// by runs of white space; the 0-based start is stored plus 1 and the exclusive end as it
// stands, giving 1-based inclusive positions. An empty interval (chromStart equal to chromEnd,
// an insertion point) becomes the one base at chromStart + 1.
//
// BED lines keep their thick range and blocks in record.Structure; those that break BED's
// rules are dropped with the reason in record.DroppedThick / DroppedBlocks, and the item stays.
// Column 9 (itemRgb) gives the item its colour when it begins with a digit ("255,0,0", "0");
// any other word ("." or "-") gives it none. Peak files keep their extra values in the
// attribute text after the name: "NAME;signalValue=..;pValue=..;qValue=..;peak=..", without
// the name when it is ".".
//
// Returns false for a header line ("track", "browser"), true for an accepted data line, and
// raises FileProcessingException for a refused data line. lineNumber is used in messages only.
bool ParseBedLine(std::string_view line, ParsedFeatureLine& record, uint64_t lineNumber,
                  BedReaderState& state);
