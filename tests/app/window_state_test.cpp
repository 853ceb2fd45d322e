// What the window shows and where its keys go after selections, imports and pane changes:
// the command rules, the pane ranges, the keyboard focus and the status bar, through real
// mouse and key events on the offscreen platform.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include "document/chromosome_start_stop_combo_box.h"
#include "document/command_ids.h"
#include "support/when_shown.h"
#include "support/window_test.h"

namespace {

namespace Id = CommandId;

// chr1 has a gene and an mRNA track, chr2 an mRNA track, chr3 only a gene track.
const char kTracks[] =
    "chr1\ts\tgene\t1001\t2000\t5\t+\t.\tID=g1\n"
    "chr1\ts\tmRNA\t1001\t2000\t5\t+\t.\tID=m1\n"
    "chr2\ts\tmRNA\t3433500\t3715286\t5\t+\t.\tID=m2\n"
    "chr3\ts\tgene\t10\t500\t5\t+\t.\tID=g3\n";

class WindowStateTest : public WindowTest {
protected:
    WindowStateTest() : WindowTest("tracks.gff", kTracks) {
        Document().ChoosePane("chr1");
        Paint();
    }
};

TEST_F(WindowStateTest, TrackRulesFollowTheSelectionThePaneAndTheTrackSettings) {
    EXPECT_FALSE(Enabled(Id::kAutoScale));
    QTest::mouseClick(&View(), Qt::LeftButton, {}, LabelPoint(1));  // mRNA
    EXPECT_TRUE(Enabled(Id::kAutoScale));
    EXPECT_TRUE(Checked(Id::kAutoScale));
    EXPECT_FALSE(Checked(Id::kManualScale));

    WhenShown([](QWidget* dialog) {
        const QList<QLineEdit*> fields = dialog->findChildren<QLineEdit*>();
        ASSERT_EQ(fields.size(), 2);
        fields[0]->setText("1");
        fields[1]->setText("9");
        QTest::keyClick(fields[1], Qt::Key_Return);
    });
    Frame().Commands().ExecuteIfEnabled(Id::kManualScale);
    EXPECT_FALSE(Checked(Id::kAutoScale));
    EXPECT_TRUE(Checked(Id::kManualScale));
    Frame().Commands().ExecuteIfEnabled(Id::kStylePoints);
    EXPECT_TRUE(Checked(Id::kStylePoints));
    EXPECT_FALSE(Checked(Id::kStyleAutomatic));

    // A pane without the selected track: its rules go off, the style rules (every pane) stay.
    Document().ChoosePane("chr3");
    EXPECT_FALSE(Enabled(Id::kAutoScale));
    EXPECT_FALSE(Enabled(Id::kDeleteTracks));
    EXPECT_TRUE(Enabled(Id::kStylePoints));

    Document().ChoosePane("chr1");
    Paint();
    // As the window manager does once the dialog has gone.
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    QTest::keyClick(&View(), Qt::Key_Delete);
    EXPECT_EQ(Document().Genome().Store().FindTrack("chr1", "mRNA"), nullptr);
    EXPECT_FALSE(Enabled(Id::kStylePoints));
    EXPECT_FALSE(Enabled(Id::kAutoScale));
}

TEST_F(WindowStateTest, ARangeMeetingThePanesDataOnOneBaseKeepsItsWidth) {
    // chr2's data runs from 3,433,500: a range that ends there is shifted into the data.
    WhenShown([](QWidget* dialog) {
        auto* start = dialog->findChild<QLineEdit*>(QStringLiteral("startPosition"));
        auto* end = dialog->findChild<QLineEdit*>(QStringLiteral("endPosition"));
        start->setText("3,300,000");
        end->setText("3,433,500");
        QTest::keyClick(end, Qt::Key_Return);
    });
    Document().ChoosePane("chr2");
    View().setFocus();
    QTest::keyClick(&View(), Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(Visible(), Range(3433500, 3567000));

    // The pane selector the same.
    ChromosomeStartStopComboBox* selector = Frame().GetPaneSelector();
    selector->setFocus();
    selector->lineEdit()->selectAll();
    QTest::keyClicks(selector, "chr2:3,715,286-3,800,000");
    QTest::keyClick(selector, Qt::Key_Return);
    EXPECT_EQ(Visible(), Range(3630572, 3715286));
}

TEST_F(WindowStateTest, APaneShownWholeFollowsAnImportThatWidensItAndAZoomedOneStays) {
    ChromosomeStartStopComboBox* selector = Frame().GetPaneSelector();
    Document().ChoosePane("chr3:100-200");  // zoomed by the user
    Document().ChoosePane("chr1");
    ScratchFile more("more.gff",
                     "chr2\ts\tpeak\t3406500\t3433500\t5\t+\t.\tID=p1\n"
                     "chr3\ts\tpeak\t600\t900\t5\t+\t.\tID=p2\n");
    LocuscopeDocument::SetFileChooser([&more] { return std::vector<std::string>{more.Path()}; });
    Frame().Commands().ExecuteIfEnabled(Id::kImport);
    LocuscopeDocument::SetFileChooser({});
    const auto entry = [selector](const QString& pane) {
        for (int i = 0; i < selector->count(); ++i)
            if (selector->itemText(i).startsWith(pane + ":"))
                return selector->itemText(i);
        return QString();
    };
    EXPECT_EQ(entry("chr2"), "chr2:3,406,500-3,715,286");
    EXPECT_EQ(entry("chr3"), "chr3:100-200");

    // Chosen from the list, chr2 shows the new peaks too.
    selector->setFocus();
    selector->setCurrentIndex(selector->findText(entry("chr2")));
    QTest::keyClick(selector, Qt::Key_Return);
    EXPECT_EQ(Document().GetCurrentPaneName(), "chr2");
    EXPECT_EQ(Visible(), Range(3406500, 3715286));
}

TEST_F(WindowStateTest, ImportingAFileAgainIsAskedAboutFirst) {
    const uint64_t features = Document().Genome().Store().GetStoredFeatures();
    // The same file by another name of it.
    const std::string again = ScratchFile::Folder() + "/./tracks.gff";
    LocuscopeDocument::SetFileChooser([&again] { return std::vector<std::string>{again}; });
    QString asked;
    WhenShown([&asked](QWidget* shown) {
        auto* box = qobject_cast<QMessageBox*>(shown);
        ASSERT_NE(box, nullptr);
        asked = box->text();
        QTest::keyClick(box, Qt::Key_Return);  // No is the default
    });
    Frame().Commands().ExecuteIfEnabled(Id::kImport);
    EXPECT_EQ(asked.toStdString(), again + " is already in this document. Import it again?");
    EXPECT_EQ(Document().Genome().Store().GetStoredFeatures(), features);

    WhenShown([](QWidget* shown) {
        auto* box = qobject_cast<QMessageBox*>(shown);
        ASSERT_NE(box, nullptr);
        QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
    });
    Frame().Commands().ExecuteIfEnabled(Id::kImport);
    LocuscopeDocument::SetFileChooser({});
    EXPECT_EQ(Document().Genome().Store().GetStoredFeatures(), 2 * features);
}

TEST_F(WindowStateTest, AfterAnImportTheKeysGoToTheView) {
    // Opening the file at start-up.
    EXPECT_EQ(QApplication::focusWidget(), &View());
    ScratchFile more("more.gff", "chr1\ts\tpeak\t50\t60\t5\t+\t.\tID=p1\n");
    LocuscopeDocument::SetFileChooser([&more] { return std::vector<std::string>{more.Path()}; });
    Frame().GetPaneSelector()->setFocus();
    Frame().Commands().ExecuteIfEnabled(Id::kImport);
    LocuscopeDocument::SetFileChooser({});
    EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::focusWidget() == &View(); }));
    // Right steps the cursor instead of typing into the pane selector.
    const QString label = Frame().GetPaneSelector()->currentText();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    EXPECT_NE(Document().Genome().Cursors().GetCursorIndex("chr1"), -1);
    EXPECT_EQ(Frame().GetPaneSelector()->currentText(), label);
}

