// Feeds arbitrary bytes to the GFF line reader as one line, then uses what it read.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "data/parsed_feature_line.h"
#include "framework/file_processing_exception.h"
#include "import/gff_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ParsedFeatureLine record;
    try {
        ParseGffLine(std::string_view(reinterpret_cast<const char*>(data), size), record, 1);
    } catch (const FileProcessingException& refusal) {
        (void)refusal.GetMessage();
    }
    (void)record.GetUrl();
    (void)record.GetInfoText(record.Start);
    return 0;
}
