#include "view/info_panel.h"

#include <QPainter>

#include "data/percent_decoding.h"
#include "document/locuscope_document.h"
#include "document/pane_label.h"
#include "document/view_options.h"
#include "framework/display_text.h"
#include "framework/string_format.h"
#include "view/render_settings.h"
#include "view/view_geometry.h"

namespace {

constexpr int kLineSpacing = 15;

QString Grouped(uint64_t value) {
    return QString::fromStdString(PaneLabel::GroupedNumber(value));
}

// The info text of the cursor's item, or empty when the pane has no cursor on an item.
std::string CursorInfo(LocuscopeDocument& document) {
    GenomeDataset& genome = document.Genome();
    const std::string pane = document.GetCurrentPaneName();
    const ChromosomeDataset* track = genome.Cursors().GetCursorTrack(pane);
    const int index = genome.Cursors().GetCursorIndex(pane);
    if (track == nullptr || index < 0 || static_cast<size_t>(index) >= track->GetItemCount())
        return {};
    const auto handle = static_cast<ChromosomeDataset::ItemHandle>(index);
    return PercentDecodedForDisplay(track->GetItem(handle).GetInfoText(track->GetStart(handle)));
}

}  // namespace

QStringList InfoPanel::Lines(LocuscopeDocument& document, const ViewGeometry& geometry,
                             const ViewOptions& options) const {
    QStringList lines;
    if (options.ShowLoadedFiles) {
        std::string files = "Files: ";
        for (const std::string& entry : document.Genome().Store().GetLoadedFiles())
            files += entry;
        files += FormatString(
            " Load Time: %.02f seconds",
            static_cast<double>(document.Genome().Store().GetImportMilliseconds()) / 1000.0);
        lines.append(DisplayText::From(files));
    }
    if (options.ShowTrackStats) {
        const Range visible = geometry.GetVisibleRange();
        const Range full = document.GetPaneExtent(document.GetCurrentPaneName());
        lines.append(Grouped(document.Genome().Store().GetStoredFeatures()) +
                     QStringLiteral(" Rows loaded. Positions Displayed ( ") +
                     Grouped(visible.first) + QStringLiteral(" - ") + Grouped(visible.second) +
                     QStringLiteral(" ). Total Positions ( ") + Grouped(full.first) +
                     QStringLiteral(" - ") + Grouped(full.second) + QStringLiteral(" )"));
    }
    if (options.ShowPointerInfo && !pointerInfo.empty())
        lines.append(QStringLiteral("Pointer Info: ") + DisplayText::From(pointerInfo));
    if (options.ShowPointerInfo) {
        const std::string cursor = CursorInfo(document);
        if (!cursor.empty())
            lines.append(QStringLiteral("Cursor Info:  ") + DisplayText::From(cursor));
    }
    if (selecting && selectionFrom != selectionTo) {
        const uint32_t lo = std::min(selectionFrom, selectionTo);
        const uint32_t hi = std::max(selectionFrom, selectionTo);
        lines.append(QStringLiteral("Selection Info: Width: ") + Grouped(hi - lo) +
                     QStringLiteral(" Position: ") + Grouped(lo) + QStringLiteral(" - ") +
                     Grouped(hi));
    }
    return lines;
}

void InfoPanel::Draw(QPainter& painter, const QStringList& lines, double outputScale) const {
    const RenderResources resources(outputScale);
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(resources.small);
    painter.setPen(resources.text);
    int y = 0;
    for (const QString& line : lines) {
        painter.drawText(QRect(2, y, 100000, kLineSpacing), Qt::AlignLeft | Qt::AlignVCenter, line);
        y += kLineSpacing;
    }
    painter.restore();
}
