#include "import/bed_reader.h"

#include <cstring>

#include "data/chromosome_dataset.h"
#include "data/genome_dataset.h"
#include "data/number_scan.h"
#include "framework/file_processing_exception.h"
#include "framework/string_format.h"
#include "import/bed_structure_reader.h"
#include "import/position_column.h"

namespace {

enum BedColumn {
    kChrom,
    kChromStart,
    kChromEnd,
    kName,
    kScore,
    kStrand,
    kThickStart,
    kThickEnd,
    kItemRgb,
    kBlockCount,
    kBlockSizes,
    kBlockStarts,
};
// bedGraph's fourth column and the extra columns of the peak files.
constexpr int kGraphValue = 3;
constexpr int kFirstPeakValue = 6;
constexpr std::string_view kPeakValueKeys[] = {"signalValue", "pValue", "qValue", "peak"};
constexpr size_t kNarrowPeakValues = 4;
constexpr size_t kBroadPeakValues = 3;
constexpr std::string_view kNoName = ".";

constexpr std::string_view kTrackWord = "track";
constexpr std::string_view kBrowserWord = "browser";
constexpr size_t kTrackPairsOffset = 6;  // "track" and one separator
constexpr int kRgbPieces = 3;

const PositionColumnMessages kBedMessages = {
    "Invalid BED File: non-numeric value %s found in column %d at line %llu.",
    "Invalid BED File: negative value %s found in column %d at line %llu.",
    "Invalid BED File: out-of-range value %s found in column %d at line %llu."};

bool StartsWithNoCase(std::string_view line, std::string_view word) {
    if (line.size() < word.size())
        return false;
    for (size_t i = 0; i < word.size(); ++i) {
        if (AsciiLower(line[i]) != word[i])
            return false;
    }
    return true;
}

// itemRgb "r,g,b": each piece read like atoi and cut to 8 bits; missing pieces count as 0.
uint32_t ReadItemRgb(std::string_view word) {
    uint32_t color = 0xFF000000u;
    size_t begin = 0;
    for (int piece = 0; piece < kRgbPieces && begin <= word.size(); ++piece) {
        size_t end = word.find(',', begin);
        if (end == std::string_view::npos)
            end = word.size();
        const uint32_t component =
            static_cast<uint32_t>(ScanInt32(word.substr(begin, end - begin))) & 0xFFu;
        color |= component << (8 * (kRgbPieces - 1 - piece));
        begin = end + 1;
    }
    return color;
}

// A 0xAARRGGBB item colour as a 0x00BBGGRR track colour.
int TrackColorFromRgb(uint32_t rgb) {
    return static_cast<int>((rgb >> 16 & 0xFFu) | (rgb & 0xFF00u) | (rgb & 0xFFu) << 16);
}

bool EqualsNoCase(std::string_view text, std::string_view lowerCaseWord) {
    return text.size() == lowerCaseWord.size() && StartsWithNoCase(text, lowerCaseWord);
}

// Reads the key=value pairs of a track line; values may be double-quoted to hold blanks. A
// "name" key replaces the track name; a "color" key (R,G,B) sets the track colour, and
// itemRgb="Off" turns item colours off.
void ReadTrackPairs(std::string_view pairs, BedReaderState& state) {
    bool readingKey = true;
    bool insideQuotes = false;
    std::string key;
    std::string value;
    auto storePair = [&] {
        if (key == "name")
            state.TrackName = value;
        else if (key == "color")
            state.TrackColor = TrackColorFromRgb(ReadItemRgb(value));
        else if (key == "itemRgb")
            state.ItemColors = !EqualsNoCase(value, "off");
    };
    for (const char c : pairs) {
        if (c == '"') {
            insideQuotes = !insideQuotes;
        } else if (insideQuotes) {
            (readingKey ? key : value).push_back(c);
        } else if (readingKey) {
            if (c == '=') {
                readingKey = false;
                value.clear();
            } else if (!IsCWhiteSpace(c)) {
                key.push_back(c);
            }
        } else if (IsCWhiteSpace(c)) {
            storePair();
            readingKey = true;
            key.clear();
        } else {
            value.push_back(c);
        }
    }
    if (!readingKey)
        storePair();
}

// White space as formatted stream extraction sees it, one table look-up per character.
struct WhiteSpaceTable {
    bool isSpace[256] = {};
    constexpr WhiteSpaceTable() {
        for (const char c : {' ', '\t', '\n', '\v', '\f', '\r'})
            isSpace[static_cast<unsigned char>(c)] = true;
    }
    bool operator()(char c) const { return isSpace[static_cast<unsigned char>(c)]; }
};
constexpr WhiteSpaceTable kIsWhiteSpace;

// A word of the line; left uninitialised until split, which keeps the hot loop cheap.
struct Word {
    const char* data;
    size_t size;
    std::string_view Text() const { return std::string_view(data, size); }
};

// The first white-space character in [at, end), or end. Eight bytes are tested at a time for
// a byte below '!' (every white-space character is one), which keeps the branch at each word's
// end from being mispredicted on every word of a long file.
const char* FindWhiteSpace(const char* at, const char* const end) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    constexpr uint64_t kHighBits = 0x8080808080808080ull;
    constexpr uint64_t kFirstPrintable = '!';
    while (end - at >= 8) {
        uint64_t bytes;
        std::memcpy(&bytes, at, sizeof bytes);
        // The lowest flagged byte is the first one below '!' (bytes from 0x80 are never flagged).
        const uint64_t below = (bytes - kOnes * kFirstPrintable) & ~bytes & kHighBits;
        if (below == 0) {
            at += 8;
            continue;
        }
        const char* const candidate = at + (__builtin_ctzll(below) >> 3);
        if (kIsWhiteSpace(*candidate))
            return candidate;
        at = candidate + 1;  // a control character that is not white space
    }
#endif
    while (at != end && !kIsWhiteSpace(*at))
        ++at;
    return at;
}

