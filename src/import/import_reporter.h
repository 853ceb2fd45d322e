#pragma once

#include <string>

// Where an import tells what it does: status lines, problems, progress, and where it learns
// that the user wants it stopped. The import only talks to this, never to the genome it fills,
// so the reports can go anywhere (a progress dialog, standard error, a test's list).
class ImportReporter {
public:
    virtual ~ImportReporter() = default;

    // One status line, as it is to be shown.
    virtual void ReportMessage(const std::string& text) = 0;
    // Marks the import as having met a problem the user must see; stays set for the load.
    virtual void FlagError() = 0;
    virtual bool HasError() = 0;
    // True once the user has asked to stop.
    virtual bool IsCancelRequested() = 0;
    // Files done of total.
    virtual void SetOverallProgress(int done, int total) = 0;
    // Progress within the file, current of total units, shown after prefix.
    virtual void SetTaskProgress(int current, int total, const std::string& prefix) = 0;
    virtual void SetTaskPercent(int percent, const std::string& prefix) = 0;
    // Waits until the user has read the problems and closed the progress display; returns at
    // once when nobody watches.
    virtual void WaitForClose() = 0;
};
