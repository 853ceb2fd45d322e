#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "data/position.h"

// The arithmetic of the view, without a widget: where the data area lies, how a base maps to
// an x coordinate and back, how a y coordinate maps to a track row, and how zooming, scrolling
// and going to a position change the visible range. Positions are 1-based and inclusive.
//
// The two scroll bars are kept as the platform's scroll bars keep them: a range
// [minimum, maximum], a page and a position that is always within
// [minimum, maximum - page + 1] (or at minimum when the page covers the whole range).
// Horizontal units are bases, vertical units are track rows.
class ViewGeometry {
public:
    static constexpr int kLabelWidth = 75;
    static constexpr int kHeaderHeight = 70;
    static constexpr int kHeaderHeightWithInfo = 130;
    static constexpr int kHeaderGap = 10;
    static constexpr int kRowGap = 6;
    static constexpr int kScaleMargin = 30;  // taken from a row's height by the value scale
    // The row's top margin, above its data band, holds the track's title.
    static constexpr int kTitleMargin = kScaleMargin / 2;
    static constexpr int kDefaultTrackHeight = 80;
    static constexpr int kMinimumAutomaticHeight = 40;
    static constexpr int kMinimumOwnHeight = 40;  // smaller own heights mean automatic
    static constexpr int kMinimumSpan = 4;        // scroll ranges span at least this many bases
    static constexpr int kMinimumZoomHalf = 4;    // ranges narrower than 8 bases zoom no further
    static constexpr int kLargeLineStep = 500;    // pages above this scroll a tenth per line
    static constexpr int kMaxCoordinate = 0x0FFFFFFF;

    struct ScrollBar {
        int64_t minimum = 0;
        int64_t maximum = 0;
        int64_t page = 1;
        int64_t position = 0;
    };

    enum class ScrollAction {
        kLineBack,  // left or up
        kLineForward,
        kPageBack,
        kPageForward,
        kTrack,  // to the tracking position
        kStart,  // to the range minimum
        kEnd,    // to the range maximum
    };

    // What a layout needs of the document and the window.
    struct LayoutInput {
        int clientWidth = 0;  // the view's client area, scroll bars included
        int clientHeight = 0;
        int horizontalBarHeight = 0;
        int verticalBarWidth = 0;
        bool headerVisible = true;
        Range fullRange{1, 1};  // first start and last stop of the pane; first > last if empty
        Range jumpRange{1, 1};  // the pane's visible range as the document keeps it
        std::vector<int> ownTrackHeights;  // every track of the pane, 0 = automatic
    };

    struct PointHit {
        uint32_t position = 0;
        int trackIndex = 0;
        bool outsideRow = true;
    };

    ScrollBar horizontal;
    ScrollBar vertical;
    int automaticTrackHeight = kDefaultTrackHeight;
    bool headerVisible = true;
    // Tops and bottoms of the visible track rows and the right ends of their titles, filled by
    // each full drawing pass.
    std::vector<int> rowTops;
    std::vector<int> rowBottoms;
    std::vector<int> rowTitleRights;

    int HeaderHeight() const { return headerVisible ? kHeaderHeightWithInfo : kHeaderHeight; }
    // The data area's width in a target of targetWidth pixels: right of the label column.
    static int DataWidth(int targetWidth);
    // A track's row height: its own height when 40 or more, else the automatic height (raised
    // to 80 when below it).
    int TrackHeight(int ownHeight);

    // x of base position (alignment 0 left edge, 1 centre, 2 right edge of the base), clamped
    // to +-0x0FFFFFFF; rowTop is the top of visible row row, or -1 (row -1: no row asked).
    int PositionToX(uint32_t position, int alignment, int targetWidth) const;
    int RowTop(int row) const;
    // The base and track under a point; bases right of the data area lie past the visible end.
    // A point above the first visible row belongs to it.
    PointHit PointToPosition(int x, int y, int targetWidth, int trackCount) const;
    // The visible row whose title (in its top margin, from the data area's left edge) is under
    // the point, or -1.
    int TitleRowAt(int x, int y) const;

    Range GetVisibleRange() const;
    // [first, last + 1), with a page of at least 1.
    Range GetVisibleRangeExclusive() const;
    uint32_t GetCenterPosition() const;

    // Lays out both scroll bars for a window and the pane's tracks; returns the visible range
    // the document should keep.
    Range RecalcLayout(const LayoutInput& input);

    // The range a zoom in leaves the pane showing before centring; false for ranges narrower
    // than 8 bases.
    static bool ZoomInRange(Range current, double factor, Range& zoomed);
    // The range a zoom out leaves the pane showing before centring; its left end stops at 0.
    static Range ZoomOutRange(Range current, double factor);
    // Puts center at the fraction factor of the page from the left; returns the new range.
    Range CenterOn(uint32_t center, double factor);
    // Shows [start, end], ends in either order, at its own width (at most the whole pane): a
    // range that reaches past the pane's data, or lies beside it, is shifted to the pane's
    // nearest bases. Returns the new range.
    Range SetVisibleRange(uint32_t start, uint32_t end);

    // Scroll bar actions; horizontal ones return the new range.
    Range ScrollHorizontally(ScrollAction action, int64_t trackPosition = 0);
    void ScrollVertically(ScrollAction action, int64_t trackPosition = 0);

    // The ruler's base step for a visible page over a target width: one tick per 50 pixels of
    // data area, the step cut to one significant digit above 10, at least 1.
    static uint32_t RulerStep(int64_t page, int targetWidth);

private:
    static void SetPosition(ScrollBar& bar, int64_t position);
    static int64_t ScrolledPosition(const ScrollBar& bar, ScrollAction action, int64_t line,
                                    int64_t trackPosition);
    int CountFittingRows(const std::vector<int>& ownHeights, int height);
    // Rows that fit when the last track is at the bottom.
    int CountRowsFittingAtEnd(const std::vector<int>& ownHeights, int height);
};
