#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include "app/c_splash_wnd.h"
#include "app/locuscope_app.h"
#include "document/chromosome_start_stop_combo_box.h"
#include "document/command_ids.h"
#include "document/locuscope_document.h"
#include "document/locuscope_main_frame.h"
#include "framework/byte_text.h"
#include "framework/c_up_down_control.h"
#include "framework/command_layer.h"
#include "framework/document_manager.h"
#include "framework/recent_file_list.h"
#include "framework/settings.h"
#include "support/scratch_file.h"
#include "support/when_shown.h"

namespace {

const char kGenes[] =
    "chr1\ts\tgene\t100\t900\t1\t+\t.\tID=a\n"
    "chr2\ts\tgene\t200\t2000\t2\t+\t.\tID=b\n";
const char kPeaks[] = "chr2 10 20 p1 5\nchr3 30 40 p2 6\n";

class StartUpTest : public testing::Test {
protected:
    StartUpTest() : genes_("genes.gff", kGenes), peaks_("peaks.bed", kPeaks) {
        CSplashWnd::EnableSplashScreen(false);
        WriteSettingInt("Document", "ChromosomeNameSortOrder", 1);
    }
    LocuscopeMainFrame& Frame() { return *app_->MainFrame(); }
    int OpenWindows() { return Frame().GetMdiArea()->subWindowList().size(); }
    QStringList SelectorEntries() {
        QStringList entries;
        for (int i = 0; i < Frame().GetPaneSelector()->count(); ++i)
            entries.append(Frame().GetPaneSelector()->itemText(i));
        return entries;
    }
    QString SelectorText() { return Frame().GetPaneSelector()->currentText(); }
    // A progress dialog that waits for "Done" gets it pressed, as the user would, once its
    // status box has been copied to shown.
    void PressDoneWhenAsked(QString& shown) {
        QObject::connect(&presser_, &QTimer::timeout, [&shown] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* box = window->findChild<QPlainTextEdit*>(QStringLiteral("statusBox"));
                auto* done = window->findChild<QPushButton*>(QStringLiteral("cancelButton"));
                if (box != nullptr && done != nullptr && window->isVisible() &&
                    done->text() == QLatin1String("Done")) {
                    shown = box->toPlainText();
                    QTest::mouseClick(done, Qt::LeftButton);
                }
            }
        });
        presser_.start(50);
    }

    QTimer presser_;
    ScratchFile genes_;
    ScratchFile peaks_;
    std::unique_ptr<LocuscopeApp> app_ = std::make_unique<LocuscopeApp>();
};

TEST_F(StartUpTest, WithoutAFileTheProgramStartsWithNoDocument) {
    ASSERT_TRUE(app_->InitInstance({}));
    EXPECT_EQ(OpenWindows(), 0);
    EXPECT_EQ(Frame().GetActiveDocument(), nullptr);
    Frame().Commands().UpdateWatched();
    EXPECT_FALSE(Frame().GetPaneSelector()->isEnabled());
}

TEST_F(StartUpTest, AFileArgumentOpensOneDocumentAndFillsThePaneSelector) {
    ASSERT_TRUE(app_->InitInstance({QString::fromStdString(genes_.Path())}));
    EXPECT_EQ(OpenWindows(), 1);
    LocuscopeDocument* document = Frame().GetActiveDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->Genome().Store().GetStoredFeatures(), 2u);
    EXPECT_EQ(SelectorEntries(), (QStringList{"All Tracks:100-2,000", "chr1:100-900",
                                              "chr2:200-2,000"}));
    EXPECT_EQ(SelectorText(), "chr1:100-900");
}

