#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "import/byte_source.h"
#include "import/line_ends.h"

// Splits the bytes of a source into physical lines at their line ends (LF, CR LF or a lone CR;
// see line_ends.h). A line longer than the longest line kept is skipped whole rather than held
// in memory, so a file without line ends (a renamed binary, say) cannot exhaust memory. The
// buffer starts small and grows with the file up to large blocks, so a small file costs little.
class LineReader {
public:
    static constexpr size_t kMaxLineLength = size_t{1} << 20;

    enum class Status {
        kLine,     // line holds the next line, without its line end
        kTooLong,  // the next line was longer than the longest line kept and has been skipped
        kEnd,      // no more lines
        kError,    // the source failed while reading; a part line before the failure is dropped
    };

    // The source must outlive the reader. Lines longer than maxLineLength are skipped.
    explicit LineReader(ByteSource& source, size_t maxLineLength = kMaxLineLength);

    // line stays valid until the next call.
    Status Next(std::string_view& line);
    // How the line last returned ended (kNone for a last line without a line end).
    LineEnd GetLineEnd() const { return lineEnd_; }

    // The first bytes of the text, up to size of them (fewer when the text is shorter or the
    // source failed), without taking them: for recognising what kind of text it is. Valid
    // until the next call.
    std::string_view Peek(size_t size);
    // Takes count bytes from the start of what Peek showed (a byte-order mark, say).
    void Skip(size_t count);

    // Bytes of text consumed so far, up to the end of the last line returned.
    uint64_t GetBytesRead() const { return consumedBefore_ + begin_; }

private:
    // Reads more of the source after the unread part; false at the end or on error.
    bool Refill();
    // Doubles the buffer (up to its largest size), keeping the unread part.
    void Grow();
    // Returns the line that ends at lineBreak with lineEnd and moves past its line end.
    Status TakeLine(size_t lineBreak, LineEnd lineEnd, bool skipping, std::string_view& line);

    ByteSource& source_;
    const size_t maxLineLength_;
    const size_t largestCapacity_;
    size_t capacity_;
    std::unique_ptr<char[]> buffer_;
    size_t begin_ = 0;             // start of the unread part of the buffer
    size_t end_ = 0;               // end of the valid part of the buffer
    uint64_t consumedBefore_ = 0;  // bytes of text that came before buffer_[0]
    LineEnd lineEnd_ = LineEnd::kNone;
    bool lastReadFilledBuffer_ = false;
    bool atEnd_ = false;
    bool failed_ = false;
};
