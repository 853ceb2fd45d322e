// Finding a feature by its name or ID from the pane selector and Go to Position, typed with
// the keys as a user types it.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMdiArea>
#include <QTest>
#include <QTreeWidget>
#include <QWindow>

#include "document/c_dialog_feature_choice.h"
#include "document/chromosome_start_stop_combo_box.h"
#include "document/command_ids.h"
#include "document/feature_name_command.h"
#include "framework/c_dialog_progress.h"
#include "support/when_progress.h"
#include "support/when_shown.h"
#include "support/window_test.h"

namespace {

// Each chromosome has a region track as long as its data, so that a shown range is not cut
// down to the pane.
const char kAnnotation[] =
    "chr1\ts\tregion\t1\t10000000\t.\t+\t.\tID=r1\n"
    "chr1\ts\tgene\t1001\t2000\t.\t+\t.\tID=g1;Name=BRCA2\n"
    "chr1\ts\tgene\t8000\t9000\t.\t+\t.\tName=chr2\n"
    "chr1\ts\tsnp\t3000000\t3000000\t.\t+\t.\tID=rs1\n"
    "chr1\ts\texon\t5001\t5100\t.\t+\t.\tID=e1;Name=DUP\n"
    "chr2\ts\tregion\t1\t10000000\t.\t+\t.\tID=r2\n"
    "chr2\ts\tgene\t5000001\t5020000\t.\t-\t.\tID=g2;gene_name=TP53\n"
    "chr2\ts\tgene\t7000001\t7000100\t.\t-\t.\tID=g3;Name=DUP\n";

class WindowFindFeatureTest : public WindowTest {
protected:
    WindowFindFeatureTest() : WindowTest("annotation.gff", kAnnotation) {}

    // Types text into the pane selector and presses Enter.
    void TypeInSelector(const QString& text) {
        ChromosomeStartStopComboBox* selector = Frame().GetPaneSelector();
        selector->setFocus();
        selector->lineEdit()->selectAll();
        QTest::keyClicks(selector, text);
        QTest::keyClick(selector, Qt::Key_Return);
    }
    QString SelectorText() { return Frame().GetPaneSelector()->currentText(); }
    int OpenWindows() { return Frame().GetMdiArea()->subWindowList().size(); }
};

TEST_F(WindowFindFeatureTest, ANameTypedInThePaneSelectorShowsThatFeatureWithItsMargins) {
    TypeInSelector("tp53");  // a gene_name, in any case
    EXPECT_EQ(Document().GetCurrentPaneName(), "chr2");
    EXPECT_EQ(Visible(), Range(4998001, 5022000));
    EXPECT_EQ(SelectorText(), "chr2:4,998,001-5,022,000");

    TypeInSelector(" RS1 ");  // an ID; a single base is shown with 20 bases either side
    EXPECT_EQ(Document().GetCurrentPaneName(), "chr1");
    EXPECT_EQ(Visible(), Range(2999980, 3000020));
    Frame().Commands().ExecuteIfEnabled(CommandId::kGoBack);
    EXPECT_EQ(Document().GetCurrentPaneName(), "chr2");

    // A pane's name keeps meaning the pane; a name that nothing has changes nothing.
    TypeInSelector("chr1");
    EXPECT_EQ(Document().GetCurrentPaneName(), "chr1");
    EXPECT_EQ(Visible(), Range(2999980, 3000020));
    TypeInSelector("NOPE");
    EXPECT_EQ(Document().GetCurrentPaneName(), "chr1");
    EXPECT_EQ(SelectorText(), "chr1:2,999,980-3,000,020");
    EXPECT_TRUE(messages_.empty());
}

TEST_F(WindowFindFeatureTest, SeveralFeaturesOfOneNameAreListedInPaneOrderToPickFrom) {
    QStringList rows;
    WhenShown([&rows](QWidget* shown) {
        ASSERT_NE(qobject_cast<CDialogFeatureChoice*>(shown), nullptr);
        auto* list = shown->findChild<QTreeWidget*>(QStringLiteral("features"));
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            rows << QStringList{list->topLevelItem(i)->text(0), list->topLevelItem(i)->text(1),
                                list->topLevelItem(i)->text(2)}
                        .join(' ');
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
    });
    TypeInSelector("dup");
    EXPECT_EQ(rows,
              (QStringList{"DUP exon chr1:5,001-5,100", "DUP gene chr2:7,000,001-7,000,100"}));
    EXPECT_EQ(Document().GetCurrentPaneName(), "chr2");
    EXPECT_EQ(Visible(), Range(6999991, 7000110));

    // Cancelling the list leaves everything as it was.
    WhenShown([](QWidget* shown) { QTest::keyClick(shown, Qt::Key_Escape); });
    TypeInSelector("Dup");
    EXPECT_EQ(Visible(), Range(6999991, 7000110));
    EXPECT_EQ(SelectorText(), "chr2:6,999,991-7,000,110");
}

TEST_F(WindowFindFeatureTest, GoToPositionTakesANameInStartPosition) {
    const auto goTo = [this](const QString& start, bool staysOpen) {
        bool shown = false;
        WhenShown([start, staysOpen, &shown](QWidget* dialog) {
            shown = true;
            auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("startPosition"));
            field->selectAll();
            QTest::keyClicks(field, start);
            QTest::keyClick(field, Qt::Key_Return);
            EXPECT_EQ(dialog->isVisible(), staysOpen) << start.toStdString();
            if (dialog->isVisible())
                QTest::keyClick(field, Qt::Key_Escape);
        });
        // As the window manager does once a dialog has gone.
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
        View().setFocus();
        QTest::keyClick(&View(), Qt::Key_G, Qt::ControlModifier);
        EXPECT_TRUE(shown);
    };
    goTo("brca2", false);
    EXPECT_EQ(Document().GetCurrentPaneName(), "chr1");
    EXPECT_EQ(Visible(), Range(901, 2100));

