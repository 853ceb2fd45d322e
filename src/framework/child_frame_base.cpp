#include "framework/child_frame_base.h"

#include <QCloseEvent>

#include "framework/view_base.h"

CChildFrameBase::CChildFrameBase(QWidget* parent) : QMdiSubWindow(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
}

void CChildFrameBase::SetView(CViewBase* view) {
    view_ = view;
    setWidget(view);
}

void CChildFrameBase::closeEvent(QCloseEvent* event) {
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted())
        emit Closing(this);
}
