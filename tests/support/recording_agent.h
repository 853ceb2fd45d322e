#pragma once

#include <string>
#include <vector>

#include "framework/notification_agent.h"

// The end of a notification chain that remembers what reached it, for tests.
class RecordingAgent : public CNotificationAgent {
public:
    std::vector<std::string> messages;
    std::vector<int> percents;  // SetPercent values, in order
    int waits = 0;
    bool cancelAnswer = false;

    using CNotificationAgent::ReportMessage;
    void ReportMessage(const std::string& text) override { messages.push_back(text); }
    bool SetPercent(int type, int percent, const std::string&, const std::string&, int) override {
        if (!IsValidProgressType(type))
            return false;
        percents.push_back(percent);
        return true;
    }
    bool IsCancelRequested(bool) override { return cancelAnswer; }
    bool WaitForClose(const std::string&, int) override {
        ++waits;
        return true;
    }
    void SetErrorFlag(bool value) override { errorFlag_ = value; }
    bool GetErrorFlag() override { return errorFlag_; }

private:
    bool errorFlag_ = false;
};
