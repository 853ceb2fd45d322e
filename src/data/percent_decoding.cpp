#include "data/percent_decoding.h"

#include "data/number_scan.h"

namespace {

constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;

template <typename Decodable>
std::string Decode(std::string_view text, Decodable decodable) {
    if (text.find('%') == std::string_view::npos)
        return std::string(text);
    std::string decoded;
    decoded.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int high = HexDigitValue(text[i + 1]);
            const int low = HexDigitValue(text[i + 2]);
            if (high >= 0 && low >= 0 && decodable(static_cast<unsigned char>(high * 16 + low))) {
                decoded.push_back(static_cast<char>(high * 16 + low));
                i += 2;
                continue;
            }
        }
        decoded.push_back(text[i]);
    }
    return decoded;
}

}  // namespace

std::string PercentDecoded(std::string_view text) {
    return Decode(text, [](unsigned char byte) { return byte != 0; });
}

std::string PercentDecodedForDisplay(std::string_view text) {
    return Decode(text,
                  [](unsigned char byte) { return byte >= kFirstPrintable && byte != kDelete; });
}
