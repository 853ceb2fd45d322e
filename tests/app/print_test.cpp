// Print and Print Preview of a draft assembly as a user drives them: the question before a
// print of many pages, the progress dialog and its Cancel, through the menu command.
#include <gtest/gtest.h>

#include <QApplication>
#include <QAbstractButton>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <sstream>

#include "app/c_splash_wnd.h"
#include "app/locuscope_app.h"
#include "document/command_ids.h"
#include "document/locuscope_document.h"
#include "document/locuscope_main_frame.h"
#include "framework/c_dialog_progress.h"
#include "framework/command_layer.h"
#include "framework/settings.h"
#include "support/scratch_file.h"
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

// Runs action on the first progress dialog that shows, from the events it pumps.
void WhenProgressShown(std::function<void(CDialogProgress*)> action) {
    auto* timer = new QTimer;
    timer->setInterval(1);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<CDialogProgress*>(window);
            if (progress != nullptr && progress->isVisible()) {
                timer->stop();
                timer->deleteLater();
                action(progress);
                return;
            }
        }
    });
    timer->start();
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
        WhenProgressShown([&](CDialogProgress* progress) {
            busyWhilePrinting = Frame().GetActiveDocument()->IsBusy();
            EXPECT_EQ(progress->windowTitle(), QStringLiteral("Print Preview"));
            QTest::mouseClick(progress->findChild<QPushButton*>(QStringLiteral("cancelButton")),
                              Qt::LeftButton);
            WhenShown([&](QWidget* preview) {
                previewShown = qobject_cast<QPrintPreviewDialog*>(preview) != nullptr;
                previewed = preview->findChild<QPrintPreviewWidget*>()->pageCount();
                preview->close();
            });
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