    goTo("nope", true);
    EXPECT_EQ(messages_, std::vector<std::string>{"Start Position should be a number.  Please "
                                                  "try again."});
    EXPECT_EQ(Visible(), Range(901, 2100));
}

TEST_F(WindowFindFeatureTest, ClosingTheWindowOverTheListClosesBoth) {
    Document().ChoosePane("chr1:100-200");
    bool listed = false;
    WhenShown([this, &listed](QWidget* shown) {
        listed = qobject_cast<CDialogFeatureChoice*>(shown) != nullptr;
        Frame().windowHandle()->close();
    });
    TypeInSelector("DUP");
    EXPECT_TRUE(listed);
    EXPECT_EQ(Visible(), Range(100, 200));
    EXPECT_TRUE(QTest::qWaitFor([this] { return OpenWindows() == 0; }));
    EXPECT_FALSE(Frame().isVisible());
}

TEST_F(WindowFindFeatureTest, ClosingTheWindowWhileTheNamesAreReadStopsReadingAndCloses) {
    // Enough features for the names to be read under a progress dialog.
    std::string bed;
    for (uint64_t i = 0; i <= FeatureNameCommand::kFeaturesIndexedAtOnce; ++i)
        bed += "chr3 " + std::to_string(i) + " " + std::to_string(i + 1) + " p" +
               std::to_string(i) + "\n";
    const ScratchFile peaks("peaks.bed", bed);
    ASSERT_TRUE(Document().ImportFiles({peaks.Path()}));
    Document().ChoosePane("chr1:100-200");
    bool shown = false;
    WhenProgress([this, &shown](CDialogProgress*) {
        shown = true;
        Frame().windowHandle()->close();
        return true;
    });
    TypeInSelector("p200000");
    EXPECT_TRUE(shown);
    EXPECT_EQ(Document().GetCurrentPaneName(), "chr1");
    EXPECT_FALSE(Document().FeatureNames.Find(Document().Genome(), "p1"));
    EXPECT_TRUE(QTest::qWaitFor([this] { return OpenWindows() == 0; }));
}

}  // namespace