TEST_F(StartUpTest, AFileNameThatIsNotUtf8OpensAsGivenDroppedAndFromTheRecentFiles) {
    // A Latin-1 letter, a character beyond U+FFFF whose second half looks like an escaped
    // byte, and an encoded surrogate, which is not UTF-8 either.
    ScratchFile latin1("g\xe8nes\xf0\x90\x82\x80\xed\xa0\x80.gff", kGenes);
    ASSERT_TRUE(app_->InitInstance({ByteText::FromBytes(latin1.Path())}));
    ASSERT_NE(Frame().GetActiveDocument(), nullptr);
    EXPECT_EQ(Frame().GetActiveDocument()->Genome().Store().GetStoredFeatures(), 2u);
    EXPECT_EQ(ByteText::ToBytes(ByteText::FromBytes(latin1.Path())), latin1.Path());

    // Dropped as a file manager drops it: the name's bytes percent-encoded in a file URL.
    ScratchFile dropped(
        "p\xe9"
        "aks.bed",
        kPeaks);
    QMimeData mime;
    mime.setUrls({QUrl::fromEncoded(
        "file://" + QByteArray::fromStdString(dropped.Path()).toPercentEncoding("/"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Frame(), &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Frame(), &drop);
    EXPECT_EQ(Frame().GetActiveDocument()->Genome().Store().GetStoredFeatures(), 4u);

    // The recent-file entry opens the same bytes again, also after a restart.
    EXPECT_EQ(ByteText::ToBytes(CRecentFileList().Files().value(0)), latin1.Path());
    QAction* recent = nullptr;
    for (QAction* action : Frame().findChildren<QAction*>())
        if (action->text().startsWith("&1 "))
            recent = action;
    ASSERT_NE(recent, nullptr);
    recent->trigger();
    EXPECT_EQ(OpenWindows(), 2);
    EXPECT_EQ(Frame().GetActiveDocument()->Genome().Store().GetStoredFeatures(), 2u);
}

TEST_F(StartUpTest, AFileThatCannotBeImportedEndsStartUpAfterShowingWhy) {
    QString shown;
    PressDoneWhenAsked(shown);
    EXPECT_FALSE(app_->InitInstance({QStringLiteral("/no/such/file.vcf")}));
    EXPECT_EQ(OpenWindows(), 0);
    EXPECT_TRUE(shown.contains("File is not supported: /no/such/file.vcf")) << shown.toStdString();
}

TEST_F(StartUpTest, ControlBytesFromAFileShowAsReplacementCharacters) {
    ScratchFile odd("odd\nname.gff",
                    "chr1\ts\tgene\tx\x1b[31m\t900\t1\t+\t.\tID=a\n" + std::string(kGenes));
    QString shown;
    PressDoneWhenAsked(shown);
    ASSERT_TRUE(app_->InitInstance({QString::fromStdString(odd.Path())}));
    EXPECT_TRUE(shown.contains(QStringLiteral("odd\uFFFDname.gff\n"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("x\uFFFD[31m"))) << shown.toStdString();
    EXPECT_FALSE(shown.contains(QChar(0x1B)));
}

TEST_F(StartUpTest, DroppedFilesOpenOneDocumentAndAreEachImportedOnce) {
    ASSERT_TRUE(app_->InitInstance({}));
    ScratchFile more("more.bed", "chr4 0 5 q\n");
    Frame().ImportDroppedFiles({QString::fromStdString(genes_.Path()),
                                QString::fromStdString(peaks_.Path()),
                                QString::fromStdString(more.Path())});
    EXPECT_EQ(OpenWindows(), 1);
    ASSERT_NE(Frame().GetActiveDocument(), nullptr);
    EXPECT_EQ(Frame().GetActiveDocument()->Genome().Store().GetStoredFeatures(), 5u);
    // Dropping on an open document adds to it, a file already in it once the user agrees.
    QString asked;
    WhenShown([&asked](QWidget* shown) {
        auto* box = qobject_cast<QMessageBox*>(shown);
        ASSERT_NE(box, nullptr);
        asked = box->text();
        QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
    });
    Frame().ImportDroppedFiles({QString::fromStdString(more.Path())});
    EXPECT_TRUE(asked.endsWith("more.bed is already in this document. Import it again?"));
    EXPECT_EQ(OpenWindows(), 1);
    EXPECT_EQ(Frame().GetActiveDocument()->Genome().Store().GetStoredFeatures(), 6u);
}

TEST_F(StartUpTest, PaneStepperAndHistoryNavigate) {
    ASSERT_TRUE(app_->InitInstance({QString::fromStdString(genes_.Path())}));
    CUpDownControl* stepper = Frame().findChild<CUpDownControl*>();
    ASSERT_NE(stepper, nullptr);
    const QList<QToolButton*> arrows = stepper->findChildren<QToolButton*>();
    ASSERT_EQ(arrows.size(), 2);
    QToolButton* up = arrows[0]->y() < arrows[1]->y() ? arrows[0] : arrows[1];
    QToolButton* down = up == arrows[0] ? arrows[1] : arrows[0];
    QTest::mouseClick(down, Qt::LeftButton);
    EXPECT_EQ(Frame().GetActiveDocument()->GetCurrentPaneName(), "chr2");
    // The down arrow on the last entry does nothing; the up arrow goes back one entry.
    QTest::mouseClick(down, Qt::LeftButton);
    EXPECT_EQ(Frame().GetActiveDocument()->GetCurrentPaneName(), "chr2");
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(Frame().GetActiveDocument()->GetCurrentPaneName(), "chr1");
    EXPECT_EQ(SelectorText(), "chr1:100-900");

    // Back returns to the pane before.
    Frame().Commands().ExecuteIfEnabled(CommandId::kGoBack);
    EXPECT_EQ(Frame().GetActiveDocument()->GetCurrentPaneName(), "chr2");
}

TEST_F(StartUpTest, ViewOptionsStartWithTheirDefaultsAndSurviveARestart) {
    ASSERT_TRUE(app_->InitInstance({QString::fromStdString(genes_.Path())}));
    CCommandLayer& commands = Frame().Commands();
    const struct {
        int id;
        bool checked;
    } firstRun[] = {{CommandId::kShowLoadedFiles, false}, {CommandId::kShowTrackStats, false},
                    {CommandId::kShowPointerInfo, true},  {CommandId::kShowGridLines, true},
                    {CommandId::kShowDataBorder, true},   {CommandId::kShowManualScaleOverlay, true},
                    {CommandId::kShowFeatureNames, true}, {CommandId::kShowGeneModels, true}};
    for (const auto& option : firstRun) {
        commands.Update(option.id);
        EXPECT_EQ(commands.Action(option.id)->isChecked(), option.checked) << option.id;
    }
    ASSERT_TRUE(commands.ExecuteIfEnabled(CommandId::kShowGridLines));
    app_.reset();  // the program ends

    LocuscopeMainFrame reopened;
    EXPECT_FALSE(reopened.Options().ShowGridLinesHoriz);
    EXPECT_TRUE(reopened.Options().ShowPointerInfo);
}

TEST_F(StartUpTest, CommandsWithoutAHandlerArePresentButDisabled) {
    ASSERT_TRUE(app_->InitInstance({QString::fromStdString(genes_.Path())}));
    CCommandLayer& commands = Frame().Commands();
    // Export Selections waits for a selection.
    for (const int id : {CommandId::kExportSelections}) {
        ASSERT_NE(commands.Action(id), nullptr) << id;
        commands.Update(id);
        EXPECT_FALSE(commands.Action(id)->isEnabled()) << id;
    }
    for (const int id : {CommandId::kImport, CommandId::kSearch, CommandId::kFileNew,
                         CommandId::kAppAbout, CommandId::kFilePrint, CommandId::kImageCapture}) {
        commands.Update(id);
        EXPECT_TRUE(commands.Action(id)->isEnabled()) << id;
    }
    commands.Update(CommandId::kPaneToolbar);
    EXPECT_TRUE(commands.Action(CommandId::kPaneToolbar)->isChecked());
    commands.ExecuteIfEnabled(CommandId::kPaneToolbar);
    EXPECT_FALSE(commands.Action(CommandId::kPaneToolbar)->isChecked());
}

TEST(SplashTest, AKeyPressHidesTheSplashAndIsSwallowed) {
    CSplashWnd::EnableSplashScreen(true);
    QWidget owner;
    CSplashWnd::ShowSplashScreen(&owner, 60000);
    ASSERT_NE(CSplashWnd::Current(), nullptr);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    EXPECT_TRUE(QApplication::instance()->notify(&owner, &press) || press.isAccepted());
    EXPECT_EQ(CSplashWnd::Current(), nullptr);
    // Once hidden it does not come back.
    CSplashWnd::ShowSplashScreen(&owner, 60000);
    EXPECT_EQ(CSplashWnd::Current(), nullptr);
}

}  // namespace
