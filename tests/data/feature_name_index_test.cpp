#include "data/feature_name_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/genome_dataset.h"
#include "import/import_driver.h"
#include "support/scratch_file.h"

namespace {

// chr10 sorts after chr2; the gene track comes first in the track order.
const char kAnnotation[] =
    "chr10\ts\tgene\t5000\t9000\t.\t+\t.\tName=BRCA2;ID=ENSG10\n"
    "chr2\ts\tgene\t100\t900\t.\t+\t.\tID=ENSG2;gene_name=brca2\n"
    "chr2\ts\tmRNA\t100\t900\t.\t+\t.\tID=t1%28newGene%29;Parent=ENSG2\n"
    "chr2\ts\texon\t50\t60\t.\t+\t.\tID=exon1;Name=BRCA2\n"
    "chr2\ts\tgene\t2000\t2500\t.\t-\t.\tName=TP53;ID=tp53\n"
    "chr2\ts\tgene\t3000\t3100\t.\t-\t.\tgene_id \"G7\"; gene_name \"MYC\";\n";

class FeatureNameIndexTest : public testing::Test {
protected:
    FeatureNameIndexTest() {
        genome_.Store().SetSortOrder(GenomeStore::kSortAlphanumeric);
        Import("annotation.gff", kAnnotation);
    }

    void Import(const std::string& name, const std::string& contents) {
        ScratchFile file(name, contents);
        ASSERT_TRUE(ImportDriver(genome_).LoadFiles({file.Path()}));
    }
    // "chromosome/track/start-stop name" for each listed match.
    std::vector<std::string> Found(const std::string& name) {
        const std::optional<FeatureNameIndex::Lookup> lookup = index_.Find(genome_, name);
        if (!lookup)
            return {"stale"};
        std::vector<std::string> rows;
        for (const FeatureMatch& match : lookup->matches)
            rows.push_back(match.chromosomeName + "/" + match.trackName + "/" +
                           std::to_string(match.start) + "-" + std::to_string(match.stop) + " " +
                           match.name);
        return rows;
    }

    GenomeDataset genome_;
    FeatureNameIndex index_;
};

using Rows = std::vector<std::string>;

TEST_F(FeatureNameIndexTest, FindsShownNamesAndIdsWholeWithoutRegardToCaseInPaneOrder) {
    ASSERT_TRUE(index_.Build(genome_, nullptr));
    // Pane order (chr2 before chr10), then track order (gene, mRNA, exon), then start.
    EXPECT_EQ(Found("BRCA2"), (Rows{"chr2/gene/100-900 brca2", "chr2/exon/50-60 BRCA2",
                                    "chr10/gene/5000-9000 BRCA2"}));
    EXPECT_EQ(Found("  Tp53 "), (Rows{"chr2/gene/2000-2500 TP53"}));
    // The ID too, and a name as the view shows it, escapes decoded.
    EXPECT_EQ(Found("ensg10"), (Rows{"chr10/gene/5000-9000 BRCA2"}));
    EXPECT_EQ(Found("T1(NEWGENE)"), (Rows{"chr2/mRNA/100-900 t1(newGene)"}));
    EXPECT_EQ(Found("myc"), (Rows{"chr2/gene/3000-3100 MYC"}));
    // Whole names only; nothing for an empty name or a GTF key that is not a name.
    for (const char* none : {"BRCA", "BRCA2;", "t1%28newGene%29", "", "G7", "newGene"})
        EXPECT_EQ(Found(none), Rows{}) << none;
    EXPECT_EQ(index_.GetNamedFeatureCount(), 6u);
    EXPECT_EQ(index_.Find(genome_, "brca2")->count, 3u);
}

TEST_F(FeatureNameIndexTest, AnswersNothingOnceTracksChangeUntilBuiltAgain) {
    EXPECT_EQ(Found("TP53"), Rows{"stale"});  // never built
    ASSERT_TRUE(index_.Build(genome_, nullptr));

    // A sort or a moved track changes only the order of the matches.
    ASSERT_TRUE(genome_.Store().MoveTrackName("exon", "gene"));
    EXPECT_EQ(Found("BRCA2")[0], "chr2/exon/50-60 BRCA2");

    // Items added to a track that exists: stale.
    Import("more.gff", "chr2\ts\tgene\t7000\t7100\t.\t+\t.\tName=TP53\n");
    EXPECT_EQ(Found("TP53"), Rows{"stale"});
    ASSERT_TRUE(index_.Build(genome_, nullptr));
    EXPECT_EQ(Found("TP53"), (Rows{"chr2/gene/2000-2500 TP53", "chr2/gene/7000-7100 TP53"}));

    // A deleted track, and one made again in its place with as many items.
    genome_.Store().DeleteTracks({{"chr10", "gene"}});
    EXPECT_EQ(Found("BRCA2"), Rows{"stale"});
    Import("again.gff", "chr10\ts\tgene\t1\t10\t.\t+\t.\tName=OTHER\n");
    EXPECT_EQ(Found("OTHER"), Rows{"stale"});
    ASSERT_TRUE(index_.Build(genome_, nullptr));
    EXPECT_EQ(Found("OTHER"), (Rows{"chr10/gene/1-10 OTHER"}));
}

TEST_F(FeatureNameIndexTest, BedNamesCountButADotIsNoNameAndLongListsAreCut) {
    std::string bed = "track name=peaks\n";
    for (int i = 0; i < 1500; ++i)
        bed += "chr3\t" + std::to_string(1000 * (1500 - i)) + "\t" +
               std::to_string(1000 * (1500 - i) + 1) + "\tpeak\n";
    bed += "chr3\t10\t20\t.\nchr3\t30\t30\tsnp_1\n";
    Import("peaks.bed", bed);
    ASSERT_TRUE(index_.Build(genome_, nullptr));
    const std::optional<FeatureNameIndex::Lookup> peaks = index_.Find(genome_, "PEAK");
    ASSERT_TRUE(peaks);
    EXPECT_EQ(peaks->count, 1500u);
    ASSERT_EQ(peaks->matches.size(), FeatureNameIndex::kListedMatches);
    EXPECT_EQ(peaks->matches.front().start, 1001u);  // BED starts are 0-based
    EXPECT_EQ(peaks->matches.back().start, 1000001u);
    EXPECT_EQ(Found("."), Rows{});
    // A zero-length interval is one base.
    EXPECT_EQ(Found("snp_1"), (Rows{"chr3/peaks/31-31 snp_1"}));
}

TEST(FeatureShownRangeTest, ATenthOnEitherSideAtLeastFortyBasesWithinThePositions) {
    const struct {
        uint32_t start, stop;
        Range shown;
    } cases[] = {
        {1001, 2000, {901, 2100}},         // 1,000 bases: 100 either side
        {1001, 1005, {983, 1023}},         // 5 bases: widened to 41
        {500, 500, {480, 520}},            // one base is never shown alone
        {2000, 1001, {901, 2100}},         // ends in either order
        {1001, 1010, {986, 1025}},         // 10 bases: 1 either side is too little
        {3, 20, {1, 31}},                  // no position below 1
        {1, 0xFFFFFFFE, {1, 0xFFFFFFFE}},  // the whole range
        {0xFFFFFF00, 0xFFFFFFFE, {0xFFFFFEE6, 0xFFFFFFFE}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FeatureNameIndex::ShownRange(c.start, c.stop), c.shown)
            << c.start << "-" << c.stop;
}

}  // namespace
