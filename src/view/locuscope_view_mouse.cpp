// The mouse tools of the view and the marks they leave: pointer info, zooming by click and
// by magnifier drag, region selection, track selection and moves by the label column, row
// heights by their bottom edges, web links, and the overlays drawn over the picture.
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>

#include "data/feature_name.h"
#include "data/percent_decoding.h"
#include "document/command_ids.h"
#include "document/locuscope_document.h"
#include "document/pane_label.h"
#include "framework/command_layer.h"
#include "framework/display_text.h"
#include "framework/message_box.h"
#include "framework/parameters_handler_tools.h"
#include "view/gene_model_hit.h"
#include "view/locuscope_view.h"
#include "view/tool_cursors.h"
#include "view/track_row_painter.h"
#include "view/web_link.h"

namespace {

namespace Id = CommandId;

const QColor kSelectionFill(0x33, 0x88, 0xFF, 0x38);
const QColor kSelectionEdge(0x1F, 0x5F, 0xC0, 0xB0);
const QColor kDragOutline(0x10, 0x10, 0x10, 0xC0);
const QColor kCursorFill(0xFF, 0x8C, 0x00, 0x40);
const QColor kCursorLine(0xD0, 0x60, 0x00, 0xE0);
const QColor kLabelHighlight(0x33, 0x88, 0xFF, 0x50);
const QColor kRulerLine(0xC0, 0x10, 0x10, 0xC0);
const QColor kRulerTagFill(0xFF, 0xFF, 0xE8, 0xF0);
constexpr int kRulerTagHeight = 16;

int CurrentTool() {
    return CParametersHandlerTools::Instance().GetCurrentTool();
}

}  // namespace

LocuscopeView::Region LocuscopeView::RegionAt(const QPoint& point) const {
    if (!UsableRect().contains(point))
        return Region::kOutside;
    if (point.y() < geometry_.HeaderHeight())
        return Region::kHeader;
    // A track's title, drawn in its row's top margin, acts as its label.
    if (point.x() < ViewGeometry::kLabelWidth || geometry_.TitleRowAt(point.x(), point.y()) >= 0)
        return Region::kLabels;
    return Region::kData;
}

ViewGeometry::PointHit LocuscopeView::HitAt(const QPoint& point) const {
    const LocuscopeDocument* document = GetDocument();
    const int tracks =
        document != nullptr
            ? document->Genome().Store().GetPaneTrackCount(document->GetCurrentPaneName())
            : 0;
    // A point beyond the data area's right edge stands for the last visible base.
    const int x = std::min(point.x(), UsableRect().width() - 1);
    return geometry_.PointToPosition(x, point.y(), UsableRect().width(), std::max(tracks, 1));
}

int LocuscopeView::RowEdgeAt(int y) const {
    for (size_t row = 0; row < geometry_.rowBottoms.size(); ++row) {
        if (std::abs(geometry_.rowBottoms[row] - y) <= kRowEdgeGrab)
            return static_cast<int>(row);
    }
    return -1;
}

std::string LocuscopeView::TrackNameAt(int trackIndex) const {
    const LocuscopeDocument* document = GetDocument();
    if (document == nullptr || trackIndex < 0)
        return {};
    const GenomeStore& store = document->Genome().Store();
    return store.GetTrack(document->GetCurrentPaneName(), trackIndex).trackName;
}

void LocuscopeView::UpdateCursorShape(Qt::KeyboardModifiers modifiers) {
    const Region region = RegionAt(lastPoint_);
    if (region != Region::kData) {
        const bool onEdge = drag_ == Drag::kRowHeight ||
                            (region == Region::kLabels && RowEdgeAt(lastPoint_.y()) >= 0);
        setCursor(onEdge ? Qt::SizeVerCursor : Qt::ArrowCursor);
        return;
    }
    switch (CurrentTool()) {
        case CParametersHandlerTools::kMagnifierTool:
            setCursor(ToolCursors::Magnifier(modifiers.testFlag(Qt::ControlModifier)));
            break;
        case CParametersHandlerTools::kRulerTool:
            setCursor(ToolCursors::Ruler());
            break;
        default:
            setCursor(Qt::ArrowCursor);
            break;
    }
}

