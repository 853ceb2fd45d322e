#include "import/gff_reader.h"

#include <string>

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

void StoreColumn(int column, std::string_view text, ParsedFeatureLine& record,
                 uint64_t lineNumber) {
    if (text.empty())
        return;  // an empty column keeps the record's default
    switch (column) {
        case kSeqname:
            record.ChromosomeName.assign(text);
            break;
        case kSource:
            record.Source.assign(text);
            break;
        case kFeature:
            record.TrackName.assign(text);
            break;
        case kStart:
            record.Start =
                ReadPositionColumn(WithoutTrailingBlanks(text), column, lineNumber, kGffMessages);
            break;
        case kEnd:
            record.Stop =
                ReadPositionColumn(WithoutTrailingBlanks(text), column, lineNumber, kGffMessages);
            break;
        case kScore:
            record.Score = ScoreFromText(text);
            break;
        case kStrand:
            record.Strand = text[0];
            break;
        case kFrame:
            record.Frame = text[0];
            break;
        case kAttribute:
            record.Attributes.assign(text);
            break;
        default:
            break;
    }
}

}  // namespace

bool ParseGffLine(std::string_view line, ParsedFeatureLine& record, uint64_t lineNumber) {
    record.Start = ParsedFeatureLine::kNoStart;
    if (!line.empty() && (line[0] == 't' || line[0] == 'T' || line[0] == 'b' || line[0] == 'B') &&
        IsBrowserHeader(line))
        return false;
    uint32_t columns = 0;
    size_t begin = 0;
    // A tab at the very end of the line does not open a further column.
    while (begin < line.size() && columns < GenomeDataset::kGffMaxColumns) {
        size_t end = line.find('\t', begin);
        if (end == std::string_view::npos)
            end = line.size();
        StoreColumn(static_cast<int>(columns), line.substr(begin, end - begin), record, lineNumber);
        ++columns;
        begin = end + 1;
    }
    record.ParseColorAttribute();
    if (columns < GenomeDataset::kGffMinColumns) {
        throw FileProcessingException(
            FormatString("Invalid GFF File: %u columns (min=%u, max=%u) found at line %llu.",
                         columns, GenomeDataset::kGffMinColumns, GenomeDataset::kGffMaxColumns,
                         static_cast<unsigned long long>(lineNumber)));
    }
    return true;
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
