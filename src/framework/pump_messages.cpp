#include "framework/pump_messages.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <chrono>

namespace {

// Longest single sleep of a pumping wait: events that arrive meanwhile wake it early, and
// this bounds how late the end of the wait is noticed when none arrive.
constexpr int kPumpSliceMilliseconds = 10;

std::chrono::steady_clock::time_point ProcessStart() {
    static const std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    return start;
}

// Takes the start time while the program starts up, yet stays right for callers that run
// during static initialisation themselves.
[[maybe_unused]] const std::chrono::steady_clock::time_point kStartedAt = ProcessStart();

// Sleeps until an event arrives or the slice ends, then dispatches what is waiting.
void WaitForEvents(int milliseconds) {
    QTimer wakeUp;
    wakeUp.setSingleShot(true);
    wakeUp.start(milliseconds);
    QEventLoop loop;
    loop.processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    PumpMessages();
}

}  // namespace

void PumpMessages() {
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

int MillisecondsSinceStart() {
    const auto elapsed = std::chrono::steady_clock::now() - ProcessStart();
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void Delay(int milliseconds, bool pump, bool useStart, int start) {
    if (!useStart)
        start = MillisecondsSinceStart();
    const bool canPump = pump && QCoreApplication::instance() != nullptr;
    for (;;) {
        const int elapsed = MillisecondsSinceStart() - start;
        if (elapsed < 0 || elapsed >= milliseconds)
            return;
        const int remaining = milliseconds - elapsed;
        if (canPump)
            WaitForEvents(std::min(remaining, kPumpSliceMilliseconds));
        else
            QThread::msleep(static_cast<unsigned long>(remaining));
    }
}
