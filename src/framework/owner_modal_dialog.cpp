#include "framework/owner_modal_dialog.h"

#include <QDialog>
#include <QEventLoop>
#include <QPointer>
#include <algorithm>
#include <vector>

namespace {

std::vector<QPointer<QDialog>>& Running() {
    static std::vector<QPointer<QDialog>> running;
    return running;
}

}  // namespace

int OwnerModalDialog::Exec(QDialog& dialog) {
    QPointer<QWidget> owner =
        dialog.parentWidget() != nullptr ? dialog.parentWidget()->window() : nullptr;
    const bool disabling = owner != nullptr && owner->isEnabled();
    if (disabling)
        owner->setEnabled(false);
    // Disabling a window disables the windows it parents as well, this one among them.
    dialog.setEnabled(true);
    dialog.setWindowModality(Qt::NonModal);
    Running().push_back(&dialog);
    QEventLoop loop;
    QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    dialog.show();
    dialog.activateWindow();
    if (dialog.isVisible())
        loop.exec(QEventLoop::DialogExec);
    Running().erase(std::remove(Running().begin(), Running().end(), &dialog), Running().end());
    if (disabling && owner != nullptr)
        owner->setEnabled(true);
    return dialog.result();
}

QDialog* OwnerModalDialog::Innermost() {
    for (auto it = Running().rbegin(); it != Running().rend(); ++it) {
        if (*it != nullptr)
            return *it;
    }
    return nullptr;
}
