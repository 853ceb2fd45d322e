#pragma once

#include <string>

// Receiver of everything a long operation has to say: progress, status lines, questions and
// the cancel request. Agents form a chain: an agent with a target forwards to it; the agent at
// the end of the chain (no target, or itself as target) answers with fixed defaults, so every
// operation also runs with nobody watching.
class CNotificationAgent {
public:
    enum PROCESS_ID_PROGRESS_TYPE { PROGRESS_OVERALL = 0, PROGRESS_TASK = 1 };

    explicit CNotificationAgent(CNotificationAgent* target = nullptr) : target_(target) {}
    virtual ~CNotificationAgent() = default;

    CNotificationAgent(const CNotificationAgent&) = default;
    CNotificationAgent& operator=(const CNotificationAgent&) = default;

    // The target is referred to, never owned; null ends the chain.
    virtual void SetNotificationTarget(CNotificationAgent* target) { target_ = target; }
    virtual CNotificationAgent* GetNotificationTarget() const { return target_; }

    // Progress operations return false, and do nothing else, for a type other than 0 or 1.
    virtual bool StepProgress(int type, const std::string& prefix, const std::string& suffix,
                              int tag);
    virtual bool SetTaskProgress(int current, int total, const std::string& prefix,
                                 const std::string& suffix, int tag);
    virtual bool SetTaskPercent(int percent, const std::string& prefix, const std::string& suffix,
                                int tag);
    // A total of 0 counts as 1. Without a target: SetPercent(current / total * 100).
    virtual bool SetProgress(int type, int current, int total, const std::string& prefix,
                             const std::string& suffix, int tag);
    virtual bool SetPercent(int type, int percent, const std::string& prefix,
                            const std::string& suffix, int tag);

    virtual void ReportMessage(const char* text);
    virtual void ReportMessage(const std::string& text);

    // Without a target: no cancel, nothing waited for, every question accepted.
    virtual bool IsCancelRequested(bool reset);
    virtual void SetCancelRequested(bool value);  // never forwarded
    virtual bool WaitForClose(const std::string& buttonText, int percent);
    virtual bool AskAcceptReject(const std::string& question, const std::string& acceptText,
                                 const std::string& rejectText);
    virtual void SetErrorFlag(bool value);
    virtual bool GetErrorFlag();
    virtual void SetUnattended(bool value);
    virtual bool IsUnattended();

protected:
    // The next agent of the chain, or null when this agent answers with the defaults.
    CNotificationAgent* ForwardTarget() const { return target_ != this ? target_ : nullptr; }
    static bool IsValidProgressType(int type) {
        return type == PROGRESS_OVERALL || type == PROGRESS_TASK;
    }

private:
    CNotificationAgent* target_;
};
