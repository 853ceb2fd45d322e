#include "import/bed_reader.h"

#include <cctype>

#include "data/genome_dataset.h"
#include "data/number_scan.h"
#include "framework/file_processing_exception.h"
#include "framework/string_format.h"
#include "import/position_column.h"

namespace {

enum BedColumn { kChrom, kChromStart, kChromEnd, kName, kScore, kStrand, kItemRgb = 8 };

constexpr std::string_view kTrackWord = "track";
constexpr std::string_view kBrowserWord = "browser";
constexpr size_t kTrackPairsOffset = 6;  // "track" and one separator
constexpr int kRgbPieces = 3;

const PositionColumnMessages kBedMessages = {
    "Invalid BED File: non-numeric value %s found in column %d at line %llu.",
    "Invalid BED File: negative value %s found in column %d at line %llu."};

bool StartsWithNoCase(std::string_view line, std::string_view word) {
    if (line.size() < word.size())
        return false;
    for (size_t i = 0; i < word.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(line[i])) != word[i])
            return false;
    }
    return true;
}

// The value of the "name" key among the key=value pairs of a track line; values may be
// double-quoted to hold blanks. Returns false when there is no name key.
bool FindTrackName(std::string_view pairs, std::string& name) {
    bool readingKey = true;
    bool insideQuotes = false;
    bool found = false;
    std::string key;
    std::string value;
    auto storePair = [&] {
        if (key == "name") {
            name = value;
            found = true;
        }
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
    return found;
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

void StoreWord(int column, std::string_view word, ParsedFeatureLine& record,
               uint64_t lineNumber) {
    switch (column) {
        case kChrom: record.ChromosomeName.assign(word); break;
        case kChromStart:
            // BED starts are 0-based.
            record.Start = ReadPositionColumn(word, column, lineNumber, kBedMessages) + 1;
            break;
        case kChromEnd:
            record.Stop = ReadPositionColumn(word, column, lineNumber, kBedMessages);
            break;
        case kName: record.Attributes.assign(word); break;
        case kScore: record.Score = ScoreFromText(word); break;
        case kStrand: record.Strand = word[0]; break;
        case kItemRgb: record.Color = ReadItemRgb(word); break;
        default: break;  // thickStart, thickEnd and the block columns are not used
    }
}

}  // namespace

bool ParseBedLine(std::string_view line, ParsedFeatureLine& record, uint64_t lineNumber,
                  std::string& currentTrackName) {
    record.Start = ParsedFeatureLine::kNoStart;
    if (StartsWithNoCase(line, kTrackWord)) {
        if (line.size() > kTrackPairsOffset)
            FindTrackName(line.substr(kTrackPairsOffset), currentTrackName);
        return false;
    }
    if (StartsWithNoCase(line, kBrowserWord))
        return false;

    record.TrackName = currentTrackName;
    uint32_t words = 0;
    size_t i = 0;
    while (words < GenomeDataset::kBedMaxColumns) {
        while (i < line.size() && IsCWhiteSpace(line[i]))
            ++i;
        if (i == line.size())
            break;
        const size_t begin = i;
        while (i < line.size() && !IsCWhiteSpace(line[i]))
            ++i;
        StoreWord(static_cast<int>(words), line.substr(begin, i - begin), record, lineNumber);
        ++words;
    }
    if (words < GenomeDataset::kBedMinColumns) {
        throw FileProcessingException(
            FormatString("Invalid BED File: %u columns (min=%u, max=%u) found at line %llu ",
                         words, GenomeDataset::kBedMinColumns, GenomeDataset::kBedMaxColumns,
                         static_cast<unsigned long long>(lineNumber)));
    }
    return true;
}
