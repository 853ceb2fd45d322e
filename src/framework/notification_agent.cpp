#include "framework/notification_agent.h"

bool CNotificationAgent::StepProgress(int type, const std::string& prefix,
                                      const std::string& suffix, int tag) {
    if (!IsValidProgressType(type))
        return false;
    if (CNotificationAgent* next = ForwardTarget())
        return next->StepProgress(type, prefix, suffix, tag);
    return true;
}

bool CNotificationAgent::SetTaskProgress(int current, int total, const std::string& prefix,
                                         const std::string& suffix, int tag) {
    return SetProgress(PROGRESS_TASK, current, total, prefix, suffix, tag);
}

bool CNotificationAgent::SetTaskPercent(int percent, const std::string& prefix,
                                        const std::string& suffix, int tag) {
    return SetPercent(PROGRESS_TASK, percent, prefix, suffix, tag);
}

bool CNotificationAgent::SetProgress(int type, int current, int total, const std::string& prefix,
                                     const std::string& suffix, int tag) {
    if (!IsValidProgressType(type))
        return false;
    if (total == 0)
        total = 1;
    if (CNotificationAgent* next = ForwardTarget())
        return next->SetProgress(type, current, total, prefix, suffix, tag);
    const int percent = static_cast<int>(static_cast<double>(current) / total * 100.0);
    return SetPercent(type, percent, prefix, suffix, tag);
}

bool CNotificationAgent::SetPercent(int type, int percent, const std::string& prefix,
                                    const std::string& suffix, int tag) {
    if (!IsValidProgressType(type))
        return false;
    if (CNotificationAgent* next = ForwardTarget())
        return next->SetPercent(type, percent, prefix, suffix, tag);
    return true;
}

void CNotificationAgent::ReportMessage(const char* text) {
    ReportMessage(std::string(text != nullptr ? text : ""));
}

void CNotificationAgent::ReportMessage(const std::string& text) {
    if (CNotificationAgent* next = ForwardTarget())
        next->ReportMessage(text);
}

bool CNotificationAgent::IsCancelRequested(bool reset) {
    if (CNotificationAgent* next = ForwardTarget())
        return next->IsCancelRequested(reset);
    return false;
}

void CNotificationAgent::SetCancelRequested(bool) {}

bool CNotificationAgent::WaitForClose(const std::string& buttonText, int percent) {
    if (CNotificationAgent* next = ForwardTarget())
        return next->WaitForClose(buttonText, percent);
    return false;
}

bool CNotificationAgent::AskAcceptReject(const std::string& question, const std::string& acceptText,
                                         const std::string& rejectText) {
    if (CNotificationAgent* next = ForwardTarget())
        return next->AskAcceptReject(question, acceptText, rejectText);
    return true;
}

void CNotificationAgent::SetErrorFlag(bool value) {
    if (CNotificationAgent* next = ForwardTarget())
        next->SetErrorFlag(value);
}

bool CNotificationAgent::GetErrorFlag() {
    if (CNotificationAgent* next = ForwardTarget())
        return next->GetErrorFlag();
    return false;
}

void CNotificationAgent::SetUnattended(bool value) {
    if (CNotificationAgent* next = ForwardTarget())
        next->SetUnattended(value);
}

bool CNotificationAgent::IsUnattended() {
    if (CNotificationAgent* next = ForwardTarget())
        return next->IsUnattended();
    return false;
}
