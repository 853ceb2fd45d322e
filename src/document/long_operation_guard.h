#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CDialogProgress;
class LocuscopeDocument;

// The one mechanism that keeps a long operation (import, search, export, print) safe while it
// pumps events. For its lifetime the guard
// - marks the document busy (LocuscopeDocument::IsBusy), so no second long operation starts on
//   it and commands that would start one are refused;
// - shows the progress dialog (or, in headless runs, uses the document's console agent) and
//   makes it the document agent's target, clearing the target again however the scope ends.
// Frames that receive a close request or a drop meanwhile do not act at once: they call
// CancelAllThen or WhenIdle, and the action runs from the event loop once every operation has
// returned and no modal dialog is left on the stack above it.
class LongOperationGuard {
public:
    // upperLabel names the task bar, lowerLabel the overall bar, whose total is overallTotal;
    // with an empty upperLabel the overall bar is shown alone.
    LongOperationGuard(LocuscopeDocument& document, const std::string& caption,
                       const std::string& lowerLabel, const std::string& upperLabel,
                       int overallTotal);
    ~LongOperationGuard();
    LongOperationGuard(const LongOperationGuard&) = delete;
    LongOperationGuard& operator=(const LongOperationGuard&) = delete;

    // Waits milliseconds with the dialog up (events pumped); no wait in headless runs or once
    // a close has cancelled the operation.
    void Pause(int milliseconds) const;

    static bool IsAnyRunning();
    // True while a long operation runs or a dialog that disables its owner is up (the Search
    // Dialog): a window closed now must wait for them.
    static bool MustCloseLater();
    // Asks every running operation to cancel (and to stop waiting for "Done"), then runs action
    // once none is left; at once, from the event loop, when none runs.
    static void CancelAllThen(std::function<void()> action);
    // Runs action once no operation runs (from the event loop).
    static void WhenIdle(std::function<void()> action);

private:
    void Cancel();
    static void ScheduleDeferred();
    static void RunDeferred();

    LocuscopeDocument& document_;
    std::unique_ptr<CDialogProgress> dialog_;
    bool cancelled_ = false;
};
