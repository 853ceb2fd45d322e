// The enable, check and text rules of the track, pane, style, edit and tool commands, driven
// through the command layer as a menu or a shortcut drives them, and what the remembered ones
// leave in the settings.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "document/chromosome_start_stop_combo_box.h"
#include "document/command_ids.h"
#include "document/document_settings.h"
#include "support/when_shown.h"
#include "support/window_test.h"

namespace {

namespace Id = CommandId;

// chr10 is seen before chr2, so the two pane orders differ; "score" holds scores, "gene" none.
const char kTracks[] =
    "chr10\ts\tgene\t1001\t2000\t.\t+\t.\tID=g1\n"
    "chr10\ts\tscore\t1001\t2000\t5\t+\t.\tID=s1\n"
    "chr2\ts\tgene\t5001\t6000\t.\t+\t.\tID=g2\n"
    "chr2\ts\tscore\t3001\t4000\t-2\t+\t.\tID=s2\n";

class CommandRulesTest : public WindowTest {
protected:
    CommandRulesTest() : WindowTest("rules.gff", kTracks) {
        Document().ChoosePane("chr2");
        Paint();
    }
    void Trigger(int id) { Frame().Commands().Action(id)->trigger(); }
    // Selects the tracks of the visible rows by clicking their labels, Ctrl for the others.
    void SelectRows(std::initializer_list<int> rows) {
        Qt::KeyboardModifiers modifiers;
        for (const int row : rows) {
            QTest::mouseClick(&View(), Qt::LeftButton, modifiers, LabelPoint(row));
            modifiers = Qt::ControlModifier;
        }
    }
    ChromosomeDataset& Track(const char* chromosome, const char* name) {
        return *Document().Genome().Store().FindTrack(chromosome, name);
    }
    QStringList SelectorEntries() {
        QStringList entries;
        const QComboBox* selector = Frame().GetPaneSelector();
        for (int i = 0; i < selector->count(); ++i)
            entries.append(selector->itemText(i).section(':', 0, 0));
        return entries;
    }
};

TEST_F(CommandRulesTest, PaneSortIsCheckedRememberedAndReordersTheSelector) {
    EXPECT_TRUE(Checked(Id::kSortAlphanumeric));
    EXPECT_FALSE(Checked(Id::kSortUnsorted));
    EXPECT_EQ(SelectorEntries(), QStringList({"All Tracks", "chr2", "chr10"}));

    Trigger(Id::kSortUnsorted);
    EXPECT_TRUE(Checked(Id::kSortUnsorted));
    EXPECT_FALSE(Checked(Id::kSortAlphanumeric));
    EXPECT_EQ(ReadSettingInt(DocumentSettings::kSection, DocumentSettings::kSortOrderKey, -1), 0);
    EXPECT_EQ(SelectorEntries(), QStringList({"All Tracks", "chr10", "chr2"}));

    Trigger(Id::kSortAlphanumeric);
    EXPECT_EQ(ReadSettingInt(DocumentSettings::kSection, DocumentSettings::kSortOrderKey, -1), 1);
    EXPECT_EQ(SelectorEntries(), QStringList({"All Tracks", "chr2", "chr10"}));
}

TEST_F(CommandRulesTest, StyleActsOnTheSelectedNameEverywhereAndChecksOnlyACommonStyle) {
    EXPECT_FALSE(Enabled(Id::kStylePoints));  // nothing selected
    SelectRows({0});
    ASSERT_EQ(Document().Genome().Selection().GetSelectedTracks(),
              std::vector<std::string>({"gene"}));
    EXPECT_TRUE(Checked(Id::kStyleAutomatic));
    Trigger(Id::kStyleBars);
    EXPECT_EQ(Track("chr2", "gene").TrackStyle, ChromosomeDataset::kStyleBars);
    EXPECT_EQ(Track("chr10", "gene").TrackStyle, ChromosomeDataset::kStyleBars);
    EXPECT_EQ(Track("chr2", "score").TrackStyle, ChromosomeDataset::kStyleAutomatic);
    EXPECT_TRUE(Checked(Id::kStyleBars));
    EXPECT_FALSE(Checked(Id::kStyleAutomatic));

    // Two names of different styles: no style is theirs.
    SelectRows({0, 1});
    EXPECT_TRUE(Enabled(Id::kStylePoints));
    EXPECT_FALSE(Checked(Id::kStyleBars));
    EXPECT_FALSE(Checked(Id::kStyleAutomatic));
    EXPECT_FALSE(Checked(Id::kStylePoints));
}

TEST_F(CommandRulesTest, DefaultStyleIsCheckedAndRemembered) {
    Trigger(Id::kDefaultStyleBars);
    EXPECT_TRUE(Checked(Id::kDefaultStyleBars));
    EXPECT_FALSE(Checked(Id::kDefaultStylePoints));
    EXPECT_EQ(
        ReadSettingInt(DocumentSettings::kSection, DocumentSettings::kDefaultTrackStyleKey, 0),
        ChromosomeDataset::kStyleBars);
    Trigger(Id::kDefaultStylePoints);
    EXPECT_TRUE(Checked(Id::kDefaultStylePoints));
    EXPECT_FALSE(Checked(Id::kDefaultStyleBars));
    EXPECT_EQ(
        ReadSettingInt(DocumentSettings::kSection, DocumentSettings::kDefaultTrackStyleKey, 0),
        ChromosomeDataset::kStylePoints);
}

TEST_F(CommandRulesTest, ScaleChecksMarkOnlyASelectionThatAgrees) {
    SelectRows({0, 1});
    EXPECT_TRUE(Checked(Id::kAutoScale));
    EXPECT_FALSE(Checked(Id::kManualScale));
    SelectRows({1});
    WhenShown([](QWidget* dialog) {
        QTest::keyClick(dialog->findChildren<QLineEdit*>().at(1), Qt::Key_Return);
    });
    Trigger(Id::kManualScale);
    ASSERT_FALSE(Track("chr10", "score").AutoScale);
    EXPECT_TRUE(Checked(Id::kManualScale));
    EXPECT_FALSE(Checked(Id::kAutoScale));
    // One manual, one automatic: neither is checked.
    SelectRows({0, 1});
    EXPECT_FALSE(Checked(Id::kAutoScale));
    EXPECT_FALSE(Checked(Id::kManualScale));
    Trigger(Id::kAutoScale);
    EXPECT_TRUE(Track("chr10", "score").AutoScale);
    EXPECT_TRUE(Checked(Id::kAutoScale));
}

TEST_F(CommandRulesTest, DecreasePointSizeStopsAtZero) {
    SelectRows({1});
    ChromosomeDataset& score = Track("chr2", "score");
    Trigger(Id::kIncreasePointSize);
    EXPECT_EQ(score.PointWidthLeft, 0);  // the odd pixel goes right
    EXPECT_EQ(score.PointWidthRight, 1);
    Trigger(Id::kDecreasePointSize);
    Trigger(Id::kDecreasePointSize);
    EXPECT_EQ(score.GetPointWidth(), 0);
    EXPECT_EQ(score.PointWidthLeft, 0);
    EXPECT_EQ(score.PointWidthRight, 0);
    EXPECT_EQ(score.GetPointHeight(), 0);
}

TEST_F(CommandRulesTest, SelectAllShortcutsSelectEveryTrackNameAndEveryPaneWhole) {
    QTest::keyClick(&View(), Qt::Key_A, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(Document().Genome().Selection().GetSelectedTracks(),
              std::vector<std::string>({"gene", "score"}));
    EXPECT_TRUE(Enabled(Id::kDeleteTracks));

    EXPECT_FALSE(Enabled(Id::kExportSelections));
    QTest::keyClick(&View(), Qt::Key_A, Qt::ControlModifier);
    const auto& selection = Document().Genome().Selection().GetRegionSelection();
    ASSERT_EQ(selection.size(), 2u);
    // The low end is exclusive, so the whole extent is one base wider on that side.
    EXPECT_EQ(selection.at("chr2"), (std::vector<Range>{{3000, 6001}}));
    EXPECT_EQ(selection.at("chr10"), (std::vector<Range>{{1000, 2001}}));
    EXPECT_TRUE(Enabled(Id::kExportSelections));
}

TEST_F(CommandRulesTest, ToolsAreCheckedOneAtATime) {
    EXPECT_TRUE(Checked(Id::kToolPointer));
    Trigger(Id::kToolMagnifier);
    EXPECT_TRUE(Checked(Id::kToolMagnifier));
    EXPECT_FALSE(Checked(Id::kToolPointer));
    EXPECT_FALSE(Checked(Id::kToolRuler));
    Trigger(Id::kToolRuler);
    EXPECT_TRUE(Checked(Id::kToolRuler));
    EXPECT_FALSE(Checked(Id::kToolMagnifier));
    Trigger(Id::kToolPointer);
    EXPECT_TRUE(Checked(Id::kToolPointer));
}

TEST_F(CommandRulesTest, DisplayHeaderIsRememberedForTheNextRun) {
    EXPECT_TRUE(Checked(Id::kDisplayHeader));
    Trigger(Id::kDisplayHeader);
    EXPECT_FALSE(Checked(Id::kDisplayHeader));
    EXPECT_FALSE(Document().HeaderVisible);

    app_ = std::make_unique<LocuscopeApp>();  // the program ends and starts again
    ASSERT_TRUE(app_->InitInstance({QString::fromStdString(file_.Path())}));
    EXPECT_FALSE(Document().HeaderVisible);
    EXPECT_FALSE(Checked(Id::kDisplayHeader));
    Trigger(Id::kDisplayHeader);
    EXPECT_TRUE(Checked(Id::kDisplayHeader));
}

}  // namespace
