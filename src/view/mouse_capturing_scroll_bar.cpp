#include "view/mouse_capturing_scroll_bar.h"

#include <QMouseEvent>

MouseCapturingScrollBar::MouseCapturingScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {
    setMouseTracking(true);  // moves arrive without a button held
}

MouseCapturingScrollBar::~MouseCapturingScrollBar() {
    // A grab held by a destroyed widget would leave the whole program without mouse input.
    ReleaseGrab();
}

bool MouseCapturingScrollBar::HasMouseGrab() const {
    return QWidget::mouseGrabber() == this;
}

void MouseCapturingScrollBar::FollowPointer(const QPoint& position) {
    if (rect().contains(position)) {
        if (!HasMouseGrab() && isVisible() && isEnabled())
            grabMouse();
    } else {
        ReleaseGrab();
    }
}

void MouseCapturingScrollBar::ReleaseGrab() {
    if (HasMouseGrab())
        releaseMouse();
}

void MouseCapturingScrollBar::mouseMoveEvent(QMouseEvent* event) {
    // With a button down the slider may be dragged far off the bar; the grab must hold.
    if (event->buttons() == Qt::NoButton)
        FollowPointer(event->position().toPoint());
    if (cursor().shape() != Qt::ArrowCursor)
        setCursor(Qt::ArrowCursor);
    QScrollBar::mouseMoveEvent(event);
}

void MouseCapturingScrollBar::mousePressEvent(QMouseEvent* event) {
    // Under our grab a click elsewhere reaches us first. It was not meant for the bar, and
    // passed on to the parent it would arrive at a point the parent does not cover.
    if (!rect().contains(event->position().toPoint())) {
        ReleaseGrab();
        event->accept();
        return;
    }
    QScrollBar::mousePressEvent(event);
}

void MouseCapturingScrollBar::mouseReleaseEvent(QMouseEvent* event) {
    QScrollBar::mouseReleaseEvent(event);
    // A drag that ended off the bar hands the mouse back at once.
    if (event->buttons() == Qt::NoButton)
        FollowPointer(event->position().toPoint());
}

void MouseCapturingScrollBar::hideEvent(QHideEvent* event) {
    ReleaseGrab();
    QScrollBar::hideEvent(event);
}

void MouseCapturingScrollBar::changeEvent(QEvent* event) {
    // A disabled widget gets no mouse events, so it could never give a grab back.
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        ReleaseGrab();
    QScrollBar::changeEvent(event);
}
