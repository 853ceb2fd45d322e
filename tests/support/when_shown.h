#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

// Answers the next popup menu or modal dialog as soon as it shows, from the event loop that
// the menu or dialog runs; the test's own call that opened it returns afterwards.
inline void WhenShown(std::function<void(QWidget*)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        QWidget* shown = QApplication::activePopupWidget();
        if (shown == nullptr)
            shown = QApplication::activeModalWidget();
        if (shown == nullptr)
            return;
        timer->stop();
        timer->deleteLater();
        answer(shown);
    });
    timer->start();
}
