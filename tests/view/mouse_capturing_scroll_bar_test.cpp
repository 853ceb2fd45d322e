#include "view/mouse_capturing_scroll_bar.h"

#include <QApplication>
#include <QMouseEvent>

#include "support/qt_widget_test.h"

namespace {

class MouseCapturingScrollBarTest : public QtWidgetTest {
protected:
    void SetUp() override {
        view.resize(300, 200);
        view.setCursor(Qt::CrossCursor);  // a tool cursor of the view
        bar->setGeometry(0, 180, 300, 20);
        bar->setRange(0, 1000);
        view.show();
    }
    void TearDown() override {
        view.hide();
        EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
        QtWidgetTest::TearDown();
    }
    void Send(QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, bar->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(bar, &event);
    }
    void Move(QPoint at, Qt::MouseButtons held = Qt::NoButton) {
        Send(QEvent::MouseMove, at, held);
    }

    QWidget view;
    MouseCapturingScrollBar* bar = new MouseCapturingScrollBar(Qt::Horizontal, &view);
    const QPoint inside{150, 10};
    const QPoint outside{150, -40};  // over the view above the bar
};

TEST_F(MouseCapturingScrollBarTest, PointerOverTheBarGrabsWithAnArrowAndLeavingReleases) {
    Move(inside);
    EXPECT_TRUE(bar->HasMouseGrab());
    EXPECT_EQ(bar->cursor().shape(), Qt::ArrowCursor);
    Move(outside);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(MouseCapturingScrollBarTest, SliderDragOffTheBarKeepsTheGrabUntilRelease) {
    Move(inside);
    Send(QEvent::MouseButtonPress, inside, Qt::LeftButton);
    Move(outside, Qt::LeftButton);
    EXPECT_TRUE(bar->HasMouseGrab());
    Send(QEvent::MouseButtonRelease, outside, Qt::NoButton);
    EXPECT_FALSE(bar->HasMouseGrab());
}

TEST_F(MouseCapturingScrollBarTest, PressOffTheBarEndsTheGrabWithoutScrolling) {
    Move(inside);
    Send(QEvent::MouseButtonPress, outside, Qt::LeftButton);
    EXPECT_FALSE(bar->HasMouseGrab());
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(MouseCapturingScrollBarTest, HidingDisablingOrDestroyingTheBarEndsTheGrab) {
    Move(inside);
    bar->hide();
    EXPECT_FALSE(bar->HasMouseGrab());
    bar->show();
    Move(inside);
    bar->setEnabled(false);
    EXPECT_FALSE(bar->HasMouseGrab());
    bar->setEnabled(true);
    Move(inside);
    ASSERT_TRUE(bar->HasMouseGrab());
    delete bar;
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

}  // namespace
