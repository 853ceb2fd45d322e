#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <QtTest/QTest>
#include <filesystem>
#include <fstream>

#include "app/c_splash_wnd.h"
#include "app/locuscope_app.h"
#include "document/c_dialog_data_search.h"
#include "document/command_ids.h"
#include "document/locuscope_document.h"
#include "document/locuscope_main_frame.h"
#include "framework/c_dialog_progress.h"
#include "framework/command_layer.h"
#include "framework/owner_modal_dialog.h"
#include "framework/settings.h"
#include "support/scratch_file.h"

namespace {

// Imports, searches and exports pump events; what the user does meanwhile must wait for them.
class LongOperationTest : public testing::Test {
protected:
    LongOperationTest()
        : first_("first.gff", "chr1\ts\tgene\t100\t900\t1\t+\t.\tID=a\n"),
          second_("second.gff", "chr1\ts\texon\t200\t300\t1\t+\t.\tID=b\n"
                                "chr2\ts\texon\t200\t300\t1\t+\t.\tID=c\n"),
          dropped_("dropped.bed", "chr1 10 20 p1 5\n") {
        CSplashWnd::EnableSplashScreen(false);
        WriteSettingInt("Document", "ChromosomeNameSortOrder", 1);
        EXPECT_TRUE(app_->InitInstance({QString::fromStdString(first_.Path())}));
    }
    LocuscopeMainFrame& Frame() { return *app_->MainFrame(); }
    int OpenWindows() { return Frame().GetMdiArea()->subWindowList().size(); }
    // Runs action at the first pump of the operation started next.
    static void DuringNextOperation(std::function<void()> action) {
        QTimer::singleShot(0, qApp, std::move(action));
    }

    // The visible progress dialog's button and status box, or nulls.
    static std::pair<QPushButton*, QPlainTextEdit*> ProgressDialog() {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (qobject_cast<CDialogProgress*>(window) != nullptr && window->isVisible())
                return {window->findChild<QPushButton*>(QStringLiteral("cancelButton")),
                        window->findChild<QPlainTextEdit*>(QStringLiteral("statusBox"))};
        }
        return {nullptr, nullptr};
    }
    static std::string FirstLine(const std::string& path) {
        std::ifstream in(path);
        std::string line;
        std::getline(in, line);
        return line;
    }
    // A temporary file of an output left behind would show here.
    static bool AnyTemporaryFileLeft() {
        for (const auto& entry : std::filesystem::directory_iterator(ScratchFile::Folder())) {
            if (entry.path().filename().string().rfind(".locuscope-", 0) == 0)
                return true;
        }
        return false;
    }

    ScratchFile first_;
    ScratchFile second_;
    ScratchFile dropped_;
    std::unique_ptr<LocuscopeApp> app_ = std::make_unique<LocuscopeApp>();
};

TEST_F(LongOperationTest, ClosingTheWindowDuringAnImportCancelsItAndClosesAfterwards) {
    LocuscopeDocument* document = Frame().GetActiveDocument();
    ASSERT_NE(document, nullptr);
    DuringNextOperation([this] { Frame().close(); });
    EXPECT_TRUE(document->ImportFiles({second_.Path(), dropped_.Path()}));
    // Still alive here: the import stopped after its current file, the window is still open.
    EXPECT_EQ(document->Genome().Store().GetStoredFeatures(), 3u);
    EXPECT_FALSE(document->IsBusy());
    EXPECT_EQ(OpenWindows(), 1);
    EXPECT_TRUE(QTest::qWaitFor([this] { return OpenWindows() == 0; }));
    EXPECT_FALSE(Frame().isVisible());
}

TEST_F(LongOperationTest, FilesDroppedDuringAnImportAreImportedAfterIt) {
    LocuscopeDocument* document = Frame().GetActiveDocument();
    ASSERT_NE(document, nullptr);
    DuringNextOperation([this, document] {
        EXPECT_TRUE(document->IsBusy());
        // A disabled window already refuses drops; at start-up, when the splash screen owns the
        // progress dialog, the frame stays enabled and takes them.
        EXPECT_FALSE(Frame().isEnabled());
        Frame().setEnabled(true);
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(dropped_.Path()))});
        // A drag enters the window, then drops: Qt delivers a drop only to the drag's target.
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&Frame(), &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&Frame(), &drop);
        // Neither refused nor started inside the running import.
        EXPECT_EQ(document->Genome().Store().GetStoredFeatures(), 1u);
    });
    EXPECT_TRUE(document->ImportFiles({second_.Path()}));
    EXPECT_EQ(document->Genome().Store().GetStoredFeatures(), 3u);
    EXPECT_TRUE(QTest::qWaitFor(
        [document] { return document->Genome().Store().GetStoredFeatures() == 4u; }));
    // The running file's items stayed under their own track names.
    EXPECT_EQ(document->Genome().Store().FindTrack("chr2", "exon")->GetItemCount(), 1u);
    ASSERT_NE(document->Genome().Store().GetChromosomeTracks("chr1"), nullptr);
    EXPECT_EQ(document->Genome().Store().GetChromosomeTracks("chr1")->size(), 3u);
    // A second import cannot start on a busy document.
    DuringNextOperation([document, this] { EXPECT_FALSE(document->ImportFiles({second_.Path()})); });
    EXPECT_TRUE(document->ExportSelections(ScratchFile::Folder() + "/none.gff"));
    Frame().close();
    EXPECT_TRUE(QTest::qWaitFor([this] { return OpenWindows() == 0; }));
}

