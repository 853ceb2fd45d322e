#include "view/track_scale.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "data/chromosome_dataset.h"
#include "framework/string_format.h"

namespace {

const std::string kGeneTrack = "gene";
constexpr int kMaxLabelSteps = 50;
constexpr double kInvertedPixelsPerUnit = 3.0;
constexpr double kFlatPixelsPerUnit = -1.0;

bool HasNoScores(const ChromosomeDataset& track) {
    return track.MinValue == 0.0f && track.MaxValue == 0.0f;
}

}  // namespace

TrackScale ComputeTrackScale(const ChromosomeDataset& track, const std::string& trackName,
                             int rowHeight) {
    TrackScale scale;
    scale.unitValues = HasNoScores(track) || trackName == kGeneTrack;
    double dataMin = track.MinValue;
    double dataMax = track.MaxValue;
    if (!std::isfinite(dataMin) || !std::isfinite(dataMax)) {
        float finiteMin = 0.0f;
        float finiteMax = 0.0f;
        if (!track.GetFiniteValueRange(finiteMin, finiteMax))
            finiteMin = finiteMax = 0.0f;  // nothing finite to scale to: [0, 0] becomes [-1, 1]
        dataMin = finiteMin;
        dataMax = finiteMax;
    }
    double fixedMagnitude = 0.0;
    if (track.FixedColor)
        fixedMagnitude = std::max(std::fabs(dataMin), std::fabs(dataMax));
    // A symmetric scale of nothing falls back to the automatic one.
    const bool automatic = track.AutoScale || (track.FixedColor && fixedMagnitude == 0.0);

    if (!automatic) {
        scale.manual = true;
        // Limits beyond the float range would become infinite when converted.
        scale.lo = static_cast<float>(std::clamp<double>(track.ScaleMin, -FLT_MAX, FLT_MAX));
        scale.hi = static_cast<float>(std::clamp<double>(track.ScaleMax, -FLT_MAX, FLT_MAX));
    } else if (scale.unitValues) {
        // Unit values get a unit scale; a "gene" track scaled to its scores would draw its
        // unit bars a pixel high or not at all.
        scale.lo = track.HasReverseStrand ? -1.0 : 0.0;
        scale.hi = 1.0;
    } else {
        scale.lo = dataMin;
        scale.hi = dataMax;
        if (track.FixedColor && fixedMagnitude > 0.0) {
            scale.lo = -fixedMagnitude;
            scale.hi = fixedMagnitude;
        }
        // The automatic range always holds 0.
        scale.lo = std::min(scale.lo, 0.0);
        scale.hi = std::max(scale.hi, 0.0);
    }

    if (scale.hi < scale.lo) {
        scale.pixelsPerUnit = kInvertedPixelsPerUnit;
        scale.lo = -1.0;
        scale.hi = 1.0;
        scale.valid = false;
    } else if (scale.hi == scale.lo) {
        scale.pixelsPerUnit = kFlatPixelsPerUnit;
        scale.lo = -1.0;
        scale.hi = 1.0;
        scale.valid = false;
    } else {
        scale.pixelsPerUnit = (rowHeight - 30) / (scale.hi - scale.lo);
    }
    return scale;
}

double LabelStep(double range) {
    const double step0 = range / 10.0;
    const double power = std::pow(10.0, std::trunc(std::log10(step0)) - 1.0);
    return std::floor(step0 / power) * power;
}

std::vector<double> ValueLabels(const TrackScale& scale, const ChromosomeDataset& track,
                                const std::string& trackName) {
    const bool allOnes = track.MinValue == 1.0f && track.MaxValue == 1.0f;
    if (trackName == kGeneTrack || allOnes)
        return {};
    std::vector<double> values = {scale.hi, scale.lo, 0.0};
    if (scale.unitValues)
        return values;
    double range = scale.hi - scale.lo;
    if (!(range > 0.0))
        range = 1.0;
    const double step = LabelStep(range);
    if (!(step > 0.0) || !std::isfinite(step))
        return values;
    double anchor = 0.0;
    if (scale.lo > 0.0)
        anchor = scale.lo;
    else if (scale.hi < 0.0)
        anchor = scale.hi;
    for (int i = 0; i < kMaxLabelSteps; ++i) {
        const double upper = anchor + i * step;
        const double lower = anchor - i * step;
        const bool upperFits = upper <= scale.hi;
        const bool lowerFits = lower >= scale.lo;
        if (!upperFits && !lowerFits)
            break;
        values.push_back(upper);
        values.push_back(lower);
    }
    return values;
}

std::string FormatValueLabel(double value) {
    if (value > 1000000.0)
        return FormatString("%.0lf", value);
    if (value > 100000.0)
        return FormatString("%.1lf", value);
    if (value > 10000.0)
        return FormatString("%.2lf", value);
    return FormatString("%.3lf", value);
}

std::string FormatCompactValueLabel(double value) {
    return FormatString("%.1e", value);
}
