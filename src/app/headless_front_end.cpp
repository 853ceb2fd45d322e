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
#include "app/headless_report.h"
#include "document/locuscope_document.h"
#include "document/pane_label.h"
#include "view/pane_image.h"

namespace {

const QString kReportOption = QStringLiteral("report");
const QString kItemsOption = QStringLiteral("items");
const QString kRenderOption = QStringLiteral("render");
const QString kRegionOption = QStringLiteral("region");
const QString kWidthOption = QStringLiteral("width");
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
        if (argument == QStringLiteral("--") + kReportOption || argument == QLatin1String("--help") ||
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
        "  locuscope --report [--items] FILE...  no window: what the files hold, tab-separated"));
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
    if (report == render)
        return UsageError(parser, QStringLiteral("Give either --report or --render."));
    if (parser.positionalArguments().isEmpty())
        return UsageError(parser, QStringLiteral("Give at least one FILE to import."));
    if (render)
        return Render(parser);

    // One document, imported as the Import command does, reporting to standard error.
    LocuscopeDocument document;
    ConsoleAgent console(stderr);
    const bool imported = Import(parser, document, console);

    WriteHeadlessReport(stdout, document.Genome, parser.isSet(kItemsOption), imported,
                        console.GetErrorFlag());
    return imported ? kExitSuccess : kExitFailure;
}
