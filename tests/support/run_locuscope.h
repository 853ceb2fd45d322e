#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>

// The program run as a user would, from the test-data folder so that paths stay short.
struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline RunResult RunLocuscope(const QStringList& arguments) {
    QProcess process;
    process.setWorkingDirectory(QStringLiteral(LOCUSCOPE_TEST_DATA));
    process.start(QStringLiteral(LOCUSCOPE_EXECUTABLE), arguments);
    EXPECT_TRUE(process.waitForFinished(60000)) << arguments.join(' ').toStdString();
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}
