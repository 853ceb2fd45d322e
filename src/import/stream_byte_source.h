#pragma once

#include <istream>

#include "import/byte_source.h"

// The bytes of a stream as they stand. The stream must outlive the source.
class StreamByteSource : public ByteSource {
public:
    explicit StreamByteSource(std::istream& in) : in_(in) {}

    size_t Read(char* into, size_t size) override;

private:
    std::istream& in_;
};
