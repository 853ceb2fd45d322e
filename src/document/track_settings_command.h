#pragma once

#include <QUndoCommand>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "data/track_display_settings.h"

class ChromosomeDataset;
class LocuscopeDocument;

// A change of the display settings of some track names, in every pane (Set Color, Set Height
// and the row-height drag, Auto Scale, Manual Scale, Style, the point-size commands), as one
// undoable step. The settings before and after are kept per track; a change that changes
// nothing leaves no step behind.
class TrackSettingsCommand : public QUndoCommand {
public:
    using Change = std::function<void(ChromosomeDataset&)>;

    // change is applied to every track of the names; rememberedColor, when given, also becomes
    // the colour remembered for the names (Set Color), for tracks imported later.
    TrackSettingsCommand(LocuscopeDocument& document, const QString& text,
                         std::vector<std::string> names, Change change,
                         std::optional<int> rememberedColor = std::nullopt);

    void redo() override;
    void undo() override;

private:
    struct TrackChange {
        std::string paneName;
        std::string trackName;
        TrackDisplaySettings before;
        TrackDisplaySettings after;
    };
    struct ColorChange {
        std::string trackName;
        std::optional<int> before;
    };

    // Applies the change the first time, keeping what it changed; false when nothing changed.
    bool ApplyFirstTime();
    void Apply(bool forward);

    LocuscopeDocument& document_;
    std::vector<std::string> names_;
    Change change_;
    std::optional<int> rememberedColor_;
    bool applied_ = false;
    std::vector<TrackChange> changes_;
    std::vector<ColorChange> colorChanges_;
};
