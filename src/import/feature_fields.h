#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "data/chromosome_item.h"
#include "data/feature_structure.h"
#include "data/parsed_feature_line.h"

// One data line as the GFF and BED readers read it, with its texts left where they are: the
// views point into the line read (or into JoinedAttributes, or a reader state's track name)
// and stay valid as long as those do. The import keeps them so until each item is stored, and
// copies nothing a line does not keep.
struct FeatureFields {
    uint32_t Start = kNoPosition;  // 1-based
    uint32_t Stop = 0;
    float Score = 0.0f;
    char Strand = '+';
    char Frame = '0';
    uint32_t Color = ChromosomeItem::kNoColor;
    std::string_view ChromosomeName;
    std::string_view TrackName;
    std::string_view Source;
    std::string_view Attributes;
    FeatureStructure Structure;
    // Why the reader dropped the line's thick range or its blocks while keeping the item (a
    // fixed text for the user), or null when it dropped nothing.
    const char* DroppedThick = nullptr;
    const char* DroppedBlocks = nullptr;
    // Attribute text that no column holds as it stands (a peak file's values joined to its
    // name): Attributes then views this.
    std::string JoinedAttributes;

    // Back to the state of a fresh line, keeping the buffers for the next one.
    void Reset() {
        Start = kNoPosition;
        Stop = 0;
        Score = 0.0f;
        Strand = '+';
        Frame = '0';
        Color = ChromosomeItem::kNoColor;
        ChromosomeName = TrackName = Source = Attributes = {};
        Structure.Reset();
        DroppedThick = DroppedBlocks = nullptr;
    }

    // The same line as a record that owns its texts.
    void CopyTo(ParsedFeatureLine& record) const {
        record.Source.assign(Source);
        record.Score = Score;
        record.Stop = Stop;
        record.Attributes.assign(Attributes);
        record.Strand = Strand;
        record.Frame = Frame;
        record.Color = Color;
        record.Start = Start;
        record.ChromosomeName.assign(ChromosomeName);
        record.TrackName.assign(TrackName);
        record.Structure = Structure;
        record.DroppedThick = DroppedThick;
        record.DroppedBlocks = DroppedBlocks;
    }
};
