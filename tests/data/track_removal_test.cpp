#include "data/track_removal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TrackRemovalTest : public testing::Test {
protected:
    TrackRemovalTest() { genome_.Store().SetSortOrder(GenomeStore::kSortUnsorted); }

    // Files one item as the import does; the name joins the track order. The pane order follows
    // at the next SortChromosomeNames.
    void File(const std::string& chromosome, const std::string& trackName, uint32_t start) {
        ChromosomeDataset& track = genome_.Store().FindOrCreateTrack(chromosome, trackName);
        ChromosomeItem item;
        item.Stop = start + 10;
        track.UpdateExtents(start, item.Stop, 1.0f);
        track.AddItem(start, item);
        genome_.Store().AppendTrackName(trackName);
    }
    // Everything a deletion may touch, as one text: differences show in the failure message.
    std::string State() const {
        std::string state = "panes:";
        for (const std::string& pane : genome_.Store().GetPaneOrder()) {
            state += " " + pane + "(";
            for (const std::string& name : genome_.Store().GetTrackOrder()) {
                if (const ChromosomeDataset* track = genome_.Store().FindTrack(pane, name))
                    state += name + "@" + std::to_string(track->MinStart) + " ";
            }
            state += ")";
        }
        state += " | tracks:";
        for (const std::string& name : genome_.Store().GetTrackOrder())
            state += " " + name;
        state += " | selected:";
        for (const std::string& name : genome_.Selection().GetSelectedTracks())
            state += " " + name;
        state += " | regions:";
        for (const std::string& pane : genome_.Store().GetPaneOrder()) {
            const auto found = genome_.Selection().GetRegionSelection().find(pane);
            if (found != genome_.Selection().GetRegionSelection().end())
                state += " " + pane + "x" + std::to_string(found->second.size());
        }
        return state + " | current: " + genome_.GetCurrentPane();
    }

    GenomeDataset genome_;
};

TEST_F(TrackRemovalTest, DeletedTracksComeBackWhereTheyWere) {
    File("chr3", "gene", 30);
    File("chr1", "peaks", 10);
    File("chr1", "gene", 11);
    File("chr2", "peaks", 20);
    File("chr4", "exon", 40);
    File("chr4", "peaks", 41);
    genome_.Store().SortChromosomeNames();
    genome_.SetCurrentPane("chr2");
    genome_.Selection().SetRegions("chr2", {{0, 10}});
    genome_.Selection().SetRegions("chr1", {{5, 9}, {1, 2}});
    genome_.Selection().SetSelectedTracks({"peaks", "exon"});
    const std::string before = State();
    const ChromosomeDataset* peaks = genome_.Store().FindTrack("chr1", "peaks");

    RemovedTracks removed =
        TrackRemoval::TakeTracks(genome_, genome_.Selection().GetSelectedTracks());
    EXPECT_EQ(State(),
              "panes: chr3(gene@30 ) chr1(gene@11 ) | tracks: gene | selected: | regions: chr1x2 "
              "| current: chr1");  // chr2 and chr4 went; chr1 took chr2's place

    TrackRemoval::Restore(genome_, removed);
    EXPECT_EQ(State(), before);
    EXPECT_EQ(genome_.Store().FindTrack("chr1", "peaks"),
              peaks);  // the very same track, not a copy
    EXPECT_TRUE(removed.tracks.empty());
}

TEST_F(TrackRemovalTest, APaneGoesWithItsTracksAndHandsOverToTheNext) {
    for (const char* pane : {"chr1", "chr2", "chr3"}) {
        File(pane, "gene", 1);
        File(pane, "mRNA", 2);
    }
    genome_.Store().SortChromosomeNames();
    genome_.Selection().SetSelectedTracks({"mRNA"});
    const std::string before = State();
    const struct {
        const char* deleted;
        const char* current;
        const char* after;  // the current pane afterwards
    } cases[] = {{"chr2", "chr2", "chr3"}, {"chr3", "chr3", "chr2"}, {"chr1", "chr3", "chr3"}};
    for (const auto& c : cases) {
        genome_.SetCurrentPane(c.current);
        const std::string shown = State();
        RemovedTracks removed = TrackRemoval::TakePane(genome_, c.deleted);
        EXPECT_FALSE(genome_.Store().HasChromosome(c.deleted)) << c.deleted;
        EXPECT_EQ(genome_.GetCurrentPane(), c.after) << c.deleted;
        EXPECT_EQ(genome_.Selection().GetSelectedTracks(), std::vector<std::string>{"mRNA"})
            << c.deleted;
        TrackRemoval::Restore(genome_, removed);
        EXPECT_EQ(State(), shown) << c.deleted;
    }
    genome_.SetCurrentPane(kAllTracksPane);
    RemovedTracks lastPane = TrackRemoval::TakeTracks(genome_, {"gene", "mRNA"});
    EXPECT_EQ(genome_.Store().GetChromosomeCount(), 0u);
    EXPECT_EQ(genome_.GetCurrentPane(), kAllTracksPane);
    TrackRemoval::Restore(genome_, lastPane);
    EXPECT_EQ(State(), before);
}

TEST_F(TrackRemovalTest, ADraftAssemblyDeletesAndComesBackWhole) {
    constexpr int kScaffolds = 30000;
    for (int i = 0; i < kScaffolds; ++i)
        File("scaffold_" + std::to_string(i), i % 3 == 0 ? "gene" : "repeat", i + 1);
    genome_.Store().SortChromosomeNames();
    const std::string before = State();
    RemovedTracks removed = TrackRemoval::TakeTracks(genome_, {"gene"});
    EXPECT_EQ(genome_.Store().GetChromosomeCount(),
              static_cast<size_t>(kScaffolds - kScaffolds / 3));
    EXPECT_EQ(genome_.Store().GetPaneOrder().front(), "scaffold_1");
    TrackRemoval::Restore(genome_, removed);
    EXPECT_EQ(State(), before);
}

TEST(PlacedNamesTest, NamesGoBackToTheirPlacesInOnePass) {
    const std::vector<std::string> original{"a", "b", "c", "d", "e"};
    const std::vector<std::unordered_set<std::string>> removals{
        {}, {"a"}, {"e"}, {"b", "d"}, {"a", "b", "c", "d", "e"}, {"x"}};
    for (const auto& names : removals) {
        std::deque<std::string> list(original.begin(), original.end());
        const std::vector<PlacedName> taken = TakeNames(list, names);
        EXPECT_EQ(list.size() + taken.size(), original.size());
        PutNamesBack(list, taken);
        EXPECT_EQ(std::vector<std::string>(list.begin(), list.end()), original) << taken.size();
    }
}

}  // namespace
