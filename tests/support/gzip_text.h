#pragma once

#include <zlib.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>

// The gzip form of text in the given number of members, each holding an even share of the
// text cut without regard to line ends, as bgzip cuts it. Level 0 stores the text
// uncompressed, which makes the compressed file as large as the text.
inline std::string GzipText(std::string_view text, int members = 1,
                            int level = Z_DEFAULT_COMPRESSION) {
    constexpr int kGzipWindowBits = 15 + 16;
    constexpr int kMemoryLevel = 8;
    std::string compressed;
    const size_t share = text.size() / static_cast<size_t>(members) + 1;
    for (int member = 0; member < members; ++member) {
        const std::string_view part = text.substr(std::min(text.size(), member * share), share);
        z_stream stream{};
        if (deflateInit2(&stream, level, Z_DEFLATED, kGzipWindowBits, kMemoryLevel,
                         Z_DEFAULT_STRATEGY) != Z_OK)
            throw std::runtime_error("deflateInit2 failed");
        std::string out(deflateBound(&stream, static_cast<uLong>(part.size())), '\0');
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(part.data()));
        stream.avail_in = static_cast<uInt>(part.size());
        stream.next_out = reinterpret_cast<Bytef*>(out.data());
        stream.avail_out = static_cast<uInt>(out.size());
        const int result = deflate(&stream, Z_FINISH);
        out.resize(stream.total_out);
        deflateEnd(&stream);
        if (result != Z_STREAM_END)
            throw std::runtime_error("deflate did not finish");
        compressed += out;
    }
    return compressed;
}
