#include "data/feature_name.h"

#include <gtest/gtest.h>

namespace {

TEST(FeatureNameTest, PrefersNameThenGeneNameThenGeneIdThenId) {
    const struct {
        const char* attributes;
        const char* name;
    } cases[] = {
        // GFF3
        {"ID=gene:ENSG1;Name=TP53;biotype=protein_coding", "TP53"},
        {"ID=transcript:T1;Parent=gene:G1", "transcript:T1"},
        {"ID=x;gene_id=ENSG2;gene_name=BRCA2", "BRCA2"},
        {"gene_id=ENSG3;ID=y", "ENSG3"},
        {" Name = spaced ", "spaced"},
        // GTF
        {"gene_id \"ENSG4\"; transcript_id \"T4\"; gene_name \"MYC\";", "MYC"},
        {"gene_id \"ENSG5\"; transcript_id \"T5\";", "ENSG5"},
        // BED: the name column, also before the values of a peak file
        {"peak_17", "peak_17"},
        {"peak_18;signalValue=5;pValue=3;qValue=2;peak=20", "peak_18"},
        {"signalValue=5;pValue=3", ""},
        {";ID=after_an_empty_field", "after_an_empty_field"},
        // keys that only start like a name key, empty values, nothing at all
        {"Named=no;IDs=no", ""},
        {"Name=;ID=fallback", "fallback"},
        {"", ""},
        {"note=one;note=two", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FeatureName(c.attributes), c.name) << c.attributes;
}

}  // namespace
