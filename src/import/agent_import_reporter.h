#pragma once

#include <string>

#include "framework/notification_agent.h"
#include "import/import_reporter.h"

// Passes an import's reports to a notification agent (the genome's, whose chain ends at the
// progress dialog), in the agent's own terms: the overall and task bars, the error flag, and
// "Done" for the button the user closes the dialog with. The agent must outlive it.
class AgentImportReporter : public ImportReporter {
public:
    explicit AgentImportReporter(CNotificationAgent& agent) : agent_(agent) {}

    void ReportMessage(const std::string& text) override { agent_.ReportMessage(text); }
    void FlagError() override { agent_.SetErrorFlag(true); }
    bool HasError() override { return agent_.GetErrorFlag(); }
    bool IsCancelRequested() override { return agent_.IsCancelRequested(false); }
    void SetOverallProgress(int done, int total) override;
    void SetTaskProgress(int current, int total, const std::string& prefix) override;
    void SetTaskPercent(int percent, const std::string& prefix) override;
    void WaitForClose() override;

private:
    CNotificationAgent& agent_;
};
