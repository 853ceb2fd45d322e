// Feeds arbitrary bytes to the GFF line reader line by line, as the import does (a final
// carriage return taken off), then uses what it read, as the view shows it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "data/feature_name.h"
#include "data/parsed_feature_line.h"
#include "data/percent_decoding.h"
#include "framework/file_processing_exception.h"
#include "import/gff_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    uint64_t lineNumber = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        ParsedFeatureLine record;
        try {
            ParseGffLine(line, record, ++lineNumber);
        } catch (const FileProcessingException& refusal) {
            (void)refusal.GetMessage();
            (void)GffRefusalHint(line);
        }
        (void)PercentDecodedForDisplay(FeatureName(record.Attributes));
        (void)record.GetUrl();
        (void)record.GetInfoText(record.Start);
    }
    return 0;
}
