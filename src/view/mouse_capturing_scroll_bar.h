#pragma once

#include <QScrollBar>

// The view's scroll bars. While the pointer is over the bar, the bar holds the mouse grab, so
// that it sees the move that takes the pointer off it even when that move lands in another
// window; that move ends the grab. Over the bar the pointer is the standard arrow, whatever
// tool cursor the view shows.
//
// The grab is never ended while a mouse button is down (a drag of the slider follows the
// pointer anywhere), and always ended when the bar is hidden, disabled or destroyed.
class MouseCapturingScrollBar : public QScrollBar {
    Q_OBJECT

public:
    explicit MouseCapturingScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);
    ~MouseCapturingScrollBar() override;

    // True while this bar holds the mouse grab.
    bool HasMouseGrab() const;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Grabs when position lies on the bar, releases otherwise.
    void FollowPointer(const QPoint& position);
    void ReleaseGrab();
};
