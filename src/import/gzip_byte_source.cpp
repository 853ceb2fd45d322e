#include "import/gzip_byte_source.h"

#include <algorithm>
#include <climits>

namespace {

// 32 KB window, gzip or zlib header detected.
constexpr int kWindowBitsAutoHeader = 15 + 32;

const char kCutShort[] = "compressed data ends too early";
const char kOutOfMemory[] = "out of memory";

}  // namespace

bool GzipByteSource::StartsCompressed(std::istream& file) {
    unsigned char magic[2] = {};
    file.read(reinterpret_cast<char*>(magic), sizeof magic);
    const bool compressed = file.gcount() == sizeof magic && magic[0] == 0x1F && magic[1] == 0x8B;
    file.clear();
    file.seekg(0);
    return compressed;
}

// Large blocks keep the reads few; inflating is what costs.
GzipByteSource::GzipByteSource(std::istream& compressed, uint64_t compressedSize)
    : compressed_(compressed),
      inputBlockSize_(
          static_cast<size_t>(std::clamp<uint64_t>(compressedSize, 1, kInputBlockSize))),
      input_(new unsigned char[inputBlockSize_]) {
    const int result = inflateInit2(&stream_, kWindowBitsAutoHeader);
    if (result == Z_OK)
        initialised_ = true;
    else
        Fail(result == Z_MEM_ERROR ? kOutOfMemory : "cannot start decompression");
}

GzipByteSource::~GzipByteSource() {
    if (initialised_)
        inflateEnd(&stream_);
}

bool GzipByteSource::FillInput() {
    if (!compressed_)
        return false;
    compressed_.read(reinterpret_cast<char*>(input_.get()),
                     static_cast<std::streamsize>(inputBlockSize_));
    const auto got = static_cast<size_t>(compressed_.gcount());
    CountFileBytes(got);
    if (compressed_.bad()) {
        Fail("read failed");
        return false;
    }
    stream_.next_in = input_.get();
    stream_.avail_in = static_cast<uInt>(got);
    return got > 0;
}

bool GzipByteSource::SkipZeroPadding() {
    for (;;) {
        while (stream_.avail_in > 0 && *stream_.next_in == 0) {
            ++stream_.next_in;
            --stream_.avail_in;
        }
        if (stream_.avail_in > 0)
            return true;
        if (!FillInput())
            return false;
    }
}

bool GzipByteSource::Inflate() {
    if (stream_.avail_in == 0 && !FillInput()) {
        if (!Failed() && !memberEnded_)
            Fail(kCutShort);
        return false;
    }
    if (memberEnded_) {
        // Some writers pad the file with zero bytes after the last member; gzip -dc reads
        // such files quietly. Anything else that follows is taken as the next member.
        if (*stream_.next_in == 0 && !SkipZeroPadding())
            return false;
        inflateReset(&stream_);
        memberEnded_ = false;
    }
    const int result = inflate(&stream_, Z_NO_FLUSH);
    switch (result) {
        case Z_OK:
            return true;
        case Z_STREAM_END:
            memberEnded_ = true;
            return true;
        case Z_BUF_ERROR:  // no progress possible: only when the input ran dry
            if (stream_.avail_in == 0)
                return true;
            break;
        case Z_MEM_ERROR:
            Fail(kOutOfMemory);
            return false;
        default:
            break;
    }
    Fail(std::string("corrupt compressed data: ") +
         (stream_.msg != nullptr ? stream_.msg : "unreadable"));
    return false;
}

size_t GzipByteSource::Read(char* into, size_t size) {
    if (Failed() || finished_)
        return 0;
    stream_.next_out = reinterpret_cast<unsigned char*>(into);
    stream_.avail_out = static_cast<uInt>(std::min<size_t>(size, UINT_MAX));
    const uInt room = stream_.avail_out;
    while (stream_.avail_out > 0) {
        if (!Inflate()) {
            finished_ = true;
            break;
        }
    }
    return room - stream_.avail_out;
}