TEST_F(WindowStateTest, TheTrackHeightPromptShowsItsWholeQuestion) {
    QTest::mouseClick(&View(), Qt::LeftButton, {}, LabelPoint(0));
    QString question;
    bool whole = false;
    WhenShown([&](QWidget* dialog) {
        auto* label = dialog->findChild<QLabel*>();
        ASSERT_NE(label, nullptr);
        question = label->text();
        const int needed = label->fontMetrics().horizontalAdvance(question);
        whole =
            label->contentsRect().width() >= needed && label->geometry().right() < dialog->width();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    Frame().Commands().ExecuteIfEnabled(Id::kSetHeight);
    EXPECT_EQ(question, "What is the new track height (40 - 3000 or 0 for Auto sizing)?");
    EXPECT_TRUE(whole);
}

TEST_F(WindowStateTest, GoToPositionCutsALongPaneNameButGoesToIt) {
    const std::string scaffold = "scaffold_" + std::string(283, 'x');  // 292 characters
    ScratchFile more("long.gff", scaffold + "\ts\tgene\t100\t900\t5\t+\t.\tID=x\n");
    LocuscopeDocument::SetFileChooser([&more] { return std::vector<std::string>{more.Path()}; });
    Frame().Commands().ExecuteIfEnabled(Id::kImport);
    LocuscopeDocument::SetFileChooser({});
    Document().ChoosePane("chr1");
    int width = 0;
    WhenShown([&](QWidget* dialog) {
        width = dialog->width();
        auto* panes = dialog->findChild<QComboBox*>(QStringLiteral("pane"));
        ASSERT_NE(panes, nullptr);
        // The long name is the last pane; choose it with the keys.
        panes->setFocus();
        QTest::keyClick(panes, Qt::Key_End);
        QTest::keyClick(panes, Qt::Key_Return);
    });
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    QTest::keyClick(&View(), Qt::Key_G, Qt::ControlModifier);
    EXPECT_GT(width, 0);
    EXPECT_LE(width, 700);
    EXPECT_EQ(Document().GetCurrentPaneName(), scaffold);
}

}  // namespace
