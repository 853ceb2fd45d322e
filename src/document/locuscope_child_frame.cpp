#include "document/locuscope_child_frame.h"

#include "document/locuscope_main_frame.h"

LocuscopeChildFrame::LocuscopeChildFrame(QWidget* parent) : CChildFrameBase(parent) {
    setWindowFlags(Qt::SubWindow);
}

void LocuscopeChildFrame::focusInEvent(QFocusEvent* event) {
    CChildFrameBase::focusInEvent(event);
    if (LocuscopeMainFrame* frame = LocuscopeMainFrame::Instance())
        frame->RefreshPaneSelector();
}
