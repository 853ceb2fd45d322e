#pragma once

#include <QStringList>

// The window-less face of the program: "--report [--items] FILE..." imports the files into one
// document as the Import command does and writes the headless report to standard output, with
// every status line of the import on standard error. Returns the process exit status: 0 when
// the import succeeded, 1 when it failed, 2 for bad usage.
class HeadlessFrontEnd {
public:
    static constexpr int kExitSuccess = 0;
    static constexpr int kExitFailure = 1;
    static constexpr int kExitUsage = 2;

    // True when arguments ask for a headless run.
    static bool IsHeadless(const QStringList& arguments);

    // Needs a QCoreApplication.
    static int Run(const QStringList& arguments);
};
