#include "import/import_driver.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <string_view>
#include <unordered_set>

#include "data/gene_model_linker.h"
#include "data/number_scan.h"
#include "data/parsed_feature_line.h"
#include "framework/file_processing_exception.h"
#include "framework/message_box.h"
#include "framework/string_format.h"
#include "import/bed_reader.h"
#include "import/gff_reader.h"
#include "import/gzip_byte_source.h"
#include "import/line_reader.h"
#include "import/stream_byte_source.h"
#include "import/text_form.h"

namespace {

using Clock = std::chrono::steady_clock;

// Reading the clock for every line would cost more than the rest of a short line.
constexpr uint64_t kLinesPerClockCheck = 256;
const std::string kImportingPrefix = "Importing File";
// Lines refused for one reason that are each reported; the rest are counted in one line, so a
// file of millions of bad lines neither floods the user nor takes long to report.
constexpr uint64_t kReportedLinesPerProblem = 100;
const char kPermissionDenied[] = "permission denied";
// A GFF3 line that ends the features: the sequence that follows is not read. Many files
// append the sequence without it; its first line starts with kFastaHeader.
constexpr std::string_view kFastaDirective = "##FASTA";
constexpr char kFastaHeader = '>';
// Endings of a supported name that mean it is read through gzip decompression.
const char* const kCompressedEndings[] = {"gz", "bgz"};
// BED's own name and the names of the other members of its family, lower case.
const struct {
    const char* extension;
    BedForm form;
} kBedExtensions[] = {{"bed", BedForm::kBed},
                      {"bedgraph", BedForm::kBedGraph},
                      {"bdg", BedForm::kBedGraph},
                      {"narrowpeak", BedForm::kNarrowPeak},
                      {"broadpeak", BedForm::kBroadPeak}};
// ".bed3" to ".bed15" name how many of BED's columns a file fills.
constexpr int kFewestBedColumns = 3;
constexpr int kMostBedColumns = 15;
// What a new track takes beside its items: the container and its entry in the track map.
constexpr size_t kNewTrackBytes = sizeof(ChromosomeDataset) + 128;

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool EqualsNoCase(std::string_view text, const char* word) {
    size_t i = 0;
    for (; i < text.size() && word[i] != '\0'; ++i) {
        if (AsciiLower(text[i]) != word[i])
            return false;
    }
    return i == text.size() && word[i] == '\0';
}

// Names beginning with "chr" in any case get a lower-case "chr".
void NormalizeChromosomeName(std::string& name) {
    if (name.size() < 3 || (name[0] == 'c' && name[1] == 'h' && name[2] == 'r'))
        return;
    if (AsciiLower(name[0]) == 'c' && AsciiLower(name[1]) == 'h' && AsciiLower(name[2]) == 'r')
        name.replace(0, 3, "chr");
}

// The state of one ImportFile call.
class FileImport {
public:
    FileImport(GenomeDataset& genome, const std::string& fileName, ImportDriver::FileType type,
               uint64_t fileSize, TrackCollector* touched, const ImportLimits& limits,
               MemoryBudget& budget)
        : genome_(genome),
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

    // Reads the lines of reader, which takes them from source. False when the file type could
    // not be decided.
    bool Run(LineReader& reader, const ByteSource& source);
    // True when reading failed, or the end came at another size than the file had when the
    // import began: what was read is kept, but it is not the whole file.
    bool ReadIncompletely() const { return readIncompletely_; }
    // True when the import stopped before the end of the file on its own account (too many
    // errors or chromosome names, no memory left); a cancel by the user does not count.
    bool CutShort() const { return cutShort_; }

private:
    // kCutShort ends the file early, which the import then remembers.
    enum class LineOutcome { kNext, kCutShort, kUndecidable, kEndOfFeatures };
    // The kinds of problem lines, each reported up to kReportedLinesPerProblem times.
    enum LineProblem { kRefused, kTooLong, kBackwards, kDroppedStructure, kProblemKinds };

