#pragma once

#include <cstdint>
#include <string_view>

// Number reading with the C library's semantics, over a text slice instead of a zero-terminated
// string, independent of the process locale, and with the 32-bit limits of the file formats.

// Result of reading a decimal integer like strtol(text, &end, 10) with a 32-bit long.
struct Long32Scan {
    int32_t value = 0;      // saturated at INT32_MIN / INT32_MAX; 0 when nothing was read
    size_t consumed = 0;    // characters used; 0 when no digit was found
    bool negative = false;  // a '-' sign was read in front of the digits
    bool saturated = false;  // the digits stood for a value beyond the 32-bit range
};
// Leading white space and one sign are accepted.
Long32Scan ScanLong32Slow(std::string_view text);
inline Long32Scan ScanLong32(std::string_view text) {
    // Positions are nearly always short runs of plain digits: nine cannot overflow.
    constexpr size_t kSafeDigits = 9;
    if (!text.empty() && text.size() <= kSafeDigits) {
        uint32_t value = 0;
        size_t i = 0;
        for (; i < text.size() && static_cast<unsigned char>(text[i] - '0') <= 9; ++i)
            value = value * 10 + static_cast<uint32_t>(text[i] - '0');
        if (i == text.size()) {
            Long32Scan scan;
            scan.value = static_cast<int32_t>(value);
            scan.consumed = i;
            return scan;
        }
    }
    return ScanLong32Slow(text);
}

// Reads a plain decimal ("523", "-1.25", ".5") with at most 15 significant digits, which make
// up nearly every score column; false for anything else. The digits are exact in a double and
// one correctly rounded division by a power of ten gives the same value as strtod.
inline bool ScanPlainDecimal(std::string_view text, double& value) {
    constexpr int kMaxDigits = 15;
    constexpr double kPowersOfTen[kMaxDigits + 1] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                     1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        ++i;
    uint64_t mantissa = 0;
    int digits = 0;
    int fractionDigits = 0;
    bool inFraction = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (static_cast<unsigned char>(c - '0') <= 9) {
            if (++digits > kMaxDigits)
                return false;
            mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
            fractionDigits += inFraction ? 1 : 0;
        } else if (c == '.' && !inFraction) {
            inFraction = true;
        } else {
            return false;
        }
    }
    if (digits == 0)
        return false;
    const double magnitude = fractionDigits == 0
                                 ? static_cast<double>(mantissa)
                                 : static_cast<double>(mantissa) / kPowersOfTen[fractionDigits];
    value = negative ? -magnitude : magnitude;
    return true;
}

// The value of text read like atof: leading white space, a sign, decimal or hexadecimal
// floating point, "inf" and "nan" are accepted; text that is not a number gives 0.0. The C
// locale's decimal point is used whatever the process locale is.
double ScanDoubleSlow(std::string_view text);
inline double ScanDouble(std::string_view text) {
    double value = 0.0;
    return ScanPlainDecimal(text, value) ? value : ScanDoubleSlow(text);
}

// Reads like sscanf(text, "%x", &value): leading white space, one sign and an optional 0x
// prefix are accepted; reading stops at the first non-hexadecimal character. Returns false
// when no digit could be read (value is then left unchanged).
bool ScanHex32(std::string_view text, uint32_t& value);

// Reads like atoi with the 32-bit saturation of ScanLong32 (0 when nothing was read).
int32_t ScanInt32(std::string_view text);

constexpr bool IsCWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The value of a hexadecimal digit in either case, or -1 for any other character.
constexpr int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// ASCII lower case, whatever the process locale is.
constexpr char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
