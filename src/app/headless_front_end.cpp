#include "app/headless_front_end.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "app/console_agent.h"
#include "app/headless_export.h"
#include "app/headless_render.h"
#include "app/headless_report.h"
#include "app/headless_search.h"
#include "document/locuscope_document.h"
#include "document/workspace_command.h"
#include "framework/console_text.h"
#include "framework/byte_text.h"

namespace {

const QString kReportOption = QStringLiteral("report");
const QString kItemsOption = QStringLiteral("items");
const QString kRenderOption = QStringLiteral("render");
const QString kRegionOption = QStringLiteral("region");
const QString kWidthOption = QStringLiteral("width");
const QString kTransparentOption = QStringLiteral("transparent");
const QString kGeneModelsOption = QStringLiteral("gene-models");
const QString kSearchOption = QStringLiteral("search");
const QString kExportOption = QStringLiteral("export");
const QString kSelectOption = QStringLiteral("select");
const QString kSelectAllOption = QStringLiteral("select-all");

int UsageError(const QCommandLineParser& parser, const QString& problem) {
    ConsoleText::WriteLine(stderr, ByteText::ToBytes(problem));
    std::fprintf(stderr, "\n%s", qPrintable(parser.helpText()));
    return HeadlessFrontEnd::kExitUsage;
}

std::vector<std::string> ToPaths(const QStringList& names) {
    std::vector<std::string> paths;
    for (const QString& name : names)
        paths.push_back(ByteText::ToBytes(name));
    return paths;
}

// Imports the files into document, reporting to console.
ImportOutcome Import(const QCommandLineParser& parser, LocuscopeDocument& document,
                     ConsoleAgent& console) {
    document.SetHeadlessAgent(&console);
    ImportOutcome outcome = ImportOutcome::kFailed;
    document.OpenFiles(ToPaths(parser.positionalArguments()), &outcome);
    return outcome;
}

int Render(const QCommandLineParser& parser) {
    HeadlessRender::Request request;
    if (parser.isSet(kWidthOption)) {
        bool widthOk = false;
        const long long width = parser.value(kWidthOption).toLongLong(&widthOk);
        if (!widthOk)
            return UsageError(parser, QStringLiteral("--width takes a number of pixels."));
        request.width = HeadlessRender::ClampWidth(width);
    }
    if (parser.value(kRenderOption).isEmpty())
        return UsageError(parser, QStringLiteral("--render needs the picture file to write."));
    request.output = ByteText::ToBytes(parser.value(kRenderOption));
    if (HeadlessRender::FormatOf(request.output).empty())
        return UsageError(parser, QStringLiteral("--render writes .png, .bmp, .gif, .tif, .tiff, "
                                                 ".svg or .pdf files."));
    if (parser.isSet(kRegionOption))
        request.region = ByteText::ToBytes(parser.value(kRegionOption));
    request.transparent = parser.isSet(kTransparentOption);
    if (parser.isSet(kGeneModelsOption)) {
        const QString choice = parser.value(kGeneModelsOption);
        if (choice != QLatin1String("on") && choice != QLatin1String("off"))
            return UsageError(parser, QStringLiteral("--gene-models takes on or off."));
        request.geneModels = choice == QLatin1String("on") ? HeadlessRender::GeneModels::kOn
                                                           : HeadlessRender::GeneModels::kOff;
    }
    request.paths = ToPaths(parser.positionalArguments());
    return HeadlessRender::Run(request);
}

}  // namespace

int HeadlessFrontEnd::SkipOutputAfterIncompleteImport(const std::string& output,
                                                      ImportOutcome outcome) {
    ConsoleText::WriteLine(
        stderr, "Nothing written to " + output +
                    (outcome == ImportOutcome::kCutShort ? ": a file was cut short."
                                                         : ": a file failed to import."));
    std::fflush(stderr);
    return kExitFailure;
}

