#include "app/headless_front_end.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "app/console_agent.h"
#include "app/headless_report.h"
#include "document/locuscope_document.h"

namespace {

const QString kReportOption = QStringLiteral("report");
const QString kItemsOption = QStringLiteral("items");

int UsageError(const QCommandLineParser& parser, const QString& problem) {
    std::fprintf(stderr, "%s\n\n%s", qPrintable(problem), qPrintable(parser.helpText()));
    return HeadlessFrontEnd::kExitUsage;
}

std::vector<std::string> ToPaths(const QStringList& names) {
    std::vector<std::string> paths;
    for (const QString& name : names)
        paths.push_back(name.toLocal8Bit().toStdString());
    return paths;
}

}  // namespace

bool HeadlessFrontEnd::IsHeadless(const QStringList& arguments) {
    // Help is given without a window too.
    for (const QString& argument : arguments) {
        if (argument == QStringLiteral("--") + kReportOption || argument == QLatin1String("--help") ||
            argument == QLatin1String("-h") || argument == QLatin1String("--version"))
            return true;
    }
    return false;
}

int HeadlessFrontEnd::Run(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Locuscope, a viewer for genomic feature files (GFF and BED).\n"
        "  locuscope [FILE...]                   the window; the first FILE opens a document,\n"
        "                                        the others are imported into it\n"
        "  locuscope --report [--items] FILE...  no window: what the files hold, tab-separated"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(
        {kReportOption, QStringLiteral("Import FILE... without a window and print what was loaded, "
                                       "tab-separated, on standard output.")});
    parser.addOption({kItemsOption, QStringLiteral("With --report, list every item as well.")});
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("GFF (.gff), BED (.bed) or either (.txt) files."),
                                 QStringLiteral("FILE..."));
    if (!parser.parse(arguments))
        return UsageError(parser, parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return kExitSuccess;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("Locuscope %s\n", qPrintable(QCoreApplication::applicationVersion()));
        return kExitSuccess;
    }
    if (!parser.isSet(kReportOption))
        return UsageError(parser, QStringLiteral("Nothing to do: give --report."));
    if (parser.positionalArguments().isEmpty())
        return UsageError(parser, QStringLiteral("--report needs at least one FILE."));

    // One document, imported as the Import command does, reporting to standard error.
    LocuscopeDocument document;
    ConsoleAgent console(stderr);
    document.SetHeadlessAgent(&console);
    const bool imported = document.ImportFiles(ToPaths(parser.positionalArguments()));

    WriteHeadlessReport(stdout, document.Genome, parser.isSet(kItemsOption), imported,
                        console.GetErrorFlag());
    return imported ? kExitSuccess : kExitFailure;
}