    // Reads lines until one ends the file early (the outcome says how), the text ends or the
    // user cancels (both kNext).
    LineOutcome ReadLines(LineReader& reader, const ByteSource& source);
    LineOutcome HandleLine(std::string_view line, LineEnd lineEnd);
    // Reads the line with the reader of the file type; false when nothing is to be stored.
    bool ParseLine(std::string_view line, bool& undecidable);
    // The BED reader, which may raise FileProcessingException; false for a header line.
    bool ParseBed(std::string_view line);
    LineOutcome StoreRecord();
    ChromosomeDataset& TrackFor(const std::string& chromosomeName, const std::string& trackName);
    // Reports a problem of the current line, followed by skipped when that is not null.
    void ReportLineProblem(LineProblem kind, const std::string& problem, const char* skipped);
    void ReportDroppedStructure();
    void ReportUnlistedProblems();
    void CheckFileSize(const ByteSource& source);
    void ReportReadError(const ByteSource& source);
    void StopEarly();
    // Reports the read position when 200 ms have passed since the last report; true if it did.
    bool ReportProgressIfDue(const ByteSource& source);
    // Finds the gene models of the chromosomes a GFF file brought items to.
    void LinkGeneModels();
    void Finish();

    GenomeDataset& genome_;
    const std::string& fileName_;
    const std::string defaultName_;
    ImportDriver::FileType type_;
    const uint64_t fileSize_;
    TrackCollector* touched_;
    const ImportLimits& limits_;
    MemoryBudget& budget_;

