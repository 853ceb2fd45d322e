#include "data/chromosome_item.h"

#include <string.h>

#include <string_view>

#include "data/number_scan.h"
#include "data/percent_decoding.h"
#include "framework/string_format.h"

namespace {

constexpr size_t kMaxAttributeFields = 100;
constexpr std::string_view kFieldBlanks = " \t\r\n";
constexpr std::string_view kHttpPrefix = "http://";
constexpr std::string_view kUrlPrefix = "url=";
constexpr std::string_view kColorWord = "color";
// "color" and the one separator character after it.
constexpr size_t kColorWordAndSeparator = 6;

// Calls visit(field) for each ';'-separated field of text, at most 100 of them, until visit
// returns true.
template <typename Visitor>
void ForEachAttributeField(std::string_view text, Visitor visit) {
    if (text.empty())
        return;
    size_t begin = 0;
    for (size_t count = 0; count < kMaxAttributeFields; ++count) {
        const size_t end = text.find(';', begin);
        const std::string_view field = text.substr(
            begin, end == std::string_view::npos ? std::string_view::npos : end - begin);
        if (visit(field) || end == std::string_view::npos)
            return;
        begin = end + 1;
    }
}

std::string_view TrimSet(std::string_view text, std::string_view set) {
    const size_t first = text.find_first_not_of(set);
    if (first == std::string_view::npos)
        return {};
    const size_t last = text.find_last_not_of(set);
    return text.substr(first, last - first + 1);
}

}  // namespace

std::string ChromosomeItem::InfoText(float score, uint32_t start, uint32_t stop,
                                     std::string_view attributes) {
    std::string text =
        FormatString("Score: %.03f Pos: %u - %u Attr: ", static_cast<double>(score), start, stop);
    text += attributes;
    return text;
}

std::string ChromosomeItem::UrlIn(std::string_view attributes) {
    std::string_view candidate;
    ForEachAttributeField(attributes, [&](std::string_view field) {
        field = TrimSet(field, kFieldBlanks);
        if (field.substr(0, kHttpPrefix.size()) == kHttpPrefix) {
            candidate = field;
        } else if (field.substr(0, kUrlPrefix.size()) == kUrlPrefix) {
            candidate = TrimSet(TrimSet(field.substr(kUrlPrefix.size()), "\""), "'");
        }
        return !candidate.empty();
    });
    return PercentDecoded(candidate);
}

void ChromosomeItem::ParseColorAttribute() {
    // Most lines carry no colour; one fast scan of the whole text settles that.
    if (memmem(Attributes.data(), Attributes.size(), kColorWord.data(), kColorWord.size()) !=
        nullptr) {
        ForEachAttributeField(Attributes, [&](std::string_view field) {
            const size_t at = field.find(kColorWord);
            if (at == std::string_view::npos || at > 1)
                return false;
            if (field.size() > at + kColorWordAndSeparator)
                ReadColorField(field.substr(at + kColorWordAndSeparator));
            return true;
        });
    }
    if (Color != kNoColor)
        Color |= 0xFF000000u;
}

void ChromosomeItem::ReadColorField(std::string_view text) {
    if (ScanHex32(text, Color))
        return;
    // One repair for values such as 'FF0000', "FF0000" or x00FF00.
    std::string value(text);
    const size_t quote = value.find_first_of("'\":");
    if (quote != std::string::npos)
        value[quote] = ' ';
    const size_t x = value.find('x');
    if (x != std::string::npos) {
        if (x == 0)
            value.insert(0, "0");
        else
            value[x - 1] = '0';
    }
    if (!ScanHex32(value, Color))
        Color = kNoColor;
}
