#pragma once

#include <cstdint>
#include <string_view>

#include "data/chromosome_item.h"

// A stored item seen in place: the fields of a ChromosomeItem without copying its texts.
// The texts stay valid as long as the ChromosomeDataset that handed out the view lives.
struct ItemView {
    std::string_view Source;
    float Score = 0.0f;
    uint32_t Stop = 0;
    std::string_view Attributes;
    char Strand = '+';
    char Frame = '0';
    uint32_t Color = ChromosomeItem::kNoColor;

    std::string GetInfoText(uint32_t start) const {
        return ChromosomeItem::InfoText(Score, start, Stop, Attributes);
    }
    std::string GetUrl() const { return ChromosomeItem::UrlIn(Attributes); }

    // A copy that owns its texts.
    ChromosomeItem ToItem() const {
        ChromosomeItem item;
        item.Source.assign(Source);
        item.Score = Score;
        item.Stop = Stop;
        item.Attributes.assign(Attributes);
        item.Strand = Strand;
        item.Frame = Frame;
        item.Color = Color;
        return item;
    }
};