std::optional<ItemView> LocuscopeView::ItemAt(const QPoint& point, uint32_t& start,
                                              std::string* where) const {
    LocuscopeDocument* document = GetDocument();
    const ViewGeometry::PointHit hit = HitAt(point);
    if (document == nullptr || RegionAt(point) != Region::kData || hit.outsideRow)
        return std::nullopt;
    const size_t row = static_cast<size_t>(hit.trackIndex - geometry_.vertical.position);
    const GenomeDataset::TrackRef ref =
        document->Genome().Store().GetTrack(document->GetCurrentPaneName(), hit.trackIndex);
    if (ref.dataset == nullptr || row >= geometry_.rowTops.size())
        return std::nullopt;
    const int top = geometry_.rowTops[row];
    GeneModelHit model;
    switch (GeneModelHit::Find(*ref.dataset, geometry_, UsableRect().width(),
                               CurrentRenderSettings(1.0), top, geometry_.rowBottoms[row],
                               point.x(), point.y(), hit.position, model)) {
        case GeneModelHit::Result::kNothing:
            return std::nullopt;
        case GeneModelHit::Result::kModel:
            start = ref.dataset->GetStart(model.item);
            if (where != nullptr)
                *where = model.where;
            return ref.dataset->GetItem(model.item);
        case GeneModelHit::Result::kNotModels:
            break;
    }
    // Of several items under the pointer, the one whose value is nearest the pointer's height.
    const double value = TrackRowPainter::ValueAtY(*ref.dataset, ref.trackName, top,
                                                   geometry_.rowBottoms[row] - top, point.y());
    const Range visible = GetVisibleRange();
    start = hit.position;
    // The value may lie far beyond what a float holds on a row of a tiny scale.
    const double pointed = std::isnan(value) ? 0.0 : std::clamp<double>(value, -FLT_MAX, FLT_MAX);
    return document->Genome().HitTestItem(hit.trackIndex, start, static_cast<float>(pointed),
                                          visible.first, visible.second);
}

void LocuscopeView::UpdatePointerInfo(const QPoint& point) {
    uint32_t start = 0;
    std::string where;
    const std::optional<ItemView> item = ItemAt(point, start, &where);
    // Escaped characters of GFF3 attributes are shown as what they stand for.
    std::string text = item ? PercentDecodedForDisplay(item->GetInfoText(start)) : std::string();
    // Over a gene model, which of its exons: "NAME, exon 3 of 7: Score: ..."
    std::string heading = item ? PercentDecodedForDisplay(FeatureName(item->Attributes)) : "";
    if (!where.empty()) {
        heading += (heading.empty() ? "" : ", ") + where;
        text = heading + ": " + text;
    }
    if (text != info_.pointerInfo) {
        info_.pointerInfo = std::move(text);
        QString shown;
        if (item) {
            const std::string description = PercentDecodedForDisplay(item->GetInfoText(start));
            shown = DisplayText::From(description);
            if (!heading.empty())
                shown = DisplayText::From(heading) + QStringLiteral("\n") + shown;
            QToolTip::showText(mapToGlobal(point), shown, this);
        } else {
            QToolTip::hideText();
        }
        pointerStatus_ = shown.replace(QLatin1Char('\n'), QStringLiteral(": "));
        statusStale_ = true;
        update();
    }
    if (statusStale_) {
        statusStale_ = false;
        emit PointerInfoChanged(pointerStatus_);
    }
}

void LocuscopeView::enterEvent(QEnterEvent* event) {
    // A prompt of a menu or a toolbar button may still stand in the status bar: the pointer
    // is over the view again, so the status bar says what is under it.
    statusStale_ = true;
    CViewBase::enterEvent(event);
}

void LocuscopeView::ZoomAt(const QPoint& point, bool zoomOut) {
    const double fraction = std::clamp(double(point.x() - ViewGeometry::kLabelWidth) /
                                           ViewGeometry::DataWidth(UsableRect().width()),
                                       0.0, 1.0);
    const uint32_t position = HitAt(point).position;
    if (zoomOut)
        ZoomOut(position, fraction);
    else
        ZoomIn(position, fraction);
}