// Cuts line into at most N words at runs of white space; returns the count.
template <size_t N>
uint32_t SplitWords(std::string_view line, Word (&words)[N]) {
    const char* at = line.data();
    const char* const end = at + line.size();
    uint32_t count = 0;
    while (count < N) {
        while (at != end && kIsWhiteSpace(*at))
            ++at;
        if (at == end)
            break;
        const char* const begin = at;
        at = FindWhiteSpace(at, end);
        words[count++] = Word{begin, static_cast<size_t>(at - begin)};
    }
    return count;
}

// "NAME;signalValue=..;pValue=..;qValue=..[;peak=..]" from the name and the extra columns
// present, without the name when it is ".".
void JoinPeakValues(const Word* words, uint32_t count, size_t valueColumns, std::string& out) {
    out.clear();
    if (count > kName && words[kName].Text() != kNoName)
        out.assign(words[kName].Text());
    for (size_t k = 0; k < valueColumns && kFirstPeakValue + k < count; ++k) {
        if (!out.empty())
            out.push_back(';');
        out.append(kPeakValueKeys[k]);
        out.push_back('=');
        out.append(words[kFirstPeakValue + k].Text());
    }
}

void ReadItemRgbColumn(std::string_view word, FeatureFields& fields) {
    // "." and "-" stand for no colour; a lone 0 is black.
    if (!word.empty() && word[0] >= '0' && word[0] <= '9')
        fields.Color = ReadItemRgb(word);
}

// The columns after the sixth of a plain BED line.
void ReadBedExtras(const Word* words, uint32_t count, uint32_t chromStart, uint32_t chromEnd,
                   bool itemColors, FeatureFields& fields) {
    if (count > kItemRgb && itemColors)
        ReadItemRgbColumn(words[kItemRgb].Text(), fields);
    // A line whose end lies before its start is refused, whatever its structure says.
    if (chromEnd < chromStart)
        return;
    if (count > kThickEnd)
        ReadBedThickRange(words[kThickStart].Text(), words[kThickEnd].Text(), chromStart, chromEnd,
                          fields);
    if (count > kBlockCount) {
        const auto column = [&](int k) { return count > uint32_t(k) ? words[k].Text() : ""; };
        ReadBedBlocks(column(kBlockCount), column(kBlockSizes), column(kBlockStarts), chromStart,
                      chromEnd, fields);
    }
}

}  // namespace

bool ReadBedFields(std::string_view line, FeatureFields& fields, uint64_t lineNumber,
                   BedReaderState& state) {
    fields.Start = kNoPosition;
    if (StartsWithNoCase(line, kTrackWord)) {
        state.TrackColor = ChromosomeDataset::kUnassignedColor;
        state.ItemColors = true;
        if (line.size() > kTrackPairsOffset)
            ReadTrackPairs(line.substr(kTrackPairsOffset), state);
        return false;
    }
    if (StartsWithNoCase(line, kBrowserWord))
        return false;

    fields.TrackName = state.TrackName;
    Word word[GenomeDataset::kBedMaxColumns];
    const uint32_t words = SplitWords(line, word);
    // Columns are read in order, so a bad start is reported before a missing column.
    if (words > kChrom)
        fields.ChromosomeName = word[kChrom].Text();
    uint32_t chromStart = 0;
    if (words > kChromStart) {  // BED starts are 0-based
        chromStart =
            ReadPositionColumn(word[kChromStart].Text(), kChromStart, lineNumber, kBedMessages);
        fields.Start = chromStart + 1;
    }
    uint32_t chromEnd = 0;
    if (words > kChromEnd) {
        chromEnd = ReadPositionColumn(word[kChromEnd].Text(), kChromEnd, lineNumber, kBedMessages);
        // An empty interval marks the point between two bases: shown as the base after it.
        fields.Stop = chromEnd == chromStart ? chromStart + 1 : chromEnd;
    }
    if (words < GenomeDataset::kBedMinColumns) {
        throw FileProcessingException(
            FormatString("Invalid BED File: %u columns (min=%u, max=%u) found at line %llu ", words,
                         GenomeDataset::kBedMinColumns, GenomeDataset::kBedMaxColumns,
                         static_cast<unsigned long long>(lineNumber)));
    }
    if (state.Form == BedForm::kBedGraph) {
        if (words > kGraphValue)
            fields.Score = ScoreFromText(word[kGraphValue].Text());
        return true;
    }
    if (words > kScore)
        fields.Score = ScoreFromText(word[kScore].Text());
    if (words > kStrand)
        fields.Strand = word[kStrand].data[0];
    switch (state.Form) {
        case BedForm::kNarrowPeak:
            JoinPeakValues(word, words, kNarrowPeakValues, fields.JoinedAttributes);
            fields.Attributes = fields.JoinedAttributes;
            break;
        case BedForm::kBroadPeak:
            JoinPeakValues(word, words, kBroadPeakValues, fields.JoinedAttributes);
            fields.Attributes = fields.JoinedAttributes;
            break;
        default:
            if (words > kName)
                fields.Attributes = word[kName].Text();
            if (words > kThickStart)
                ReadBedExtras(word, words, chromStart, chromEnd, state.ItemColors, fields);
            break;
    }
    return true;
}

bool ParseBedLine(std::string_view line, ParsedFeatureLine& record, uint64_t lineNumber,
                  BedReaderState& state) {
    FeatureFields fields;
    try {
        const bool data = ReadBedFields(line, fields, lineNumber, state);
        fields.CopyTo(record);
        return data;
    } catch (const FileProcessingException&) {
        fields.CopyTo(record);
        throw;
    }
}
