#include "import/line_reader.h"

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

// Every line the reader yields with its line end ("b|CRLF"), over-long ones as "<too long>".
std::vector<std::string> ReadAll(const std::string& text, size_t pieceSize,
                                 size_t maxLineLength = LineReader::kMaxLineLength) {
    PiecewiseSource source(text, pieceSize);
    LineReader reader(source, maxLineLength);
    std::vector<std::string> lines;
    std::string_view line;
    for (;;) {
        const LineReader::Status status = reader.Next(line);
        if (status == LineReader::Status::kEnd)
            break;
        lines.push_back(
            (status == LineReader::Status::kTooLong ? "<too long>" : std::string(line)) + "|" +
            EndName(reader.GetLineEnd()));
    }
    EXPECT_EQ(reader.GetBytesRead(), text.size()) << text;
    return lines;
}

using Lines = std::vector<std::string>;
constexpr size_t kPieceSizes[] = {1, 2, 3, 7, 1 << 16};

TEST(LineReaderTest, LinesEndAtLineFeedsCarriageReturnsOrBoth) {
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
    for (const auto& c : cases) {
        for (const size_t piece : kPieceSizes)
            EXPECT_EQ(ReadAll(c.text, piece), c.lines) << c.text << " in pieces of " << piece;
    }
}

TEST(LineReaderTest, OverLongLinesAreSkippedWhole) {
    const std::string longLine(LineReader::kMaxLineLength + 1, 'x');
    const std::string longest(LineReader::kMaxLineLength, 'y');
    EXPECT_EQ(ReadAll("a\n" + longLine + "\nb\n" + longest + "\r\n", 1 << 20),
              (Lines{"a|LF", "<too long>|LF", "b|LF", longest + "|CRLF"}));
    // Without any line end, and far beyond one buffer.
    EXPECT_EQ(ReadAll(std::string(5 * LineReader::kMaxLineLength, 'z'), 1 << 20),
              Lines{"<too long>|-"});

    // The longest line kept is the reader's to choose; its line end never counts toward it,
    // even where the carriage return and the line feed arrive apart.
    for (const size_t piece : kPieceSizes) {
        EXPECT_EQ(ReadAll("12345678\r\n123456789\r\nab\r123456789\rcd", piece, 8),
                  (Lines{"12345678|CRLF", "<too long>|CRLF", "ab|CR", "<too long>|CR", "cd|-"}))
            << piece;
        EXPECT_EQ(ReadAll("123456789", piece, 8), Lines{"<too long>|-"}) << piece;
    }
}

}  // namespace
