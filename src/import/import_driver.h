#pragma once

#include <string>
#include <vector>

#include "data/genome_dataset.h"
#include "data/memory_budget.h"
#include "import/agent_import_reporter.h"
#include "import/bed_reader.h"
#include "import/file_import.h"
#include "import/import_limits.h"
#include "import/import_outcome.h"
#include "import/import_reporter.h"
#include "import/system_memory_budget.h"
#include "import/track_collector.h"

// Reads GFF and BED files, plain or gzip-compressed, into a GenomeDataset: decides each file's
// type, reads it line by line through the GFF or BED reader, reports and skips bad lines, files
// each accepted feature under its chromosome and track, and reports progress, problems and totals
// to its reporter (the dataset's notification agent unless another is given). Bad input never
// loses what is already loaded.
// Whether a file is gzip-compressed is read from its first bytes, whatever its name; a UTF-8
// byte-order mark is skipped, and UTF-16 and UTF-32 text is refused. The lines are parsed on
// several threads where the file is large enough (see ImportLimits::threads); what is loaded
// and reported is the same whatever their number.
class ImportDriver {
public:
    using FileType = FileImport::FileType;
    static constexpr FileType kUnsupported = FileImport::kUnsupported;
    static constexpr FileType kGff = FileImport::kGff;
    static constexpr FileType kUndecided = FileImport::kUndecided;
    static constexpr FileType kBed = FileImport::kBed;

    // The stores grow only as far as budget allows (the system's memory when none is given);
    // the budget must outlive the driver. Reports go to the genome's notification agent.
    explicit ImportDriver(GenomeDataset& genome, const ImportLimits& limits = ImportLimits(),
                          MemoryBudget* budget = nullptr)
        : ImportDriver(genome, genomeReporter_, limits, budget) {}
    // The same, reporting to reporter, which must outlive the driver.
    ImportDriver(GenomeDataset& genome, ImportReporter& reporter,
                 const ImportLimits& limits = ImportLimits(), MemoryBudget* budget = nullptr)
        : genome_(genome),
          genomeReporter_(genome),
          reporter_(reporter),
          limits_(limits),
          budget_(budget != nullptr ? *budget : systemBudget_) {}
    ImportDriver(const ImportDriver&) = delete;
    ImportDriver& operator=(const ImportDriver&) = delete;

    // True when the name ends in ".gz" or ".bgz" (any case): the name of a compressed file,
    // whose type comes from the ending before.
    static bool IsCompressed(const std::string& fileName);
    // From the text after the last '.' of the name, less a compressed ending, compared without
    // regard to case: "gff", "gff3", "gtf" (GFF); "bed", "bed3" to "bed15", "bedGraph", "bdg",
    // "narrowPeak", "broadPeak" (the BED family); "txt" (GFF or BED, decided by the first data
    // line); else unsupported.
    static FileType DetectFileType(const std::string& fileName);
    // Which member of the BED family a BED file's name calls for (kBed for any other name).
    static BedForm DetectBedForm(const std::string& fileName);
    // The file's name without folder, compressed ending and extension.
    static std::string DefaultName(const std::string& fileName);

    // Imports one file. False when it was refused before any line was read (UTF-16 text, say),
    // when its type could not be decided, when reading it failed (a corrupt or cut-short compressed
    // file, say) or when it changed size while it was read (what was read stays in every case);
    // true otherwise, also after an early stop, a GFF3 "##FASTA" line or a cancel. Every
    // (chromosome, track) pair that receives a feature is added to touched, when given.
    bool ImportFile(const std::string& fileName, TrackCollector* touched) {
        return ImportFileWithOutcome(fileName, touched) != ImportOutcome::kFailed;
    }
    // The same, telling a file read to its end (or cancelled) from one that stopped early:
    // kFailed where ImportFile gives false, else kCutShort after an early stop.
    ImportOutcome ImportFileWithOutcome(const std::string& fileName, TrackCollector* touched);

    // Imports the files in order until one fails or the user cancels, then appends the new
    // track names to the track order and gives every touched track its data range as manual
    // scale. After a flagged error it waits for the user to close the progress display.
    // True when no file failed; outcome, when given, is the worst outcome of the files started,
    // which also tells whether a file was cut short.
    bool LoadFiles(const std::vector<std::string>& paths, ImportOutcome* outcome = nullptr);
    // One part of a longer load (a workspace's): imports the files as LoadFiles does, but goes
    // on after a file that fails, counts each file on the overall bar as done of total, and
    // leaves waiting for the user to the caller. Stops early only when the user cancels. The
    // worst outcome of the files started.
    ImportOutcome LoadFilesOfLargerLoad(const std::vector<std::string>& paths, int& done,
                                        int total);

private:
    // The files in order, counted from done of total; after a failed file the rest are read
    // only when goOnAfterFailure. Then the new track names and the touched tracks' scales.
    ImportOutcome LoadInOrder(const std::vector<std::string>& paths, int& done, int total,
                              bool goOnAfterFailure);
    // The threads to parse a file of this size with.
    unsigned ThreadsFor(uint64_t fileSize, bool compressed) const;

    GenomeDataset& genome_;
    AgentImportReporter genomeReporter_;
    ImportReporter& reporter_;
    const ImportLimits limits_;
    SystemMemoryBudget systemBudget_;
    MemoryBudget& budget_;
};
