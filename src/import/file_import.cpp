#include "import/file_import.h"

#include <algorithm>
#include <climits>
#include <new>

#include "data/number_scan.h"
#include "framework/file_processing_exception.h"
#include "framework/string_format.h"
#include "import/gff_reader.h"
#include "import/import_driver.h"
#include "import/line_kind.h"

namespace {

const std::string kImportingPrefix = "Importing File";
// Lines refused for one reason that are each reported; the rest are counted in one line, so a
// file of millions of bad lines neither floods the user nor takes long to report.
constexpr uint64_t kReportedLinesPerProblem = 100;
// What a new track takes beside its items: the container and its entry in the track map.
constexpr size_t kNewTrackBytes = sizeof(ChromosomeDataset) + 128;
constexpr size_t kRecentTracks = 16;

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

LineSyntax SyntaxOf(FileImport::FileType type) {
    switch (type) {
        case FileImport::kGff:
            return LineSyntax::kGff;
        case FileImport::kBed:
            return LineSyntax::kBed;
        case FileImport::kUndecided:
        case FileImport::kUnsupported:
            break;
    }
    return LineSyntax::kUndecided;
}

// Names beginning with "chr" in any other case are filed with a lower-case "chr".
bool NeedsLowerCaseChr(std::string_view name) {
    return name.size() >= 3 && !(name[0] == 'c' && name[1] == 'h' && name[2] == 'r') &&
           AsciiLower(name[0]) == 'c' && AsciiLower(name[1]) == 'h' && AsciiLower(name[2]) == 'r';
}

}  // namespace

FileImport::FileImport(GenomeDataset& genome, ImportReporter& reporter, const std::string& fileName,
                       FileType type, uint64_t fileSize, TrackCollector* touched,
                       const ImportLimits& limits, MemoryBudget& budget)
    : genome_(genome),
      reporter_(reporter),
      fileName_(fileName),
      defaultName_(ImportDriver::DefaultName(fileName)),
      type_(type),
      fileSize_(fileSize),
      touched_(touched),
      limits_(limits),
      budget_(budget) {
    bed_.Form = ImportDriver::DetectBedForm(fileName);
    bed_.TrackName = defaultName_;
}

bool FileImport::Run(ChunkReader& reader, const ByteSource& source, unsigned threads) {
    LineOutcome outcome = LineOutcome::kNext;
    try {
        ChunkParser::Settings parsing;
        parsing.bedForm = bed_.Form;
        parsing.maxLineLength = limits_.maxLineLength;
        ImportPipeline pipeline(reader, SyntaxOf(type_), parsing, threads);
        outcome = ReadChunks(pipeline, source);
    } catch (const std::bad_alloc&) {
        // No room for the next lines or their items (or the memory budget refused it): what
        // was stored before stays, whole.
        reporter_.ReportMessage("Memory Error");
        reporter_.FlagError();
        outcome = LineOutcome::kCutShort;
    }
    if (outcome == LineOutcome::kUndecidable)
        return false;
    cutShort_ = outcome == LineOutcome::kCutShort;
    Finish();
    return true;
}

FileImport::LineOutcome FileImport::ReadChunks(ImportPipeline& pipeline, const ByteSource& source) {
    for (;;) {
        ParsedChunk* chunk = nullptr;
        switch (pipeline.Next(chunk)) {
            case ImportPipeline::Status::kEnd:
                CheckFileSize(source);
                return LineOutcome::kNext;
            case ImportPipeline::Status::kError:
                ReportReadError(source);
                return LineOutcome::kNext;
            case ImportPipeline::Status::kChunk:
                break;
        }
        const LineOutcome outcome = MergeChunk(*chunk);
        const uint64_t position = chunk->text.fileBytesRead;
        pipeline.Recycle(chunk);
        if (outcome != LineOutcome::kNext)
            return outcome;
        if (ReportProgressIfDue(position) && reporter_.IsCancelRequested())
            return LineOutcome::kNext;
    }
}

