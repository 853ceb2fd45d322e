#pragma once

#include <string>
#include <vector>

#include "data/genome_dataset.h"
#include "import/track_collector.h"

// Reads GFF and BED files, plain or gzip-compressed, into a GenomeDataset: decides each file's
// type, reads it line by line through the GFF or BED reader, reports and skips bad lines, files
// each accepted feature under its chromosome and track, and reports progress, problems and totals
// through the dataset's notification agent. Bad input never loses what is already loaded.
class ImportDriver {
public:
    enum FileType { kUnsupported = 0, kGff = 1, kUndecided = 2, kBed = 3 };

    explicit ImportDriver(GenomeDataset& genome) : genome_(genome) {}

    // True when the name ends in ".gz" or ".bgz" (any case): the file is gzip-compressed and
    // is decompressed while it is read.
    static bool IsCompressed(const std::string& fileName);
    // From the text after the last '.' of the name, less a compressed ending, compared without
    // regard to case: "gff", "gff3", "gtf" (GFF), "bed", "txt" (GFF or BED, decided by the
    // first data line), else unsupported.
    static FileType DetectFileType(const std::string& fileName);
    // The file's name without folder, compressed ending and extension.
    static std::string DefaultName(const std::string& fileName);

    // Imports one file. False when it was refused before any line was read, when its type
    // could not be decided, when reading it failed (a corrupt or cut-short compressed file,
    // say) or when it changed size while it was read (what was read stays in every case);
    // true otherwise, also after an early stop, a GFF3 "##FASTA" line or a cancel. Every
    // (chromosome, track) pair that receives a feature is added to touched, when given.
    bool ImportFile(const std::string& fileName, TrackCollector* touched);

    // Imports the files in order until one fails or the user cancels, then appends the new
    // track names to the track order and gives every touched track its data range as manual
    // scale. After a flagged error it waits for the user to close the progress display.
    // True when every started file imported.
    bool LoadFiles(const std::vector<std::string>& paths);

private:
    GenomeDataset& genome_;
};