void LocuscopeView::PressLabel(const QPoint& point, Qt::KeyboardModifiers modifiers,
                               bool keepSelection) {
    LocuscopeDocument* document = GetDocument();
    if (document == nullptr)
        return;
    const ViewGeometry::PointHit hit = HitAt(point);
    const bool belowRows = geometry_.rowBottoms.empty() || point.y() > geometry_.rowBottoms.back();
    const std::string name = belowRows ? std::string() : TrackNameAt(hit.trackIndex);
    // Ctrl adds a track to the selection, or takes it out again.
    if (modifiers.testFlag(Qt::ControlModifier) && !name.empty())
        document->ToggleTrackSelection(name);
    else if (!(keepSelection && document->Genome().Selection().IsTrackSelected(name)))
        document->SelectOnlyTrack(name);
    draggedRow_ = belowRows ? -1 : static_cast<int>(hit.trackIndex - geometry_.vertical.position);
    update();
}

void LocuscopeView::FinishMagnifier(const QPoint& release, bool zoomOut) {
    if (std::abs(release.x() - pressPoint_.x()) < kMagnifierClickPixels) {
        ZoomAt(pressPoint_, zoomOut);
        return;
    }
    const uint32_t a = HitAt(pressPoint_).position;
    const uint32_t b = HitAt(release).position;
    SetVisibleRange(std::min(a, b), std::max(a, b));
}

void LocuscopeView::FinishSelection(const QPoint& release) {
    LocuscopeDocument* document = GetDocument();
    const QPoint moved = release - pressPoint_;
    if (document == nullptr || moved.manhattanLength() <= 1)
        return;
    const uint32_t a = HitAt(pressPoint_).position;
    const uint32_t b = HitAt(release).position;
    if (a == b)
        return;
    // Selections keep their low end exclusive, so the range starts one base before the first
    // base dragged over.
    const uint32_t low = std::min(a, b);
    document->AddRegionSelection(document->GetCurrentPaneName(),
                                 Range(SaturatingSubtract(low, 1), std::max(a, b)));
}

void LocuscopeView::FinishLabelDrag(const QPoint& release) {
    LocuscopeDocument* document = GetDocument();
    if (document == nullptr || draggedRow_ < 0 ||
        (release - pressPoint_).manhattanLength() < kLabelClickPixels)
        return;
    const std::string moved =
        TrackNameAt(static_cast<int>(geometry_.vertical.position) + draggedRow_);
    const std::string target = TrackNameAt(HitAt(release).trackIndex);
    if (!moved.empty() && !target.empty())
        document->MoveTrack(moved, target);
}

int LocuscopeView::DraggedRowHeight(const QPoint& point) const {
    if (draggedRow_ < 0 || static_cast<size_t>(draggedRow_) >= geometry_.rowTops.size())
        return 0;
    return std::clamp(point.y() - geometry_.rowTops[static_cast<size_t>(draggedRow_)],
                      kMinimumDraggedHeight, kMaximumDraggedHeight);
}

void LocuscopeView::FinishRowHeight(const QPoint& release) {
    LocuscopeDocument* document = GetDocument();
    const int height = DraggedRowHeight(release);
    if (document == nullptr || height == 0)
        return;
    // Display settings belong to the track name, so the height follows it into every pane.
    const std::string name =
        TrackNameAt(static_cast<int>(geometry_.vertical.position) + draggedRow_);
    if (!name.empty())
        document->SetRowHeight(name, height);
}

void LocuscopeView::OpenLinkAt(const QPoint& point) {
    uint32_t start = 0;
    const std::optional<ItemView> item = ItemAt(point, start);
    const std::string link = item ? item->GetUrl() : std::string();
    if (link.empty())
        return;
    const QUrl url = WebLink::ToOpenableUrl(link);
    if (!url.isValid() || !QDesktopServices::openUrl(url))
        ShowMessageBox(kHyperlinkFailedMessage);
}

void LocuscopeView::ShowMenu(const QPoint& point, const QList<int>& ids) {
    if (services_.commands == nullptr)
        return;
    QMenu menu(this);
    QMenu* current = &menu;
    for (const int id : ids) {
        if (id == 0) {
            current->addSeparator();
            continue;
        }
        services_.commands->Update(id);
        current->addAction(services_.commands->Action(id));
    }
    menu.exec(mapToGlobal(point));
    statusStale_ = true;  // the menu's prompts stood in the status bar
    clearFocus();
}

