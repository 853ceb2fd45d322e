#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

#include "data/genome_dataset.h"
#include "import/line_reader.h"

// The bounds an import keeps to and how often it reports. The defaults are the program's own;
// tests and the fuzz target shrink them so that short inputs reach each of them.
struct ImportLimits {
    // Longer lines are skipped with a message.
    size_t maxLineLength = LineReader::kMaxLineLength;
    // A file that takes the document past this many chromosome names stops there.
    uint32_t maxChromosomeNames = GenomeDataset::kMaxChromosomeNames;
    // Progress is reported, and cancel asked for, at most this often.
    std::chrono::milliseconds progressInterval{200};
};
