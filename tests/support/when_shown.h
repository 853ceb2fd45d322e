#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "framework/owner_modal_dialog.h"

// Answers the next popup menu or modal dialog (Qt's or one that disables its owner) as soon as
// it shows, from the event loop that the menu or dialog runs; the test's own call that opened
// it returns afterwards.
inline void WhenShown(std::function<void(QWidget*)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        QWidget* shown = QApplication::activePopupWidget();
        if (shown == nullptr)
            shown = QApplication::activeModalWidget();
        if (shown == nullptr)
            shown = OwnerModalDialog::Innermost();
        if (shown == nullptr)
            return;
        timer->stop();
        timer->deleteLater();
        answer(shown);
    });
    timer->start();
}
