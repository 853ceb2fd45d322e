#include "view/locuscope_view.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "document/command_ids.h"
#include "document/feature_name_command.h"
#include "document/locuscope_document.h"
#include "document/pane_label.h"
#include "document/view_options.h"
#include "framework/command_layer.h"
#include "view/c_dialog_position_goto.h"
#include "view/mouse_capturing_scroll_bar.h"
#include "view/track_renderer.h"

namespace {

namespace Id = CommandId;
const QColor kCornerGrey(0x80, 0x80, 0x80);

int ToInt(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

LocuscopeView::LocuscopeView(QWidget* parent)
    : CViewBase(parent),
      horizontalBar_(new MouseCapturingScrollBar(Qt::Horizontal, this)),
      verticalBar_(new MouseCapturingScrollBar(Qt::Vertical, this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    connect(horizontalBar_, &QScrollBar::valueChanged, this, &LocuscopeView::HorizontalScrolled);
    connect(verticalBar_, &QScrollBar::valueChanged, this, &LocuscopeView::VerticalScrolled);
}

LocuscopeDocument* LocuscopeView::GetDocument() const {
    return dynamic_cast<LocuscopeDocument*>(GetDocumentBase());
}

QRect LocuscopeView::UsableRect() const {
    return QRect(0, 0, std::max(width() - verticalBar_->sizeHint().width(), 1),
                 std::max(height() - horizontalBar_->sizeHint().height(), 1));
}

RenderSettings LocuscopeView::CurrentRenderSettings(double outputScale) const {
    const LocuscopeDocument* document = GetDocument();
    return RenderSettingsFor(document != nullptr ? document->DefaultTrackStyle
                                                 : RenderSettings().defaultTrackStyle,
                             services_.options, outputScale);
}

LocuscopeView::ScrollState LocuscopeView::CurrentScrollState() const {
    return {geometry_.horizontal.position, geometry_.horizontal.page, geometry_.vertical.position,
            geometry_.vertical.page};
}

void LocuscopeView::OnInitialUpdate() {
    RecalcLayout();
    update();
}

void LocuscopeView::OnUpdate() {
    layoutChanged_ = true;
    RecalcLayout();
    update();
}

void LocuscopeView::RecalcLayout() {
    LocuscopeDocument* document = GetDocument();
    if (document == nullptr)
        return;
    const std::string pane = document->GetCurrentPaneName();
    ViewGeometry::LayoutInput input;
    input.clientWidth = width();
    input.clientHeight = height();
    input.horizontalBarHeight = horizontalBar_->sizeHint().height();
    input.verticalBarWidth = verticalBar_->sizeHint().width();
    input.headerVisible = document->HeaderVisible;
    input.fullRange = document->GetPaneExtent(pane);
    input.jumpRange = document->GetPaneJumpRange(pane);
    for (const GenomeDataset::TrackRef& ref : document->Genome().Store().GetPaneTracks(pane))
        input.ownTrackHeights.push_back(ref.dataset->TrackHeight);
    geometry_.RecalcLayout(input);
    StoreVisibleRange();
    SyncScrollBars();
    recorded_ = ScrollState();
    layoutChanged_ = true;
}

void LocuscopeView::StoreVisibleRange() {
    if (LocuscopeDocument* document = GetDocument()) {
        const Range visible = geometry_.GetVisibleRange();
        document->SetPaneJumpRange(document->GetCurrentPaneName(), visible.first, visible.second);
    }
}

void LocuscopeView::SyncScrollBars() {
    syncing_ = true;
    const ViewGeometry::ScrollBar& h = geometry_.horizontal;
    horizontalBar_->setRange(ToInt(h.minimum), ToInt(std::max(h.minimum, h.maximum - h.page + 1)));
    horizontalBar_->setPageStep(ToInt(h.page));
    horizontalBar_->setSingleStep(
        ToInt(h.page <= ViewGeometry::kLargeLineStep ? 1 : std::max<int64_t>(h.page / 10, 1)));
    horizontalBar_->setValue(ToInt(h.position));
    const ViewGeometry::ScrollBar& v = geometry_.vertical;
    verticalBar_->setRange(0, ToInt(std::max<int64_t>(v.maximum - v.page + 1, 0)));
    verticalBar_->setPageStep(ToInt(v.page));
    verticalBar_->setSingleStep(ToInt(std::max<int64_t>(v.page / 10, 1)));
    verticalBar_->setValue(ToInt(v.position));

    const QRect usable = UsableRect();
    horizontalBar_->setGeometry(0, usable.height(), usable.width(), height() - usable.height());
    verticalBar_->setGeometry(usable.width(), 0, width() - usable.width(), usable.height());
    horizontalBar_->show();
    verticalBar_->show();
    syncing_ = false;
}

void LocuscopeView::HorizontalScrolled(int value) {
    if (syncing_)
        return;
    geometry_.ScrollHorizontally(ViewGeometry::ScrollAction::kTrack, value);
    StoreVisibleRange();
    update();
}

void LocuscopeView::VerticalScrolled(int value) {
    if (syncing_)
        return;
    geometry_.ScrollVertically(ViewGeometry::ScrollAction::kTrack, value);
    RecalcLayout();
    update();
}

void LocuscopeView::ScrollRows(ViewGeometry::ScrollAction action) {
    geometry_.ScrollVertically(action);
    RecalcLayout();
    update();
}

void LocuscopeView::SetVisibleRange(uint32_t start, uint32_t end) {
    geometry_.SetVisibleRange(start, end);
    StoreVisibleRange();
    SyncScrollBars();
    recorded_ = ScrollState();
    update();
}

void LocuscopeView::ShowCurrentPane() {
    LocuscopeDocument* document = GetDocument();
    if (document == nullptr)
        return;
    const Range range = document->GetPaneJumpRange(document->GetCurrentPaneName());
    geometry_.vertical.position = 0;
    RecalcLayout();
    SetVisibleRange(range.first, range.second);
}

void LocuscopeView::TakeKeyboardFocus() {
    setFocus(Qt::OtherFocusReason);
    // The progress dialog that had the keys is gone: the window it stood over takes them back,
    // as a window manager would.
    if (QApplication::activeWindow() == nullptr)
        window()->activateWindow();
}

void LocuscopeView::BringIntoView(uint32_t position) {
    const Range visible = GetVisibleRange();
    if (position >= visible.first && position <= visible.second)
        return;
    geometry_.CenterOn(position, kZoomFactor);
    StoreVisibleRange();
    SyncScrollBars();
    update();
}

void LocuscopeView::FullZoomOut() {
    LocuscopeDocument* document = GetDocument();
    if (document == nullptr)
        return;
    const std::string pane = document->GetCurrentPaneName();
    const Range full = document->GetPaneExtent(pane);
    document->SetPaneJumpRange(pane, full.first, full.second);
    // The page now spans the whole pane, so the scroll bar puts the position at its start.
    RecalcLayout();
    update();
}

void LocuscopeView::ZoomIn(uint32_t center, double factor) {
    LocuscopeDocument* document = GetDocument();
    Range zoomed;
    if (document != nullptr &&
        ViewGeometry::ZoomInRange(document->GetPaneJumpRange(document->GetCurrentPaneName()),
                                  factor, zoomed))
        ShowZoomed(zoomed, center, factor);
}

void LocuscopeView::ZoomOut(uint32_t center, double factor) {
    if (LocuscopeDocument* document = GetDocument())
        ShowZoomed(ViewGeometry::ZoomOutRange(
                       document->GetPaneJumpRange(document->GetCurrentPaneName()), factor),
                   center, factor);
}

void LocuscopeView::ShowZoomed(Range zoomed, uint32_t center, double factor) {
    LocuscopeDocument* document = GetDocument();
    document->SetPaneJumpRange(document->GetCurrentPaneName(), zoomed.first, zoomed.second);
    RecalcLayout();
    geometry_.CenterOn(center, factor);
    StoreVisibleRange();
    SyncScrollBars();
    update();
}

void LocuscopeView::RebuildPicture(const QSize& size) {
    LocuscopeDocument* document = GetDocument();
    const qreal ratio = devicePixelRatioF();
    // Drawn again in place while the size holds: a fresh picture on every scroll step costs
    // more in first-touch page faults than the drawing itself.
    if (picture_.size() != size * ratio || picture_.devicePixelRatio() != ratio) {
        picture_ = QImage(size * ratio, QImage::Format_ARGB32_Premultiplied);
        picture_.setDevicePixelRatio(ratio);
    }
    QPainter painter(&picture_);
    TrackRenderer renderer(document->Genome(), document->GetCurrentPaneName(), geometry_,
                           CurrentRenderSettings(1.0));
    renderer.DrawAll(painter, QRect(QPoint(0, 0), size), Qt::white);
    recorded_ = CurrentScrollState();
    layoutChanged_ = false;
}

void LocuscopeView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect usable = UsableRect();
    painter.fillRect(QRect(usable.right() + 1, usable.bottom() + 1, width(), height()),
                     kCornerGrey);
    LocuscopeDocument* document = GetDocument();
    if (document == nullptr ||
        document->Genome().Store().GetPaneTrackCount(document->GetCurrentPaneName()) == 0) {
        painter.fillRect(usable, Qt::white);
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.drawText(usable, Qt::AlignCenter,
                         tr("No tracks to show. Import GFF or BED files, or drop them here."));
        return;
    }
    if (layoutChanged_ || !(recorded_ == CurrentScrollState()) || picture_.isNull() ||
        picture_.deviceIndependentSize().toSize() != usable.size())
        RebuildPicture(usable.size());
    painter.drawImage(0, 0, picture_);
    painter.setClipRect(usable);
    DrawOverlays(painter);
    if (services_.options != nullptr && document->HeaderVisible)
        info_.Draw(painter, info_.Lines(*document, geometry_, *services_.options), 1.0);
}

void LocuscopeView::resizeEvent(QResizeEvent* event) {
    CViewBase::resizeEvent(event);
    RecalcLayout();
}

void LocuscopeView::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0)
        return;
    ScrollRows(delta > 0 ? ViewGeometry::ScrollAction::kLineBack
                         : ViewGeometry::ScrollAction::kLineForward);
    event->accept();
}

