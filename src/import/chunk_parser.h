#pragma once

#include <cstddef>
#include <string_view>

#include "import/bed_reader.h"
#include "import/parsed_chunk.h"

// Reads the lines of one chunk with the GFF or BED reader, on any thread: the data lines that
// can simply be stored become items, with their texts written to a text block of the chunk's
// own; every other line is deferred to the import, which alone knows what came before (the
// error count, the track in force, the names loaded) and alone reports. Lines are classified
// as the import classifies them: blank lines (but for a CR LF one) and '#' comments are
// skipped; "##FASTA", and in GFF a line starting with '>', end the features.
class ChunkParser {
public:
    struct Settings {
        BedForm bedForm = BedForm::kBed;
        size_t maxLineLength = ChunkReader::kMaxLineLength;
    };

    explicit ChunkParser(const Settings& settings) : settings_(settings) {}

    // Fills chunk's items, names, deferred lines and line count from its text, with
    // chunk.syntax and chunk.decidingLine set, writing the items' texts through texts. Never
    // throws: running out of memory sets chunk.memoryError.
    void Parse(ParsedChunk& chunk, TextBlockWriter& texts) const;

    // For a file whose syntax is still undecided when chunk is read: finds the chunk's first
    // data line, which decides it (GFF when the GFF reader takes it as a data line, else BED),
    // and sets chunk.syntax and chunk.decidingLine. A "##FASTA" line before any data line ends
    // the file, which counts as GFF. Returns the syntax for the chunks after (kUndecided when
    // the chunk held no data line).
    LineSyntax Decide(ParsedChunk& chunk) const;

private:
    void ParseLines(ParsedChunk& chunk, TextBlockWriter& texts) const;

    const Settings settings_;
};