FileImport::LineOutcome FileImport::MergeChunk(const ParsedChunk& chunk) {
    if (chunk.memoryError)
        throw std::bad_alloc();
    const uint64_t firstLine = lineNumber_ + 1;
    textsGranted_ = false;
    tracksOfNames_.assign(chunk.names.size(), nullptr);
    auto deferred = chunk.deferred.begin();
    for (const ParsedItem& item : chunk.items) {
        for (; deferred != chunk.deferred.end() && deferred->line < item.line; ++deferred) {
            lineNumber_ = firstLine + deferred->line;
            if (const LineOutcome outcome = HandleDeferredLine(*deferred);
                outcome != LineOutcome::kNext)
                return outcome;
        }
        lineNumber_ = firstLine + item.line;
        if (const LineOutcome outcome = StoreItem(item, chunk); outcome != LineOutcome::kNext)
            return outcome;
    }
    for (; deferred != chunk.deferred.end(); ++deferred) {
        lineNumber_ = firstLine + deferred->line;
        if (const LineOutcome outcome = HandleDeferredLine(*deferred);
            outcome != LineOutcome::kNext)
            return outcome;
    }
    lineNumber_ = firstLine - 1 + chunk.lineCount;
    return LineOutcome::kNext;
}

FileImport::LineOutcome FileImport::HandleDeferredLine(const DeferredLine& line) {
    if (!line.tooLong)
        return HandleLine(line.text, line.lineEnd);
    ReportLineProblem(kTooLong,
                      FormatString("Line longer than %zu characters.", limits_.maxLineLength),
                      "Line skipped.");
    return LineOutcome::kNext;
}

FileImport::LineOutcome FileImport::HandleLine(std::string_view line, LineEnd lineEnd) {
    switch (LineKinds::Of(line, lineEnd, SyntaxOf(type_), limits_.maxLineLength)) {
        case LineKind::kSkipped:
        case LineKind::kTooLong:  // reported by the caller
            return LineOutcome::kNext;
        case LineKind::kEndOfFeatures:
            return LineOutcome::kEndOfFeatures;
        case LineKind::kData:
            break;
    }
    bool undecidable = false;
    if (!ParseLine(line, undecidable))
        return undecidable ? LineOutcome::kUndecidable : LineOutcome::kNext;
    if (record_.Start > record_.Stop) {
        ReportLineProblem(kBackwards, "End position must be larger than start position",
                          "Line Skipped.");
        ++errorCount_;
        return LineOutcome::kNext;
    }
    if (const LineOutcome outcome = CheckLimits(); outcome != LineOutcome::kNext)
        return outcome;
    if (record_.DroppedThick != nullptr || record_.DroppedBlocks != nullptr)
        ReportDroppedStructure();
    return StoreRecord();
}

FileImport::LineOutcome FileImport::CheckLimits() {
    if (errorCount_ > GenomeDataset::kMaxEndBeforeStartErrors) {
        reporter_.ReportMessage(
            FormatString("Invalid File, line %llu: Too many errors (%u) in File.",
                         static_cast<unsigned long long>(lineNumber_), errorCount_));
        StopEarly();
        return LineOutcome::kCutShort;
    }
    if (genome_.Store().GetChromosomeCount() > limits_.maxChromosomeNames) {
        reporter_.ReportMessage(
            FormatString("Invalid File, line %llu: Too many ChromosomeNames found.",
                         static_cast<unsigned long long>(lineNumber_)));
        StopEarly();
        return LineOutcome::kCutShort;
    }
    return LineOutcome::kNext;
}

bool FileImport::ParseLine(std::string_view line, bool& undecidable) {
    record_.Reset();
    try {
        switch (type_) {
            case kGff:
                return ParseGffLine(line, record_, lineNumber_);
            case kBed:
                return ParseBed(line);
            case kUndecided:
                break;
            case kUnsupported:
                return false;  // refused before reading
        }
    } catch (const FileProcessingException& refusal) {
        ReportLineProblem(kRefused, FormatString("Exception '%s'", refusal.what()),
                          "Line skipped.");
        const char* hint = type_ == kGff ? GffRefusalHint(line) : nullptr;
        if (hint != nullptr && !tabHintGiven_) {
            reporter_.ReportMessage(hint);
            tabHintGiven_ = true;
        }
        return false;
    }
    // The first data line of a .txt file decides: GFF if the GFF reader takes it as a data
    // line, else BED (a "track" line, say).
    try {
        if (ParseGffLine(line, record_, lineNumber_)) {
            type_ = kGff;
            return true;
        }
    } catch (const FileProcessingException&) {
    }
    type_ = kBed;
    // A fresh record, so nothing of the refused GFF reading leaks into the BED feature.
    record_.Reset();
    try {
        return ParseBed(line);
    } catch (const FileProcessingException&) {
        reporter_.ReportMessage("ERROR: File is not GFF or BED file.");
        reporter_.FlagError();
        undecidable = true;
        return false;
    }
}

bool FileImport::ParseBed(std::string_view line) {
    if (ParseBedLine(line, record_, lineNumber_, bed_))
        return true;
    // A header line may start a section of another name or colour: look the tracks up afresh.
    recentChromosome_.clear();
    recentTracks_.clear();
    std::fill(tracksOfNames_.begin(), tracksOfNames_.end(), nullptr);
    return false;
}

