#include "framework/notification_agent.h"

#include <gtest/gtest.h>

#include "support/recording_agent.h"

namespace {

TEST(NotificationAgentTest, AgentWithoutTargetAnswersWithDefaults) {
    CNotificationAgent agent;
    EXPECT_FALSE(agent.IsCancelRequested(false));
    EXPECT_TRUE(agent.AskAcceptReject("Sure?", "Yes", "No"));
    EXPECT_FALSE(agent.WaitForClose("Done", 100));
    EXPECT_FALSE(agent.GetErrorFlag());
    EXPECT_FALSE(agent.IsUnattended());
    // The total 0 counts as 1, and the call ends in the default SetPercent.
    EXPECT_TRUE(agent.SetTaskProgress(5, 0, "", "", 0));
    EXPECT_TRUE(agent.StepProgress(CNotificationAgent::PROGRESS_OVERALL, "", "", 0));
}

TEST(NotificationAgentTest, AgentTargetingItselfDoesNotRecurse) {
    CNotificationAgent agent;
    agent.SetNotificationTarget(&agent);
    agent.ReportMessage("hello");
    agent.SetErrorFlag(true);
    EXPECT_FALSE(agent.GetErrorFlag());
    EXPECT_TRUE(agent.AskAcceptReject("?", "a", "r"));
    EXPECT_TRUE(agent.SetProgress(CNotificationAgent::PROGRESS_TASK, 1, 2, "", "", 0));
}

TEST(NotificationAgentTest, ChainForwardsEveryNotificationToItsEnd) {
    RecordingAgent end;
    CNotificationAgent middle(&end);
    CNotificationAgent first(&middle);

    first.ReportMessage("line one");
    first.ReportMessage(std::string("line two"));
    first.SetErrorFlag(true);
    first.SetTaskPercent(40, "", "", 0);
    end.cancelAnswer = true;

    EXPECT_EQ(end.messages, (std::vector<std::string>{"line one", "line two"}));
    EXPECT_TRUE(first.GetErrorFlag());
    EXPECT_EQ(end.percents, std::vector<int>{40});
    EXPECT_TRUE(first.IsCancelRequested(false));
    EXPECT_TRUE(first.WaitForClose("Done", 100));
    EXPECT_EQ(end.waits, 1);
}

TEST(NotificationAgentTest, DefaultProgressTurnsCountsIntoTruncatedPercent) {
    // An agent that answers SetPercent itself but leaves SetProgress to the base class.
    RecordingAgent agent;
    agent.SetProgress(CNotificationAgent::PROGRESS_OVERALL, 2, 3, "", "", 0);
    agent.SetProgress(CNotificationAgent::PROGRESS_OVERALL, 7, 0, "", "", 0);
    EXPECT_EQ(agent.percents, (std::vector<int>{66, 700}));
}

TEST(NotificationAgentTest, ProgressWithUnknownTypeIsRefusedAndNotForwarded) {
    RecordingAgent end;
    CNotificationAgent agent(&end);
    for (int type : {-1, 2}) {
        EXPECT_FALSE(agent.StepProgress(type, "", "", 0)) << type;
        EXPECT_FALSE(agent.SetProgress(type, 1, 2, "", "", 0)) << type;
        EXPECT_FALSE(agent.SetPercent(type, 50, "", "", 0)) << type;
    }
    EXPECT_TRUE(end.percents.empty());
}

}  // namespace
