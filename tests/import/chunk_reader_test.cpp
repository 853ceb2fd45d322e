#include "import/chunk_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A source that hands out its text at most pieceSize bytes at a time, as a pipe or a slow disk
// may: with a piece of 1 byte, every line end falls on the edge of what has been read.
class PiecewiseSource : public ByteSource {
public:
    PiecewiseSource(std::string text, size_t pieceSize)
        : text_(std::move(text)), pieceSize_(pieceSize) {}
    size_t Read(char* into, size_t size) override {
        const size_t count = std::min({size, pieceSize_, text_.size() - offset_});
        std::memcpy(into, text_.data() + offset_, count);
        offset_ += count;
        return count;
    }

private:
    std::string text_;
    size_t pieceSize_;
    size_t offset_ = 0;
};

const char* EndName(LineEnd end) {
    switch (end) {
        case LineEnd::kLf:
            return "LF";
        case LineEnd::kCrLf:
            return "CRLF";
        case LineEnd::kCr:
            return "CR";
        case LineEnd::kNone:
            break;
    }
    return "-";
}

// Every line of the chunks the reader yields with its line end ("b|CRLF"), over-long ones as
// "<too long>", whether the reader skipped them or left them for the caller to refuse.
std::vector<std::string> ReadAll(const std::string& text, size_t pieceSize,
                                 size_t maxLineLength = ChunkReader::kMaxLineLength,
                                 size_t chunkBytes = ChunkReader::kChunkBytes) {
    PiecewiseSource source(text, pieceSize);
    ChunkReader reader(source, maxLineLength, chunkBytes);
    std::vector<std::string> lines;
    TextChunk chunk;
    while (reader.Next(chunk) == ChunkReader::Status::kChunk) {
        if (chunk.tooLongLine) {
            lines.push_back(std::string("<too long>|") + EndName(chunk.tooLongLineEnd));
            continue;
        }
        EXPECT_GT(chunk.size, 0u) << text;
        const char* at = chunk.buffer.get();
        const char* const end = at + chunk.size;
        while (at != end) {
            std::string_view line;
            const LineEnd lineEnd = LineEnds::NextLine(at, end, line);
            lines.push_back((line.size() > maxLineLength ? "<too long>" : std::string(line)) + "|" +
                            EndName(lineEnd));
        }
    }
    EXPECT_EQ(reader.GetBytesRead(), text.size()) << text;
    return lines;
}

using Lines = std::vector<std::string>;
constexpr size_t kPieceSizes[] = {1, 2, 3, 7, 1 << 16};

TEST(ChunkReaderTest, LinesEndAtLineFeedsCarriageReturnsOrBoth) {
    const struct {
        std::string text;
        Lines lines;
    } cases[] = {
        {"a\nb\r\nc\rd", {"a|LF", "b|CRLF", "c|CR", "d|-"}},
        {"a\n", {"a|LF"}},
        {"a\r", {"a|CR"}},
        {"a\r\n", {"a|CRLF"}},
        {"", {}},
        {"\r\n\r\n", {"|CRLF", "|CRLF"}},
        {"\r\r\n\n\r", {"|CR", "|CRLF", "|LF", "|CR"}},
        {"\n\r", {"|LF", "|CR"}},
        {std::string("x\0y\n", 4), {std::string("x\0y|LF", 6)}},
    };
    // Chunks of every size from one byte up cut the text at every place.
    for (const auto& c : cases) {
        for (const size_t piece : kPieceSizes) {
            for (const size_t chunk : {size_t{1}, size_t{2}, size_t{3}, ChunkReader::kChunkBytes})
                EXPECT_EQ(ReadAll(c.text, piece, ChunkReader::kMaxLineLength, chunk), c.lines)
                    << c.text << " in pieces of " << piece << ", chunks of " << chunk;
        }
    }
}

TEST(ChunkReaderTest, OverLongLinesAreSkippedWhole) {
    const std::string longLine(ChunkReader::kMaxLineLength + 1, 'x');
    const std::string longest(ChunkReader::kMaxLineLength, 'y');
    EXPECT_EQ(ReadAll("a\n" + longLine + "\nb\n" + longest + "\r\n", 1 << 20),
              (Lines{"a|LF", "<too long>|LF", "b|LF", longest + "|CRLF"}));
    // Without any line end, and far beyond one buffer.
    EXPECT_EQ(ReadAll(std::string(5 * ChunkReader::kMaxLineLength, 'z'), 1 << 20),
              Lines{"<too long>|-"});

    // The longest line kept is the reader's to choose; its line end never counts toward it,
    // even where the carriage return and the line feed arrive apart.
    for (const size_t piece : kPieceSizes) {
        for (const size_t chunk : {size_t{1}, size_t{5}, size_t{64}}) {
            EXPECT_EQ(ReadAll("12345678\r\n123456789\r\nab\r123456789\rcd", piece, 8, chunk),
                      (Lines{"12345678|CRLF", "<too long>|CRLF", "ab|CR", "<too long>|CR", "cd|-"}))
                << piece << " " << chunk;
            EXPECT_EQ(ReadAll("123456789", piece, 8, chunk), Lines{"<too long>|-"}) << piece;
        }
    }
}

}  // namespace