FileImport::LineOutcome FileImport::StoreRecord() {
    const std::string_view chromosomeName = FiledChromosomeName(record_.ChromosomeName);
    if (IsReservedChromosomeName(chromosomeName))
        return LineOutcome::kNext;
    if (record_.TrackName.empty())
        record_.TrackName = defaultName_;
    ChromosomeDataset& track = TrackFor(chromosomeName, record_.TrackName);
    track.UpdateExtents(record_.Start, record_.Stop, record_.Score);
    track.AddItem(record_.Start, record_, record_.Structure, budget_);
    // Without a branch: strands alternate at random in many files.
    track.HasReverseStrand |= record_.Strand == '-';
    if (track.TrackColor == ChromosomeDataset::kUnassignedColor)
        genome_.Colors().AssignTrackColor(track, record_.TrackName);
    ++stored_;
    return LineOutcome::kNext;
}

FileImport::LineOutcome FileImport::StoreItem(const ParsedItem& item, const ParsedChunk& chunk) {
    if (const LineOutcome outcome = CheckLimits(); outcome != LineOutcome::kNext)
        return outcome;
    // The chunk's texts are taken whole: asked for once, when its first item is stored.
    if (!textsGranted_) {
        budget_.Reserve(chunk.textBytes);
        textsGranted_ = true;
    }
    ChromosomeDataset*& found = tracksOfNames_[item.names];
    if (found == nullptr) {
        const std::string_view chromosomeName =
            FiledChromosomeName(chunk.names[item.names].chromosomeName);
        // Not remembered when refused, so that every line of the name is refused in turn.
        if (IsReservedChromosomeName(chromosomeName))
            return LineOutcome::kNext;
        found = &TrackFor(chromosomeName, TrackNameOf(chunk.names[item.names]));
    }
    ChromosomeDataset& track = *found;
    ChromosomeDataset::ItemFields fields = item.fields;
    if (type_ == kBed && !bed_.ItemColors)
        fields.Color = ChromosomeItem::kNoColor;
    track.UpdateExtents(item.start, fields.Stop, fields.Score);
    track.AddSharedItem(item.start, fields, chunk.blocks[item.block], item.textOffset, budget_);
    track.HasReverseStrand |= fields.Strand == '-';
    if (track.TrackColor == ChromosomeDataset::kUnassignedColor)
        genome_.Colors().AssignTrackColor(track, std::string(TrackNameOf(chunk.names[item.names])));
    ++stored_;
    return LineOutcome::kNext;
}

bool FileImport::IsReservedChromosomeName(std::string_view name) {
    if (name != kAllTracksPane)
        return false;
    // A chromosome of the pane's name would stand for every chromosome wherever panes are
    // named: in the pane selector, the selections, workspaces and --region.
    ReportLineProblem(kRefused,
                      "Exception 'The chromosome name \"" + kAllTracksPane +
                          "\" is the name of the pane of every chromosome.'",
                      "Line skipped.");
    return true;
}

std::string_view FileImport::TrackNameOf(const ParsedNames& names) const {
    const std::string_view name =
        type_ == kBed ? std::string_view(bed_.TrackName) : names.trackName;
    return name.empty() ? std::string_view(defaultName_) : name;
}

std::string_view FileImport::FiledChromosomeName(std::string_view name) {
    if (name.empty())
        name = defaultName_;
    if (!NeedsLowerCaseChr(name))
        return name;
    chromosomeName_.assign("chr");
    chromosomeName_.append(name.substr(3));
    return chromosomeName_;
}

ChromosomeDataset& FileImport::TrackFor(std::string_view chromosomeName,
                                        std::string_view trackName) {
    if (chromosomeName != recentChromosome_ || recentTracks_.size() == kRecentTracks) {
        recentChromosome_.assign(chromosomeName);
        recentTracks_.clear();
    }
    for (const auto& [name, track] : recentTracks_) {
        if (name == trackName)
            return *track;
    }
    const std::string chromosome(chromosomeName);
    std::string name(trackName);
    ChromosomeDataset* found = genome_.Store().FindTrack(chromosome, name);
    if (found == nullptr) {
        budget_.Reserve(kNewTrackBytes);
        found = &genome_.Store().FindOrCreateTrack(chromosome, name);
    }
    ChromosomeDataset& track = *found;
    // GFF items may link to others (BED lines carry no links): the chromosome's gene models
    // are to be found again when it is next drawn.
    if (type_ == kGff)
        genome_.Store().GetGeneModelSchedule().Mark(chromosome);
    if (bed_.TrackColor != ChromosomeDataset::kUnassignedColor)
        track.TrackColor = bed_.TrackColor;
    if (touched_ != nullptr)
        touched_->Add(chromosome, name);
    recentTracks_.emplace_back(std::move(name), &track);
    return track;
}