void LocuscopeView::ShowTrackMenu(const QPoint& point) {
    ShowMenu(point, {Id::kSelectAllTracks, Id::kDeleteTracks, 0, Id::kSetColor, Id::kSetHeight, 0,
                     Id::kAutoScale, Id::kManualScale, 0, Id::kStyleAutomatic, Id::kStylePoints,
                     Id::kStyleBars, 0, Id::kAdjustPointSize, Id::kIncreasePointSize,
                     Id::kDecreasePointSize, 0, Id::kAttachCursor});
}

void LocuscopeView::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    lastPoint_ = point;
    const Region region = RegionAt(point);
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (event->button() == Qt::RightButton) {
        if (region == Region::kData) {
            ZoomAt(point, modifiers.testFlag(Qt::ControlModifier));
        } else if (region == Region::kHeader) {
            ShowMenu(point, {Id::kCopyGenomicRange, Id::kCopyGenomicPosition});
        } else if (region == Region::kLabels) {
            // The menu acts on the track under the pointer, or on the selection it belongs to.
            PressLabel(point, {}, true);
            ShowTrackMenu(point);
        }
        event->accept();
        return;
    }
    if (event->button() != Qt::LeftButton || GetDocument() == nullptr) {
        CViewBase::mousePressEvent(event);
        return;
    }
    pressPoint_ = point;
    if (region == Region::kLabels) {
        const int edge = RowEdgeAt(point.y());
        if (edge >= 0) {
            drag_ = Drag::kRowHeight;
            draggedRow_ = edge;
        } else {
            drag_ = Drag::kLabel;
            PressLabel(point, modifiers, false);
        }
    } else if (region == Region::kData) {
        LocuscopeDocument* document = GetDocument();
        const int tool = CurrentTool();
        drag_ =
            tool == CParametersHandlerTools::kMagnifierTool ? Drag::kMagnifier : Drag::kSelection;
        if (tool != CParametersHandlerTools::kMagnifierTool)
            document->PlaceCursorNear(HitAt(point).position);
        if (tool == CParametersHandlerTools::kPointerTool &&
            !modifiers.testFlag(Qt::ControlModifier))
            document->ClearRegionSelection();
    }
    update();
    event->accept();
}

void LocuscopeView::mouseMoveEvent(QMouseEvent* event) {
    lastPoint_ = event->position().toPoint();
    if (drag_ == Drag::kSelection || drag_ == Drag::kMagnifier) {
        info_.selecting = true;
        info_.selectionFrom = HitAt(pressPoint_).position;
        info_.selectionTo = HitAt(lastPoint_).position;
        update();
        return;
    }
    if (drag_ != Drag::kNone) {
        update();
        return;
    }
    UpdateCursorShape(event->modifiers());
    UpdatePointerInfo(lastPoint_);
    if (CurrentTool() == CParametersHandlerTools::kRulerTool)
        update();  // the ruler's mark follows the pointer
}

void LocuscopeView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        CViewBase::mouseReleaseEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    lastPoint_ = point;
    const Drag finished = drag_;
    // Cleared first: what the release starts (a zoom, a move) lays the view out again.
    drag_ = Drag::kNone;
    info_.selecting = false;
    switch (finished) {
        case Drag::kMagnifier:
            FinishMagnifier(point, event->modifiers().testFlag(Qt::ControlModifier));
            break;
        case Drag::kSelection:
            FinishSelection(point);
            break;
        case Drag::kLabel:
            FinishLabelDrag(point);
            break;
        case Drag::kRowHeight:
            FinishRowHeight(point);
            break;
        case Drag::kNone:
            break;
    }
    draggedRow_ = -1;
    UpdateCursorShape(event->modifiers());
    update();
    event->accept();
}

void LocuscopeView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        mousePressEvent(event);  // a second right click zooms again
        return;
    }
    if (event->button() == Qt::LeftButton && RegionAt(point) == Region::kData &&
        CurrentTool() == CParametersHandlerTools::kPointerTool) {
        OpenLinkAt(point);
        event->accept();
        return;
    }
    mousePressEvent(event);
}

void LocuscopeView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Control)
        UpdateCursorShape(event->modifiers());
    CViewBase::keyPressEvent(event);
}

void LocuscopeView::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Control)
        UpdateCursorShape(event->modifiers());
    CViewBase::keyReleaseEvent(event);
}

