#include "document/locuscope_document.h"

#include <gtest/gtest.h>

#include "document/command_ids.h"
#include "framework/settings.h"
#include "support/fake_pane_view.h"
#include "support/recording_agent.h"
#include "support/scratch_file.h"

namespace {

const char kThreeChromosomes[] =
    "chr1\ts\tgene\t100\t900\t1\t+\t.\tID=a\n"
    "chr2\ts\tgene\t200\t2000\t2\t+\t.\tID=b\n"
    "chr3\ts\tgene\t300\t3000\t3\t+\t.\tID=c\n";

class LocuscopeDocumentTest : public testing::Test {
protected:
    LocuscopeDocumentTest() : file_("three.gff", kThreeChromosomes) {
        document_.SetHeadlessAgent(&agent_);
        view_.AttachDocument(&document_);
    }
    ~LocuscopeDocumentTest() override { view_.AttachDocument(nullptr); }

    void Import() { ASSERT_TRUE(document_.ImportFiles({file_.Path()})); }

    ScratchFile file_;
    RecordingAgent agent_;
    LocuscopeDocument document_;
    FakePaneView view_;
};

TEST(LocuscopeDocumentDefaultsTest, StoredTrackStyleOtherThanPointsOrBarsReadsAsBars) {
    const struct {
        int stored;
        int read;
    } cases[] = {{2, 2}, {3, 3}, {1, 3}, {7, 3}, {0, 3}};
    for (const auto& c : cases) {
        WriteSettingInt("Document", "DefaultTrackStyle", c.stored);
        EXPECT_EQ(LocuscopeDocument().DefaultTrackStyle, c.read) << c.stored;
    }
    WriteSettingInt("Document", "IsHeaderVisible", 0);
    EXPECT_FALSE(LocuscopeDocument().HeaderVisible);
    WriteSettingInt("Document", "IsHeaderVisible", 1);
    EXPECT_TRUE(LocuscopeDocument().HeaderVisible);
}

TEST_F(LocuscopeDocumentTest, ImportShowsTheFirstPaneAndForgetsTheAllTracksRange) {
    document_.SetPaneJumpRange(kAllTracksPane, 5, 6);
    Import();
    EXPECT_EQ(document_.GetCurrentPaneName(), "chr1");
    EXPECT_EQ(view_.fullZoomOuts, 1);
    EXPECT_EQ(document_.GetPaneJumpRange(kAllTracksPane), Range(100, 3000));
    // A pane seen for the first time gets its full extent.
    EXPECT_EQ(document_.GetPaneJumpRange("chr2"), Range(200, 2000));
    EXPECT_EQ(document_.GetPaneLabel("chr3"), "chr3:300-3,000");
}

TEST_F(LocuscopeDocumentTest, FailedImportWaitsForTheUserEvenWithoutAFlaggedError) {
    EXPECT_FALSE(document_.ImportFiles({"/no/such/file.bed"}));
    EXPECT_FALSE(agent_.GetErrorFlag());
    EXPECT_EQ(agent_.waits, 1);
    EXPECT_EQ(agent_.messages.back(), "Bad File: /no/such/file.bed (not found)");
}

TEST_F(LocuscopeDocumentTest, BackAndForwardRetraceThePanesVisitedAndEachIsShownOnce) {
    Import();
    document_.SetPaneJumpRange("chr1", 150, 250);
    const int shown = view_.panesShown;
    document_.NavigateToPane("chr2", true);
    EXPECT_EQ(view_.panesShown, shown + 1);
    document_.NavigateToPane("chr3", true);
    document_.GoBack();
    EXPECT_EQ(document_.GetCurrentPaneName(), "chr2");
    document_.GoForward();
    EXPECT_EQ(document_.GetCurrentPaneName(), "chr3");
    document_.GoBack();
    document_.GoBack();
    EXPECT_EQ(document_.GetCurrentPaneName(), "chr1");
    // The document is the one keeper of each pane's range.
    EXPECT_EQ(document_.GetPaneJumpRange("chr1"), Range(150, 250));
    CommandState state;
    ASSERT_TRUE(document_.OnUpdateCommand(CommandId::kGoBack, state));
    EXPECT_FALSE(state.enabled);
    ASSERT_TRUE(document_.OnUpdateCommand(CommandId::kGoForward, state));
    EXPECT_TRUE(state.enabled);

    // Going to the pane already shown neither shows it again nor adds to the history.
    const int before = view_.panesShown;
    const size_t history = document_.GetBackHistory().size();
    document_.NavigateToPane("chr1", true);
    EXPECT_EQ(view_.panesShown, before);
    EXPECT_EQ(document_.GetBackHistory().size(), history);
}

TEST_F(LocuscopeDocumentTest, ChoosingAPaneLabelGoesToThePaneAndRange) {
    Import();
    document_.ChoosePane("chr2:1,000-1,500");
    EXPECT_EQ(document_.GetCurrentPaneName(), "chr2");
    EXPECT_EQ(view_.visible, Range(1000, 1500));
    EXPECT_EQ(document_.GetBackHistory(), std::vector<std::string>{"chr1"});

    document_.ChoosePane("chr3");  // a name alone keeps the range the pane has
    EXPECT_EQ(document_.GetCurrentPaneName(), "chr3");
    EXPECT_EQ(view_.visible, Range(1000, 1500));

    // A label that names no pane changes nothing.
    document_.ChoosePane("chr9:1-10");
    document_.ChoosePane("nonsense");
    EXPECT_EQ(document_.GetCurrentPaneName(), "chr3");
    EXPECT_EQ(document_.GetBackHistory().size(), 2u);
}

TEST_F(LocuscopeDocumentTest, ClearAllEmptiesTheDataButKeepsNavigation) {
    Import();
    document_.NavigateToPane("chr2", true);
    SearchResultList results;
    results.push_back({"chr1", "gene", 100});
    document_.SetSearchResults(std::move(results));
    document_.ClearAll();
    EXPECT_EQ(document_.Genome().Store().GetChromosomeCount(), 0u);
    EXPECT_TRUE(document_.GetSearchResults().empty());
    EXPECT_EQ(document_.GetBackHistory().size(), 1u);
}

}  // namespace