void FileImport::ReportLineProblem(LineProblem kind, const std::string& problem,
                                   const char* skipped) {
    reporter_.FlagError();
    if (++problemCounts_[kind] > kReportedLinesPerProblem)
        return;
    lastListedLine_[kind] = lineNumber_;
    reporter_.ReportMessage(
        FormatString("Invalid File, line %llu: ", static_cast<unsigned long long>(lineNumber_)) +
        problem);
    if (skipped != nullptr)
        reporter_.ReportMessage(skipped);
}

void FileImport::ReportDroppedStructure() {
    std::string problem;
    if (record_.DroppedThick != nullptr)
        problem = std::string("BED thick range dropped (") + record_.DroppedThick + ")";
    if (record_.DroppedBlocks != nullptr) {
        problem += problem.empty() ? "BED blocks dropped (" : "; blocks dropped (";
        problem += record_.DroppedBlocks;
        problem += ")";
    }
    ReportLineProblem(kDroppedStructure, problem + ".", nullptr);
}

void FileImport::ReportUnlistedProblems() {
    for (int kind = 0; kind < kProblemKinds; ++kind) {
        if (problemCounts_[kind] <= kReportedLinesPerProblem)
            continue;
        const char* format = kind == kDroppedStructure
                                 ? "Invalid File: %llu more lines lost their BED thick range or "
                                   "blocks like line %llu."
                                 : "Invalid File: %llu more lines skipped like line %llu.";
        reporter_.ReportMessage(FormatString(
            format,
            static_cast<unsigned long long>(problemCounts_[kind] - kReportedLinesPerProblem),
            static_cast<unsigned long long>(lastListedLine_[kind])));
    }
}

void FileImport::CheckFileSize(const ByteSource& source) {
    // A file cut short (or grown) while it was read would otherwise look complete. The bytes
    // counted are the file's own, compressed ones for a compressed file.
    if (source.GetFileBytesRead() == fileSize_)
        return;
    readIncompletely_ = true;
    reporter_.ReportMessage(FormatString("File changed while it was read (%llu of %llu bytes): ",
                                         static_cast<unsigned long long>(source.GetFileBytesRead()),
                                         static_cast<unsigned long long>(fileSize_)) +
                            fileName_);
    reporter_.FlagError();
}

void FileImport::ReportReadError(const ByteSource& source) {
    // The line being read when the bytes ran out or went bad; the lines before it are kept.
    reporter_.ReportMessage(FormatString("Error reading file at line %llu: ",
                                         static_cast<unsigned long long>(lineNumber_ + 1)) +
                            fileName_ + " (" + source.GetFailure() + ")");
    readIncompletely_ = true;
    StopEarly();
}

void FileImport::StopEarly() {
    reporter_.ReportMessage(
        FormatString("%zu ChromosomeNames loaded.", genome_.Store().GetChromosomeCount()));
    reporter_.ReportMessage("The rest of the file will not be loaded.");
    reporter_.FlagError();
}

bool FileImport::ReportProgressIfDue(uint64_t fileBytesRead) {
    const Clock::time_point now = Clock::now();
    if (now - lastProgress_ <= limits_.progressInterval)
        return false;
    lastProgress_ = now;
    // The progress interface counts in int; very large files are reported in coarser units.
    const uint64_t unit = fileSize_ / INT_MAX + 1;
    reporter_.SetTaskProgress(static_cast<int>(std::min(fileBytesRead, fileSize_) / unit),
                              static_cast<int>(fileSize_ / unit), kImportingPrefix);
    return true;
}

void FileImport::Finish() {
    ReportUnlistedProblems();
    reporter_.SetTaskPercent(100, kImportingPrefix);
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - startTime_);
    genome_.Store().AddImportTotals(stored_, static_cast<uint64_t>(elapsed.count()));
    genome_.Store().SortChromosomeNames();
    if (!genome_.Store().GetPaneOrder().empty() && genome_.GetCurrentPane() == kAllTracksPane)
        genome_.SetCurrentPane(genome_.Store().GetPaneOrder().front());
    genome_.Store().AddLoadedFile(FileNameOf(fileName_) + " ");
}
