#include "app/locuscope_main.h"

#include <QApplication>
#include <QGuiApplication>
#include <QCommandLineParser>
#include <clocale>
#include <cstdio>
#include <vector>

#include "framework/byte_text.h"
#include "app/headless_front_end.h"
#include "app/locuscope_app.h"
#include "app/locuscope_version.h"
#include "framework/output_file.h"

namespace {

// The arguments with every byte kept, so a file name that is not UTF-8 still opens.
QStringList ArgumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(ByteText::FromBytes(argv[i]));
    return arguments;
}

// Headless runs write only their status lines to standard error: Qt's own notes about the
// platform (a missing runtime folder, say) are dropped; real errors still show.
void KeepQtNotesQuiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

void SetApplicationNames() {
    QCoreApplication::setOrganizationName(QStringLiteral("Locuscope"));
    QCoreApplication::setApplicationName(QStringLiteral("Locuscope"));
    QCoreApplication::setApplicationVersion(LocuscopeVersion());
    // Lets the desktop match the windows with the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("locuscope"));
    // Qt adopts the user's locale; the file formats and messages need '.' as decimal point.
    std::setlocale(LC_NUMERIC, "C");
}

int RunDesktop(int argc, char** argv) {
    QApplication application(argc, argv);
    SetApplicationNames();
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Locuscope, a viewer for genomic feature files (GFF and BED).\n"
                       "The first FILE opens a document; the others are imported into it.\n"
                       "Without a window: locuscope --report [--items] FILE..."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("GFF (.gff .gff3 .gtf), BED (.bed .bed3-.bed15 "
                                                ".bedGraph .bdg .narrowPeak .broadPeak) or "
                                                "either (.txt) files, each also as .gz or .bgz."),
                                 QStringLiteral("[FILE...]"));
    parser.process(ArgumentsOf(argc, argv));

    LocuscopeApp locuscope;
    const QStringList files = parser.positionalArguments();
    if (!locuscope.InitInstance(files))
        return HeadlessFrontEnd::kExitFailure;
    if (files.size() > 1)
        locuscope.ImportIntoActiveDocument(files.mid(1));
    return application.exec();
}

// True when a window can be shown: a display, or a platform chosen on purpose.
bool CanShowWindows() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

}  // namespace

int LocuscopeMain(int argc, char** argv) {
    OutputFile::RemoveTemporaryFilesOnSignals();
    if (!HeadlessFrontEnd::IsHeadless(ArgumentsOf(argc, argv)) && !CanShowWindows()) {
        std::fputs("locuscope: no display to show the window on; for a report without one, "
                   "run: locuscope --report FILE...\n",
                   stderr);
        return HeadlessFrontEnd::kExitUsage;
    }
    const QStringList arguments = ArgumentsOf(argc, argv);
    if (HeadlessFrontEnd::IsHeadless(arguments))
        qInstallMessageHandler(KeepQtNotesQuiet);
    if (HeadlessFrontEnd::NeedsPainting(arguments)) {
        // Drawing needs fonts, not a display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication application(argc, argv);
        SetApplicationNames();
        return HeadlessFrontEnd::Run(ArgumentsOf(argc, argv));  // without Qt's own options
    }
    if (HeadlessFrontEnd::IsHeadless(arguments)) {
        QCoreApplication application(argc, argv);
        SetApplicationNames();
        return HeadlessFrontEnd::Run(ArgumentsOf(argc, argv));  // without Qt's own options
    }
    return RunDesktop(argc, argv);
}
