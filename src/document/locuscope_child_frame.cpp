#include "document/locuscope_child_frame.h"

#include <QCloseEvent>
#include <QPointer>

#include "document/long_operation_guard.h"

LocuscopeChildFrame::LocuscopeChildFrame(QWidget* parent) : CChildFrameBase(parent) {
    setWindowFlags(Qt::SubWindow);
}

void LocuscopeChildFrame::closeEvent(QCloseEvent* event) {
    if (LongOperationGuard::MustCloseLater()) {
        event->ignore();
        LongOperationGuard::CancelAllThen([frame = QPointer<LocuscopeChildFrame>(this)] {
            if (frame)
                frame->close();
        });
        return;
    }
    CChildFrameBase::closeEvent(event);
}
