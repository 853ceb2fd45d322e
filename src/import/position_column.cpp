#include "import/position_column.h"

#include <string>

#include "data/number_scan.h"
#include "framework/file_processing_exception.h"
#include "framework/string_format.h"

uint32_t ReadPositionColumn(std::string_view text, int column, uint64_t lineNumber,
                            const PositionColumnMessages& messages) {
    const Long32Scan scan = ScanLong32(text);
    const char* format = nullptr;
    if (scan.consumed != text.size())
        format = messages.nonNumeric;
    else if (scan.value < 0)
        format = messages.negative;
    if (format != nullptr) {
        throw FileProcessingException(FormatString(format, std::string(text).c_str(), column,
                                                   static_cast<unsigned long long>(lineNumber)));
    }
    return static_cast<uint32_t>(scan.value);
}

float ScoreFromText(std::string_view text) {
    // IEEE rounding makes a value beyond the float range infinite.
    return static_cast<float>(ScanDouble(text));
}
