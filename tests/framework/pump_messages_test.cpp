#include "framework/pump_messages.h"

#include <gtest/gtest.h>
#include <QTimer>

namespace {

TEST(PumpMessagesTest, PumpingDelayDispatchesEventsAndPlainDelayDoesNot) {
    bool pumped = false;
    QTimer::singleShot(0, [&] { pumped = true; });
    Delay(30, true);
    EXPECT_TRUE(pumped);

    bool plain = false;
    QTimer::singleShot(0, [&] { plain = true; });
    Delay(30, false);
    EXPECT_FALSE(plain);
    PumpMessages();
    EXPECT_TRUE(plain);
}

TEST(PumpMessagesTest, DelayEndsAtOnceWhenTheStartLiesAhead) {
    // Would wait a minute if the negative difference were not noticed.
    Delay(60000, true, true, MillisecondsSinceStart() + 100000);
    Delay(60000, false, true, MillisecondsSinceStart() + 100000);
}

}  // namespace
