#pragma once

#include <cstdint>
#include <utility>

// What the document asks of its view: the visible range of the current pane (1-based,
// inclusive) and a redraw.
class PaneView {
public:
    using Range = std::pair<uint32_t, uint32_t>;

    virtual ~PaneView() = default;

    virtual Range GetVisibleRange() const = 0;
    virtual void SetVisibleRange(uint32_t start, uint32_t end) = 0;
    // Shows a pane's remembered range; (0, 0) means the pane's own saved zoom.
    virtual void RestoreRange(Range range) = 0;
    virtual void FullZoomOut() = 0;
    virtual void InvalidateView() = 0;
};
