#include "import/stream_byte_source.h"

size_t StreamByteSource::Read(char* into, size_t size) {
    if (Failed() || !in_)
        return 0;
    in_.read(into, static_cast<std::streamsize>(size));
    const auto got = static_cast<size_t>(in_.gcount());
    CountFileBytes(got);
    if (in_.bad())
        Fail("read failed");
    return got;
}
