// The attribute search as a user drives it: Ctrl+F, a string and Enter in the Search Dialog,
// the jump to the hit, and File > Export > Selections afterwards.
#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "document/command_ids.h"
#include "framework/c_progress_ctrl_base.h"
#include "support/save_as.h"
#include "support/when_progress.h"
#include "support/when_shown.h"
#include "support/window_test.h"

namespace {

namespace Id = CommandId;

// chr3's data starts at its hit, 500 bases from the chromosome's start.
const char kTracks[] =
    "chr1\ts\tgene\t1001\t2000\t5\t+\t.\tID=g1\n"
    "chr1\ts\tmRNA\t1001\t2000\t5\t+\t.\tID=m1\n"
    "chr3\ts\tgene\t500\t600\t5\t+\t.\tID=early\n"
    "chr3\ts\tgene\t40000\t50000\t5\t+\t.\tID=late\n";

class WindowSearchTest : public WindowTest {
protected:
    WindowSearchTest() : WindowTest("tracks.gff", kTracks) {
        std::filesystem::remove(output_);
        Document().ChoosePane("chr1");
        Paint();
    }
    ~WindowSearchTest() override { std::filesystem::remove(output_); }

    // Ctrl+F, text and Enter; the dialog is closed with Done once the first hit is shown.
    // Returns what the progress dialog's overall bar read when the search had finished.
    QString Search(const QString& text) {
        QString overall;
        WhenShown([&](QWidget* dialog) {
            auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("searchString"));
            ASSERT_NE(field, nullptr);
            field->clear();
            QTest::keyClicks(field, text);
            // The overall bar's text once the search has reported its count.
            WhenProgress([&overall](CDialogProgress* progress) {
                if (!progress->findChild<QPlainTextEdit*>()->toPlainText().contains("found: "))
                    return false;
                overall = progress->findChild<CProgressCtrlBase*>("lowerBar")->DisplayText();
                return true;
            });
            QTest::keyClick(field, Qt::Key_Return);
            for (QPushButton* button : dialog->findChildren<QPushButton*>())
                if (button->text() == "Done")
                    QTest::mouseClick(button, Qt::LeftButton);
        });
        View().setFocus();
        QTest::keyClick(&View(), Qt::Key_F, Qt::ControlModifier);
        return overall;
    }
    const std::string output_ = ScratchFile::Folder() + "/selection.gff";
};

TEST_F(WindowSearchTest, TheHitAJumpSelectsIsExportedAndTheProgressEndsAtAHundredPercent) {
    EXPECT_EQ(Search("ID=m1"), "100%");
    EXPECT_EQ(Document().GetCurrentPaneName(), "chr1");
    WhenShown([this](QWidget* save) { SaveAs(save, output_); });
    Frame().Commands().ExecuteIfEnabled(Id::kExportSelections);
    QFile file(QString::fromStdString(output_));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray exported = file.readAll();
    EXPECT_TRUE(exported.contains("chr1\ts\tmRNA\t1001\t2000\t5.000000\t+\t.\tID=m1\n"))
        << exported.toStdString();
}

TEST_F(WindowSearchTest, AHitAtThePanesStartGetsTheWholeWidthOfItsJump) {
    Search("ID=early");
    EXPECT_EQ(Document().GetCurrentPaneName(), "chr3");
    // 1,000 bases either side, wrapped at position 0: 0..1,600, moved into the data.
    EXPECT_EQ(Visible(), Range(500, 2100));
}

}  // namespace
