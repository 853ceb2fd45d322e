#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/genome_dataset.h"
#include "data/memory_budget.h"
#include "data/parsed_feature_line.h"
#include "import/bed_reader.h"
#include "import/byte_source.h"
#include "import/chunk_reader.h"
#include "import/import_limits.h"
#include "import/import_pipeline.h"
#include "import/import_reporter.h"
#include "import/track_collector.h"

// The reading of one file into a genome, once it is open and its text recognised. The lines
// are parsed in chunks (see ImportPipeline), on as many threads as given; this class takes the
// parsed chunks in file order on the caller's thread and applies everything that depends on
// what came before: line numbers, the error policy (the end-before-start limit, the limit on
// chromosome names, repeated-report caps), the BED track in force, the filing of each item
// under its chromosome and track, and every status line, progress and cancel, which go to the
// reporter. Nothing it does or reports depends on the number of threads.
class FileImport {
public:
    // The file types ImportDriver tells by name.
    enum FileType { kUnsupported = 0, kGff = 1, kUndecided = 2, kBed = 3 };

    FileImport(GenomeDataset& genome, ImportReporter& reporter, const std::string& fileName,
               FileType type, uint64_t fileSize, TrackCollector* touched,
               const ImportLimits& limits, MemoryBudget& budget);

    // Reads the lines of reader, which takes them from source, parsing on threads threads.
    // False when the file type could not be decided.
    bool Run(ChunkReader& reader, const ByteSource& source, unsigned threads);
    // True when reading failed, or the end came at another size than the file had when the
    // import began: what was read is kept, but it is not the whole file.
    bool ReadIncompletely() const { return readIncompletely_; }
    // True when the import stopped before the end of the file on its own account (too many
    // errors or chromosome names, no memory left); a cancel by the user does not count.
    bool CutShort() const { return cutShort_; }

private:
    using Clock = std::chrono::steady_clock;
    // kCutShort ends the file early, which the import then remembers.
    enum class LineOutcome { kNext, kCutShort, kUndecidable, kEndOfFeatures };
    // The kinds of problem lines, each reported up to kReportedLinesPerProblem times.
    enum LineProblem { kRefused, kTooLong, kBackwards, kDroppedStructure, kProblemKinds };

    // Takes the chunks until one ends the file early (the outcome says how), the text ends or
    // the user cancels (both kNext).
    LineOutcome ReadChunks(ImportPipeline& pipeline, const ByteSource& source);
    // The items and deferred lines of a chunk, in line order.
    LineOutcome MergeChunk(const ParsedChunk& chunk);
    LineOutcome HandleDeferredLine(const DeferredLine& line);
    // A line read whole by the import itself: the lines the chunks defer.
    LineOutcome HandleLine(std::string_view line, LineEnd lineEnd);
    // Reads the line with the reader of the file type; false when nothing is to be stored.
    bool ParseLine(std::string_view line, bool& undecidable);
    // The BED reader, which may raise FileProcessingException; false for a header line.
    bool ParseBed(std::string_view line);
    // The checks every line to be stored passes first: kNext when it may be stored.
    LineOutcome CheckLimits();
    LineOutcome StoreRecord();
    LineOutcome StoreItem(const ParsedItem& item, const ParsedChunk& chunk);
    ChromosomeDataset& TrackFor(std::string_view chromosomeName, std::string_view trackName);
    // The track name an item of these names is filed under: GFF's feature column, or the BED
    // track in force; the default name for an empty one.
    std::string_view TrackNameOf(const ParsedNames& names) const;
    // True, with the line refused, when the name is that of the "All Tracks" pane.
    bool IsReservedChromosomeName(std::string_view name);
    // The chromosome name to file under: the default name for an empty one, with "chr" in
    // lower case for one that starts with it in any case. Valid until the next call.
    std::string_view FiledChromosomeName(std::string_view name);
    // Reports a problem of the current line, followed by skipped when that is not null.
    void ReportLineProblem(LineProblem kind, const std::string& problem, const char* skipped);
    void ReportDroppedStructure();
    void ReportUnlistedProblems();
    void CheckFileSize(const ByteSource& source);
    void ReportReadError(const ByteSource& source);
    void StopEarly();
    // Reports the read position when 200 ms have passed since the last report; true if it did.
    bool ReportProgressIfDue(uint64_t fileBytesRead);
    void Finish();

    GenomeDataset& genome_;
    ImportReporter& reporter_;
    const std::string& fileName_;
    const std::string defaultName_;
    FileType type_;
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
    // The tracks of the names of the chunk being merged, as they are first looked up; cleared
    // when a BED header line changes the track in force.
    std::vector<ChromosomeDataset*> tracksOfNames_;
    bool textsGranted_ = false;   // the budget has granted the texts of the chunk being merged
    std::string chromosomeName_;  // a chromosome name being fixed up
    // What the BED header lines set: track name, colours; the BED form of the file.
    BedReaderState bed_;
    const Clock::time_point startTime_ = Clock::now();
    Clock::time_point lastProgress_ = startTime_;
    // The tracks of the chromosome being read: lines of one chromosome come together and cycle
    // through a few feature types, so a short list answers nearly every lookup.
    std::string recentChromosome_;
    std::vector<std::pair<std::string, ChromosomeDataset*>> recentTracks_;
};
