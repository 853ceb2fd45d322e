#include "document/long_operation_guard.h"

#include <QApplication>
#include <QTimer>
#include <algorithm>

#include "document/locuscope_document.h"
#include "framework/c_dialog_progress.h"
#include "framework/owner_modal_dialog.h"
#include "framework/pump_messages.h"

namespace {

constexpr int kPauseStepMilliseconds = 50;

std::vector<LongOperationGuard*>& Running() {
    static std::vector<LongOperationGuard*> running;
    return running;
}

struct DeferredAction {
    std::function<void()> action;
    bool closesModalDialogs;  // a close request: it must not run under a modal dialog
};

std::vector<DeferredAction>& Deferred() {
    static std::vector<DeferredAction> deferred;
    return deferred;
}

// The modal dialog in front, Qt's own or one that disables its owner; null when none is up.
QWidget* TopDialog() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return OwnerModalDialog::Innermost();
}

bool AnyDeferredCloses() {
    return std::any_of(Deferred().begin(), Deferred().end(),
                       [](const DeferredAction& entry) { return entry.closesModalDialogs; });
}

}  // namespace

LongOperationGuard::LongOperationGuard(LocuscopeDocument& document, const std::string& caption,
                                       const std::string& lowerLabel,
                                       const std::string& upperLabel, int overallTotal)
    : document_(document) {
    // Busy before the dialog exists: showing it already pumps events.
    ++document_.busy_;
    Running().push_back(this);
    if (CNotificationAgent* console = document_.headlessAgent_) {
        console->SetUnattended(true);
        document_.SetNotificationTarget(console);
        return;
    }
    // While a modal dialog (the Search Dialog) is up, the progress dialog must be its child.
    dialog_ = std::make_unique<CDialogProgress>(caption, TopDialog());
    dialog_->Start(lowerLabel, upperLabel, "", nullptr);
    if (upperLabel.empty())
        dialog_->ConfigureBar(CDialogProgress::BAR_UPPER, "", false);
    dialog_->SetProgress(CNotificationAgent::PROGRESS_OVERALL, 0, overallTotal, "", "", 0);
    if (cancelled_)
        Cancel();
    document_.SetNotificationTarget(dialog_.get());
}

LongOperationGuard::~LongOperationGuard() {
    document_.SetNotificationTarget(nullptr);
    if (dialog_)
        dialog_->DestroyWindow();
    --document_.busy_;
    Running().erase(std::remove(Running().begin(), Running().end(), this), Running().end());
    if (Running().empty() && !Deferred().empty())
        ScheduleDeferred();
}

void LongOperationGuard::Pause(int milliseconds) const {
    if (!dialog_)
        return;
    const int start = MillisecondsSinceStart();
    while (!cancelled_ && MillisecondsSinceStart() - start < milliseconds)
        Delay(kPauseStepMilliseconds, true);
}

void LongOperationGuard::Cancel() {
    cancelled_ = true;
    if (dialog_) {
        // Nobody is left to press "Done" once the window is going away.
        dialog_->SetUnattended(true);
        dialog_->SetCancelRequested(true);
    }
}

bool LongOperationGuard::IsAnyRunning() {
    return !Running().empty();
}

bool LongOperationGuard::MustCloseLater() {
    return IsAnyRunning() || OwnerModalDialog::Innermost() != nullptr;
}

void LongOperationGuard::CancelAllThen(std::function<void()> action) {
    for (LongOperationGuard* guard : Running())
        guard->Cancel();
    Deferred().push_back({std::move(action), true});
    if (Running().empty())
        ScheduleDeferred();
}

void LongOperationGuard::WhenIdle(std::function<void()> action) {
    Deferred().push_back({std::move(action), false});
    if (Running().empty())
        ScheduleDeferred();
}

void LongOperationGuard::ScheduleDeferred() {
    QTimer::singleShot(0, qApp, &LongOperationGuard::RunDeferred);
}

void LongOperationGuard::RunDeferred() {
    if (!Running().empty() || Deferred().empty())
        return;
    // A modal dialog that showed the operation (the Search Dialog) is closed first; the actions
    // wait one more turn of the event loop, until its run has returned.
    QWidget* modal = TopDialog();
    if (modal != nullptr && AnyDeferredCloses()) {
        modal->close();
        ScheduleDeferred();
        return;
    }
    std::vector<DeferredAction> actions;
    actions.swap(Deferred());
    for (const DeferredAction& entry : actions)
        entry.action();
}
