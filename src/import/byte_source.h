#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Where ChunkReader takes the bytes of a file from: the file as it stands, or its text
// decompressed while it is read. The source owns nothing that the caller passed in.
class ByteSource {
public:
    virtual ~ByteSource() = default;

    // Reads up to size bytes (size > 0) into into and returns how many were read. 0 means no
    // more bytes: the end, or a failure when Failed() says so. A failure after some bytes were
    // read returns those bytes first and 0 on the next call.
    virtual size_t Read(char* into, size_t size) = 0;

    bool Failed() const { return !failure_.empty(); }
    // Why the read failed, in a few words for the user; empty while it has not.
    const std::string& GetFailure() const { return failure_; }
    // Bytes taken from the file itself so far, compressed ones for a compressed file: what the
    // progress display and the file-size check count. Reading runs ahead of the lines returned.
    uint64_t GetFileBytesRead() const { return fileBytesRead_; }

protected:
    void Fail(const std::string& reason) {
        if (failure_.empty())
            failure_ = reason;
    }
    void CountFileBytes(size_t count) { fileBytesRead_ += count; }

private:
    std::string failure_;
    uint64_t fileBytesRead_ = 0;
};
