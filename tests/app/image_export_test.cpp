// Image Capture, Metafile Capture and Print Preview as a user drives them: the menu command,
// the dialogs answered with keys, the files read back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "app/c_splash_wnd.h"
#include "app/locuscope_app.h"
#include "document/command_ids.h"
#include "document/locuscope_document.h"
#include "document/locuscope_main_frame.h"
#include "framework/child_frame_base.h"
#include "framework/command_layer.h"
#include "framework/message_box.h"
#include "framework/settings.h"
#include "support/save_as.h"
#include "support/scratch_file.h"
#include "support/when_shown.h"
#include "view/c_dialog_image_export.h"
#include "view/locuscope_view.h"

namespace {

namespace Id = CommandId;

const char kTracks[] =
    "chr1\ts\tgene\t1001\t2000\t5\t+\t.\tID=g1\n"
    "chr1\ts\tmRNA\t1001\t60000\t5\t+\t.\tID=m1\n";

class ImageExportTest : public testing::Test {
protected:
    ImageExportTest() : file_("tracks.gff", kTracks) {
        // Not there yet: the save dialog would ask before replacing it.
        std::filesystem::remove(output_);
        CSplashWnd::EnableSplashScreen(false);
        WriteSettingInt("ImageExport", "ImageWidth", 50);
        WriteSettingInt("ImageExport", "ImageType", 1);
        WriteSettingInt("ImageExport", "ImageTransparent", 0);
        EXPECT_TRUE(app_->InitInstance({QString::fromStdString(file_.Path())}));
        SetMessageBoxHandler([this](const std::string& text) { messages_.push_back(text); });
        Frame().GetActiveDocument()->ChoosePane("chr1");
        Frame().GetActiveChildFrame()->GetView()->grab();  // a drawn picture to export
    }
    ~ImageExportTest() override {
        app_.reset();
        std::filesystem::remove(output_);
        SetMessageBoxHandler({});
    }
    LocuscopeMainFrame& Frame() { return *app_->MainFrame(); }

    ScratchFile file_;
    const std::string output_ = ScratchFile::Folder() + "/picture.out";
    std::vector<std::string> messages_;
    std::unique_ptr<LocuscopeApp> app_ = std::make_unique<LocuscopeApp>();
};

TEST_F(ImageExportTest, ImageCaptureWritesWhatTheDialogAsksAndRemembersIt) {
    bool answered = false;
    WhenShown([&](QWidget* shown) {
        auto* dialog = qobject_cast<CDialogImageExport*>(shown);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Export Image Dialog");
        auto* width = dialog->findChild<QLineEdit*>();
        EXPECT_EQ(width->text(), "100");  // a stored 50 is raised when the dialog opens
        width->selectAll();
        QTest::keyClicks(width, "40000");
        auto* type = dialog->findChild<QComboBox*>();
        EXPECT_EQ(type->currentText(), "PNG");
        QTest::keyClick(type, Qt::Key_Up);  // BMP
        QTest::mouseClick(dialog->findChild<QCheckBox*>(), Qt::LeftButton, {}, QPoint(5, 5));
        WhenShown([&](QWidget* save) {
            EXPECT_NE(save->windowTitle().indexOf("Image Capture"), -1);
            SaveAs(save, output_);
            answered = true;
        });
        QTest::keyClick(width, Qt::Key_Return);
    });
    Frame().Commands().ExecuteIfEnabled(Id::kImageCapture);
    ASSERT_TRUE(answered);
    EXPECT_TRUE(messages_.empty());
    const QImage image(QString::fromStdString(output_), "BMP");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), 32767);  // 40000 is lowered to the widest image
    EXPECT_EQ(image.pixel(2, image.height() - 2), 0xFFFFFFFFu);  // BMP: white all the same
    EXPECT_EQ(ReadSettingInt("ImageExport", "ImageWidth", 0), 40000);
    EXPECT_EQ(ReadSettingInt("ImageExport", "ImageType", -1), 0);
    EXPECT_EQ(ReadSettingInt("ImageExport", "ImageTransparent", 0), 1);
}