bool HeadlessFrontEnd::IsHeadless(const QStringList& arguments) {
    // Help and the version are given without a window too.
    for (const QString& argument : arguments) {
        if (argument == QStringLiteral("--") + kReportOption ||
            argument == QStringLiteral("--") + kSearchOption ||
            argument.startsWith(QStringLiteral("--") + kSearchOption + QLatin1Char('=')) ||
            argument == QStringLiteral("--") + kExportOption ||
            argument.startsWith(QStringLiteral("--") + kExportOption + QLatin1Char('=')) ||
            argument == QLatin1String("--help") ||
            argument == QLatin1String("-h") || argument == QLatin1String("--version") ||
            argument == QLatin1String("-v") ||
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
        "  locuscope --render OUT [--region R] [--width N] [--transparent]\n"
        "                     [--gene-models on|off] FILE...\n"
        "                                        no window: a picture (.png .bmp .gif .tif .svg)\n"
        "                                        or printed pages (.pdf) of a pane\n"
        "  locuscope --search TEXT FILE...       no window: the items whose attributes hold TEXT\n"
        "  locuscope --export OUT (--select PANE:START-STOP... | --select-all) FILE...\n"
        "                                        no window: the selected items as a GFF file\n"
        "A saved workspace (FILE.lsw) may stand first in place of the files it names: its\n"
        "files, deletions, track settings, pane and range, selections and view options."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(
        {kReportOption, QStringLiteral("Import FILE... without a window and print what was loaded, "
                                       "tab-separated, on standard output.")});
    parser.addOption({kItemsOption, QStringLiteral("With --report, list every item as well.")});
    parser.addOption({kRenderOption,
                      QStringLiteral("Import FILE... without a window and save a picture of a "
                                     "pane, drawn as the view draws it. The extension picks the "
                                     "format: .png, .bmp, .gif, .tif/.tiff (images), .svg "
                                     "(vector) or .pdf (printed pages)."),
                      QStringLiteral("OUT")});
    parser.addOption({kRegionOption,
                      QStringLiteral("With --render, the pane and range to draw, as the pane "
                                     "selector writes them (chr1:12,000-15,500), or a pane name "
                                     "for its whole extent. Default: All Tracks, or the pane and "
                                     "range a workspace was showing."),
                      QStringLiteral("PANE:START-STOP")});
    parser.addOption({kWidthOption,
                      QStringLiteral("With --render, the picture's width in pixels (default "
                                     "1024; below 100 becomes 100, above 32767 becomes 32767)."),
                      QStringLiteral("N")});
    parser.addOption({kTransparentOption,
                      QStringLiteral("With --render, leave the background transparent (not in "
                                     "BMP, which is always white).")});
    parser.addOption({kGeneModelsOption,
                      QStringLiteral("With --render, draw transcripts as gene models (on) or "
                                     "not (off), whatever View > Gene Models was left at."),
                      QStringLiteral("on|off")});
    parser.addOption({kSearchOption,
                      QStringLiteral("Import FILE... without a window and list every item whose "
                                     "attribute text contains TEXT (case-sensitive; empty lists "
                                     "every item) on standard output."),
                      QStringLiteral("TEXT")});
    parser.addOption({kExportOption,
                      QStringLiteral("Import FILE... without a window and write the items of "
                                     "the selected ranges to OUT as GFF (without --select or "
                                     "--select-all: the ranges a workspace selected)."),
                      QStringLiteral("OUT")});
    parser.addOption({kSelectOption,
                      QStringLiteral("With --export, select the items of a pane that start in "
                                     "START..STOP (commas allowed). May be repeated."),
                      QStringLiteral("PANE:START-STOP")});
    parser.addOption({kSelectAllOption,
                      QStringLiteral("With --export, select every pane whole, as Edit > Select "
                                     "All does.")});
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("GFF (.gff .gff3 .gtf), BED (.bed .bed3-.bed15 "
                                                ".bedGraph .bdg .narrowPeak .broadPeak) or "
                                                "either (.txt) files, each also as .gz or .bgz; "
                                                "first, a workspace (.lsw)."),
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
    const std::vector<std::string> files = ToPaths(parser.positionalArguments());
    if (files.empty())
        return UsageError(parser, QStringLiteral("Give at least one FILE to import."));
    // As in the window, a workspace makes the document and the other files are imported into it.
    for (size_t i = 1; i < files.size(); ++i) {
        if (WorkspaceCommand::IsWorkspace(files[i]))
            return UsageError(parser, QStringLiteral("A workspace (.lsw) comes first, before "
                                                     "the files imported into it."));
    }
    const bool workspace = WorkspaceCommand::IsWorkspace(files.front());
    if (render)
        return Render(parser);
    if (search)
        return HeadlessSearch::Run(ByteText::ToBytes(parser.value(kSearchOption)),
                                   ToPaths(parser.positionalArguments()));
    if (exporting) {
        if (parser.value(kExportOption).isEmpty())
            return UsageError(parser, QStringLiteral("--export needs the GFF file to write."));
        // As the Export command, which runs only with a selection: without one there is
        // nothing to write, and an empty file would pass for the export asked for. A
        // workspace may bring its own.
        if (!parser.isSet(kSelectOption) && !parser.isSet(kSelectAllOption) && !workspace)
            return UsageError(parser, QStringLiteral("--export needs --select PANE:START-STOP "
                                                     "or --select-all."));
        return HeadlessExport::Run(
            ByteText::ToBytes(parser.value(kExportOption)), ToPaths(parser.values(kSelectOption)),
            parser.isSet(kSelectAllOption), ToPaths(parser.positionalArguments()));
    }

    // One document, imported as the Import command does, reporting to standard error.
    LocuscopeDocument document;
    ConsoleAgent console(stderr);
    const ImportOutcome outcome = Import(parser, document, console);

    WriteHeadlessReport(stdout, document.Genome(), parser.isSet(kItemsOption), outcome,
                        console.GetErrorFlag());
    return outcome == ImportOutcome::kComplete ? kExitSuccess : kExitFailure;
}
