#include "data/attribute_search.h"

#include <gtest/gtest.h>

#include "data/genome_dataset.h"
#include "support/recording_agent.h"

namespace {

class AttributeSearchTest : public testing::Test {
protected:
    AttributeSearchTest() { genome_.SetNotificationTarget(&agent_); }

    void File(const std::string& chromosome, const std::string& trackName, uint32_t start,
              const std::string& attributes, uint32_t stop = 0) {
        ChromosomeDataset& track = genome_.Store().FindOrCreateTrack(chromosome, trackName);
        ChromosomeItem item;
        item.Stop = stop != 0 ? stop : start + 10;
        item.Attributes = attributes;
        track.UpdateExtents(start, item.Stop, 0.0f);
        track.AddItem(start, item);
        genome_.Store().AppendTrackName(trackName);
        genome_.Store().SortChromosomeNames();
    }
    // The hits as "pane/track/start".
    static std::vector<std::string> Rows(const SearchResultList& results) {
        std::vector<std::string> rows;
        for (size_t i = 0; i < results.size(); ++i)
            rows.push_back(results.GetPaneName(i) + "/" + results.GetTrackName(i) + "/" +
                           std::to_string(results.GetStart(i)));
        return rows;
    }

    RecordingAgent agent_;
    GenomeDataset genome_;
};

TEST_F(AttributeSearchTest, FindsSubstringsCaseSensitivelyInDisplayOrder) {
    File("chr2", "gene", 300, "ID=gene2");
    File("chr1", "gene", 200, "ID=Gene1");
    File("chr1", "exon", 50, "Parent=gene7");
    File("chr1", "gene", 100, "ID=gene0");
    const SearchResultList results = genome_.Search("gene");
    EXPECT_EQ(Rows(results),
              (std::vector<std::string>{"chr1/gene/100", "chr1/exon/50", "chr2/gene/300"}));
    EXPECT_EQ(agent_.messages,
              (std::vector<std::string>{"Search String: gene", "Pane: chr1 Track: gene Position: 100",
                                        "Pane: chr1 Track: exon Position: 50",
                                        "Pane: chr2 Track: gene Position: 300"}));
    EXPECT_EQ(Rows(genome_.Search("Gene")), (std::vector<std::string>{"chr1/gene/200"}));
    EXPECT_TRUE(genome_.Search("GENE").empty());
    // An empty string lists every item.
    EXPECT_EQ(genome_.Search("").size(), 4u);
}

TEST_F(AttributeSearchTest, ReportsFortyNinePositionsThenFiftyOrMoreOnceButKeepsEveryHit) {
    const struct {
        int hits;
        size_t positionLines;
        bool fiftyOrMore;
    } cases[] = {{49, 49, false}, {50, 49, true}, {120, 49, true}};
    for (const auto& c : cases) {
        GenomeDataset genome;
        RecordingAgent agent;
        genome.SetNotificationTarget(&agent);
        ChromosomeDataset& track = genome.Store().FindOrCreateTrack("chr1", "gene");
        for (int i = 1; i <= c.hits; ++i) {
            ChromosomeItem item;
            item.Stop = static_cast<uint32_t>(i);
            item.Attributes = "x";
            track.AddItem(static_cast<uint32_t>(i), item);
        }
        genome.Store().AppendTrackName("gene");
        genome.Store().SortChromosomeNames();
        EXPECT_EQ(genome.Search("x").size(), static_cast<size_t>(c.hits)) << c.hits;
        size_t positions = 0;
        size_t fifty = 0;
        for (const std::string& line : agent.messages) {
            positions += line.rfind("Pane: ", 0) == 0 ? 1 : 0;
            fifty += line == "50 or more items found..." ? 1 : 0;
        }
        EXPECT_EQ(positions, c.positionLines) << c.hits;
        EXPECT_EQ(fifty, c.fiftyOrMore ? 1u : 0u) << c.hits;
        EXPECT_EQ(agent.messages.back(), c.fiftyOrMore ? "50 or more items found..."
                                                       : "Pane: chr1 Track: gene Position: 49");
    }
}

TEST_F(AttributeSearchTest, CancelKeepsTheHitsOfTheTracksSearched) {
    File("chr1", "gene", 100, "a");
    File("chr2", "gene", 100, "a");
    agent_.cancelAnswer = true;
    EXPECT_EQ(Rows(genome_.Search("a")), (std::vector<std::string>{"chr1/gene/100"}));
}

TEST_F(AttributeSearchTest, HitsFindTheirItemAgainAmongEqualStartsAndAfterDeletion) {
    File("chr1", "gene", 100, "ID=a", 150);
    File("chr1", "gene", 100, "ID=b", 180);
    const SearchResultList results = genome_.Search("ID=b");
    ASSERT_EQ(results.size(), 1u);
    auto found = results.Locate(genome_, 0);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->track->GetStop(found->item), 180u);
    // An import since the search moves items: the start still finds one.
    File("chr1", "gene", 50, "ID=c");
    found = results.Locate(genome_, 0);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->track->GetStart(found->item), 100u);
    genome_.Store().DeleteTracks({{"chr1", "gene"}});
    EXPECT_FALSE(results.Locate(genome_, 0));
}

}  // namespace
