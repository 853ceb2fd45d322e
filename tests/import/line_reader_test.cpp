#include "import/line_reader.h"

#include <gtest/gtest.h>

#include <sstream>

#include "import/stream_byte_source.h"

namespace {

// Every line the reader yields, over-long ones shown as "<too long>".
std::vector<std::string> ReadAll(const std::string& text) {
    std::istringstream in(text);
    StreamByteSource source(in);
    LineReader reader(source);
    std::vector<std::string> lines;
    std::string_view line;
    for (;;) {
        const LineReader::Status status = reader.Next(line);
        if (status == LineReader::Status::kEnd)
            break;
        lines.push_back(status == LineReader::Status::kTooLong ? "<too long>" : std::string(line));
    }
    EXPECT_EQ(reader.GetBytesRead(), text.size());
    return lines;
}

using Lines = std::vector<std::string>;

TEST(LineReaderTest, SplitsAtLineFeedsOnly) {
    EXPECT_EQ(ReadAll("a\nb\r\n\nlast"), (Lines{"a", "b\r", "", "last"}));
    EXPECT_EQ(ReadAll("a\n"), (Lines{"a"}));
    EXPECT_EQ(ReadAll(""), Lines{});
    EXPECT_EQ(ReadAll(std::string("x\0y\n", 4)), (Lines{std::string("x\0y", 3)}));
}

TEST(LineReaderTest, OverLongLinesAreSkippedWhole) {
    const std::string longLine(LineReader::kMaxLineLength + 1, 'x');
    const std::string longest(LineReader::kMaxLineLength, 'y');
    EXPECT_EQ(ReadAll("a\n" + longLine + "\nb\n" + longest + "\n"),
              (Lines{"a", "<too long>", "b", longest}));
    // Without any line feed, and far beyond one buffer.
    EXPECT_EQ(ReadAll(std::string(5 * LineReader::kMaxLineLength, 'z')), Lines{"<too long>"});
}

}  // namespace
