#include "import/position_column.h"

#include <string>

#include "data/number_scan.h"
#include "framework/file_processing_exception.h"
#include "framework/string_format.h"

void RefusePositionColumn(std::string_view text, int column, uint64_t lineNumber,
                          const char* format) {
    throw FileProcessingException(FormatString(format, std::string(text).c_str(), column,
                                               static_cast<unsigned long long>(lineNumber)));
}

float ScoreFromText(std::string_view text) {
    // IEEE rounding makes a value beyond the float range infinite.
    return static_cast<float>(ScanDouble(text));
}