    ParsedFeatureLine record_;
    uint64_t lineNumber_ = 0;
    uint32_t errorCount_ = 0;
    uint64_t stored_ = 0;
    uint64_t problemCounts_[kProblemKinds] = {};
    uint64_t lastListedLine_[kProblemKinds] = {};
    bool readIncompletely_ = false;
    bool cutShort_ = false;
    bool tabHintGiven_ = false;
    // What the BED header lines set: track name, colours; the BED form of the file.
    BedReaderState bed_;
    const Clock::time_point startTime_ = Clock::now();
    Clock::time_point lastProgress_ = startTime_;
    // The tracks of the chromosome being read: lines of one chromosome come together and cycle
    // through a few feature types, so a short list answers nearly every lookup.
    std::string recentChromosome_;
    std::vector<std::pair<std::string, ChromosomeDataset*>> recentTracks_;
    std::unordered_set<std::string> chromosomesRead_;
};

bool FileImport::Run(LineReader& reader, const ByteSource& source) {
    genome_.CurrentTrackName = defaultName_;
    LineOutcome outcome = LineOutcome::kNext;
    try {
        outcome = ReadLines(reader, source);
    } catch (const std::bad_alloc&) {
        // No room for the next line or its feature (or the memory budget refused it): what was
        // stored before stays, whole.
        genome_.ReportMessage("Memory Error");
        genome_.SetErrorFlag(true);
        outcome = LineOutcome::kCutShort;
    }
    if (outcome == LineOutcome::kUndecidable)
        return false;
    cutShort_ = outcome == LineOutcome::kCutShort;
    Finish();
    return true;
}

FileImport::LineOutcome FileImport::ReadLines(LineReader& reader, const ByteSource& source) {
    std::string_view line;
    for (;;) {
        const LineReader::Status status = reader.Next(line);
        if (status == LineReader::Status::kEnd) {
            CheckFileSize(source);
            return LineOutcome::kNext;
        }
        if (status == LineReader::Status::kError) {
            ReportReadError(source);
            return LineOutcome::kNext;
        }
        ++lineNumber_;
        if (status == LineReader::Status::kTooLong) {
            ReportLineProblem(
                kTooLong, FormatString("Line longer than %zu characters.", limits_.maxLineLength),
                "Line skipped.");
        } else if (const LineOutcome outcome = HandleLine(line, reader.GetLineEnd());
                   outcome != LineOutcome::kNext) {
            return outcome;
        }
        if (lineNumber_ % kLinesPerClockCheck == 0 && ReportProgressIfDue(source) &&
            genome_.IsCancelRequested(false))
            return LineOutcome::kNext;
    }
}

FileImport::LineOutcome FileImport::HandleLine(std::string_view line, LineEnd lineEnd) {
    // A blank line is skipped, except one of Windows text (CR LF), which the reader is given
    // and refuses: a lone carriage return before the line feed does not make a line blank.
    if (line.empty() && lineEnd != LineEnd::kCrLf)
        return LineOutcome::kNext;
    if (!line.empty() && line.front() == kFastaHeader && type_ == ImportDriver::kGff)
        return LineOutcome::kEndOfFeatures;
    if (!line.empty() && line.front() == '#') {
        if (type_ != ImportDriver::kBed &&
            line.substr(0, kFastaDirective.size()) == kFastaDirective)
            return LineOutcome::kEndOfFeatures;
        return LineOutcome::kNext;
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
    if (errorCount_ > GenomeDataset::kMaxEndBeforeStartErrors) {
        genome_.ReportMessage(FormatString("Invalid File, line %llu: Too many errors (%u) in File.",
                                           static_cast<unsigned long long>(lineNumber_),
                                           errorCount_));
        StopEarly();
        return LineOutcome::kCutShort;
    }
    if (genome_.GetChromosomeCount() > limits_.maxChromosomeNames) {
        genome_.ReportMessage(
            FormatString("Invalid File, line %llu: Too many ChromosomeNames found.",
                         static_cast<unsigned long long>(lineNumber_)));
        StopEarly();
        return LineOutcome::kCutShort;
    }
    if (record_.DroppedThick != nullptr || record_.DroppedBlocks != nullptr)
        ReportDroppedStructure();
    return StoreRecord();
}

bool FileImport::ParseLine(std::string_view line, bool& undecidable) {
    record_.Reset();
    try {
        switch (type_) {
            case ImportDriver::kGff:
                return ParseGffLine(line, record_, lineNumber_);
            case ImportDriver::kBed:
                return ParseBed(line);
            case ImportDriver::kUndecided:
                break;
            case ImportDriver::kUnsupported:
                return false;  // refused before reading
        }
    } catch (const FileProcessingException& refusal) {
        ReportLineProblem(kRefused, FormatString("Exception '%s'", refusal.what()),
                          "Line skipped.");
        const char* hint = type_ == ImportDriver::kGff ? GffRefusalHint(line) : nullptr;
        if (hint != nullptr && !tabHintGiven_) {
            genome_.ReportMessage(hint);
            tabHintGiven_ = true;
        }
        return false;
    }
    // The first data line of a .txt file decides: GFF if the GFF reader takes it as a data
    // line, else BED (a "track" line, say).
    try {
        if (ParseGffLine(line, record_, lineNumber_)) {
            type_ = ImportDriver::kGff;
            return true;
        }
    } catch (const FileProcessingException&) {
    }
    type_ = ImportDriver::kBed;
    // A fresh record, so nothing of the refused GFF reading leaks into the BED feature.
    record_.Reset();
    try {
        return ParseBed(line);
    } catch (const FileProcessingException&) {
        genome_.ReportMessage("ERROR: File is not GFF or BED file.");
        genome_.SetErrorFlag(true);
        undecidable = true;
        return false;
    }
}

bool FileImport::ParseBed(std::string_view line) {
    if (ParseBedLine(line, record_, lineNumber_, bed_))
        return true;
    genome_.CurrentTrackName = bed_.TrackName;
    // A header line may start a section of another colour: look the tracks up afresh.
    recentChromosome_.clear();
    recentTracks_.clear();
    return false;
}

FileImport::LineOutcome FileImport::StoreRecord() {
    if (record_.ChromosomeName.empty())
        record_.ChromosomeName = defaultName_;
    if (record_.TrackName.empty())
        record_.TrackName = defaultName_;
    NormalizeChromosomeName(record_.ChromosomeName);

    ChromosomeDataset& track = TrackFor(record_.ChromosomeName, record_.TrackName);
    track.UpdateExtents(record_.Start, record_.Stop, record_.Score);
    track.AddItem(record_.Start, record_, record_.Structure, budget_);
    // Without a branch: strands alternate at random in many files.
    track.HasReverseStrand |= record_.Strand == '-';
    if (track.TrackColor == ChromosomeDataset::kUnassignedColor)
        genome_.AssignTrackColor(track, record_.TrackName);
    ++stored_;
    return LineOutcome::kNext;
}

ChromosomeDataset& FileImport::TrackFor(const std::string& chromosomeName,
                                        const std::string& trackName) {
    constexpr size_t kRecentTracks = 16;
    if (chromosomeName != recentChromosome_ || recentTracks_.size() == kRecentTracks) {
        recentChromosome_ = chromosomeName;
        recentTracks_.clear();
    }
    for (const auto& [name, track] : recentTracks_) {
        if (name == trackName)
            return *track;
    }
    ChromosomeDataset* found = genome_.FindTrack(chromosomeName, trackName);
    if (found == nullptr) {
        budget_.Reserve(kNewTrackBytes);
        found = &genome_.FindOrCreateTrack(chromosomeName, trackName);
    }
    ChromosomeDataset& track = *found;
    chromosomesRead_.insert(chromosomeName);
    if (bed_.TrackColor != ChromosomeDataset::kUnassignedColor)
        track.TrackColor = bed_.TrackColor;
    if (touched_ != nullptr)
        touched_->Add(chromosomeName, trackName);
    recentTracks_.emplace_back(trackName, &track);
    return track;
}

void FileImport::ReportLineProblem(LineProblem kind, const std::string& problem,
                                   const char* skipped) {
    genome_.SetErrorFlag(true);
    if (++problemCounts_[kind] > kReportedLinesPerProblem)
        return;
    lastListedLine_[kind] = lineNumber_;
    genome_.ReportMessage(
        FormatString("Invalid File, line %llu: ", static_cast<unsigned long long>(lineNumber_)) +
        problem);
    if (skipped != nullptr)
        genome_.ReportMessage(skipped);
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
        genome_.ReportMessage(FormatString(
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
    genome_.ReportMessage(FormatString("File changed while it was read (%llu of %llu bytes): ",
                                       static_cast<unsigned long long>(source.GetFileBytesRead()),
                                       static_cast<unsigned long long>(fileSize_)) +
                          fileName_);
    genome_.SetErrorFlag(true);
}

void FileImport::ReportReadError(const ByteSource& source) {
    // The line being read when the bytes ran out or went bad; the lines before it are kept.
    genome_.ReportMessage(FormatString("Error reading file at line %llu: ",
                                       static_cast<unsigned long long>(lineNumber_ + 1)) +
                          fileName_ + " (" + source.GetFailure() + ")");
    readIncompletely_ = true;
    StopEarly();
}

void FileImport::StopEarly() {
    genome_.ReportMessage(
        FormatString("%zu ChromosomeNames loaded.", genome_.GetChromosomeCount()));
    genome_.ReportMessage("The rest of the file will not be loaded.");
    genome_.SetErrorFlag(true);
}

bool FileImport::ReportProgressIfDue(const ByteSource& source) {
    const Clock::time_point now = Clock::now();
    if (now - lastProgress_ <= limits_.progressInterval)
        return false;
    lastProgress_ = now;
    // The progress interface counts in int; very large files are reported in coarser units.
    const uint64_t unit = fileSize_ / INT_MAX + 1;
    genome_.SetTaskProgress(static_cast<int>(std::min(source.GetFileBytesRead(), fileSize_) / unit),
                            static_cast<int>(fileSize_ / unit), kImportingPrefix, "", 0);
    return true;
}

void FileImport::LinkGeneModels() {
    // BED lines carry no links; their tracks are left as they are.
    if (type_ != ImportDriver::kGff)
        return;
    std::vector<const GenomeDataset::TrackMap*> chromosomes;
    for (const std::string& name : chromosomesRead_) {
        if (const GenomeDataset::TrackMap* tracks = genome_.GetChromosomeTracks(name))
            chromosomes.push_back(tracks);
    }
    try {
        GeneModelLinker::LinkAll(chromosomes);
    } catch (const std::bad_alloc&) {
        // Models are a way of drawing what is loaded; without memory for them the tracks are
        // drawn as they would be without models, and nothing loaded is lost.
    }
}

void FileImport::Finish() {
    ReportUnlistedProblems();
    LinkGeneModels();
    genome_.SetTaskPercent(100, kImportingPrefix, "", 0);
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - startTime_);
    genome_.AddImportTotals(stored_, static_cast<uint64_t>(elapsed.count()));
    genome_.SortChromosomeNames();
    if (!genome_.GetPaneOrder().empty() && genome_.GetCurrentPane() == kAllTracksPane)
        genome_.SetCurrentPane(genome_.GetPaneOrder().front());
    genome_.AddLoadedFile(FileNameOf(fileName_) + " ");
}

// Why the file cannot be imported, asked of the file system before opening it; empty when it
// is a regular file with something in it, whose size is then set.
std::string RefusalBeforeReading(const std::string& fileName, uintmax_t& size) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(fileName, error);
    if (error == std::errc::permission_denied)
        return kPermissionDenied;
    if (error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory ||
        status.type() == std::filesystem::file_type::not_found)
        return "not found";
    if (error)
        return error.message();
    // Folders, pipes and devices have no size to compare with what was read.
    if (!std::filesystem::is_regular_file(status))
        return "not a regular file";
    size = std::filesystem::file_size(fileName, error);
    if (error)
        return error.message();
    return size == 0 ? "empty" : "";
}

}  // namespace

bool ImportDriver::IsCompressed(const std::string& fileName) {
    const size_t dot = fileName.find_last_of('.');
    if (dot == std::string::npos)
        return false;
    const std::string_view ending = std::string_view(fileName).substr(dot + 1);
    for (const char* compressed : kCompressedEndings) {
        if (EqualsNoCase(ending, compressed))
            return true;
    }
    return false;
}

ImportDriver::FileType ImportDriver::DetectFileType(const std::string& fileName) {
    std::string_view name = fileName;
    if (IsCompressed(fileName))
        name = name.substr(0, name.find_last_of('.'));
    const size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos)
        return kUnsupported;
    const std::string_view extension = name.substr(dot + 1);
    for (const char* gff : {"gff", "gff3", "gtf"}) {
        if (EqualsNoCase(extension, gff))
            return kGff;
    }
    if (EqualsNoCase(extension, "txt"))
        return kUndecided;
    for (const auto& bed : kBedExtensions) {
        if (EqualsNoCase(extension, bed.extension))
            return kBed;
    }
    constexpr size_t kBedWord = 3;
    const std::string_view columns = extension.substr(std::min(extension.size(), kBedWord));
    if (EqualsNoCase(extension.substr(0, kBedWord), "bed") && !columns.empty() &&
        columns.size() <= 2 && columns[0] != '0' &&
        columns.find_first_not_of("0123456789") == std::string_view::npos) {
        const int count = ScanInt32(columns);
        if (count >= kFewestBedColumns && count <= kMostBedColumns)
            return kBed;
    }
    return kUnsupported;
}

