#include "import/line_reader.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr size_t kBlockSize = size_t{1} << 20;
// A small file is read into a small buffer; the buffer doubles while the file keeps filling
// it, up to kBlockSize, so large files are still read in large blocks.
constexpr size_t kFirstCapacity = size_t{4} << 10;
}  // namespace

LineReader::LineReader(ByteSource& source, size_t maxLineLength)
    : source_(source),
      maxLineLength_(maxLineLength),
      // Room for the longest line kept, a carriage return waiting for its line feed, and one
      // block read after them.
      largestCapacity_(maxLineLength + 2 + kBlockSize),
      capacity_(std::min(kFirstCapacity, largestCapacity_)),
      buffer_(new char[capacity_]) {}

void LineReader::Grow() {
    const size_t grown = std::min(capacity_ * 2, largestCapacity_);
    std::unique_ptr<char[]> bigger(new char[grown]);
    std::memcpy(bigger.get(), buffer_.get(), end_);
    buffer_ = std::move(bigger);
    capacity_ = grown;
}

bool LineReader::Refill() {
    if (atEnd_)
        return false;
    // Keep the unread part at the front so a line never wraps around the buffer.
    if (begin_ > 0) {
        std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
        consumedBefore_ += begin_;
        end_ -= begin_;
        begin_ = 0;
    }
    // A part line that fills half the buffer needs room to be ended or found too long.
    if (capacity_ < largestCapacity_ &&
        ((lastReadFilledBuffer_ && capacity_ < kBlockSize) || end_ > capacity_ / 2))
        Grow();
    const size_t room = capacity_ - end_;
    const size_t got = source_.Read(buffer_.get() + end_, room);
    lastReadFilledBuffer_ = got == room;
    end_ += got;
    if (got == 0) {
        atEnd_ = true;
        failed_ = source_.Failed();
        return false;
    }
    return true;
}

LineReader::Status LineReader::TakeLine(size_t lineBreak, LineEnd lineEnd, bool skipping,
                                        std::string_view& line) {
    line = std::string_view(buffer_.get() + begin_, lineBreak - begin_);
    begin_ = lineBreak + LineEnds::Length(lineEnd);
    lineEnd_ = lineEnd;
    return skipping || line.size() > maxLineLength_ ? Status::kTooLong : Status::kLine;
}

LineReader::Status LineReader::Next(std::string_view& line) {
    bool skipping = false;  // inside a line that is too long to keep
    size_t scanned = 0;     // bytes after begin_ known to hold no line break
    for (;;) {
        const char* const data = buffer_.get();
        const char* const found = LineEnds::FindLineBreak(data + begin_ + scanned, data + end_);
        const size_t lineBreak = static_cast<size_t>(found - data);
        if (lineBreak < end_) {
            const LineEnd lineEnd = LineEnds::LineEndAt(found, data + end_, !atEnd_);
            if (lineEnd != LineEnd::kNone)
                return TakeLine(lineBreak, lineEnd, skipping, line);
            // A carriage return last in the buffer: the byte after it decides.
        } else if (atEnd_) {
            if (failed_)
                return Status::kError;
            if (begin_ == end_ && !skipping)
                return Status::kEnd;
            return TakeLine(end_, LineEnd::kNone, skipping, line);
        }
        scanned = lineBreak - begin_;
        // Drop what we have of a line that is already too long, keeping a carriage return
        // that may be the first half of its line end.
        if (scanned > maxLineLength_) {
            skipping = true;
            begin_ = lineBreak;
            scanned = 0;
        }
        if (!Refill() && failed_)
            return Status::kError;
    }
}

std::string_view LineReader::Peek(size_t size) {
    while (end_ - begin_ < size && Refill()) {
    }
    return std::string_view(buffer_.get() + begin_, std::min(size, end_ - begin_));
}

void LineReader::Skip(size_t count) {
    begin_ += std::min(count, end_ - begin_);
}
