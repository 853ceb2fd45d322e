#include "app/headless_front_end.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QImage>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/command_line_text.h"
#include "app/console_agent.h"
#include "app/headless_export.h"
#include "app/headless_report.h"
#include "app/headless_search.h"
#include "document/locuscope_document.h"
#include "document/pane_label.h"
#include "view/pane_image.h"

namespace {

const QString kReportOption = QStringLiteral("report");
const QString kItemsOption = QStringLiteral("items");
const QString kRenderOption = QStringLiteral("render");
const QString kRegionOption = QStringLiteral("region");
const QString kWidthOption = QStringLiteral("width");
const QString kSearchOption = QStringLiteral("search");
const QString kExportOption = QStringLiteral("export");
const QString kSelectOption = QStringLiteral("select");
const QString kSelectAllOption = QStringLiteral("select-all");
constexpr int kDefaultWidth = 1024;
constexpr int kMinimumWidth = 100;

int UsageError(const QCommandLineParser& parser, const QString& problem) {
    std::fprintf(stderr, "%s\n\n%s", qPrintable(problem), qPrintable(parser.helpText()));
    return HeadlessFrontEnd::kExitUsage;
}

std::vector<std::string> ToPaths(const QStringList& names) {
    std::vector<std::string> paths;
    for (const QString& name : names)
        paths.push_back(CommandLineText::ToBytes(name));
    return paths;
}

// Imports the files into document, reporting to console; true when every file imported.
bool Import(const QCommandLineParser& parser, LocuscopeDocument& document, ConsoleAgent& console) {
    document.SetHeadlessAgent(&console);
    return document.ImportFiles(ToPaths(parser.positionalArguments()));
}

int Render(const QCommandLineParser& parser) {
    bool widthOk = true;
    const int width =
        parser.isSet(kWidthOption) ? parser.value(kWidthOption).toInt(&widthOk) : kDefaultWidth;
    if (!widthOk || width < kMinimumWidth || width > PaneImage::kMaximumWidth)
        return UsageError(parser, QStringLiteral("--width takes a number of pixels from %1 to %2.")
                                      .arg(kMinimumWidth)
                                      .arg(PaneImage::kMaximumWidth));
    const QString output = parser.value(kRenderOption);
    if (output.isEmpty())
        return UsageError(parser, QStringLiteral("--render needs the PNG file to write."));

    LocuscopeDocument document;
    ConsoleAgent console(stderr);
    const bool imported = Import(parser, document, console);

    const std::string regionText = parser.isSet(kRegionOption)
                                       ? CommandLineText::ToBytes(parser.value(kRegionOption))
                                       : kAllTracksPane;
    const PaneLabel::Parsed region = PaneLabel::Parse(regionText);
    if (region.outOfRange) {
        std::fprintf(stderr, "--region has a position beyond %s: %s\n",
                     PaneLabel::GroupedNumber(PaneLabel::kNoPosition - 1).c_str(),
                     regionText.c_str());
        return HeadlessFrontEnd::kExitUsage;
    }
    if (region.paneName != kAllTracksPane && !document.Genome.HasChromosome(region.paneName)) {
        std::fprintf(stderr, "--region names no pane of the files: %s\n",
                     region.paneName.c_str());
        return HeadlessFrontEnd::kExitUsage;
    }
    PaneImage::Range range = region.range;
    if (range.first == PaneLabel::kNoPosition)
        range = document.GetPaneExtent(region.paneName);
    RenderSettings settings;
    settings.defaultTrackStyle = document.DefaultTrackStyle;
    const QImage image = PaneImage::Render(document.Genome, region.paneName, range, width,
                                           document.HeaderVisible, settings);
    // Written through the bytes of the name, which Qt's file names could not all carry.
    const std::string outputPath = CommandLineText::ToBytes(output);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    std::ofstream file(outputPath, std::ios::binary | std::ios::trunc);
    if (!image.save(&buffer, "PNG") || !file.write(png.constData(), png.size()) || !file.flush()) {
        std::fprintf(stderr, "Cannot write %s\n", outputPath.c_str());
        return HeadlessFrontEnd::kExitFailure;
    }
    return imported ? HeadlessFrontEnd::kExitSuccess : HeadlessFrontEnd::kExitFailure;
}

}  // namespace

