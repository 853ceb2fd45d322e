#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>

#include "framework/c_dialog_progress.h"

// Calls ready with the progress dialog on show, from the events its operation pumps, every
// few milliseconds until it returns true.
inline void WhenProgress(std::function<bool(CDialogProgress*)> ready) {
    auto* timer = new QTimer;
    timer->setInterval(1);
    QObject::connect(timer, &QTimer::timeout, [timer, ready] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<CDialogProgress*>(window);
            if (progress != nullptr && progress->isVisible() && ready(progress)) {
                timer->stop();
                timer->deleteLater();
                return;
            }
        }
    });
    timer->start();
}
