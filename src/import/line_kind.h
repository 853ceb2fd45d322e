#pragma once

#include <cstddef>
#include <string_view>

#include "import/line_ends.h"
#include "import/parsed_chunk.h"

// What a line of a feature file is before any reader looks at it, decided the same way
// wherever lines are read.
enum class LineKind {
    kSkipped,        // a blank line (but one of Windows text: CR LF) or a '#' comment
    kTooLong,        // longer than the longest line kept
    kEndOfFeatures,  // "##FASTA" (not in BED), or in GFF a line starting with '>': the
                     // sequence that follows is not read
    kData,           // for the reader
};

namespace LineKinds {

// A GFF3 line that ends the features. Many files append the sequence without it; its first
// line starts with kFastaHeader.
constexpr std::string_view kFastaDirective = "##FASTA";
constexpr char kFastaHeader = '>';

// A blank line written as CR LF reaches the reader, which refuses it: a lone carriage return
// before the line feed does not make a line blank.
inline LineKind Of(std::string_view line, LineEnd lineEnd, LineSyntax syntax,
                   size_t maxLineLength) {
    if (line.size() > maxLineLength)
        return LineKind::kTooLong;
    if (line.empty())
        return lineEnd == LineEnd::kCrLf ? LineKind::kData : LineKind::kSkipped;
    if (line.front() == kFastaHeader && syntax == LineSyntax::kGff)
        return LineKind::kEndOfFeatures;
    if (line.front() == '#') {
        return syntax != LineSyntax::kBed &&
                       line.substr(0, kFastaDirective.size()) == kFastaDirective
                   ? LineKind::kEndOfFeatures
                   : LineKind::kSkipped;
    }
    return LineKind::kData;
}

}  // namespace LineKinds
