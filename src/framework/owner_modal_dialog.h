#pragma once

class QDialog;

// Runs a dialog modally the way the progress dialog keeps its owner: the owner window (the
// dialog's parent's window) is disabled while the dialog is up, instead of being blocked by
// Qt's modality. Qt drops the window manager's close request for a window that a modal dialog
// blocks; a disabled window still receives it, so closing the main window can end what runs
// under the dialog (a search) and then close the dialog itself.
class OwnerModalDialog {
public:
    // Shows dialog and returns its result once it is finished, as QDialog::exec() does.
    static int Exec(QDialog& dialog);
    // The innermost dialog running in Exec, or null.
    static QDialog* Innermost();
};
