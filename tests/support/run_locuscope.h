#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>
#include <functional>

// The program run as a user would, from the test-data folder so that paths stay short.
struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// inChild, when given, runs in the child process just before the program starts (to set a
// resource limit, say).
inline RunResult RunLocuscope(const QStringList& arguments,
                              const std::function<void()>& inChild = {}) {
    QProcess process;
    process.setWorkingDirectory(QStringLiteral(LOCUSCOPE_TEST_DATA));
    if (inChild)
        process.setChildProcessModifier(inChild);
    process.start(QStringLiteral(LOCUSCOPE_EXECUTABLE), arguments);
    EXPECT_TRUE(process.waitForFinished(60000)) << arguments.join(' ').toStdString();
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}
