#include "app/headless_front_end.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "app/console_agent.h"
#include "app/headless_report.h"
#include "data/genome_dataset.h"
#include "framework/settings.h"
#include "import/import_driver.h"

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
    return arguments.contains(QStringLiteral("--") + kReportOption);
}

int HeadlessFrontEnd::Run(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Locuscope, a viewer for genomic feature files (GFF and BED)."));
    parser.addHelpOption();
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
    if (!parser.isSet(kReportOption))
        return UsageError(parser, QStringLiteral("Nothing to do: give --report."));
    if (parser.positionalArguments().isEmpty())
        return UsageError(parser, QStringLiteral("--report needs at least one FILE."));

    GenomeDataset genome;
    ConsoleAgent console(stderr);
    genome.SetNotificationTarget(&console);
    genome.SortOrder = ReadSettingInt("Document", "ChromosomeNameSortOrder", 0);
    const bool imported = ImportDriver(genome).LoadFiles(ToPaths(parser.positionalArguments()));
    genome.SetNotificationTarget(nullptr);

    WriteHeadlessReport(stdout, genome, parser.isSet(kItemsOption), imported,
                        console.GetErrorFlag());
    return imported ? kExitSuccess : kExitFailure;
}
