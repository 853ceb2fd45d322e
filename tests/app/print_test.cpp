// Print and Print Preview of a draft assembly as a user drives them: the question before a
// print of many pages, the progress dialog and its Cancel, through the menu command.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <sstream>

#include "app/c_splash_wnd.h"
#include "app/locuscope_app.h"
#include "document/command_ids.h"
#include "document/locuscope_document.h"
#include "document/locuscope_main_frame.h"
#include "framework/command_layer.h"
#include "framework/settings.h"
#include "support/scratch_file.h"
#include "support/when_progress.h"
#include "support/when_shown.h"

namespace {

namespace Id = CommandId;
constexpr int kScaffolds = 2000;

std::string DraftAssembly() {
    std::ostringstream text;
    for (int i = 0; i < kScaffolds; ++i)
        text << "scaffold_" << i << "\ts\tgene\t" << 1000 + i << '\t' << 90000 + i
             << "\t1\t+\t.\tID=g" << i << '\n';
    return text.str();
}

// Answers a question box with the button, after keeping its text.
void Answer(QWidget* shown, QMessageBox::StandardButton button, QString& text) {
    auto* box = qobject_cast<QMessageBox*>(shown);
    ASSERT_NE(box, nullptr) << shown->metaObject()->className();
    text = box->text();
    QTest::mouseClick(box->button(button), Qt::LeftButton);
}

class PrintTest : public testing::Test {
protected:
    PrintTest() : file_("draft.gff", DraftAssembly()) {
        CSplashWnd::EnableSplashScreen(false);
        WriteSettingInt("Document", "ChromosomeNameSortOrder", 1);
        EXPECT_TRUE(app_->InitInstance({QString::fromStdString(file_.Path())}));
        Frame().GetActiveDocument()->ChoosePane("All Tracks");
    }
    ~PrintTest() override { app_.reset(); }
    LocuscopeMainFrame& Frame() { return *app_->MainFrame(); }

    ScratchFile file_;
    std::unique_ptr<LocuscopeApp> app_ = std::make_unique<LocuscopeApp>();
};

TEST_F(PrintTest, APreviewOfManyPagesAsksFirstAndItsProgressDialogCancels) {
    // No: nothing is laid out or shown.
    QString question;
    bool previewShown = false;
    WhenShown([&](QWidget* shown) { Answer(shown, QMessageBox::No, question); });
    Frame().Commands().ExecuteIfEnabled(Id::kFilePrintPreview);
    const QRegularExpressionMatch asked =
        QRegularExpression(QStringLiteral("^This prints (\\d+) pages. Continue\\?$"))
            .match(question);
    ASSERT_TRUE(asked.hasMatch()) << question.toStdString();
    const int pages = asked.captured(1).toInt();
    EXPECT_GT(pages, 100);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // Yes: the pages are made under a progress dialog, whose Cancel stops them; the preview
    // shows what was made.
    int previewed = -1;
    bool busyWhilePrinting = false;
    WhenShown([&](QWidget* shown) {
        Answer(shown, QMessageBox::Yes, question);
        WhenProgress([&](CDialogProgress* progress) {
            busyWhilePrinting = Frame().GetActiveDocument()->IsBusy();
            EXPECT_EQ(progress->windowTitle(), QStringLiteral("Print Preview"));
            QTest::mouseClick(progress->findChild<QPushButton*>(QStringLiteral("cancelButton")),
                              Qt::LeftButton);
            WhenShown([&](QWidget* preview) {
                previewShown = qobject_cast<QPrintPreviewDialog*>(preview) != nullptr;
                previewed = preview->findChild<QPrintPreviewWidget*>()->pageCount();
                preview->close();
            });
            return true;
        });
    });
    Frame().Commands().ExecuteIfEnabled(Id::kFilePrintPreview);
    EXPECT_TRUE(busyWhilePrinting);
    EXPECT_TRUE(previewShown);
    EXPECT_GE(previewed, 1);
    EXPECT_LT(previewed, pages);
    EXPECT_FALSE(Frame().GetActiveDocument()->IsBusy());
    Frame().close();
}

}  // namespace
