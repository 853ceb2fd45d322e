#include "view/locuscope_view.h"

#include <QPainter>

#include "document/command_ids.h"
#include "document/locuscope_document.h"
#include "document/locuscope_main_frame.h"
#include "document/pane_label.h"

LocuscopeView::LocuscopeView(QWidget* parent) : CViewBase(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

LocuscopeDocument* LocuscopeView::GetDocument() const {
    return dynamic_cast<LocuscopeDocument*>(GetDocumentBase());
}

PaneView::Range LocuscopeView::GetVisibleRange() const {
    LocuscopeDocument* document = GetDocument();
    return document != nullptr ? document->GetPaneJumpRange(document->GetCurrentPaneName())
                               : Range(0, 0);
}

void LocuscopeView::SetVisibleRange(uint32_t start, uint32_t end) {
    if (LocuscopeDocument* document = GetDocument())
        document->SetPaneJumpRange(document->GetCurrentPaneName(), start, std::max(start, end));
    update();
}

void LocuscopeView::RestoreRange(Range range) {
    if (range != Range(0, 0))
        SetVisibleRange(range.first, range.second);
    update();
}

void LocuscopeView::FullZoomOut() {
    LocuscopeDocument* document = GetDocument();
    if (document == nullptr)
        return;
    const std::string pane = document->GetCurrentPaneName();
    const Range extent = document->GetPaneExtent(pane);
    document->SetPaneJumpRange(pane, extent.first, extent.second);
    update();
}

bool LocuscopeView::OnCommand(int id) {
    LocuscopeMainFrame* frame = LocuscopeMainFrame::Instance();
    bool* option = frame != nullptr ? frame->Options().ForCommand(id) : nullptr;
    if (option == nullptr)
        return false;
    *option = !*option;
    update();
    return true;
}

void LocuscopeView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    LocuscopeDocument* document = GetDocument();
    if (document == nullptr)
        return;
    const std::string pane = document->GetCurrentPaneName();
    painter.setPen(QColor(0x40, 0x40, 0x40));
    painter.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignLeft | Qt::AlignTop,
                     QString::fromStdString(document->GetPaneLabel(pane)));
}