BedForm ImportDriver::DetectBedForm(const std::string& fileName) {
    std::string_view name = fileName;
    if (IsCompressed(fileName))
        name = name.substr(0, name.find_last_of('.'));
    const size_t dot = name.find_last_of('.');
    const std::string_view extension =
        dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
    for (const auto& bed : kBedExtensions) {
        if (EqualsNoCase(extension, bed.extension))
            return bed.form;
    }
    return BedForm::kBed;
}

std::string ImportDriver::DefaultName(const std::string& fileName) {
    std::string name = FileNameOf(fileName);
    if (IsCompressed(name))
        name.erase(name.find_last_of('.'));
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

ImportOutcome ImportDriver::ImportFileWithOutcome(const std::string& fileName,
                                                  TrackCollector* touched) {
    const FileType type = DetectFileType(fileName);
    if (type == kUnsupported) {
        genome_.ReportMessage("File is not supported: " + fileName);
        genome_.SetErrorFlag(true);
        return ImportOutcome::kFailed;
    }
    uintmax_t size = 0;
    if (const std::string reason = RefusalBeforeReading(fileName, size); !reason.empty()) {
        genome_.ReportMessage("Bad File: " + fileName + " (" + reason + ")");
        return ImportOutcome::kFailed;
    }
    errno = 0;
    std::ifstream in(fileName, std::ios::binary);
    if (!in) {
        if (errno == EACCES) {
            genome_.ReportMessage("Bad File: " + fileName + " (" + kPermissionDenied + ")");
            return ImportOutcome::kFailed;
        }
        ShowMessageBox("Cannot open file: " + fileName);
        return ImportOutcome::kFailed;
    }
    // gzip by its first bytes: downloads are often decompressed on the way and keep their
    // ".gz", and compressed data may come under any name.
    std::unique_ptr<ByteSource> source;
    if (GzipByteSource::StartsCompressed(in))
        source = std::make_unique<GzipByteSource>(in, size);
    else
        source = std::make_unique<StreamByteSource>(in);
    LineReader reader(*source, limits_.maxLineLength);
    switch (TextForms::Recognise(reader.Peek(TextForms::kProbeBytes))) {
        case TextForm::kUtf16:
            genome_.ReportMessage("Bad File: " + fileName + " (UTF-16 text; save it as UTF-8)");
            return ImportOutcome::kFailed;
        case TextForm::kUtf32:
            genome_.ReportMessage("Bad File: " + fileName + " (UTF-32 text; save it as UTF-8)");
            return ImportOutcome::kFailed;
        case TextForm::kUtf8WithMark:
            reader.Skip(TextForms::kUtf8MarkLength);
            break;
        case TextForm::kPlain:
            break;
    }
    FileImport import(genome_, fileName, type, size, touched, limits_, budget_);
    const bool decided = import.Run(reader, *source);
    if (!decided || import.ReadIncompletely())
        return ImportOutcome::kFailed;
    return import.CutShort() ? ImportOutcome::kCutShort : ImportOutcome::kComplete;
}

bool ImportDriver::LoadFiles(const std::vector<std::string>& paths, ImportOutcome* outcome) {
    int done = 0;
    const ImportOutcome worst = LoadInOrder(paths, done, static_cast<int>(paths.size()), false);
    if (genome_.GetErrorFlag())
        genome_.WaitForClose("Done", 100);
    if (outcome != nullptr)
        *outcome = worst;
    return worst != ImportOutcome::kFailed;
}

ImportOutcome ImportDriver::LoadFilesOfLargerLoad(const std::vector<std::string>& paths, int& done,
                                                  int total) {
    return LoadInOrder(paths, done, total, true);
}

ImportOutcome ImportDriver::LoadInOrder(const std::vector<std::string>& paths, int& done, int total,
                                        bool goOnAfterFailure) {
    TrackCollector collector;
    ImportOutcome worst = ImportOutcome::kComplete;
    for (const std::string& path : paths) {
        if (worst == ImportOutcome::kFailed && !goOnAfterFailure)
            break;
        genome_.ReportMessage("Loading " + path);
        worst = std::max(worst, ImportFileWithOutcome(path, &collector));
        genome_.SetProgress(CNotificationAgent::PROGRESS_OVERALL, ++done, total, "", "", 0);
        if (genome_.IsCancelRequested(false))
            break;
    }
    for (const auto& [chromosomeName, trackName] : collector.GetPairs()) {
        genome_.AppendTrackName(trackName);
        if (ChromosomeDataset* track = genome_.FindTrack(chromosomeName, trackName)) {
            track->ScaleMin = track->MinValue;
            track->ScaleMax = track->MaxValue;
        }
    }
    return worst;
}
