#include "import/agent_import_reporter.h"

namespace {

constexpr int kNoTag = 0;
constexpr int kDonePercent = 100;

}  // namespace

void AgentImportReporter::SetOverallProgress(int done, int total) {
    agent_.SetProgress(CNotificationAgent::PROGRESS_OVERALL, done, total, "", "", kNoTag);
}

void AgentImportReporter::SetTaskProgress(int current, int total, const std::string& prefix) {
    agent_.SetTaskProgress(current, total, prefix, "", kNoTag);
}

void AgentImportReporter::SetTaskPercent(int percent, const std::string& prefix) {
    agent_.SetTaskPercent(percent, prefix, "", kNoTag);
}

void AgentImportReporter::WaitForClose() {
    agent_.WaitForClose("Done", kDonePercent);
}
