#include "import/line_reader.h"

#include <cstring>

namespace {
constexpr size_t kBlockSize = size_t{1} << 20;
// Room for the longest line kept plus one block read after it.
constexpr size_t kBufferSize = LineReader::kMaxLineLength + kBlockSize;
}  // namespace

LineReader::LineReader(ByteSource& source) : source_(source), buffer_(new char[kBufferSize]) {}

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
    const size_t got = source_.Read(buffer_.get() + end_, kBufferSize - end_);
    end_ += got;
    if (got == 0) {
        atEnd_ = true;
        failed_ = source_.Failed();
        return false;
    }
    return true;
}

LineReader::Status LineReader::Next(std::string_view& line) {
    bool skipping = false;  // inside a line that is too long to keep
    size_t searchFrom = begin_;
    for (;;) {
        const void* found = std::memchr(buffer_.get() + searchFrom, '\n', end_ - searchFrom);
        if (found != nullptr) {
            const size_t newline =
                static_cast<size_t>(static_cast<const char*>(found) - buffer_.get());
            line = std::string_view(buffer_.get() + begin_, newline - begin_);
            begin_ = newline + 1;
            return skipping || line.size() > kMaxLineLength ? Status::kTooLong : Status::kLine;
        }
        if (end_ - begin_ > kMaxLineLength) {
            skipping = true;
            begin_ = end_;  // drop what we have of the over-long line
        }
        const size_t scanned = end_ - begin_;
        if (!Refill()) {
            if (failed_)
                return Status::kError;
            if (skipping) {
                begin_ = end_;
                return Status::kTooLong;
            }
            if (begin_ == end_)
                return Status::kEnd;
            line = std::string_view(buffer_.get() + begin_, end_ - begin_);
            begin_ = end_;
            return Status::kLine;
        }
        searchFrom = begin_ + scanned;
    }
}
