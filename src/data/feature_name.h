#pragma once

#include <string_view>

// The name a biologist knows a feature by, taken from its attribute text without copying:
// for GFF3 the first of Name=, gene_name=, gene_id=, ID= (in that order of preference); for
// GTF the same keys written as key "value"; for BED, whose attribute text is the name column
// itself, the whole text; for peak files, the name before "NAME;signalValue=...". Empty when
// none is found. The view points into attributes, with any %XX escapes as written.
std::string_view FeatureName(std::string_view attributes);

// text without the blanks and tabs around it, as names are read and compared.
std::string_view TrimmedName(std::string_view text);

// FeatureName and the feature's GFF3 identifier (the ID= value, empty when there is none, as
// for every BED name), found in one reading of the attributes.
struct FeatureNameAndId {
    std::string_view name;
    std::string_view id;
};
FeatureNameAndId FindFeatureNameAndId(std::string_view attributes);
