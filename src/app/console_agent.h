#pragma once

#include <cstdio>
#include <string>

#include "framework/notification_agent.h"

// The end of the notification chain in headless runs: status lines go to a stream (standard
// error), one per line, as they are but for control bytes (see ConsoleText); the error flag is
// kept; nothing ever waits for a button.
class ConsoleAgent : public CNotificationAgent {
public:
    explicit ConsoleAgent(std::FILE* out) : out_(out) {}

    using CNotificationAgent::ReportMessage;
    void ReportMessage(const std::string& text) override;

    bool StepProgress(int type, const std::string&, const std::string&, int) override {
        return IsValidProgressType(type);
    }
    bool SetProgress(int type, int, int, const std::string&, const std::string&, int) override {
        return IsValidProgressType(type);
    }
    bool SetPercent(int type, int, const std::string&, const std::string&, int) override {
        return IsValidProgressType(type);
    }
    bool IsCancelRequested(bool) override { return false; }
    bool WaitForClose(const std::string&, int) override { return true; }
    bool AskAcceptReject(const std::string&, const std::string&, const std::string&) override {
        return true;
    }
    void SetErrorFlag(bool value) override { errorFlag_ = value; }
    bool GetErrorFlag() override { return errorFlag_; }
    void SetUnattended(bool) override {}
    bool IsUnattended() override { return true; }

private:
    std::FILE* out_;
    bool errorFlag_ = false;
};
