// The track, pane, cursor, style and tool commands of the document: each acts on the selected
// tracks, the current pane, the region selection or the document's defaults, then updates the
// views.
#include <QApplication>
#include <QColorDialog>
#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "document/c_dialog_point_size.h"
#include "document/c_dialog_scale_settings.h"
#include "document/command_ids.h"
#include "document/delete_tracks_command.h"
#include "document/document_settings.h"
#include "document/locuscope_document.h"
#include "document/pane_view.h"
#include "document/track_settings_command.h"
#include "framework/c_dialog_string_get.h"
#include "framework/message_box.h"
#include "framework/parameters_handler_tools.h"
#include "framework/settings.h"
#include "framework/string_format.h"

namespace {

namespace Id = CommandId;

constexpr int kMinimumTrackHeight = 40;
constexpr int kMaximumTrackHeight = 3000;
const char kHeightQuestion[] = "What is the new track height (40 - 3000 or 0 for Auto sizing)?";
const char kHeightTitle[] = "Track Height";
const char kHeightRefused[] = "Track height should be between 40 and 3000 or be 0 for auto sizing";
const char kEqualScalesRefused[] = "Y scales cannot be the same value";
const QString kAttachText = QStringLiteral("Attach Cursor\tAlt+A");
const QString kDetachText = QStringLiteral("Detach Cursor\tAlt+A");

// The answer as a decimal integer: an optional sign, then digits up to the first other
// character; no digits read as 0. Saturates rather than wrapping.
long ReadDecimal(const std::string& text) {
    size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        negative = text[at++] == '-';
    long value = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at)
        value = std::min(value * 10 + (text[at] - '0'), 1000000000L);
    return negative ? -value : value;
}

int StyleOfCommand(int id) {
    switch (id) {
        case Id::kStyleAutomatic:
            return ChromosomeDataset::kStyleAutomatic;
        case Id::kStylePoints:
            return ChromosomeDataset::kStylePoints;
        case Id::kStyleBars:
            return ChromosomeDataset::kStyleBars;
        default:
            return 0;
    }
}

int ToolOfCommand(int id) {
    switch (id) {
        case Id::kToolPointer:
            return CParametersHandlerTools::kPointerTool;
        case Id::kToolMagnifier:
            return CParametersHandlerTools::kMagnifierTool;
        case Id::kToolRuler:
            return CParametersHandlerTools::kRulerTool;
        default:
            return 0;
    }
}

