#pragma once

#include <QStringList>
#include <string>

#include "import/import_outcome.h"

// The window-less face of the program. Every form import the files into one document as the
// Import command does, with every status line of the import on standard error:
//   --report [--items] FILE...   writes the headless report to standard output;
//   --render OUT [--region PANE:START-STOP] [--width N] [--transparent] FILE...
//                                draws a pane as the view does into an image, SVG or PDF
//                                chosen by OUT's extension (HeadlessRender);
//   --search TEXT FILE...        lists the items whose attributes hold TEXT (HeadlessSearch);
//   --export OUT (--select PANE:START-STOP... | --select-all) FILE...
//                                writes the selected items as GFF (HeadlessExport).
// Returns the process exit status: 0 on success, 1 when the import or the action failed, 2 for
// bad usage.
class HeadlessFrontEnd {
public:
    static constexpr int kExitSuccess = 0;
    static constexpr int kExitFailure = 1;
    static constexpr int kExitUsage = 2;

    // True when arguments ask for a headless run; NeedsPainting when that run draws.
    static bool IsHeadless(const QStringList& arguments);
    static bool NeedsPainting(const QStringList& arguments);

    // Needs a QCoreApplication, a QGuiApplication when NeedsPainting.
    static int Run(const QStringList& arguments);

    // An output is made only from a complete import: when a file failed or was cut short
    // (outcome), says on standard error that output was not written (it is neither created nor
    // changed) and why, and returns kExitFailure.
    static int SkipOutputAfterIncompleteImport(const std::string& output, ImportOutcome outcome);
};
