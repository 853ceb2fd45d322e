#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "import/byte_source.h"

// Splits the bytes of a source into physical lines at line feeds, reading it in large blocks.
// A line longer than kMaxLineLength is skipped whole rather than held in memory, so a file
// without line feeds (a renamed binary, say) cannot exhaust memory.
class LineReader {
public:
    static constexpr size_t kMaxLineLength = size_t{1} << 20;

    enum class Status {
        kLine,     // line holds the next line, without its line feed
        kTooLong,  // the next line was longer than kMaxLineLength and has been skipped
        kEnd,      // no more lines
        kError,    // the source failed while reading; a part line before the failure is dropped
    };

    // The source must outlive the reader.
    explicit LineReader(ByteSource& source);

    // line stays valid until the next call.
    Status Next(std::string_view& line);

    // Bytes of text consumed so far, up to the end of the last line returned.
    uint64_t GetBytesRead() const { return consumedBefore_ + begin_; }

private:
    // Reads more of the source after the unread part; false at the end or on error.
    bool Refill();

    ByteSource& source_;
    std::unique_ptr<char[]> buffer_;
    size_t begin_ = 0;             // start of the unread part of the buffer
    size_t end_ = 0;               // end of the valid part of the buffer
    uint64_t consumedBefore_ = 0;  // bytes of text that came before buffer_[0]
    bool atEnd_ = false;
    bool failed_ = false;
};
