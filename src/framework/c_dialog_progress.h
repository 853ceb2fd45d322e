#pragma once

#include <QPointer>
#include <array>
#include <string>

#include "framework/c_dialog_base.h"

class CProgressCtrlBase;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The agent that shows what long operations report: a modeless window with a status box, up
// to two progress bars (overall progress below, the current task above) and a Cancel button.
// Every notification dispatches the thread's pending events, so the window stays responsive
// while the work runs on the user-interface thread.
//
// Typical use: construct on the stack, Start() (two bars) or Create() (one bar), make the
// dialog the target of the operation's agent, run the operation, WaitForClose("Done", 100)
// when it flagged an error, clear the target, DestroyWindow() (or let the destructor do it).
// Controls carry object names for style sheets and tests: "statusBox", "upperLabel",
// "upperBar", "lowerLabel", "lowerBar", "acceptButton", "cancelButton", "rejectButton".
// While the window exists its owner window is disabled, so the user can reach only this
// dialog; the dialog is modeless, yet behaves as a modal one.
class CDialogProgress : public CDialogBase {
    Q_OBJECT

public:
    // The two bar controls, named by place.
    enum DIALOG_ID_PROGRESS_TYPE { BAR_LOWER = 0, BAR_UPPER = 1 };

    // caption becomes the window title when the window is created. parent is the Qt parent
    // (the window the dialog stays above); it is not owned.
    explicit CDialogProgress(const std::string& caption, QWidget* parent = nullptr);
    ~CDialogProgress() override;

    // Shows the window with one bar, labelled "Progress", which both progress types drive.
    // Disables the owner's window (owner null: the dialog's parent window, else the visible
    // QMainWindow, else the active window) unless it is already disabled or is the splash
    // window. Returns 1. While a modal dialog is up, pass it as parent: Qt blocks input to
    // every other window.
    int Create(QWidget* owner = nullptr);
    // Create(), then shows both bars with the given labels at 0 % and sets logPath.
    int Start(const std::string& lowerLabel, const std::string& upperLabel,
              const std::string& logPath, QWidget* owner = nullptr);
    // Saves the window rectangle, enables the owner again and hides the window; the bars stop
    // answering. Safe to call more than once.
    void DestroyWindow();

    // Labels and shows or hides a bar. Hiding the upper bar makes the task type drive the
    // lower bar; hiding the lower bar leaves the overall type without a bar. False for an
    // unknown bar id.
    bool ConfigureBar(int barId, const std::string& label, bool show);
    bool SetBarLabel(int barId, const std::string& label);

    // Bar operations by progress type. They act only while the window exists and the type has
    // a bar; otherwise they change nothing and return false or 0.0.
    bool SetBarRange(int type, float lower, float upper);
    float SetBarPosition(int type, float position);  // returns the previous position
    float SetBarStep(int type, float step);          // returns the previous step
    float AdvanceBar(int type);  // whole part of the position plus the step; returns it

    // Shows or hides the Cancel button; a hidden Cancel also ignores close requests.
    void ShowCancelButton(bool show);

    // The window that a splash screen occupies is never disabled as an owner.
    static void SetSplashWindow(QWidget* splash);

    // Notification agent.
    bool StepProgress(int type, const std::string& prefix, const std::string& suffix,
                      int tag) override;
    // A total of 0 counts as 1; current is clamped to 0..total, and -1 sets the bar busy.
    // Task progress also moves the overall bar within its current whole unit, up to 0.9999
    // of the way to the next one.
    bool SetProgress(int type, int current, int total, const std::string& prefix,
                     const std::string& suffix, int tag) override;
    bool SetPercent(int type, int percent, const std::string& prefix, const std::string& suffix,
                    int tag) override;
    bool IsCancelRequested(bool reset) override;  // dispatches pending events first
    // Waits for the Cancel button, relabelled buttonText, with the overall bar at percent and
    // prefixed with buttonText. True at once when unattended; false without a window.
    bool WaitForClose(const std::string& buttonText, int percent) override;
    // Reports question, shows Accept and Reject with the given texts instead of Cancel and
    // waits for one of them; false only when rejected, so true at once when unattended or
    // without a window.
    bool AskAcceptReject(const std::string& question, const std::string& acceptText,
                         const std::string& rejectText) override;
    void SetErrorFlag(bool value) override { errorFlag_ = value; }
    bool GetErrorFlag() override { return errorFlag_; }
    void SetUnattended(bool value) override { unattended_ = value; }
    bool IsUnattended() override { return unattended_; }

    // The keyboard's cancel key acts as the Cancel button; nothing closes the window but
    // DestroyWindow().
    void reject() override;
    void accept() override {}

    static constexpr const char* kWindowRectKey = "CDialogProgress";

protected:
    bool WindowExists() const override { return active_; }
    void closeEvent(QCloseEvent* event) override;

private:
    CProgressCtrlBase* BarOfType(int type) const;
    void OnCancel();
    void OnAnswer(int answer);
    QRect DefaultWindowRect() const;

    std::string caption_;
    QPlainTextEdit* statusBox_;
    QLabel* upperLabel_;
    CProgressCtrlBase* upperBar_;
    QLabel* lowerLabel_;
    CProgressCtrlBase* lowerBar_;
    QPushButton* acceptButton_;
    QPushButton* cancelButton_;
    QPushButton* rejectButton_;
    std::array<CProgressCtrlBase*, 2> barsByType_{};  // by PROCESS_ID_PROGRESS_TYPE
    std::array<CProgressCtrlBase*, 2> barsById_{};    // by DIALOG_ID_PROGRESS_TYPE

    bool errorFlag_ = false;
    bool unattended_ = false;
    bool ownerDisabled_ = false;
    bool active_ = false;
    bool cancelShown_ = true;
    int answer_ = -1;  // 1 Accept, 0 Reject, -1 not answered yet
    QPointer<QWidget> owner_;
};
