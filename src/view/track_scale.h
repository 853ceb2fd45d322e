#pragma once

#include <string>
#include <vector>

class ChromosomeDataset;

// The value scale of one track row: which values the row's data band spans and how many pixels
// one unit takes.
struct TrackScale {
    double pixelsPerUnit = 1.0;
    double lo = 0.0;
    double hi = 1.0;
    // The scale can place values: hi above lo.
    bool valid = true;
    // Items are drawn as +1 (or -1 on the reverse strand) instead of their scores: tracks
    // without scores, and the "gene" track.
    bool unitValues = false;
    // Values outside [lo, hi] are clipped and drawn red.
    bool manual = false;

    // The value an item of this track is drawn at.
    double ValueOf(float score, char strand) const {
        return unitValues ? (strand == '-' ? -1.0 : 1.0) : static_cast<double>(score);
    }
};

// The scale of track (named trackName) in a row of rowHeight pixels. The automatic scale spans
// the finite scores: infinite ones are drawn clipped at the band's edge.
TrackScale ComputeTrackScale(const ChromosomeDataset& track, const std::string& trackName,
                             int rowHeight);

// The values labelled on a row's scale: hi, lo and 0 always, then steps from an anchor (0 when
// the range holds it, else its nearer end) while they stay in range; unit-value tracks get only
// hi, lo and 0. Empty for the tracks that get no labels at all.
std::vector<double> ValueLabels(const TrackScale& scale, const ChromosomeDataset& track,
                                const std::string& trackName);
// The label step for a range: a tenth of it cut to two significant digits.
double LabelStep(double range);
// A value as its label shows it: three decimals up to 10000, fewer above.
std::string FormatValueLabel(double value);
// The same value in a short form for labels too wide for the label column: 3.0e+38.
std::string FormatCompactValueLabel(double value);
