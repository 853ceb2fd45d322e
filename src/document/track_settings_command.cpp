#include "document/track_settings_command.h"

#include <algorithm>

#include "document/locuscope_document.h"

TrackSettingsCommand::TrackSettingsCommand(LocuscopeDocument& document, const QString& text,
                                           std::vector<std::string> names, Change change,
                                           std::optional<int> rememberedColor)
    : QUndoCommand(text),
      document_(document),
      names_(std::move(names)),
      change_(std::move(change)),
      rememberedColor_(rememberedColor) {
    std::sort(names_.begin(), names_.end());
    names_.erase(std::unique(names_.begin(), names_.end()), names_.end());
}

void TrackSettingsCommand::redo() {
    if (applied_) {
        Apply(true);
    } else if (!ApplyFirstTime()) {
        setObsolete(true);
        return;
    }
    document_.TracksChanged();
}

void TrackSettingsCommand::undo() {
    Apply(false);
    document_.TracksChanged();
}

bool TrackSettingsCommand::ApplyFirstTime() {
    applied_ = true;
    GenomeDataset& genome = document_.Genome();
    for (const std::string& pane : genome.Store().GetPaneOrder()) {
        for (const std::string& name : names_) {
            ChromosomeDataset* track = genome.Store().FindTrack(pane, name);
            if (track == nullptr)
                continue;
            const TrackDisplaySettings before = TrackDisplaySettings::Of(*track);
            change_(*track);
            const TrackDisplaySettings after = TrackDisplaySettings::Of(*track);
            if (after != before)
                changes_.push_back({pane, name, before, after});
        }
    }
    if (rememberedColor_) {
        for (const std::string& name : names_) {
            const std::optional<int> before = genome.Colors().GetRememberedColor(name);
            if (before != rememberedColor_) {
                colorChanges_.push_back({name, before});
                genome.Colors().SetRememberedColor(name, rememberedColor_);
            }
        }
    }
    return !changes_.empty() || !colorChanges_.empty();
}

void TrackSettingsCommand::Apply(bool forward) {
    GenomeDataset& genome = document_.Genome();
    for (const TrackChange& change : changes_) {
        if (ChromosomeDataset* track = genome.Store().FindTrack(change.paneName, change.trackName))
            (forward ? change.after : change.before).ApplyTo(*track);
    }
    for (const ColorChange& change : colorChanges_)
        genome.Colors().SetRememberedColor(change.trackName,
                                           forward ? rememberedColor_ : change.before);
}
