#pragma once

#include <QDialog>
#include <QRect>
#include <QString>
#include <string>
#include <utility>

#include "framework/notification_agent.h"

class QFormLayout;
class QPlainTextEdit;
class QPushButton;

// Base of every dialog of the program: a QDialog that is also a notification agent, so it can
// show status lines and be asked to cancel, with tooltips on its controls and window
// rectangles remembered in the settings.
//
// The dialog's window counts as existing from its initialisation on: InitDialogBase(), which
// a subclass calls once its controls are built, or else the first show. Subclasses that take
// their window down early (CDialogProgress) override WindowExists().
class CDialogBase : public QDialog, public CNotificationAgent {
    Q_OBJECT

public:
    explicit CDialogBase(QWidget* parent = nullptr);

    // Runs once; later calls do nothing. Calls OnInitDialog(), gives every child control that
    // shows a text a tooltip with that text (at most kToolTipLength characters, taken again
    // whenever the tooltip is shown, so it follows text changes) and records initialClientRect.
    void InitDialogBase();

    // A status line: forwarded to this agent's target, appended to logPath when that is set
    // and to the status box when the dialog has one (see SetStatusBox). Ignored while the
    // window does not exist.
    using CNotificationAgent::ReportMessage;
    void ReportMessage(const char* text) override;
    void ReportMessage(const std::string& text) override;

    // Closing the window through its close button sets the request; IsCancelRequested answers
    // it (clearing it when reset is true) before asking the agent's target, if any.
    void SetCancelRequested(bool value) override;
    bool IsCancelRequested(bool reset) override;

    // Window rectangles in screen pixels, stored in section "RectDefaultWindowSetupPosition" as
    // key + "_left", "_top", "_right", "_bottom" (right and bottom exclusive). The rectangle is
    // the window's client area, which round-trips exactly whatever the window frame is.
    // Save stores nothing and returns false while the window is minimised or maximised;
    // otherwise it returns whether all four writes succeeded.
    bool SaveWindowRect(const std::string& key);
    // Reads the stored rectangle (missing values from defaultRect), clips it to the screen and
    // applies it when at least kMinimumRestoredSize pixels remain each way; returns whether it did.
    bool RestoreWindowRect(const std::string& key, const QRect& defaultRect);
    // Centres the window on its screen, then moves it by dx, dy pixels.
    void CenterOnScreen(int dx, int dy);

    // Enables or disables control when the window exists and control is one of its children.
    void EnableControl(QWidget* control, bool enable);
    // False while the window does not exist; true for a null control or an empty text.
    bool IsControlTextEmpty(const QWidget* control) const;

    // The text a control shows (button, label, entry field, combo box, group box title,
    // text box); empty for other widgets.
    static QString ControlText(const QWidget* control);

    static constexpr int kToolTipLength = 77;
    static constexpr int kStatusBoxCapacity = 4096;
    static constexpr int kMinimumRestoredSize = 10;
    static constexpr const char* kWindowRectSection = "RectDefaultWindowSetupPosition";

    QRect initialClientRect;  // client area at initialisation, in widget coordinates
    std::string logPath;      // empty: status lines are not written to a file

protected:
    // Subclass part of the initialisation: apply texts kept in fields to the controls.
    virtual void OnInitDialog() {}
    virtual bool WindowExists() const { return initialised_; }
    // The read-only box that receives status lines; not owned (a child of the dialog).
    void SetStatusBox(QPlainTextEdit* box) { statusBox_ = box; }
    // Converts a size in dialog units (a quarter of the average character width, an eighth
    // of the character height) into pixels for this dialog's font.
    QSize DialogUnitsToPixels(int width, int height) const;
    // Lays the dialog out as form above a right-aligned OK (the default button, accepting)
    // and Cancel (rejecting) row, sized to fit. The two buttons are returned for tab order.
    std::pair<QPushButton*, QPushButton*> LayOutWithOkCancel(QFormLayout* form);

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AppendToStatusBox(const QString& line);

    QPlainTextEdit* statusBox_ = nullptr;
    bool initialised_ = false;

protected:
    bool cancelRequested_ = false;
};
