#include "framework/console_text.h"

namespace {

constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;
// U+0080..U+009F in UTF-8: 0xC2 followed by 0x80..0x9F.
constexpr unsigned char kC1Lead = 0xC2;
constexpr unsigned char kLastC1Trail = 0x9F;

bool IsC1At(std::string_view text, size_t at) {
    return static_cast<unsigned char>(text[at]) == kC1Lead && at + 1 < text.size() &&
           static_cast<unsigned char>(text[at + 1]) >= 0x80 &&
           static_cast<unsigned char>(text[at + 1]) <= kLastC1Trail;
}

void AppendEscaped(std::string& out, unsigned char byte) {
    static const char kHex[] = "0123456789ABCDEF";
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0x0F];
}

}  // namespace

std::string ConsoleText::Escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (IsC1At(text, at)) {
            AppendEscaped(out, byte);
            AppendEscaped(out, static_cast<unsigned char>(text[++at]));
        } else if (byte < kFirstPrintable || byte == kDelete) {
            AppendEscaped(out, byte);
        } else {
            out += text[at];
        }
    }
    return out;
}

std::string ConsoleText::Fields(std::initializer_list<std::string_view> fields) {
    std::string line;
    bool first = true;
    for (const std::string_view field : fields) {
        if (!first)
            line += '\t';
        first = false;
        line += Escape(field);
    }
    return line;
}

void ConsoleText::WriteLine(std::FILE* out, std::string_view text) {
    std::string line = Escape(text);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), out);
}
