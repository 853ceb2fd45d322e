#pragma once

#include "document/pane_view.h"
#include "framework/view_base.h"

class LocuscopeDocument;

// The one view of a document window: shows the current pane of its document.
class LocuscopeView : public CViewBase, public PaneView {
    Q_OBJECT

public:
    explicit LocuscopeView(QWidget* parent = nullptr);

    LocuscopeDocument* GetDocument() const;

    Range GetVisibleRange() const override;
    void SetVisibleRange(uint32_t start, uint32_t end) override;
    void RestoreRange(Range range) override;
    void FullZoomOut() override;
    void InvalidateView() override { update(); }

    bool OnCommand(int id) override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
