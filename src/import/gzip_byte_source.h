#pragma once

#include <zlib.h>

#include <istream>
#include <memory>

#include "import/byte_source.h"

// The text of a gzip-compressed stream, inflated while it is read: only one block of
// compressed bytes is held at a time, and the text goes straight into the caller's buffer.
// Every member of a multi-member file (bgzip writes one per 64 KB) is read in turn; zero bytes
// after the last member end the text, as with gzip -dc. A corrupt or cut-short stream, or other
// bytes after the last member, fail with the reason; the text before the damage is returned
// first.
// The stream must outlive the source.
class GzipByteSource : public ByteSource {
public:
    // Compressed bytes are read in blocks of this size; smaller files in one block their size.
    static constexpr size_t kInputBlockSize = size_t{1} << 20;

    // True when the stream starts with the two bytes every gzip (and bgzip) file starts with,
    // whatever its name; the stream is put back at its start.
    static bool StartsCompressed(std::istream& file);

    // compressedSize, the size of the compressed file when known, keeps the input block no
    // larger than the file.
    explicit GzipByteSource(std::istream& compressed, uint64_t compressedSize = kInputBlockSize);
    ~GzipByteSource() override;
    GzipByteSource(const GzipByteSource&) = delete;
    GzipByteSource& operator=(const GzipByteSource&) = delete;

    size_t Read(char* into, size_t size) override;

private:
    // Reads the next block of compressed bytes; false when none is left or the read failed.
    bool FillInput();
    // Inflates into the output room of stream_; false once nothing more can come.
    bool Inflate();
    // Passes over zero bytes after a member; false when nothing else follows them (or the
    // read failed), true when the next byte is not zero.
    bool SkipZeroPadding();

    std::istream& compressed_;
    const size_t inputBlockSize_;
    std::unique_ptr<unsigned char[]> input_;
    z_stream stream_{};
    bool initialised_ = false;
    bool memberEnded_ = false;  // the last member read ended cleanly
    bool finished_ = false;
};
