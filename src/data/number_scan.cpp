#include "data/number_scan.h"

#include <locale.h>
#include <clocale>
#include <cstdlib>
#include <string>

namespace {

constexpr int64_t kInt32Max = 2147483647;
constexpr int64_t kInt32MinMagnitude = 2147483648;
// Long enough for any number a score column holds in practice; longer text takes the slow path.
constexpr size_t kShortNumberText = 127;

locale_t CLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

// Where the digits start after the leading white space and one optional sign.
size_t SkipBlanksAndSign(std::string_view text, bool& negative) {
    size_t i = 0;
    while (i < text.size() && IsCWhiteSpace(text[i]))
        ++i;
    negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    return i;
}

}  // namespace

Long32Scan ScanLong32Slow(std::string_view text) {
    Long32Scan scan;
    bool negative = false;
    size_t i = SkipBlanksAndSign(text, negative);
    const size_t firstDigit = i;
    int64_t magnitude = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (magnitude <= kInt32MinMagnitude)
            magnitude = magnitude * 10 + (text[i] - '0');
        ++i;
    }
    if (i == firstDigit)
        return scan;  // strtol leaves the end pointer at the start when it reads nothing
    scan.consumed = i;
    scan.negative = negative;
    scan.saturated = magnitude > (negative ? kInt32MinMagnitude : kInt32Max);
    if (negative)
        scan.value = static_cast<int32_t>(magnitude >= kInt32MinMagnitude ? -kInt32MinMagnitude
                                                                          : -magnitude);
    else
        scan.value = static_cast<int32_t>(magnitude > kInt32Max ? kInt32Max : magnitude);
    return scan;
}

double ScanDoubleSlow(std::string_view text) {
    if (text == ".")
        return 0.0;  // the usual GFF "no score"
    char buffer[kShortNumberText + 1];
    std::string longText;
    const char* terminated = buffer;
    if (text.size() <= kShortNumberText) {
        text.copy(buffer, text.size());
        buffer[text.size()] = '\0';
    } else {
        longText.assign(text);
        terminated = longText.c_str();
    }
    return strtod_l(terminated, nullptr, CLocale());
}

bool ScanHex32(std::string_view text, uint32_t& value) {
    bool negative = false;
    size_t i = SkipBlanksAndSign(text, negative);
    bool sawDigit = false;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        sawDigit = true;  // "0x" with nothing after it still reads as 0
        i += 2;
    }
    uint64_t accumulated = 0;
    for (; i < text.size(); ++i) {
        const int digit = HexDigitValue(text[i]);
        if (digit < 0)
            break;
        sawDigit = true;
        // strtoul saturates; the result is then cut to the 32 bits of an unsigned int.
        accumulated = accumulated > (UINT64_MAX >> 4) ? UINT64_MAX : (accumulated << 4) | digit;
    }
    if (!sawDigit)
        return false;
    const uint32_t low = static_cast<uint32_t>(accumulated);
    value = negative ? 0u - low : low;
    return true;
}

int32_t ScanInt32(std::string_view text) {
    return ScanLong32(text).value;
}
