#include "data/gff_line_writer.h"

#include <cstring>

namespace {

// The stream takes the lines in blocks of about this size.
constexpr size_t kBufferBytes = size_t{1} << 20;
// Room for the numbers and the tabs and characters between the texts of a line.
constexpr size_t kLineFrameBytes = 2 * 10 + GffLineWriter::kMaxScoreLength + 16;
constexpr uint32_t kMillion = 1000000;

// Digits of value from the right, written backwards from end; returns where they begin.
template <typename Unsigned>
char* DigitsBefore(Unsigned value, char* end) {
    do {
        *--end = static_cast<char>('0' + static_cast<int>(value % 10));
        value /= 10;
    } while (value != 0);
    return end;
}

template <typename Unsigned>
char* WriteDigits(Unsigned value, char* out) {
    char digits[40];
    char* const end = digits + sizeof digits;
    const char* const begin = DigitsBefore(value, end);
    const size_t count = static_cast<size_t>(end - begin);
    std::memcpy(out, begin, count);
    return out + count;
}

char* WriteText(std::string_view text, char* out) {
    if (!text.empty())
        std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

}  // namespace

GffLineWriter::GffLineWriter(std::ostream& out)
    : out_(out), direct_(dynamic_cast<DirectStreamBuffer*>(out.rdbuf())) {
    if (direct_ == nullptr)
        buffer_.reset(new char[kBufferBytes]);
}

char* GffLineWriter::WriteUnsigned(uint32_t value, char* out) {
    return WriteDigits(value, out);
}

char* GffLineWriter::WriteScore(float value, char* out) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const bool negative = (bits >> 31) != 0;
    const uint32_t exponentBits = (bits >> 23) & 0xFFu;
    uint32_t mantissa = bits & 0x7FFFFFu;
    if (exponentBits == 0xFFu) {
        const std::string_view special =
            mantissa == 0 ? (negative ? "-inf" : "inf") : (negative ? "-nan" : "nan");
        return WriteText(special, out);
    }
    if (negative)
        *out++ = '-';
    // value = mantissa * 2^exponent, exactly.
    int exponent = -149;
    if (exponentBits != 0) {
        mantissa |= 0x800000u;
        exponent = static_cast<int>(exponentBits) - 150;
    }
    if (exponent >= 0) {
        // A whole number of up to 128 bits: FLT_MAX is below 2^128.
        out = WriteDigits(static_cast<unsigned __int128>(mantissa) << exponent, out);
        return WriteText(".000000", out);
    }
    // The value in millionths, mantissa * 10^6 / 2^shift, rounded to nearest, halves to even.
    const unsigned shift = static_cast<unsigned>(-exponent);
    const uint64_t scaled = uint64_t{mantissa} * kMillion;  // below 2^44
    uint64_t millionths = 0;
    if (shift < 64) {
        millionths = scaled >> shift;
        const uint64_t rest = scaled & ((uint64_t{1} << shift) - 1);
        const uint64_t half = uint64_t{1} << (shift - 1);
        if (rest > half || (rest == half && (millionths & 1) != 0))
            ++millionths;
    }  // else below half a millionth: 0
    out = WriteDigits(millionths / kMillion, out);
    *out++ = '.';
    char fraction[6];
    uint64_t digits = millionths % kMillion;
    for (int i = 5; i >= 0; --i) {
        fraction[i] = static_cast<char>('0' + static_cast<int>(digits % 10));
        digits /= 10;
    }
    return WriteText(std::string_view(fraction, sizeof fraction), out);
}

char* GffLineWriter::Room(size_t size) {
    if (direct_ != nullptr)
        return direct_->Room(size);
    if (kBufferBytes - used_ < size)
        Flush();
    return kBufferBytes - used_ < size ? nullptr : buffer_.get() + used_;
}

void GffLineWriter::Advance(size_t size) {
    if (direct_ != nullptr)
        direct_->Advance(size);
    else
        used_ += size;
}

void GffLineWriter::Write(std::string_view chromosomeName, std::string_view trackName,
                          uint32_t start, const ItemView& item) {
    const size_t length = chromosomeName.size() + item.Source.size() + trackName.size() +
                          item.Attributes.size() + kLineFrameBytes;
    char* const line = Room(length);
    if (line == nullptr) {  // a line longer than the buffer (or a failed stream), piece by piece
        char numbers[kLineFrameBytes];
        char* at = WriteUnsigned(start, numbers);
        *at++ = '\t';
        at = WriteUnsigned(item.Stop, at);
        *at++ = '\t';
        at = WriteScore(item.Score, at);
        const char between[] = {'\t', item.Strand, '\t', item.Frame, '\t'};
        Flush();
        for (const std::string_view text :
             {chromosomeName, std::string_view("\t"), item.Source, std::string_view("\t"),
              trackName, std::string_view("\t"),
              std::string_view(numbers, static_cast<size_t>(at - numbers)),
              std::string_view(between, sizeof between), item.Attributes, std::string_view("\n")})
            out_.write(text.data(), static_cast<std::streamsize>(text.size()));
        return;
    }
    char* at = WriteText(chromosomeName, line);
    *at++ = '\t';
    at = WriteText(item.Source, at);
    *at++ = '\t';
    at = WriteText(trackName, at);
    *at++ = '\t';
    at = WriteUnsigned(start, at);
    *at++ = '\t';
    at = WriteUnsigned(item.Stop, at);
    *at++ = '\t';
    at = WriteScore(item.Score, at);
    *at++ = '\t';
    *at++ = item.Strand;
    *at++ = '\t';
    *at++ = item.Frame;
    *at++ = '\t';
    at = WriteText(item.Attributes, at);
    *at++ = '\n';
    Advance(static_cast<size_t>(at - line));
}

bool GffLineWriter::Flush() {
    if (used_ != 0)
        out_.write(buffer_.get(), static_cast<std::streamsize>(used_));
    used_ = 0;
    return out_.good();
}
