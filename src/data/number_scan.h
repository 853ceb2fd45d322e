#pragma once

#include <cstdint>
#include <string_view>

// Number reading with the C library's semantics, over a text slice instead of a zero-terminated
// string, independent of the process locale, and with the 32-bit limits of the file formats.

// Result of reading a decimal integer like strtol(text, &end, 10) with a 32-bit long.
struct Long32Scan {
    int32_t value = 0;       // saturated at INT32_MIN / INT32_MAX; 0 when nothing was read
    size_t consumed = 0;     // characters used; 0 when no digit was found
    bool negative = false;   // a '-' sign was read in front of the digits
};
// Leading white space and one sign are accepted.
Long32Scan ScanLong32(std::string_view text);

// The value of text read like atof: leading white space, a sign, decimal or hexadecimal
// floating point, "inf" and "nan" are accepted; text that is not a number gives 0.0. The C
// locale's decimal point is used whatever the process locale is.
double ScanDouble(std::string_view text);

// Reads like sscanf(text, "%x", &value): leading white space, one sign and an optional 0x
// prefix are accepted; reading stops at the first non-hexadecimal character. Returns false
// when no digit could be read (value is then left unchanged).
bool ScanHex32(std::string_view text, uint32_t& value);

// Reads like atoi with the 32-bit saturation of ScanLong32 (0 when nothing was read).
int32_t ScanInt32(std::string_view text);

bool IsCWhiteSpace(char c);
