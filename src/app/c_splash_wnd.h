#pragma once

#include <QObject>
#include <QWidget>

class QTimer;

// The splash window shown over the main frame at start-up. It hides itself after its display
// time, or at the first key press or mouse click, which it swallows; it never comes back.
class CSplashWnd : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMinimumDisplayMilliseconds = 100;

    // Shows the splash for displayMilliseconds (at least 100) unless it is disabled or up.
    static void ShowSplashScreen(QWidget* owner, int displayMilliseconds);
    static void EnableSplashScreen(bool enable);
    static void HideSplashScreen();
    // The splash window that is up, or null.
    static CSplashWnd* Current();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CSplashWnd(QWidget* owner, int displayMilliseconds);
    ~CSplashWnd() override;

    QPixmap picture_;
    QTimer* timer_;
};
