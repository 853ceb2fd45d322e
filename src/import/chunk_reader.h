#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "import/byte_source.h"
#include "import/line_ends.h"

// A run of whole lines of a file's text, as ChunkReader cuts it: every line of it ends within
// it (see LineEnds::NextLine), and the next chunk starts with the next line.
struct TextChunk {
    std::unique_ptr<char[]> buffer;
    size_t capacity = 0;
    size_t size = 0;  // bytes of text in buffer
    // The chunk stands for one line longer than the reader could hold, skipped without being
    // kept; it holds no text then. tooLongLineEnd is how that line ended.
    bool tooLongLine = false;
    LineEnd tooLongLineEnd = LineEnd::kNone;
    // The source's count of the file's own bytes once this chunk was read: how far the import
    // has come when it reaches this chunk.
    uint64_t fileBytesRead = 0;

    std::string_view Text() const { return std::string_view(buffer.get(), size); }
};

// Cuts the bytes of a source into chunks of whole lines, each about one read of chunkBytes,
// with lines ending at LF, CR LF or a lone CR (see line_ends.h) wherever the reads fall. A line
// that grows past maxLineLength before it ends is skipped rather than held in memory, so a
// file without line ends (a renamed binary, say) cannot exhaust memory; a line just a little
// longer may still come whole in a chunk, for the caller to refuse by its length.
class ChunkReader {
public:
    static constexpr size_t kMaxLineLength = size_t{1} << 20;
    static constexpr size_t kChunkBytes = size_t{1} << 20;

    enum class Status {
        kChunk,  // chunk holds the next lines (or stands for one too-long line)
        kEnd,    // no more text
        kError,  // the source failed; a part line before the failure is dropped
    };

    // The source must outlive the reader.
    explicit ChunkReader(ByteSource& source, size_t maxLineLength = kMaxLineLength,
                         size_t chunkBytes = kChunkBytes);

    // Fills chunk (whose buffer is reused when it is large enough) with the next lines.
    // Throws std::bad_alloc when there is no memory for the buffer.
    Status Next(TextChunk& chunk);

    // The first bytes of the text, up to size of them (fewer when the text is shorter or the
    // source failed), without taking them: for recognising what kind of text it is. Valid
    // until the next call.
    std::string_view Peek(size_t size);
    // Takes count bytes from the start of what Peek showed (a byte-order mark, say).
    void Skip(size_t count);

    // Bytes of text consumed so far, up to the end of the last chunk returned.
    uint64_t GetBytesRead() const { return consumed_; }

private:
    // Reads up to room bytes into into; false once the source has no more.
    bool Read(char* into, size_t room, size_t& got);
    // Moves text[from, size) to the carry, for the next chunk.
    void KeepRest(const char* text, size_t from, size_t size);
    // Where the last line of text[0, size) that is known to be whole ends; 0 for none.
    size_t WholeLinesEnd(const char* text, size_t size) const;
    // Reads on past the end of a line too long to keep, of which text holds the last size
    // bytes read; fills chunk as the marker of that line.
    Status SkipTooLongLine(TextChunk& chunk, size_t size);

    ByteSource& source_;
    const size_t maxLineLength_;
    const size_t chunkBytes_;
    const size_t bufferCapacity_;
    std::unique_ptr<char[]> carry_;  // text read after the last chunk, before the next
    size_t carrySize_ = 0;
    uint64_t consumed_ = 0;
    bool atEnd_ = false;
    bool failed_ = false;
};