TEST_F(LongOperationTest, ClosingTheWindowDuringASearchEndsTheSearchThenTheDialogThenTheWindow) {
    LocuscopeDocument* document = Frame().GetActiveDocument();
    ASSERT_NE(document, nullptr);
    ASSERT_TRUE(document->ImportFiles({second_.Path()}));
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    bool searched = false;
    bool blocked = true;
    // Inside the Search Dialog: type a string and press Enter; the window manager asks the
    // window to close while the search runs. Qt would drop that request for a window that a
    // modal dialog blocks, so the dialog keeps the window disabled instead.
    QTimer::singleShot(0, qApp, [this, &searched, &blocked] {
        auto* dialog = qobject_cast<CDialogDataSearch*>(OwnerModalDialog::Innermost());
        ASSERT_NE(dialog, nullptr);
        auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("searchString"));
        field->setText(QStringLiteral("ID="));
        DuringNextOperation([this, &blocked] {
            blocked = QApplication::activeModalWidget() != nullptr || Frame().isEnabled();
            Frame().windowHandle()->close();
        });
        QTest::keyClick(field, Qt::Key_Return);
        searched = true;
    });
    Frame().Commands().Action(CommandId::kSearch)->trigger();
    EXPECT_TRUE(searched);
    EXPECT_FALSE(blocked);
    EXPECT_EQ(OwnerModalDialog::Innermost(), nullptr);
    // The search was cancelled after its first track.
    EXPECT_EQ(document->GetSearchResults().size(), 1u);
    EXPECT_TRUE(QTest::qWaitFor([this] { return OpenWindows() == 0; }));
    EXPECT_FALSE(Frame().isVisible());
}

TEST_F(LongOperationTest, CancellingAnExportSaysSoWaitsForDoneAndKeepsTheOldFile) {
    LocuscopeDocument* document = Frame().GetActiveDocument();
    ASSERT_NE(document, nullptr);
    ASSERT_TRUE(document->ImportFiles({second_.Path()}));
    Frame().Commands().ExecuteIfEnabled(CommandId::kEditSelectAll);
    const ScratchFile destination("export.gff", "precious\n");
    QString shown;
    // Cancel at the first chance, then press Done once the dialog says why it waits.
    bool cancelled = false;
    QTimer presser;
    QObject::connect(&presser, &QTimer::timeout, [&] {
        const auto [button, box] = ProgressDialog();
        if (button == nullptr || !button->isVisible())
            return;
        const bool waiting = button->text() == QLatin1String("Done");
        if (waiting)
            shown = box->toPlainText();
        if (waiting || !cancelled)
            QTest::mouseClick(button, Qt::LeftButton);
        cancelled = true;
    });
    presser.start(0);
    EXPECT_FALSE(document->ExportSelections(destination.Path()));
    EXPECT_TRUE(shown.contains("Cancel Button Pressed\n") &&
                shown.endsWith("\nExport cancelled.\n"))
        << shown.toStdString();
    EXPECT_EQ(ProgressDialog().first, nullptr);
    EXPECT_EQ(FirstLine(destination.Path()), "precious");
    EXPECT_FALSE(AnyTemporaryFileLeft());
}

TEST_F(LongOperationTest, ClosingTheWindowDuringAnExportKeepsTheOldFileAndCloses) {
    LocuscopeDocument* document = Frame().GetActiveDocument();
    ASSERT_NE(document, nullptr);
    Frame().Commands().ExecuteIfEnabled(CommandId::kEditSelectAll);
    const ScratchFile destination("export.gff", "precious\n");
    DuringNextOperation([this] { Frame().close(); });
    EXPECT_FALSE(document->ExportSelections(destination.Path()));
    EXPECT_EQ(FirstLine(destination.Path()), "precious");
    EXPECT_FALSE(AnyTemporaryFileLeft());
    EXPECT_TRUE(QTest::qWaitFor([this] { return OpenWindows() == 0; }));
}

TEST_F(LongOperationTest, ClosingTheWindowOverAnIdleSearchDialogClosesBoth) {
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    bool shown = false;
    QTimer::singleShot(0, qApp, [this, &shown] {
        shown = OwnerModalDialog::Innermost() != nullptr;
        Frame().windowHandle()->close();
    });
    Frame().Commands().Action(CommandId::kSearch)->trigger();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !Frame().isVisible(); }));
    EXPECT_EQ(OpenWindows(), 0);
}

}  // namespace
