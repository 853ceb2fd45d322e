#pragma once

#include <vector>

#include "document/pane_view.h"
#include "framework/view_base.h"

// A view that only remembers what the document asked of it.
class FakePaneView : public CViewBase, public PaneView {
public:
    Range visible{1, 100};
    int panesShown = 0;
    int fullZoomOuts = 0;
    std::vector<uint32_t> broughtIntoView;

    Range GetVisibleRange() const override { return visible; }
    void SetVisibleRange(uint32_t start, uint32_t end) override { visible = Range(start, end); }
    void ShowCurrentPane() override { ++panesShown; }
    void FullZoomOut() override { ++fullZoomOuts; }
    void BringIntoView(uint32_t position) override { broughtIntoView.push_back(position); }
    void InvalidateView() override {}
    void TakeKeyboardFocus() override {}
};
