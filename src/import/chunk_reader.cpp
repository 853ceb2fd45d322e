#include "import/chunk_reader.h"

#include <algorithm>
#include <cstring>

ChunkReader::ChunkReader(ByteSource& source, size_t maxLineLength, size_t chunkBytes)
    : source_(source),
      maxLineLength_(maxLineLength),
      chunkBytes_(std::max<size_t>(chunkBytes, 1)),
      // Room for a part line as long as the longest kept, a carriage return waiting for its
      // line feed, and one read after them.
      bufferCapacity_(maxLineLength + 2 + std::max<size_t>(chunkBytes, 1)) {}

bool ChunkReader::Read(char* into, size_t room, size_t& got) {
    got = 0;
    if (atEnd_ || room == 0)
        return !atEnd_;
    got = source_.Read(into, room);
    if (got == 0) {
        atEnd_ = true;
        failed_ = source_.Failed();
    }
    return got != 0;
}

void ChunkReader::KeepRest(const char* text, size_t from, size_t size) {
    if (!carry_)
        carry_.reset(new char[bufferCapacity_]);
    carrySize_ = size - from;
    std::memmove(carry_.get(), text + from, carrySize_);
}

size_t ChunkReader::WholeLinesEnd(const char* text, size_t size) const {
    // At the end every line is whole, the last one with or without a line end; after a
    // failure the part line that the failure cut off is not.
    if (atEnd_ && !failed_)
        return size;
    size_t at = size;
    while (at > 0 && !LineEnds::IsLineBreak(text[at - 1]))
        --at;
    if (at == 0)
        return 0;
    // A carriage return last in the text waits for the next byte, unless none can come: it
    // may be the first half of CR LF. The line before it is whole.
    if (at == size && text[at - 1] == LineEnds::kCarriageReturn && !atEnd_) {
        --at;
        while (at > 0 && !LineEnds::IsLineBreak(text[at - 1]))
            --at;
    }
    return at;
}

ChunkReader::Status ChunkReader::SkipTooLongLine(TextChunk& chunk, size_t size) {
    char* const text = chunk.buffer.get();
    for (;;) {
        const char* const end = text + size;
        const char* const found = LineEnds::FindLineBreak(text, end);
        if (found != end) {
            const LineEnd lineEnd = LineEnds::LineEndAt(found, end, !atEnd_);
            if (lineEnd != LineEnd::kNone) {
                const size_t next = static_cast<size_t>(found - text) + LineEnds::Length(lineEnd);
                consumed_ += next;
                KeepRest(text, next, size);
                chunk.tooLongLine = true;
                chunk.tooLongLineEnd = lineEnd;
                return Status::kChunk;
            }
            // A carriage return last in what was read: keep it, the next byte decides.
            consumed_ += size - 1;
            text[0] = LineEnds::kCarriageReturn;
            size = 1;
        } else {
            consumed_ += size;
            size = 0;
        }
        size_t got = 0;
        if (!Read(text + size, chunkBytes_, got)) {
            if (failed_)
                return Status::kError;
            consumed_ += size;
            chunk.tooLongLine = true;
            chunk.tooLongLineEnd = size != 0 ? LineEnd::kCr : LineEnd::kNone;
            return Status::kChunk;
        }
        size += got;
    }
}

ChunkReader::Status ChunkReader::Next(TextChunk& chunk) {
    chunk.size = 0;
    chunk.tooLongLine = false;
    chunk.tooLongLineEnd = LineEnd::kNone;
    if (chunk.capacity < bufferCapacity_) {
        chunk.buffer.reset(new char[bufferCapacity_]);
        chunk.capacity = bufferCapacity_;
    }
    char* const text = chunk.buffer.get();
    size_t size = carrySize_;
    if (carrySize_ != 0)
        std::memcpy(text, carry_.get(), carrySize_);
    carrySize_ = 0;
    for (bool readNow = false;; readNow = true) {
        size_t got = 0;
        if (readNow)
            Read(text + size, std::min(bufferCapacity_ - size, chunkBytes_), got);
        size += got;
        const size_t whole = WholeLinesEnd(text, size);
        if (whole != 0) {
            KeepRest(text, whole, size);
            chunk.size = whole;
            chunk.fileBytesRead = source_.GetFileBytesRead();
            consumed_ += whole;
            return Status::kChunk;
        }
        if (atEnd_)
            return failed_ ? Status::kError : Status::kEnd;
        // A part line longer than any line kept, its line end not counted: skip the line.
        if (size != 0 &&
            size - (text[size - 1] == LineEnds::kCarriageReturn ? 1 : 0) > maxLineLength_) {
            const Status status = SkipTooLongLine(chunk, size);
            chunk.fileBytesRead = source_.GetFileBytesRead();
            return status;
        }
    }
}

std::string_view ChunkReader::Peek(size_t size) {
    if (!carry_)
        carry_.reset(new char[bufferCapacity_]);
    size = std::min(size, bufferCapacity_);
    size_t got = 0;
    while (carrySize_ < size && Read(carry_.get() + carrySize_, size - carrySize_, got))
        carrySize_ += got;
    return std::string_view(carry_.get(), std::min(size, carrySize_));
}

void ChunkReader::Skip(size_t count) {
    count = std::min(count, carrySize_);
    std::memmove(carry_.get(), carry_.get() + count, carrySize_ - count);
    carrySize_ -= count;
    consumed_ += count;
}
