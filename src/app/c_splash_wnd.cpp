#include "app/c_splash_wnd.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "app/app_icon.h"
#include "framework/c_dialog_progress.h"

namespace {

CSplashWnd* current = nullptr;
bool enabled = true;

}  // namespace

CSplashWnd::CSplashWnd(QWidget* owner, int displayMilliseconds)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(SplashPicture()),
      timer_(new QTimer(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(picture_.size());
    setCursor(Qt::ArrowCursor);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &CSplashWnd::HideSplashScreen);
    timer_->start(std::max(displayMilliseconds, kMinimumDisplayMilliseconds));
    qApp->installEventFilter(this);
    CDialogProgress::SetSplashWindow(this);
}

CSplashWnd::~CSplashWnd() {
    qApp->removeEventFilter(this);
    CDialogProgress::SetSplashWindow(nullptr);
    if (current == this)
        current = nullptr;
}

void CSplashWnd::ShowSplashScreen(QWidget* owner, int displayMilliseconds) {
    if (!enabled || current != nullptr)
        return;
    current = new CSplashWnd(owner, displayMilliseconds);
    current->show();
    current->raise();
}

void CSplashWnd::EnableSplashScreen(bool enable) { enabled = enable; }

void CSplashWnd::HideSplashScreen() {
    if (current == nullptr)
        return;
    CSplashWnd* splash = current;
    current = nullptr;
    enabled = false;  // once hidden it stays away
    QWidget* owner = splash->parentWidget();
    splash->close();
    if (owner != nullptr)
        owner->update();
}

CSplashWnd* CSplashWnd::Current() { return current; }

void CSplashWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

bool CSplashWnd::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::NonClientAreaMouseButtonPress:
            HideSplashScreen();
            return true;  // the press that hid the splash goes no further
        default:
            return QWidget::eventFilter(watched, event);
    }
}
