#include "framework/gui_message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <string>

#include "framework/display_text.h"
#include "framework/message_box.h"

void InstallGuiMessageBox() {
    SetMessageBoxHandler([](const std::string& text) {
        QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(),
                        DisplayText::From(text), QMessageBox::Ok, QApplication::activeWindow());
        box.exec();
    });
}