bool HeadlessFrontEnd::IsHeadless(const QStringList& arguments) {
    // Help is given without a window too.
    for (const QString& argument : arguments) {
        if (argument == QStringLiteral("--") + kReportOption ||
            argument == QStringLiteral("--") + kSearchOption ||
            argument.startsWith(QStringLiteral("--") + kSearchOption + QLatin1Char('=')) ||
            argument == QStringLiteral("--") + kExportOption ||
            argument.startsWith(QStringLiteral("--") + kExportOption + QLatin1Char('=')) ||
            argument == QLatin1String("--help") ||
            argument == QLatin1String("-h") || argument == QLatin1String("--version") ||
            NeedsPainting({argument}))
            return true;
    }
    return false;
}

bool HeadlessFrontEnd::NeedsPainting(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument == QStringLiteral("--") + kRenderOption ||
            argument.startsWith(QStringLiteral("--") + kRenderOption + QLatin1Char('=')))
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
        "  locuscope --report [--items] FILE...  no window: what the files hold, tab-separated\n"
        "  locuscope --search TEXT FILE...       no window: the items whose attributes hold TEXT\n"
        "  locuscope --export OUT [--select PANE:START-STOP]... [--select-all] FILE...\n"
        "                                        no window: the selected items as a GFF file"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(
        {kReportOption, QStringLiteral("Import FILE... without a window and print what was loaded, "
                                       "tab-separated, on standard output.")});
    parser.addOption({kItemsOption, QStringLiteral("With --report, list every item as well.")});
    parser.addOption({kRenderOption,
                      QStringLiteral("Import FILE... without a window and save a picture of a "
                                     "pane, drawn as the view draws it, as a PNG file."),
                      QStringLiteral("OUT.png")});
    parser.addOption({kRegionOption,
                      QStringLiteral("With --render, the pane and range to draw, as the pane "
                                     "selector writes them (chr1:12,000-15,500), or a pane name "
                                     "for its whole extent. Default: All Tracks."),
                      QStringLiteral("PANE:START-STOP")});
    parser.addOption({kWidthOption,
                      QStringLiteral("With --render, the picture's width in pixels (default "
                                     "1024)."),
                      QStringLiteral("N")});
    parser.addOption({kSearchOption,
                      QStringLiteral("Import FILE... without a window and list every item whose "
                                     "attribute text contains TEXT (case-sensitive; empty lists "
                                     "every item) on standard output."),
                      QStringLiteral("TEXT")});
    parser.addOption({kExportOption,
                      QStringLiteral("Import FILE... without a window and write the items of "
                                     "the selected ranges to OUT as GFF."),
                      QStringLiteral("OUT")});
    parser.addOption({kSelectOption,
                      QStringLiteral("With --export, select the items of a pane that start in "
                                     "START..STOP (commas allowed). May be repeated."),
                      QStringLiteral("PANE:START-STOP")});
    parser.addOption({kSelectAllOption,
                      QStringLiteral("With --export, select every pane whole, as Edit > Select "
                                     "All does.")});
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
    const bool report = parser.isSet(kReportOption);
    const bool render = parser.isSet(kRenderOption);
    const bool search = parser.isSet(kSearchOption);
    const bool exporting = parser.isSet(kExportOption);
    if (int(report) + int(render) + int(search) + int(exporting) != 1)
        return UsageError(parser,
                          QStringLiteral("Give one of --report, --render, --search or --export."));
    if ((parser.isSet(kSelectOption) || parser.isSet(kSelectAllOption)) && !exporting)
        return UsageError(parser, QStringLiteral("--select and --select-all go with --export."));
    if (parser.positionalArguments().isEmpty())
        return UsageError(parser, QStringLiteral("Give at least one FILE to import."));
    if (render)
        return Render(parser);
    if (search)
        return HeadlessSearch::Run(parser.value(kSearchOption).toLocal8Bit().toStdString(),
                                   ToPaths(parser.positionalArguments()));
    if (exporting) {
        if (parser.value(kExportOption).isEmpty())
            return UsageError(parser, QStringLiteral("--export needs the GFF file to write."));
        return HeadlessExport::Run(parser.value(kExportOption).toLocal8Bit().toStdString(),
                                   ToPaths(parser.values(kSelectOption)),
                                   parser.isSet(kSelectAllOption),
                                   ToPaths(parser.positionalArguments()));
    }

    // One document, imported as the Import command does, reporting to standard error.
    LocuscopeDocument document;
    ConsoleAgent console(stderr);
    const bool imported = Import(parser, document, console);

    WriteHeadlessReport(stdout, document.Genome, parser.isSet(kItemsOption), imported,
                        console.GetErrorFlag());
    return imported ? kExitSuccess : kExitFailure;
}
