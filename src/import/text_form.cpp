#include "import/text_form.h"

namespace TextForms {

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

TextForm Recognise(std::string_view firstBytes) {
    using namespace std::string_view_literals;
    // The UTF-32 marks first: the little-endian one begins with the UTF-16 one.
    if (StartsWith(firstBytes, "\xFF\xFE\0\0"sv) || StartsWith(firstBytes, "\0\0\xFE\xFF"sv))
        return TextForm::kUtf32;
    if (StartsWith(firstBytes, "\xFF\xFE"sv) || StartsWith(firstBytes, "\xFE\xFF"sv))
        return TextForm::kUtf16;
    if (StartsWith(firstBytes, "\xEF\xBB\xBF"sv))
        return TextForm::kUtf8WithMark;
    if (firstBytes.size() < kProbeBytes)
        return TextForm::kPlain;
    // Without a mark: GFF and BED text starts with an ASCII character, which UTF-16 and UTF-32
    // write with zero bytes beside it; no zero byte belongs in text as the readers take it.
    bool zero[kProbeBytes];
    for (size_t i = 0; i < kProbeBytes; ++i)
        zero[i] = firstBytes[i] == '\0';
    if ((!zero[0] && zero[1] && zero[2] && zero[3]) || (zero[0] && zero[1] && zero[2] && !zero[3]))
        return TextForm::kUtf32;
    if ((!zero[0] && zero[1] && !zero[2] && zero[3]) ||
        (zero[0] && !zero[1] && zero[2] && !zero[3]))
        return TextForm::kUtf16;
    return TextForm::kPlain;
}

}  // namespace TextForms