// 0x00BBGGRR track colours to and from Qt's colours.
QColor ToQColor(int color) {
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

int FromQColor(const QColor& color) {
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

}  // namespace

bool LocuscopeDocument::OnTrackCommand(int id) {
    if (const int style = StyleOfCommand(id)) {
        SetTrackStyle(style);
        return true;
    }
    if (const int tool = ToolOfCommand(id)) {
        CParametersHandlerTools::Instance().SetCurrentTool(tool);
        return true;
    }
    switch (id) {
        case Id::kEditSelectAll:
            SelectAllRegions();
            return true;
        case Id::kNextItem:
            StepCursor(+1);
            return true;
        case Id::kPreviousItem:
            StepCursor(-1);
            return true;
        case Id::kAttachCursor:
            ToggleCursorAttachment();
            return true;
        case Id::kDeletePane:
            DeleteCurrentPane();
            return true;
        case Id::kSortUnsorted:
            SortPanes(GenomeStore::kSortUnsorted);
            return true;
        case Id::kSortAlphanumeric:
            SortPanes(GenomeStore::kSortAlphanumeric);
            return true;
        case Id::kSelectAllTracks:
            genome_.Selection().SetSelectedTracks(
                {genome_.Store().GetTrackOrder().begin(), genome_.Store().GetTrackOrder().end()});
            UpdateAllViews();
            return true;
        case Id::kDeleteTracks:
            if (genome_.Selection().GetSelectedTracks().empty())
                return true;
            // No question: the deletion can be undone.
            Do(DeleteTracksCommand::ForTrackNames(*this, genome_.Selection().GetSelectedTracks()));
            SetNotificationTarget(nullptr);
            return true;
        case Id::kSetColor:
            SetTrackColor();
            return true;
        case Id::kSetHeight:
            SetTrackHeight();
            return true;
        case Id::kAutoScale:
            ChangeSelectedTracks(QStringLiteral("Auto Scale"),
                                 [](ChromosomeDataset& track) { track.AutoScale = true; });
            return true;
        case Id::kManualScale:
            SetManualScale();
            return true;
        case Id::kDefaultStylePoints:
        case Id::kDefaultStyleBars:
            DefaultTrackStyle = id == Id::kDefaultStylePoints ? kStylePoints : kStyleBars;
            WriteSettingInt(DocumentSettings::kSection, DocumentSettings::kDefaultTrackStyleKey,
                            DefaultTrackStyle);
            UpdateAllViews();
            return true;
        case Id::kAdjustPointSize:
            AdjustPointSize();
            return true;
        case Id::kIncreasePointSize:
            ChangePointWidth(+1);
            return true;
        case Id::kDecreasePointSize:
            ChangePointWidth(-1);
            return true;
        default:
            return false;
    }
}

bool LocuscopeDocument::OnUpdateTrackCommand(int id, CommandState& state) {
    // Asked on every idle tick: each rule reads facts worked out once per change.
    const TrackSelectionFacts::Facts& facts = SelectionFacts();
    if (const int style = StyleOfCommand(id)) {
        state.enabled = facts.changedTrackCount > 0;
        state.checked = facts.commonStyle == style;
        return true;
    }
    if (const int tool = ToolOfCommand(id)) {
        state.checked = CParametersHandlerTools::Instance().GetCurrentTool() == tool;
        return true;
    }
    switch (id) {
        case Id::kEditSelectAll:
        case Id::kNextItem:
        case Id::kPreviousItem:
        case Id::kDeletePane:
        case Id::kSelectAllTracks:
            return true;
        case Id::kAttachCursor: {
            const std::string pane = GetCurrentPaneName();
            state.enabled = facts.paneTrackCount == 1 && pane != kAllTracksPane;
            const bool attached = state.enabled && facts.firstPaneTrackName ==
                                                       genome_.Cursors().GetAttachedTrackName(pane);
            state.text = attached ? kDetachText : kAttachText;
            return true;
        }
        case Id::kSortUnsorted:
        case Id::kSortAlphanumeric:
            state.checked = genome_.Store().GetSortOrder() == (id == Id::kSortAlphanumeric
                                                                   ? GenomeStore::kSortAlphanumeric
                                                                   : GenomeStore::kSortUnsorted);
            return true;
        case Id::kAutoScale:
        case Id::kManualScale:
            state.enabled = facts.paneTrackCount > 0;
            state.checked = id == Id::kAutoScale ? facts.paneAllAutoScale : facts.paneNoneAutoScale;
            return true;
        case Id::kDeleteTracks:
        case Id::kSetColor:
        case Id::kSetHeight:
        case Id::kAdjustPointSize:
        case Id::kIncreasePointSize:
        case Id::kDecreasePointSize:
            state.enabled = facts.paneTrackCount > 0;
            return true;
        case Id::kDefaultStylePoints:
            state.checked = DefaultTrackStyle == kStylePoints;
            return true;
        case Id::kDefaultStyleBars:
            state.checked = DefaultTrackStyle == kStyleBars;
            return true;
        default:
            return false;
    }
}

void LocuscopeDocument::ToggleCursorAttachment() {
    const std::string pane = GetCurrentPaneName();
    const std::string name = SelectionFacts().firstPaneTrackName;
    if (name.empty() || pane == kAllTracksPane)
        return;
    if (name == genome_.Cursors().GetAttachedTrackName(pane)) {
        genome_.Cursors().SetAttachedTrackName(pane, "");
        genome_.Cursors().SetCursorIndex(pane, -1);
    } else {
        genome_.Cursors().SetAttachedTrackName(pane, name);
        genome_.Cursors().SetCursorIndex(pane, 0);
    }
    if (PaneView* view = GetFirstView())
        view->InvalidateView();
}

void LocuscopeDocument::SortPanes(int order) {
    genome_.Store().SetSortOrder(order);
    genome_.Store().SortChromosomeNames();
    WriteSettingInt(DocumentSettings::kSection, DocumentSettings::kSortOrderKey, order);
    PanesChanged();
    UpdateAllViews();
}

void LocuscopeDocument::ChangeSelectedTracks(const QString& text,
                                             std::function<void(ChromosomeDataset&)> change) {
    if (!genome_.Selection().GetSelectedTracks().empty())
        Do(new TrackSettingsCommand(*this, text, genome_.Selection().GetSelectedTracks(),
                                    std::move(change)));
}

void LocuscopeDocument::SetTrackStyle(int style) {
    ChangeSelectedTracks(QStringLiteral("Set Style"),
                         [style](ChromosomeDataset& track) { track.TrackStyle = style; });
}

void LocuscopeDocument::SetTrackColor() {
    const std::vector<ChromosomeDataset*> tracks = genome_.Selection().GetSelectedTrackObjects();
    if (tracks.empty())
        return;
    const int first = tracks.front()->TrackColor;
    const QColor initial =
        first == ChromosomeDataset::kUnassignedColor ? QColor(Qt::black) : ToQColor(first);
    const QColor chosen =
        QColorDialog::getColor(initial, QApplication::activeWindow(), QObject::tr("Color"));
    if (!chosen.isValid())
        return;
    // Remembered for the names too, so that tracks of these names imported later get it.
    const int color = FromQColor(chosen);
    if (!genome_.Selection().GetSelectedTracks().empty())
        Do(new TrackSettingsCommand(
            *this, QStringLiteral("Set Color"), genome_.Selection().GetSelectedTracks(),
            [color](ChromosomeDataset& track) { track.TrackColor = color; }, color));
}

void LocuscopeDocument::SetTrackHeight() {
    const std::vector<ChromosomeDataset*> tracks = genome_.Selection().GetSelectedTrackObjects();
    if (tracks.empty())
        return;
    int height = tracks.front()->TrackHeight;
    if (height != 0)
        height = std::clamp(height, kMinimumTrackHeight, kMaximumTrackHeight);
    CDialogStringGet dialog(kHeightTitle, kHeightQuestion, true, QApplication::activeWindow());
    dialog.answer = FormatString("%d", height);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const long answer = ReadDecimal(dialog.answer);
    if (answer != 0 && (answer < kMinimumTrackHeight || answer > kMaximumTrackHeight)) {
        ShowMessageBox(kHeightRefused);
        return;
    }
    const int chosen = static_cast<int>(answer);
    ChangeSelectedTracks(QStringLiteral("Set Height"),
                         [chosen](ChromosomeDataset& track) { track.TrackHeight = chosen; });
}

void LocuscopeDocument::SetManualScale() {
    const std::vector<ChromosomeDataset*> tracks = genome_.Selection().GetSelectedTrackObjects();
    if (tracks.empty())
        return;
    double minimum = tracks.front()->ScaleMin;
    double maximum = tracks.front()->ScaleMax;
    for (const ChromosomeDataset* track : tracks) {
        minimum = std::min(minimum, track->ScaleMin);
        maximum = std::max(maximum, track->ScaleMax);
    }
    CDialogScaleSettings dialog(true, static_cast<float>(minimum), static_cast<float>(maximum),
                                QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (dialog.GetMinimum() == dialog.GetMaximum()) {
        ShowMessageBox(kEqualScalesRefused);
        return;
    }
    const double low = std::min(dialog.GetMinimum(), dialog.GetMaximum());
    const double high = std::max(dialog.GetMinimum(), dialog.GetMaximum());
    const bool automatic = !dialog.IsManual();
    ChangeSelectedTracks(QStringLiteral("Manual Scale"),
                         [low, high, automatic](ChromosomeDataset& track) {
                             track.ScaleMin = low;
                             track.ScaleMax = high;
                             track.AutoScale = automatic;
                         });
}

void LocuscopeDocument::AdjustPointSize() {
    const std::vector<ChromosomeDataset*> tracks = genome_.Selection().GetSelectedTrackObjects();
    if (tracks.empty())
        return;
    CDialogPointSize dialog(tracks.front()->GetPointWidth(), tracks.front()->GetPointHeight(),
                            QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int width = dialog.GetWidth();
    const int height = dialog.GetHeight();
    ChangeSelectedTracks(QStringLiteral("Adjust Point Size"),
                         [width, height](ChromosomeDataset& track) {
                             track.SetPointWidth(width);
                             track.SetPointHeight(height);
                         });
}

void LocuscopeDocument::ChangePointWidth(int delta) {
    ChangeSelectedTracks(
        delta > 0 ? QStringLiteral("Increase Point Size") : QStringLiteral("Decrease Point Size"),
        [delta](ChromosomeDataset& track) {
            track.SetPointWidth(track.GetPointWidth() + delta);
            track.PointHeightTop = std::max(track.PointHeightTop, 0);
            track.PointHeightBottom = std::max(track.PointHeightBottom, 0);
        });
}
