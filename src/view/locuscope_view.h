#pragma once

#include <QImage>
#include <QPoint>
#include <memory>
#include <optional>
#include <string>

#include "data/item_view.h"
#include "document/pane_view.h"
#include "framework/view_base.h"
#include "view/info_panel.h"
#include "view/pane_printer.h"
#include "view/render_settings.h"
#include "view/view_geometry.h"

class CCommandLayer;
class LocuscopeDocument;
class QPrinter;
class QScrollBar;
struct ViewOptions;

// What a view uses of the window around it; both are owned elsewhere and may be null (tests,
// a view without a main frame): the view then draws with default options and shows no menus.
struct ViewServices {
    const ViewOptions* options = nullptr;
    CCommandLayer* commands = nullptr;
};

// The one view of a document window: the tracks of the current pane under a header band with
// the ruler and the information lines, a horizontal scroll bar in bases and a vertical one in
// track rows. The visible range lives in the document, per pane; the view shows it and writes
// every change back. The tracks are drawn into an off-screen picture that is kept until the
// layout or the scroll state changes; the information lines, the selections, the cursor and
// the marks of the mouse tools are drawn over it on every paint.
//
// The mouse: a right click zooms in on the data (out with Ctrl) keeping the clicked base under
// the pointer, and opens the Header or Track menu over the ruler or the labels; the left
// button selects regions (Pointer), zooms to a dragged range (Magnifier), selects and moves
// tracks by their labels and drags a row's bottom edge to change its height; a double click
// opens an item's web link.
class LocuscopeView : public CViewBase, public PaneView {
    Q_OBJECT

public:
    static constexpr double kZoomFactor = 0.5;
    static constexpr int kMagnifierClickPixels = 7;  // shorter magnifier drags are clicks
    static constexpr int kLabelClickPixels = 10;     // shorter label drags are clicks
    static constexpr int kRowEdgeGrab = 3;           // pixels either side of a row's bottom
    // A dragged row stays between the heights Set Height accepts.
    static constexpr int kMinimumDraggedHeight = 40;
    static constexpr int kMaximumDraggedHeight = 3000;
    static constexpr const char* kHyperlinkFailedMessage =
        "Unable to open hyperlink.  Please ensure that your browser application is associated "
        "with html files.";

    explicit LocuscopeView(QWidget* parent = nullptr);

    void SetServices(ViewServices services) { services_ = services; }
    LocuscopeDocument* GetDocument() const;
    const ViewGeometry& Geometry() const { return geometry_; }
    // The description of the item under the pointer; empty when there is none.
    const std::string& PointerInfo() const { return info_.pointerInfo; }

    // PaneView
    Range GetVisibleRange() const override { return geometry_.GetVisibleRange(); }
    void SetVisibleRange(uint32_t start, uint32_t end) override;
    void ShowCurrentPane() override;
    void FullZoomOut() override;
    void BringIntoView(uint32_t position) override;
    void InvalidateView() override { update(); }
    void TakeKeyboardFocus() override;

    void ZoomIn(uint32_t center, double factor);
    void ZoomOut(uint32_t center, double factor);
    void RecalcLayout();
    // The settings a drawing pass of this view uses.
    RenderSettings CurrentRenderSettings(double outputScale) const;
    // The usable client area: the view less its scroll bars.
    QRect UsableRect() const;

    // Output of the drawing (locuscope_view_output.cpp): "Image Capture", "Metafile Capture",
    // "Print...", "Print Preview" and "Print Setup...".
    void ExportImage();
    void ExportMetafile();
    void Print(bool preview);
    void PrintSetup();

    void OnInitialUpdate() override;
    void OnUpdate() override;
    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CommandState& state) override;

signals:
    // The item under the pointer changed: its description and name, empty for none.
    void PointerInfoChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

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
    enum class Region { kHeader, kLabels, kData, kOutside };
    // What the left button is doing between its press and release.
    enum class Drag { kNone, kSelection, kMagnifier, kLabel, kRowHeight };

    ScrollState CurrentScrollState() const;
    void ShowZoomed(Range zoomed, uint32_t center, double factor);
    void StoreVisibleRange();
    void SyncScrollBars();
    void HorizontalScrolled(int value);
    void VerticalScrolled(int value);
    void ScrollRows(ViewGeometry::ScrollAction action);
    void RebuildPicture(const QSize& size);
    void GoToPosition();
    void CopyToClipboard(Range range);

    // Mouse tools.
    Region RegionAt(const QPoint& point) const;
    ViewGeometry::PointHit HitAt(const QPoint& point) const;
    // The visible row whose bottom edge lies within kRowEdgeGrab pixels of y, or -1.
    int RowEdgeAt(int y) const;
    std::string TrackNameAt(int trackIndex) const;
    void UpdateCursorShape(Qt::KeyboardModifiers modifiers);
    // The item under a point of the data area, as the pointer info describes it; start becomes
    // its start. On a row drawn as gene models, the model's item, and where names the exon or
    // intron under the point.
    std::optional<ItemView> ItemAt(const QPoint& point, uint32_t& start,
                                   std::string* where = nullptr) const;
    void UpdatePointerInfo(const QPoint& point);
    void ZoomAt(const QPoint& point, bool zoomOut);
    void PressLabel(const QPoint& point, Qt::KeyboardModifiers modifiers, bool keepSelection);
    void FinishMagnifier(const QPoint& release, bool zoomOut);
    void FinishSelection(const QPoint& release);
    void FinishLabelDrag(const QPoint& release);
    void FinishRowHeight(const QPoint& release);
    int DraggedRowHeight(const QPoint& point) const;
    void OpenLinkAt(const QPoint& point);
    void ShowMenu(const QPoint& point, const QList<int>& ids);
    void ShowTrackMenu(const QPoint& point);
    void DrawOverlays(QPainter& painter);
    // The print of the pane as the view shows it; no genome without a document.
    PanePrinter::Job PrintJob() const;
    // Lays the pane out for target's pages and prints it under the long-operation guard, with
    // progress and Cancel; the pages printed, -1 when cancelled.
    int PrintWithProgress(QPrinter& target, bool preview);
    // The same for a printer set to print into a PDF file: the file is written whole, through a
    // temporary file, or not at all; a failure is shown, a cancel is not.
    void PrintToFile(QPrinter& printer);
    // Output commands; false for ids they do not handle.
    bool OnOutputCommand(int id);
    bool OnUpdateOutputCommand(int id, CommandState& state);

    ViewServices services_;
    ViewGeometry geometry_;
    QScrollBar* horizontalBar_;
    QScrollBar* verticalBar_;
    QImage picture_;
    bool layoutChanged_ = true;
    ScrollState recorded_;
    InfoPanel info_;
    bool syncing_ = false;

    QString pointerStatus_;     // what the status bar says about the item under the pointer
    bool statusStale_ = false;  // something else spoke in the status bar since
    QPoint lastPoint_;          // the last mouse point, for the cursor shape and the header menu
    QPoint pressPoint_;         // where the current drag began
    Drag drag_ = Drag::kNone;
    int draggedRow_ = -1;  // the visible row whose height or label is being dragged
    // Kept between print commands, so Print Setup's choices hold; shared so that a dialog
    // using it outlives a view closed under it.
    std::shared_ptr<QPrinter> printer_;
};