void LocuscopeView::CopyToClipboard(Range range) {
    LocuscopeDocument* document = GetDocument();
    if (document == nullptr)
        return;
    QApplication::clipboard()->setText(
        QString::fromStdString(PaneLabel::Format(document->GetCurrentPaneName(), range)));
}

void LocuscopeView::GoToPosition() {
    LocuscopeDocument* document = GetDocument();
    if (document == nullptr)
        return;
    const std::deque<std::string>& panes = document->Genome().Store().GetPaneOrder();
    const Range visible = GetVisibleRange();
    CDialogPositionGoto dialog(std::vector<std::string>(panes.begin(), panes.end()),
                               document->GetCurrentPaneName(), visible.first, visible.second, this);
    FeatureMatch feature;
    dialog.SetFeatureFinder([document, &dialog, &feature](const std::string& name) {
        return FeatureNameCommand::Choose(*document, name, &dialog, feature);
    });
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (dialog.ChoseFeature()) {
        FeatureNameCommand::Show(*document, feature);
        return;
    }
    document->NavigateToPane(dialog.GetPane(), true);
    RecalcLayout();
    SetVisibleRange(dialog.GetStart(), dialog.GetEnd());
}

bool LocuscopeView::OnCommand(int id) {
    switch (id) {
        case Id::kZoomIn:
            ZoomIn(geometry_.GetCenterPosition(), kZoomFactor);
            return true;
        case Id::kZoomOut:
            ZoomOut(geometry_.GetCenterPosition(), kZoomFactor);
            return true;
        case Id::kFullZoomOut:
            FullZoomOut();
            return true;
        case Id::kGoToPosition:
            GoToPosition();
            return true;
        case Id::kScrollRowsUp:
            ScrollRows(ViewGeometry::ScrollAction::kLineBack);
            return true;
        case Id::kScrollRowsDown:
            ScrollRows(ViewGeometry::ScrollAction::kLineForward);
            return true;
        case Id::kCopyGenomicRange:
            CopyToClipboard(GetVisibleRange());
            return true;
        case Id::kCopyGenomicPosition: {
            // The base under the point where the header menu opened (or the pointer was last).
            const uint32_t position = HitAt(lastPoint_).position;
            CopyToClipboard(Range(position, position));
            return true;
        }
        default:
            return OnOutputCommand(id);
    }
}

bool LocuscopeView::OnUpdateCommand(int id, CommandState& state) {
    switch (id) {
        case Id::kZoomIn:
        case Id::kZoomOut:
        case Id::kFullZoomOut:
        case Id::kGoToPosition:
        case Id::kScrollRowsUp:
        case Id::kScrollRowsDown:
        case Id::kCopyGenomicRange:
        case Id::kCopyGenomicPosition:
            state.enabled = GetDocument() != nullptr;
            return true;
        default:
            return OnUpdateOutputCommand(id, state);
    }
}