void LocuscopeView::leaveEvent(QEvent* event) {
    if (drag_ == Drag::kNone && !info_.pointerInfo.empty()) {
        info_.pointerInfo.clear();
        update();
    }
    CViewBase::leaveEvent(event);
}

void LocuscopeView::DrawOverlays(QPainter& painter) {
    LocuscopeDocument* document = GetDocument();
    if (document == nullptr || geometry_.rowTops.empty())
        return;
    const int width = UsableRect().width();
    const int dataLeft = ViewGeometry::kLabelWidth;
    const int top = geometry_.rowTops.front();
    const int bottom = geometry_.rowBottoms.back();
    const std::string pane = document->GetCurrentPaneName();
    const auto columns = [&](uint32_t first, uint32_t last) {
        const int left = std::max(geometry_.PositionToX(first, 0, width), dataLeft);
        const int right = std::min(geometry_.PositionToX(last, 2, width), width);
        return std::make_pair(left, std::max(right, left + 1));
    };

    painter.save();
    // Selected tracks: their labels lit up.
    for (size_t row = 0; row < geometry_.rowTops.size(); ++row) {
        const std::string name =
            TrackNameAt(static_cast<int>(geometry_.vertical.position + static_cast<int64_t>(row)));
        if (document->Genome().Selection().IsTrackSelected(name))
            painter.fillRect(QRect(0, geometry_.rowTops[row], dataLeft - 1,
                                   geometry_.rowBottoms[row] - geometry_.rowTops[row]),
                             kLabelHighlight);
    }
    // Region selections of this pane; their low ends are exclusive.
    const auto selection = document->Genome().Selection().GetRegionSelection().find(pane);
    if (selection != document->Genome().Selection().GetRegionSelection().end()) {
        const Range visible = GetVisibleRange();
        for (const Range& pair : selection->second) {
            const uint32_t low = std::min(pair.first, pair.second);
            const uint32_t high = std::max(pair.first, pair.second);
            if (high < visible.first || low >= visible.second)
                continue;
            const auto [left, right] = columns(low + 1, high);
            painter.fillRect(QRect(left, top, right - left, bottom - top), kSelectionFill);
            painter.setPen(kSelectionEdge);
            painter.drawLine(left, top, left, bottom);
            painter.drawLine(right - 1, top, right - 1, bottom);
        }
    }
    // The cursor: its item's extent over every row.
    const Range cursor = document->Genome().Cursors().GetCursorRange(pane);
    if (cursor.first != kNoPosition) {
        const auto [left, right] = columns(cursor.first, cursor.second);
        if (right > dataLeft && left < width) {
            painter.fillRect(QRect(left, top, right - left, bottom - top), kCursorFill);
            painter.setPen(QPen(kCursorLine, 1));
            painter.drawLine(left, top, left, bottom);
        }
    }
    // The drag under way.
    if (drag_ == Drag::kSelection || drag_ == Drag::kMagnifier) {
        painter.setPen(QPen(kDragOutline, 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(pressPoint_, lastPoint_).normalized());
    } else if (drag_ == Drag::kRowHeight) {
        const int height = DraggedRowHeight(lastPoint_);
        if (height > 0) {
            const int y = geometry_.rowTops[static_cast<size_t>(draggedRow_)] + height;
            painter.setPen(QPen(kDragOutline, 1, Qt::DashLine));
            painter.drawLine(0, y, width, y);
        }
    } else if (CurrentTool() == CParametersHandlerTools::kRulerTool &&
               RegionAt(lastPoint_) == Region::kData && underMouse()) {
        // The ruler's mark: a hairline at the pointer with the base it stands on.
        painter.setPen(QPen(kRulerLine, 1));
        painter.drawLine(lastPoint_.x(), top, lastPoint_.x(), bottom);
        const QString tag =
            QString::fromStdString(PaneLabel::GroupedNumber(HitAt(lastPoint_).position));
        const QRect box(lastPoint_.x() + 3, top, painter.fontMetrics().horizontalAdvance(tag) + 8,
                        kRulerTagHeight);
        painter.fillRect(box, kRulerTagFill);
        painter.drawRect(box);
        painter.setPen(Qt::black);
        painter.drawText(box, Qt::AlignCenter, tag);
    }
    painter.restore();
}
