#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "data/chromosome_dataset.h"
#include "data/text_block.h"
#include "import/chunk_reader.h"
#include "import/line_ends.h"

// How the lines of a chunk are to be read: the syntax of the file, once its first data line
// has decided it for a .txt file.
enum class LineSyntax { kGff, kBed, kUndecided };

// A data line read whole and ready to be stored: its texts are already written to a text
// block, its names still lie in the chunk's text.
struct ParsedItem {
    uint32_t line;  // the line's index in the chunk, from 0
    uint32_t start;
    uint32_t block;       // the text block of its texts, an index into the chunk's blocks
    uint32_t textOffset;  // where its texts begin in that block
    uint32_t names;       // its names, an index into the chunk's names
    ChromosomeDataset::ItemFields fields;
};

// The names a run of items of a chunk are filed under, as their lines give them: the import
// looks each up once per chunk rather than once per item.
struct ParsedNames {
    std::string_view chromosomeName;
    std::string_view trackName;  // GFF's feature column; BED lines take the track in force
};

// A line that the import reads again itself, in its place among the others: every line that
// is not simply a data line to store (a refused line, a header line, a line whose end lies
// before its start, one that loses part of its structure, one that ends the features, the
// line that decides a .txt file's syntax), and a line too long to keep.
struct DeferredLine {
    uint32_t line;  // the line's index in the chunk, from 0
    bool tooLong;
    LineEnd lineEnd;
    std::string_view text;  // empty for a line too long to keep
};

// One chunk of a file's text and what its parsing made of it. The import applies the items
// and deferred lines in line order; nothing here depends on what came before the chunk but
// the syntax.
struct ParsedChunk {
    static constexpr uint32_t kNoLine = 0xFFFFFFFF;

    TextChunk text;
    uint64_t sequence = 0;  // the chunk's place in the file, from 0
    LineSyntax syntax = LineSyntax::kUndecided;
    uint32_t decidingLine = kNoLine;  // the line that decides a .txt file's syntax, if here
    uint32_t lineCount = 0;
    std::vector<ParsedItem> items;
    std::vector<ParsedNames> names;
    std::vector<DeferredLine> deferred;
    std::vector<SharedTextBlock> blocks;  // where the items' texts lie
    size_t textBytes = 0;                 // the bytes of the items' texts
    // Reading or parsing ran out of memory: nothing of the chunk is to be used.
    bool memoryError = false;
};
