#include "document/c_dialog_data_search.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest/QTest>

#include "document/locuscope_document.h"
#include "framework/settings.h"
#include "support/fake_pane_view.h"
#include "support/qt_widget_test.h"
#include "support/recording_agent.h"
#include "support/scratch_file.h"

namespace {

const std::string kLongAttribute = "ID=gene3;Note=" + std::string(300, 'n');

class DialogDataSearchTest : public QtWidgetTest {
protected:
    DialogDataSearchTest()
        : file_("search.gff", "chr1\ts\tgene\t100\t900\t1\t+\t.\tID=gene1\n"
                              "chr1\ts\texon\t150\t300\t1\t+\t.\tParent=gene1\n"
                              "chr2\ts\tgene\t2000\t2500\t1\t-\t.\tID=gene2\n"
                              "chr2\ts\tgene\t3000\t3100\t1\t-\t.\t" +
                                  kLongAttribute + "\n") {
        document_.SetHeadlessAgent(&agent_);
        view_.AttachDocument(&document_);
        EXPECT_TRUE(document_.ImportFiles({file_.Path()}));
    }
    ~DialogDataSearchTest() override { view_.AttachDocument(nullptr); }

    QLineEdit* SearchField(CDialogDataSearch& dialog) {
        return dialog.findChild<QLineEdit*>(QStringLiteral("searchString"));
    }
    QTableView* List(CDialogDataSearch& dialog) {
        return dialog.findChild<QTableView*>(QStringLiteral("results"));
    }
    QPushButton* Button(CDialogDataSearch& dialog, const QString& text) {
        for (QPushButton* button : dialog.findChildren<QPushButton*>())
            if (button->text() == text)
                return button;
        return nullptr;
    }
    QString Cell(QTableView* list, int row, int column) {
        return list->model()->index(row, column).data().toString();
    }
    void Find(CDialogDataSearch& dialog, const QString& text) {
        SearchField(dialog)->clear();
        QTest::keyClicks(SearchField(dialog), text);
        QTest::keyClick(SearchField(dialog), Qt::Key_Return);  // Find is the default button
    }

    ScratchFile file_;
    RecordingAgent agent_;
    LocuscopeDocument document_;
    FakePaneView view_;
};

TEST_F(DialogDataSearchTest, EnterFindsListsEveryColumnAndJumpsToTheFirstHit) {
    CDialogDataSearch dialog(document_);
    dialog.show();
    Find(dialog, "gene");
    QTableView* list = List(dialog);
    ASSERT_EQ(list->model()->rowCount(), 4);
    EXPECT_EQ(ReadSettingString("DataSearch", "Search String", ""), "gene");
    EXPECT_EQ(Cell(list, 1, 0), "chr1");
    EXPECT_EQ(Cell(list, 1, 1), "exon");
    EXPECT_EQ(Cell(list, 1, 2), "150");
    EXPECT_EQ(Cell(list, 1, 3), "300");
    EXPECT_EQ(Cell(list, 1, 4), "Parent=gene1");
    EXPECT_EQ(Cell(list, 3, 4).size(), 256);
    EXPECT_EQ(list->model()->headerData(4, Qt::Horizontal).toString(), "Attribute");
    EXPECT_EQ(list->columnWidth(0), 125);
    EXPECT_EQ(list->columnWidth(2), 85);
    EXPECT_TRUE(QFontInfo(list->font()).fixedPitch());

    // The first hit is chosen and shown: its pane, with its item selected.
    EXPECT_EQ(list->selectionModel()->selectedRows().value(0).row(), 0);
    EXPECT_EQ(document_.LastSearchRow, 0);
    EXPECT_EQ(document_.GetCurrentPaneName(), "chr1");
    EXPECT_EQ(document_.Genome().Selection().GetRegionSelection().at("chr1"),
              (std::vector<Range>{{99, 900}}));

    // Case matters; a string found nowhere empties the list.
    Find(dialog, "GENE");
    EXPECT_EQ(list->model()->rowCount(), 0);
    EXPECT_EQ(document_.LastSearchRow, -1);
    QTest::mouseClick(Button(dialog, "Done"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(DialogDataSearchTest, DoubleClickJumpsAndReopeningShowsTheChosenRowAgain) {
    {
        CDialogDataSearch dialog(document_);
        dialog.show();
        Find(dialog, "ID=");
        QTableView* list = List(dialog);
        ASSERT_EQ(list->model()->rowCount(), 3);
        const QRect cell = list->visualRect(list->model()->index(1, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        EXPECT_EQ(document_.LastSearchRow, 1);
        EXPECT_EQ(document_.GetCurrentPaneName(), "chr2");
        // The hit's start sits in the middle of the view.
        const Range shown = view_.GetVisibleRange();
        EXPECT_EQ((shown.first + shown.second) / 2, 2000u);
        QTest::mouseClick(Button(dialog, "Done"), Qt::LeftButton);
    }
    CDialogDataSearch reopened(document_);
    reopened.show();
    EXPECT_EQ(SearchField(reopened)->text(), "ID=");
    QTableView* list = List(reopened);
    EXPECT_EQ(list->model()->rowCount(), 3);
    EXPECT_EQ(list->selectionModel()->selectedRows().value(0).row(), 1);
    // Go to Selected jumps to the selected row again, and to another once chosen.
    list->selectRow(0);
    QTest::mouseClick(Button(reopened, "Go to Selected"), Qt::LeftButton);
    EXPECT_EQ(document_.GetCurrentPaneName(), "chr1");
    EXPECT_EQ(document_.LastSearchRow, 0);
    reopened.close();
}

TEST_F(DialogDataSearchTest, EscapesAreMatchedAsWrittenAndListedAsWhatTheyStandFor) {
    ScratchFile escaped("escaped.gff3",
                        "chr3\ts\tlnc%5FRNA\t500\t600\t1\t+\t.\t"
                        "ID=t1%28newGene%29;Name=tubulin%2c beta 8\n");
    ASSERT_TRUE(document_.ImportFiles({escaped.Path()}));
    CDialogDataSearch dialog(document_);
    dialog.show();
    Find(dialog, "tubulin, beta");
    QTableView* list = List(dialog);
    EXPECT_EQ(list->model()->rowCount(), 0);
    Find(dialog, "tubulin%2c");
    ASSERT_EQ(list->model()->rowCount(), 1);
    EXPECT_EQ(Cell(list, 0, 1), "lnc_RNA");
    EXPECT_EQ(Cell(list, 0, 4), "ID=t1(newGene);Name=tubulin, beta 8");
    dialog.close();
}

TEST_F(DialogDataSearchTest, AJumpNearTheChromosomeStartStaysWithinThePositions) {
    ScratchFile early("early.gff", "chr3\ts\tgene\t500\t600\t1\t+\t.\tID=early\n");
    ASSERT_TRUE(document_.ImportFiles({early.Path()}));
    EXPECT_TRUE(document_.GoToSearchResult("chr3", "gene", 500));
    EXPECT_EQ(document_.GetPaneJumpRange("chr3"), Range(0, 1600));
    // A hit whose item is gone moves nothing.
    EXPECT_FALSE(document_.GoToSearchResult("chr3", "gene", 501));
    EXPECT_FALSE(document_.GoToSearchResult("chr3", "exon", 500));
    EXPECT_EQ(document_.GetCurrentPaneName(), "chr3");
}

}  // namespace
