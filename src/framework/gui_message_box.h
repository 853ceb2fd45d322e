#pragma once

// Routes ShowMessageBox (framework/message_box.h) to a modal QMessageBox with the text, the
// application's name as title and one OK button. Needs a QApplication; call it once at start.
void InstallGuiMessageBox();
