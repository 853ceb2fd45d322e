#include "import/chunk_parser.h"

#include <new>
#include <utility>

#include "data/stored_text.h"
#include "framework/file_processing_exception.h"
#include "import/feature_fields.h"
#include "import/gff_reader.h"
#include "import/line_kind.h"

namespace {

// Lines of a chunk are numbered when the import meets them; the readers' messages of a line
// read here are never shown (the import reads a refused line again).
constexpr uint64_t kUnknownLineNumber = 0;

// Calls visit(index, line, lineEnd) for each line of the chunk until it returns false;
// returns the number of lines visited.
template <typename Visit>
uint32_t ForEachLine(const TextChunk& chunk, Visit visit) {
    const std::string_view text = chunk.Text();
    const char* at = text.data();
    const char* const end = at + text.size();
    uint32_t index = 0;
    while (at != end) {
        std::string_view line;
        const LineEnd lineEnd = LineEnds::NextLine(at, end, line);
        if (!visit(index++, line, lineEnd))
            break;
    }
    return index;
}

LineSyntax SyntaxOf(std::string_view firstDataLine) {
    FeatureFields fields;
    try {
        if (ReadGffFields(firstDataLine, fields, kUnknownLineNumber))
            return LineSyntax::kGff;
    } catch (const FileProcessingException&) {
    }
    return LineSyntax::kBed;
}

// The names of the items that came just before: most items share their names with one of
// a few lines before them.
constexpr size_t kRecentNames = 8;

uint32_t NamesOf(ParsedChunk& chunk, std::string_view chromosomeName, std::string_view trackName) {
    const size_t count = chunk.names.size();
    for (size_t i = count; i > 0 && i + kRecentNames > count; --i) {
        const ParsedNames& names = chunk.names[i - 1];
        if (names.chromosomeName == chromosomeName && names.trackName == trackName)
            return static_cast<uint32_t>(i - 1);
    }
    chunk.names.push_back({chromosomeName, trackName});
    return static_cast<uint32_t>(count);
}

void AddItem(ParsedChunk& chunk, uint32_t index, const FeatureFields& fields, bool gff,
             TextBlockWriter& texts) {
    const size_t size = StoredText::Size(fields.Source, fields.Attributes, fields.Structure);
    SharedTextBlock block;
    size_t offset = 0;
    // A chunk's texts take about as much room as its lines.
    char* const text = texts.Allocate(size, chunk.text.size, block, offset);
    if (chunk.blocks.empty() || chunk.blocks.back() != block)
        chunk.blocks.push_back(std::move(block));
    ChromosomeDataset::ItemFields item;
    item.Stop = fields.Stop;
    item.Score = fields.Score;
    item.Color = fields.Color;
    item.Strand = fields.Strand;
    item.Frame = fields.Frame;
    item.Structure = StoredText::Write(text, fields.Source, fields.Attributes, fields.Structure);
    chunk.textBytes += size;
    chunk.items.push_back(
        {index, fields.Start, static_cast<uint32_t>(chunk.blocks.size() - 1),
         static_cast<uint32_t>(offset),
         NamesOf(chunk, fields.ChromosomeName, gff ? fields.TrackName : std::string_view()), item});
}

}  // namespace

LineSyntax ChunkParser::Decide(ParsedChunk& chunk) const {
    chunk.syntax = LineSyntax::kUndecided;
    chunk.decidingLine = ParsedChunk::kNoLine;
    ForEachLine(chunk.text, [&](uint32_t index, std::string_view line, LineEnd lineEnd) {
        switch (LineKinds::Of(line, lineEnd, LineSyntax::kUndecided, settings_.maxLineLength)) {
            case LineKind::kSkipped:
            case LineKind::kTooLong:
                return true;
            case LineKind::kEndOfFeatures:
                chunk.syntax = LineSyntax::kGff;  // nothing after it is read
                return false;
            case LineKind::kData:
                chunk.syntax = SyntaxOf(line);
                chunk.decidingLine = index;
                return false;
        }
        return true;
    });
    return chunk.syntax;
}

void ChunkParser::Parse(ParsedChunk& chunk, TextBlockWriter& texts) const {
    chunk.items.clear();
    chunk.names.clear();
    chunk.deferred.clear();
    chunk.blocks.clear();
    chunk.textBytes = 0;
    chunk.lineCount = 0;
    if (chunk.memoryError)
        return;
    if (chunk.text.tooLongLine) {
        chunk.deferred.push_back({0, true, chunk.text.tooLongLineEnd, {}});
        chunk.lineCount = 1;
        return;
    }
    try {
        ParseLines(chunk, texts);
    } catch (const std::bad_alloc&) {
        chunk.items.clear();
        chunk.deferred.clear();
        chunk.blocks.clear();
        chunk.memoryError = true;
    }
}

void ChunkParser::ParseLines(ParsedChunk& chunk, TextBlockWriter& texts) const {
    const bool gff = chunk.syntax == LineSyntax::kGff;
    FeatureFields fields;
    // Only the form matters here: the track in force and whether items take their colour
    // from column 9 are the import's to apply, in order.
    BedReaderState state;
    state.Form = settings_.bedForm;
    const auto defer = [&chunk](uint32_t index, std::string_view line, LineEnd lineEnd) {
        chunk.deferred.push_back({index, false, lineEnd, line});
    };
    chunk.lineCount =
        ForEachLine(chunk.text, [&](uint32_t index, std::string_view line, LineEnd lineEnd) {
            if (index == chunk.decidingLine) {
                defer(index, line, lineEnd);
                return true;
            }
            switch (LineKinds::Of(line, lineEnd, chunk.syntax, settings_.maxLineLength)) {
                case LineKind::kSkipped:
                    return true;
                case LineKind::kTooLong:
                    chunk.deferred.push_back({index, true, lineEnd, {}});
                    return true;
                case LineKind::kEndOfFeatures:
                    defer(index, line, lineEnd);
                    return false;
                case LineKind::kData:
                    break;
            }
            fields.Reset();
            bool data = false;
            try {
                data = gff ? ReadGffFields(line, fields, kUnknownLineNumber)
                           : ReadBedFields(line, fields, kUnknownLineNumber, state);
            } catch (const FileProcessingException&) {
                defer(index, line, lineEnd);
                return true;
            }
            if (!data) {
                // A GFF file's browser lines mean nothing; a BED header sets what follows.
                if (!gff) {
                    defer(index, line, lineEnd);
                    state = BedReaderState();
                    state.Form = settings_.bedForm;
                }
                return true;
            }
            if (fields.Start > fields.Stop || fields.DroppedThick != nullptr ||
                fields.DroppedBlocks != nullptr) {
                defer(index, line, lineEnd);
                return true;
            }
            AddItem(chunk, index, fields, gff, texts);
            return true;
        });
}
