#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string_view>

#include "data/item_view.h"
#include "framework/direct_stream_buffer.h"

// Writes items as GFF lines (nine tab-separated columns, each line ended by a line feed), the
// numbers formatted as "%u\t%u\t%f" formats start, stop and score, byte for byte, but without
// a formatting call per line: lines are put together in place in the stream's own buffer when
// it lets them (DirectStreamBuffer), else in a large buffer that goes to the stream in big
// blocks.
class GffLineWriter {
public:
    // The longest text WriteScore writes ("-" and 39 digits, ".", six digits).
    static constexpr size_t kMaxScoreLength = 47;

    // out must outlive the writer. What is written may wait in a buffer until Flush.
    explicit GffLineWriter(std::ostream& out);
    GffLineWriter(const GffLineWriter&) = delete;
    GffLineWriter& operator=(const GffLineWriter&) = delete;

    // The line of the item filed at start, on chromosome chromosomeName in track trackName.
    void Write(std::string_view chromosomeName, std::string_view trackName, uint32_t start,
               const ItemView& item);
    // Hands the lines written so far to the stream; false when the stream has failed.
    bool Flush();

    // value as "%u" writes it; returns the end of what was written (at most 10 bytes).
    static char* WriteUnsigned(uint32_t value, char* out);
    // value as "%f" writes the float's exact value: rounded to six decimals, halves to even;
    // "inf", "nan" and "-0.000000" as the C library writes them. Returns the end of what was
    // written (at most kMaxScoreLength bytes).
    static char* WriteScore(float value, char* out);

private:
    // Where a line of up to size bytes goes, or null when the buffer cannot hold it.
    char* Room(size_t size);
    // Takes the size bytes written at Room.
    void Advance(size_t size);

    std::ostream& out_;
    DirectStreamBuffer* const direct_;  // out's buffer, when it can be filled in place
    std::unique_ptr<char[]> buffer_;    // else the lines' own buffer
    size_t used_ = 0;
};
