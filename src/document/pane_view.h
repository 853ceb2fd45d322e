#pragma once

#include <cstdint>

#include "data/position.h"

// What the document asks of its view. Ranges are 1-based and inclusive; the visible range
// itself is kept by the document, per pane, and the view shows it.
class PaneView {
public:
    virtual ~PaneView() = default;

    virtual Range GetVisibleRange() const = 0;
    // Shows [start, end], ends in either order, as near as the pane's data allows.
    virtual void SetVisibleRange(uint32_t start, uint32_t end) = 0;
    // Lays out the current pane afresh from its range in the document, first track on top.
    virtual void ShowCurrentPane() = 0;
    virtual void FullZoomOut() = 0;
    // Scrolls position into sight at the present zoom unless it is in sight already.
    virtual void BringIntoView(uint32_t position) = 0;
    // Repaints the overlays (cursor, selection) without laying out again.
    virtual void InvalidateView() = 0;
    // Gives the view the keyboard, so that the arrow keys step the cursor.
    virtual void TakeKeyboardFocus() = 0;
};
