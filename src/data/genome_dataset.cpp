#include "data/genome_dataset.h"

#include "data/attribute_search.h"
#include "data/selection_export.h"

void GenomeDataset::Clear() {
    store_.Clear();
    colors_.Clear();
    selection_.Clear();
    cursors_.Clear();
}

void GenomeDataset::SwapContents(GenomeDataset& other) {
    store_.SwapContents(other.store_);
    colors_.SwapContents(other.colors_);
    selection_.SwapContents(other.selection_);
    cursors_.SwapContents(other.cursors_);
}

std::optional<ItemView> GenomeDataset::HitTestItem(int trackIndex, uint32_t& pos, float value,
                                                   uint32_t from, uint32_t to) const {
    const TrackRef track = store_.GetTrack(currentPane_, trackIndex);
    if (track.dataset == nullptr)
        return std::nullopt;
    const ChromosomeDataset::ItemHandle found = track.dataset->FindItemAt(pos, value, from, to);
    if (found == track.dataset->End())
        return std::nullopt;
    pos = track.dataset->GetStart(found);
    return track.dataset->GetItem(found);
}

bool GenomeDataset::SetTracksColor(int color) {
    for (const std::string& trackName : selection_.GetSelectedTracks()) {
        for (ChromosomeDataset* track : store_.GetTracksNamed(trackName))
            track->TrackColor = color;
        // Overwrite, so that tracks of this name imported later get the same colour.
        colors_.SetRememberedColor(trackName, color);
    }
    return true;
}

SearchResultList GenomeDataset::Search(const std::string& text) {
    return AttributeSearch::Run(*this, text);
}

bool GenomeDataset::ExportSelections(const std::string& path,
                                     const std::vector<std::string>& inputs) {
    return SelectionExport::Run(*this, path, inputs);
}
