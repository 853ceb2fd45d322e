// Feeds arbitrary bytes to the BED line reader, line by line, with the track name and colour
// carried over.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/parsed_feature_line.h"
#include "framework/file_processing_exception.h"
#include "import/bed_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string trackName = "fuzz";
    int trackColor = 0;
    uint64_t lineNumber = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ParsedFeatureLine record;
        try {
            ParseBedLine(line, record, ++lineNumber, trackName, trackColor);
        } catch (const FileProcessingException& refusal) {
            (void)refusal.GetMessage();
        }
    }
    return 0;
}
