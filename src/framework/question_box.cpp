#include "framework/question_box.h"

#include <QApplication>
#include <QMessageBox>

bool AskYesNo(const std::string& text, bool defaultYes) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(),
                    QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(defaultYes ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
