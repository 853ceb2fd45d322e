#pragma once

#include <vector>

#include "document/pane_view.h"
#include "framework/view_base.h"

// A view that only remembers what the document asked of it.
class FakePaneView : public CViewBase, public PaneView {
public:
    Range visible{1, 100};
    std::vector<Range> restored;
    int fullZoomOuts = 0;

    Range GetVisibleRange() const override { return visible; }
    void SetVisibleRange(uint32_t start, uint32_t end) override { visible = Range(start, end); }
    void RestoreRange(Range range) override { restored.push_back(range); }
    void FullZoomOut() override { ++fullZoomOuts; }
    void InvalidateView() override {}
};
