#pragma once

#include <fstream>
#include <string>
#include <string_view>

#include "support/gzip_text.h"

// Writes a fuzzed file's text to path in one of four ways, chosen by the low two bits of
// storage: as it is (twice as likely), gzip-compressed in one to three members, or behind the
// gzip magic bytes, so that damaged or hostile gzip data is read as gzip.
inline void WriteFuzzedFile(const std::string& path, std::string_view text, unsigned storage) {
    enum { kPlain, kCompressedHere, kCompressedAsGiven, kPlainToo };
    constexpr int kMaxMembers = 3;
    constexpr int kFastest = 1;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    switch (storage & 3) {
        case kCompressedHere:
            out << GzipText(text, static_cast<int>(text.size() % kMaxMembers) + 1, kFastest);
            break;
        case kCompressedAsGiven:
            out << "\x1f\x8b" << text;
            break;
        case kPlain:
        case kPlainToo:
            out << text;
            break;
    }
}
