#pragma once

#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// How the lines of the text files we read end: at a line feed (Unix), at a carriage return
// followed by a line feed (Windows; one line end, not two), or at a carriage return alone (the
// classic Mac OS). Every reader of lines, and anything that cuts text into pieces at line ends,
// asks here so that all of them count the same lines.
enum class LineEnd : unsigned char {
    kNone,  // the last line of the text, which has no line end
    kLf,
    kCrLf,
    kCr,
};

namespace LineEnds {

constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';

inline bool IsLineBreak(char byte) {
    return byte == kCarriageReturn || byte == kLineFeed;
}

// The first carriage return or line feed in [from, end), or end. Looks at 32 bytes at a time
// where the processor can: this runs over every byte of every file read.
inline const char* FindLineBreak(const char* from, const char* end) {
#if defined(__SSE2__)
    constexpr ptrdiff_t kVectorBytes = 16;
    const __m128i lineFeeds = _mm_set1_epi8(kLineFeed);
    const __m128i carriageReturns = _mm_set1_epi8(kCarriageReturn);
    const auto breaksIn = [&](const char* at) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        return _mm_or_si128(_mm_cmpeq_epi8(bytes, lineFeeds),
                            _mm_cmpeq_epi8(bytes, carriageReturns));
    };
    for (; end - from >= 2 * kVectorBytes; from += 2 * kVectorBytes) {
        const __m128i low = breaksIn(from);
        const __m128i high = breaksIn(from + kVectorBytes);
        if (_mm_movemask_epi8(_mm_or_si128(low, high)) != 0) {
            const unsigned found = static_cast<unsigned>(_mm_movemask_epi8(low)) |
                                   static_cast<unsigned>(_mm_movemask_epi8(high)) << kVectorBytes;
            return from + __builtin_ctz(found);
        }
    }
    if (end - from >= kVectorBytes) {
        const int found = _mm_movemask_epi8(breaksIn(from));
        if (found != 0)
            return from + __builtin_ctz(static_cast<unsigned>(found));
        from += kVectorBytes;
    }
#endif
    for (; from < end; ++from) {
        if (IsLineBreak(*from))
            return from;
    }
    return end;
}

// The line end that starts with the line break at `at`, where [at, end) is the text known so
// far (at < end). kNone when at is a carriage return that ends the known text while more may
// follow (moreFollows): the next byte decides between CR LF and a lone CR.
inline LineEnd LineEndAt(const char* at, const char* end, bool moreFollows) {
    if (*at == kLineFeed)
        return LineEnd::kLf;
    if (at + 1 < end)
        return at[1] == kLineFeed ? LineEnd::kCrLf : LineEnd::kCr;
    return moreFollows ? LineEnd::kNone : LineEnd::kCr;
}

// Bytes the line end takes: 2 for CR LF, 1 for the others, 0 for kNone.
inline size_t Length(LineEnd lineEnd) {
    switch (lineEnd) {
        case LineEnd::kCrLf:
            return 2;
        case LineEnd::kLf:
        case LineEnd::kCr:
            return 1;
        case LineEnd::kNone:
            break;
    }
    return 0;
}

}  // namespace LineEnds