TEST_F(ImageExportTest, MetafileCaptureWritesAnSvgOfTheView) {
    WhenShown([&](QWidget* save) { SaveAs(save, output_); });
    Frame().Commands().ExecuteIfEnabled(Id::kMetafileCapture);
    QFile file(QString::fromStdString(output_));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray svg = file.readAll();
    EXPECT_TRUE(svg.contains("<svg") && svg.contains(">mRNA<"));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(ImageExportTest, CapturesNeverReplaceAnImportedFileAndSayWhyTheyFailed) {
    WhenShown([&](QWidget* dialog) {
        WhenShown([&](QWidget* save) { SaveAs(save, file_.Path()); });
        QTest::keyClick(dialog->findChild<QLineEdit*>(), Qt::Key_Return);
    });
    Frame().Commands().ExecuteIfEnabled(Id::kImageCapture);
    const std::string missing = ScratchFile::Folder() + "/no/such.svg";
    std::filesystem::create_directories(ScratchFile::Folder() + "/no");
    WhenShown([&](QWidget* save) {
        SaveAs(save, missing);
        std::filesystem::remove(ScratchFile::Folder() + "/no");  // gone before it is written
    });
    Frame().Commands().ExecuteIfEnabled(Id::kMetafileCapture);
    EXPECT_EQ(messages_,
              (std::vector<std::string>{
                  "Error creating image. Cannot Write to " + file_.Path() +
                      ": it is one of the imported files.",
                  "Error creating metafile. Cannot Write to " + missing + " (no such folder)"}));
    QFile input(QString::fromStdString(file_.Path()));
    ASSERT_TRUE(input.open(QIODevice::ReadOnly));
    EXPECT_EQ(input.readAll(), QByteArray(kTracks));
}

TEST_F(ImageExportTest, PrintToFileWritesAWholePdfButNeverOverAnImportedFile) {
    // The print dialog's file printer, answered with keys; Qt asks before replacing a file.
    const auto printTo = [this](const std::string& path) {
        WhenShown([path](QWidget* dialog) {
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
            ASSERT_NE(name, nullptr);
            name->selectAll();
            QTest::keyClicks(name, QString::fromStdString(path));
            if (std::filesystem::exists(path))
                WhenShown([](QWidget* question) { QTest::keyClick(question, Qt::Key_Y); });
            QTest::keyClick(name, Qt::Key_Return);
        });
        Frame().Commands().ExecuteIfEnabled(Id::kFilePrint);
    };
    printTo(file_.Path());
    EXPECT_EQ(messages_,
              std::vector<std::string>{"Error printing. Cannot Write to " + file_.Path() +
                                       ": it is one of the imported files."});
    QFile input(QString::fromStdString(file_.Path()));
    ASSERT_TRUE(input.open(QIODevice::ReadOnly));
    EXPECT_EQ(input.readAll(), QByteArray(kTracks));

    printTo(output_);
    QFile pdf(QString::fromStdString(output_));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF") && bytes.trimmed().endsWith("%%EOF"));
    EXPECT_EQ(messages_.size(), 1u);
}

TEST_F(ImageExportTest, ClosingTheWindowUnderThePrintPreviewLosesNothing) {
    bool shown = false;
    WhenShown([&](QWidget* dialog) {
        shown = qobject_cast<QPrintPreviewDialog*>(dialog) != nullptr;
        Frame().GetActiveChildFrame()->close();
        QTimer::singleShot(0, dialog, &QWidget::close);
    });
    Frame().Commands().ExecuteIfEnabled(Id::kFilePrintPreview);
    EXPECT_TRUE(shown);
    QTRY_COMPARE(Frame().GetActiveDocument(), nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
