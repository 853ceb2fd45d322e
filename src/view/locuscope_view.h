#pragma once

#include <QImage>
#include <QPoint>

#include "document/pane_view.h"
#include "framework/view_base.h"
#include "view/info_panel.h"
#include "view/render_settings.h"
#include "view/view_geometry.h"

class LocuscopeDocument;
class QScrollBar;

// The one view of a document window: the tracks of the current pane under a header band with
// the ruler and the information lines, a horizontal scroll bar in bases and a vertical one in
// track rows. The visible range lives in the document, per pane; the view mirrors it. The
// tracks are drawn into an off-screen picture that is kept until the layout or the scroll
// state changes; the information lines are drawn over it on every paint.
class LocuscopeView : public CViewBase, public PaneView {
    Q_OBJECT

public:
    static constexpr double kZoomFactor = 0.5;

    explicit LocuscopeView(QWidget* parent = nullptr);

    LocuscopeDocument* GetDocument() const;
    const ViewGeometry& Geometry() const { return geometry_; }

    // PaneView
    Range GetVisibleRange() const override { return geometry_.GetVisibleRange(); }
    void SetVisibleRange(uint32_t start, uint32_t end) override;
    void RestoreRange(Range range) override;
    void FullZoomOut() override;
    void InvalidateView() override { update(); }

    void ZoomIn(uint32_t center, double factor);
    void ZoomOut(uint32_t center, double factor);
    void RecalcLayout();
    // The settings a drawing pass of this view uses (the main frame's options when there is
    // one, the defaults otherwise).
    RenderSettings CurrentRenderSettings(double outputScale) const;
    // The usable client area: the view less its scroll bars.
    QRect UsableRect() const;

    void OnInitialUpdate() override;
    void OnUpdate() override;
    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CommandState& state) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // The scroll state a drawing pass used; a different one means the picture is stale.
    struct ScrollState {
        int64_t first = -1;
        int64_t page = -1;
        int64_t firstRow = -1;
        int64_t rows = -1;
        bool operator==(const ScrollState& other) const {
            return first == other.first && page == other.page && firstRow == other.firstRow &&
                   rows == other.rows;
        }
    };

    ScrollState CurrentScrollState() const;
    // Gives the pane the zoomed range, lays out, then puts center at factor of the page.
    void ShowZoomed(Range zoomed, uint32_t center, double factor);
    void StoreVisibleRange();
    void SyncScrollBars();
    void HorizontalScrolled(int value);
    void VerticalScrolled(int value);
    void ScrollRows(ViewGeometry::ScrollAction action);
    void RebuildPicture(const QSize& size);
    void GoToPosition();
    void CopyToClipboard(Range range);
    void ShowHeaderMenu(const QPoint& point);

    ViewGeometry geometry_;
    QScrollBar* horizontalBar_;
    QScrollBar* verticalBar_;
    QImage picture_;
    bool layoutChanged_ = true;
    ScrollState recorded_;
    InfoPanel info_;
    QPoint headerMenuPoint_;
    bool syncing_ = false;
};
