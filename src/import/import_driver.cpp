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

#include "data/number_scan.h"
#include "data/parsed_feature_line.h"
#include "framework/file_processing_exception.h"
#include "framework/message_box.h"
#include "framework/string_format.h"
#include "import/bed_reader.h"
#include "import/chunk_reader.h"
#include "import/file_import.h"
#include "import/gff_reader.h"
#include "import/gzip_byte_source.h"
#include "import/import_threads.h"
#include "import/stream_byte_source.h"
#include "import/text_form.h"

namespace {

const char kPermissionDenied[] = "permission denied";
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
        reporter_.ReportMessage("File is not supported: " + fileName);
        reporter_.FlagError();
        return ImportOutcome::kFailed;
    }
    uintmax_t size = 0;
    if (const std::string reason = RefusalBeforeReading(fileName, size); !reason.empty()) {
        reporter_.ReportMessage("Bad File: " + fileName + " (" + reason + ")");
        return ImportOutcome::kFailed;
    }
    errno = 0;
    std::ifstream in(fileName, std::ios::binary);
    if (!in) {
        if (errno == EACCES) {
            reporter_.ReportMessage("Bad File: " + fileName + " (" + kPermissionDenied + ")");
            return ImportOutcome::kFailed;
        }
        ShowMessageBox("Cannot open file: " + fileName);
        return ImportOutcome::kFailed;
    }
    // gzip by its first bytes: downloads are often decompressed on the way and keep their
    // ".gz", and compressed data may come under any name.
    std::unique_ptr<ByteSource> source;
    const bool compressed = GzipByteSource::StartsCompressed(in);
    if (compressed)
        source = std::make_unique<GzipByteSource>(in, size);
    else
        source = std::make_unique<StreamByteSource>(in);
    ChunkReader reader(*source, limits_.maxLineLength, limits_.chunkBytes);
    switch (TextForms::Recognise(reader.Peek(TextForms::kProbeBytes))) {
        case TextForm::kUtf16:
            reporter_.ReportMessage("Bad File: " + fileName + " (UTF-16 text; save it as UTF-8)");
            return ImportOutcome::kFailed;
        case TextForm::kUtf32:
            reporter_.ReportMessage("Bad File: " + fileName + " (UTF-32 text; save it as UTF-8)");
            return ImportOutcome::kFailed;
        case TextForm::kUtf8WithMark:
            reader.Skip(TextForms::kUtf8MarkLength);
            break;
        case TextForm::kPlain:
            break;
    }
    FileImport import(genome_, reporter_, fileName, type, size, touched, limits_, budget_);
    const bool decided = import.Run(reader, *source, ThreadsFor(size, compressed));
    if (!decided || import.ReadIncompletely())
        return ImportOutcome::kFailed;
    return import.CutShort() ? ImportOutcome::kCutShort : ImportOutcome::kComplete;
}

unsigned ImportDriver::ThreadsFor(uint64_t fileSize, bool compressed) const {
    // A compressed file holds several times its size in text; loaded, text takes about half
    // as much again. A parsing thread takes its stack, its heap and chunks in flight.
    constexpr uint64_t kTextPerCompressedByte = 8;
    constexpr uint64_t kThreadBytes = uint64_t{96} << 20;
    const uint64_t text = fileSize * (compressed ? kTextPerCompressedByte : 1);
    const unsigned threads = limits_.threads != 0 ? limits_.threads : ImportThreads::Default();
    // A file of one chunk has nothing to share out. Short of memory, the import is read on one
    // thread, so that it stops at the same line however often it is read.
    if (threads < 2 || text <= limits_.chunkBytes ||
        !budget_.HasRoomFor(text + text / 2 + threads * kThreadBytes))
        return 1;
    return threads;
}

bool ImportDriver::LoadFiles(const std::vector<std::string>& paths, ImportOutcome* outcome) {
    int done = 0;
    const ImportOutcome worst = LoadInOrder(paths, done, static_cast<int>(paths.size()), false);
    if (reporter_.HasError())
        reporter_.WaitForClose();
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
        reporter_.ReportMessage("Loading " + path);
        worst = std::max(worst, ImportFileWithOutcome(path, &collector));
        reporter_.SetOverallProgress(++done, total);
        if (reporter_.IsCancelRequested())
            break;
    }
    for (const auto& [chromosomeName, trackName] : collector.GetPairs()) {
        genome_.Store().AppendTrackName(trackName);
        if (ChromosomeDataset* track = genome_.Store().FindTrack(chromosomeName, trackName)) {
            track->ScaleMin = track->MinValue;
            track->ScaleMax = track->MaxValue;
        }
    }
    return worst;
}
