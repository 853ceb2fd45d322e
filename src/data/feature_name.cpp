#include "data/feature_name.h"

#include <algorithm>
#include <array>

namespace {

// In order of preference: the display name first, the stable identifier last.
constexpr std::array<std::string_view, 4> kNameKeys = {"Name", "gene_name", "gene_id", "ID"};
constexpr size_t kIdKey = 3;

// The value of key in one ';'-separated field, written key=value (GFF3) or key "value" (GTF).
bool ValueOf(std::string_view field, std::string_view key, std::string_view& value) {
    field = TrimmedName(field);
    if (field.size() <= key.size() || field.compare(0, key.size(), key) != 0)
        return false;
    const std::string_view rest = field.substr(key.size());
    std::string_view text = TrimmedName(rest);
    if (!text.empty() && text.front() == '=') {
        value = TrimmedName(text.substr(1));
    } else if (rest.front() == ' ' || rest.front() == '\t') {
        if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
            text = text.substr(1, text.size() - 2);
        value = text;
    } else {
        return false;
    }
    return !value.empty();
}

// A BED name: a word with no key in it, alone or before the values a peak file adds.
bool IsBedName(std::string_view attributes, std::string_view& name) {
    const size_t nameEnd = attributes.find_first_of("=;\"");
    if (nameEnd == std::string_view::npos) {
        name = TrimmedName(attributes);
        return true;
    }
    const std::string_view first = attributes.substr(0, nameEnd);
    if (attributes[nameEnd] == ';' && !first.empty() &&
        first.find_first_of(" \t") == std::string_view::npos) {
        name = first;
        return true;
    }
    return false;
}

using KeyValues = std::array<std::string_view, kNameKeys.size()>;

// The first value of each name key. With untilName the reading stops at Name, which nothing is
// preferred to.
KeyValues FindKeyValues(std::string_view attributes, bool untilName) {
    KeyValues found{};
    size_t start = 0;
    while (start <= attributes.size()) {
        const size_t end = std::min(attributes.find(';', start), attributes.size());
        const std::string_view field = attributes.substr(start, end - start);
        for (size_t key = 0; key < kNameKeys.size(); ++key) {
            std::string_view value;
            if (found[key].empty() && ValueOf(field, kNameKeys[key], value)) {
                found[key] = value;
                if (key == 0 && untilName)
                    return found;
            }
        }
        start = end + 1;
    }
    return found;
}

std::string_view Preferred(const KeyValues& found) {
    for (const std::string_view name : found) {
        if (!name.empty())
            return name;
    }
    return {};
}

}  // namespace

std::string_view TrimmedName(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string_view FeatureName(std::string_view attributes) {
    std::string_view name;
    if (IsBedName(attributes, name))
        return name;
    return Preferred(FindKeyValues(attributes, true));
}

FeatureNameAndId FindFeatureNameAndId(std::string_view attributes) {
    std::string_view name;
    if (IsBedName(attributes, name))
        return {name, {}};
    const KeyValues found = FindKeyValues(attributes, false);
    return {Preferred(found), found[kIdKey]};
}
