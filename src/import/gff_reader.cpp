#include "import/gff_reader.h"

#include <cstring>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "data/color_attribute.h"
#include "data/genome_dataset.h"
#include "data/number_scan.h"
#include "framework/file_processing_exception.h"
#include "framework/string_format.h"
#include "import/position_column.h"

namespace {

const char kTabHint[] = "GFF columns are separated by tab characters.";
constexpr size_t kGffMinColumns = GenomeDataset::kGffMinColumns;

enum GffColumn {
    kSeqname,
    kSource,
    kFeature,
    kStart,
    kEnd,
    kScore,
    kStrand,
    kFrame,
    kAttribute,
};

const PositionColumnMessages kGffMessages = {
    "Invalid GFF File: non-numeric value %s found in column %d at line %llu.",
    "Invalid GFF File: negative value %s found in column %d at line %llu.",
    "Invalid GFF File: out-of-range value %s found in column %d at line %llu."};

// Published files often carry a blank after a number ("944828 "); strtol stops there.
std::string_view WithoutTrailingBlanks(std::string_view text) {
    while (!text.empty() && IsCWhiteSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

// A genome browser's "track" or "browser" line: the word (any case) alone or before a blank.
// "track" followed by a tab is a data line of a sequence named track.
bool IsBrowserHeader(std::string_view line) {
    for (const std::string_view word : {std::string_view("track"), std::string_view("browser")}) {
        if (line.size() < word.size() || (line.size() > word.size() && line[word.size()] != ' '))
            continue;
        size_t i = 0;
        while (i < word.size() && AsciiLower(line[i]) == word[i])
            ++i;
        if (i == word.size())
            return true;
    }
    return false;
}

// Where the last column (the attributes) ends: the first tab from begin on, or the end of
// the line. Sets colorAt to where the word of the attributes' "color" entry begins (counted
// from begin), or npos. The two are found in one pass over the bytes: the attributes make up
// most of a GFF file.
size_t ScanAttributeColumn(std::string_view line, size_t begin, size_t& colorAt) {
    colorAt = std::string_view::npos;
    const char* const attributes = line.data() + begin;
    const char* const end = line.data() + line.size();
    bool searching = true;
    // Checks a place where a 'c' stands four bytes before an 'r': the word "color" may begin.
    const auto consider = [&](const char* at) {
        if (!searching || std::memcmp(at, ColorAttribute::kWord, ColorAttribute::kWordLength) != 0)
            return;
        const size_t offset = static_cast<size_t>(at - attributes);
        switch (ColorAttribute::PlaceOf(std::string_view(attributes, offset), offset)) {
            case ColorAttribute::Place::kCounts:
                colorAt = offset;
                searching = false;
                break;
            case ColorAttribute::Place::kPastEntryLimit:
                searching = false;
                break;
            case ColorAttribute::Place::kInsideEntry:
                break;
        }
    };
    const char* at = attributes;
#if defined(__SSE2__)
    constexpr ptrdiff_t kVectorBytes = 16;
    constexpr ptrdiff_t kWordEnd = ColorAttribute::kWordLength - 1;  // 'r' after the 'c'
    const __m128i tabs = _mm_set1_epi8('\t');
    const __m128i firstLetters = _mm_set1_epi8('c');
    const __m128i lastLetters = _mm_set1_epi8('r');
    for (; end - at >= kVectorBytes + kWordEnd; at += kVectorBytes) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const __m128i later = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + kWordEnd));
        const unsigned tabMask =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, tabs)));
        unsigned wordMask = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(
            _mm_cmpeq_epi8(bytes, firstLetters), _mm_cmpeq_epi8(later, lastLetters))));
        if (tabMask != 0)
            wordMask &= (tabMask & (0u - tabMask)) - 1;  // only words before the first tab
        for (; wordMask != 0 && searching; wordMask &= wordMask - 1)
            consider(at + __builtin_ctz(wordMask));
        if (tabMask != 0)
            return begin + static_cast<size_t>(at - attributes) + __builtin_ctz(tabMask);
    }
#endif
    for (; at != end && *at != '\t'; ++at) {
        if (*at == 'c' && end - at >= static_cast<ptrdiff_t>(ColorAttribute::kWordLength))
            consider(at);
    }
    return begin + static_cast<size_t>(at - attributes);
}

void StoreColumn(int column, std::string_view text, FeatureFields& fields, uint64_t lineNumber) {
    if (text.empty())
        return;  // an empty column keeps the default
    switch (column) {
        case kSeqname:
            fields.ChromosomeName = text;
            break;
        case kSource:
            fields.Source = text;
            break;
        case kFeature:
            fields.TrackName = text;
            break;
        case kStart:
            fields.Start =
                ReadPositionColumn(WithoutTrailingBlanks(text), column, lineNumber, kGffMessages);
            break;
        case kEnd:
            fields.Stop =
                ReadPositionColumn(WithoutTrailingBlanks(text), column, lineNumber, kGffMessages);
            break;
        case kScore:
            fields.Score = ScoreFromText(text);
            break;
        case kStrand:
            fields.Strand = text[0];
            break;
        case kFrame:
            fields.Frame = text[0];
            break;
        case kAttribute:
            fields.Attributes = text;
            break;
        default:
            break;
    }
}

}  // namespace

bool ReadGffFields(std::string_view line, FeatureFields& fields, uint64_t lineNumber) {
    fields.Start = kNoPosition;
    if (!line.empty() && (line[0] == 't' || line[0] == 'T' || line[0] == 'b' || line[0] == 'B') &&
        IsBrowserHeader(line))
        return false;
    uint32_t columns = 0;
    size_t begin = 0;
    size_t colorAt = std::string_view::npos;
    // A tab at the very end of the line does not open a further column.
    while (begin < line.size() && columns < GenomeDataset::kGffMaxColumns) {
        size_t end = columns == kAttribute ? ScanAttributeColumn(line, begin, colorAt)
                                           : line.find('\t', begin);
        if (end == std::string_view::npos)
            end = line.size();
        StoreColumn(static_cast<int>(columns), line.substr(begin, end - begin), fields, lineNumber);
        ++columns;
        begin = end + 1;
    }
    fields.Color = ColorAttribute::ColorAt(fields.Attributes, colorAt, fields.Color);
    if (columns < GenomeDataset::kGffMinColumns) {
        throw FileProcessingException(
            FormatString("Invalid GFF File: %u columns (min=%u, max=%u) found at line %llu.",
                         columns, GenomeDataset::kGffMinColumns, GenomeDataset::kGffMaxColumns,
                         static_cast<unsigned long long>(lineNumber)));
    }
    return true;
}

bool ParseGffLine(std::string_view line, ParsedFeatureLine& record, uint64_t lineNumber) {
    FeatureFields fields;
    try {
        const bool data = ReadGffFields(line, fields, lineNumber);
        fields.CopyTo(record);
        return data;
    } catch (const FileProcessingException&) {
        fields.CopyTo(record);
        throw;
    }
}

const char* GffRefusalHint(std::string_view line) {
    if (line.find('\t') != std::string_view::npos)
        return nullptr;
    size_t words = 0;
    bool inWord = false;
    for (const char c : line) {
        const bool blank = IsCWhiteSpace(c);
        words += !blank && !inWord ? 1 : 0;
        inWord = !blank;
    }
    return words >= kGffMinColumns ? kTabHint : nullptr;
}
