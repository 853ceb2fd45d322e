// Workspaces as a user keeps them: File > Save Workspace..., the window closed, the workspace
// opened again (from the command line, the File menu or without a window) and found as it was;
// and what happens when its files have moved, changed or gone.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "app/c_splash_wnd.h"
#include "app/locuscope_app.h"
#include "document/chromosome_start_stop_combo_box.h"
#include "document/command_ids.h"
#include "document/locuscope_document.h"
#include "document/locuscope_main_frame.h"
#include "document/view_options.h"
#include "framework/c_dialog_progress.h"
#include "framework/child_frame_base.h"
#include "framework/command_layer.h"
#include "framework/message_box.h"
#include "framework/parameters_handler_tools.h"
#include "framework/settings.h"
#include "support/document_snapshot.h"
#include "support/run_locuscope.h"
#include "support/save_as.h"
#include "support/scratch_folder.h"
#include "support/when_shown.h"
#include "view/locuscope_view.h"
#include "view/pane_image.h"

namespace {

namespace Id = CommandId;

// chr2 comes first, so that the two pane orders differ.
const char kGenes[] =
    "chr2\ts\tgene\t20001\t30000\t7\t-\t.\tID=g2\n"
    "chr2\ts\tmRNA\t20001\t30000\t6\t-\t.\tID=m3\n"
    "chr1\ts\tgene\t1001\t9000\t5\t+\t.\tID=g1;Name=ABC1\n"
    "chr1\ts\tmRNA\t1001\t5000\t3\t+\t.\tID=m1;Parent=g1\n"
    "chr1\ts\tmRNA\t6001\t9000\t4\t+\t.\tID=m2;Parent=g1\n"
    "chr1\ts\texon\t1001\t1500\t2\t+\t.\tParent=m1\n"
    "chr3\ts\tgene\t10\t500\t4\t+\t.\tID=g3\n";
const char kPeaks[] =
    "track name=peaks\n"
    "chr1\t1200\t1300\tp1\t500\t+\n"
    "chr1\t7000\t7100\tp2\t800\t+\n"
    "chr2\t25000\t25500\tp3\t300\t-\n";

class WorkspaceTest : public testing::Test {
protected:
    WorkspaceTest()
        : folder_("workspace"),
          genes_(folder_.Write("genes.gff", kGenes)),
          peaks_(folder_.Write("peaks.bed", kPeaks)),
          workspace_(folder_.PathOf("session.lsw")) {
        CSplashWnd::EnableSplashScreen(false);
        CParametersHandlerTools::Instance().SetCurrentTool(CParametersHandlerTools::kPointerTool);
        ResetSettings();
    }
    ~WorkspaceTest() override {
        app_.reset();
        SetMessageBoxHandler({});
        ResetSettings();
    }
    // What a first run finds in the settings, so that only the workspace can bring anything back.
    static void ResetSettings() {
        ViewOptions().Write();
        WriteSettingInt("Document", "ChromosomeNameSortOrder", 1);
        WriteSettingInt("Document", "IsHeaderVisible", 1);
        WriteSettingInt("Document", "DefaultTrackStyle", 3);
    }

    void Start(const std::string& path) {
        app_ = std::make_unique<LocuscopeApp>();
        ASSERT_TRUE(app_->InitInstance({QString::fromStdString(path)}));
        // After start-up, which puts up the window's own message box.
        SetMessageBoxHandler([this](const std::string& text) { messages_.push_back(text); });
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    }
    LocuscopeMainFrame& Frame() { return *app_->MainFrame(); }
    LocuscopeDocument& Document() { return *Frame().GetActiveDocument(); }
    LocuscopeView& View() {
        return *static_cast<LocuscopeView*>(Frame().GetActiveChildFrame()->GetView());
    }
    void ShowPane(const std::string& label) {
        Document().ChoosePane(label);
        View().grab();
    }
    QPoint LabelPoint(int row) {
        const ViewGeometry& geometry = View().Geometry();
        return {20, (geometry.rowTops.at(row) + geometry.rowBottoms.at(row)) / 2};
    }
    QPoint DataPoint(double fraction, int row) {
        const int width = ViewGeometry::DataWidth(View().UsableRect().width());
        return {ViewGeometry::kLabelWidth + static_cast<int>(fraction * width),
                LabelPoint(row).y()};
    }
    void Click(int row, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(&View(), Qt::LeftButton, modifiers, LabelPoint(row));
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
        QTest::keyClick(&View(), key, modifiers);
    }
    void SaveWorkspace(const std::string& path) {
        WhenShown([path](QWidget* dialog) { SaveAs(dialog, path); });
        Frame().Commands().ExecuteIfEnabled(Id::kSaveWorkspace);
    }
    // The document, the window's options and the pane selector, as text.
    std::string Everything() {
        std::string text = DescribeDocument(Document(), true);
        const ViewOptions& options = Frame().Options();
        for (const bool option :
             {options.ShowLoadedFiles, options.ShowTrackStats, options.ShowPointerInfo,
              options.ShowGridLinesHoriz, options.ShowTransparentDataBorder,
              options.ShowManualScaleOverlay, options.ShowFeatureNames})
            text += option ? "on " : "off ";
        ChromosomeStartStopComboBox* selector = Frame().GetPaneSelector();
        for (int i = 0; i < selector->count(); ++i)
            text += "\n" + selector->itemText(i).toStdString();
        return text + "\nshown: " + selector->currentText().toStdString();
    }
    // A document arranged with every kind of change a workspace keeps.
    void Arrange() {
        ASSERT_TRUE(Document().ImportFiles({peaks_}));
        ShowPane("chr3");
        Key(Qt::Key_Delete, Qt::ControlModifier);
        ShowPane("chr1");  // gene, mRNA, exon, peaks
        Click(2);
        Key(Qt::Key_Delete);  // exon
        QTest::mousePress(&View(), Qt::LeftButton, {}, LabelPoint(2));
        QTest::mouseMove(&View(), LabelPoint(0));
        QTest::mouseRelease(&View(), Qt::LeftButton, {}, LabelPoint(0));  // peaks, gene, mRNA
        Click(0);
        WhenShown([](QWidget* dialog) {
            const QList<QLineEdit*> fields = dialog->findChildren<QLineEdit*>();
            fields[0]->setText("1");
            fields[1]->setText("900");
            QTest::keyClick(fields[1], Qt::Key_Return);
        });
        Frame().Commands().ExecuteIfEnabled(Id::kManualScale);
        Click(2);
        WhenShown([](QWidget* dialog) {
            qobject_cast<QColorDialog*>(dialog)->setCurrentColor(QColor(0x12, 0x34, 0x56));
            qobject_cast<QColorDialog*>(dialog)->accept();
        });
        Frame().Commands().ExecuteIfEnabled(Id::kSetColor);
        Frame().Commands().ExecuteIfEnabled(Id::kStylePoints);
        Frame().Commands().ExecuteIfEnabled(Id::kIncreasePointSize);
        Frame().Commands().ExecuteIfEnabled(Id::kAttachCursor);
        Key(Qt::Key_Right);
        Key(Qt::Key_Right);
        const int bottom = View().Geometry().rowBottoms.at(1);
        QTest::mousePress(&View(), Qt::LeftButton, {}, QPoint(20, bottom + 1));
        QTest::mouseRelease(&View(), Qt::LeftButton, {}, QPoint(20, bottom + 60));  // gene
        ShowPane("chr2:21,000-26,000");
        ShowPane("chr1:1,100-8,000");
        QTest::mousePress(&View(), Qt::LeftButton, {}, DataPoint(0.01, 1));
        QTest::mouseMove(&View(), DataPoint(0.3, 1));
        QTest::mouseRelease(&View(), Qt::LeftButton, {}, DataPoint(0.3, 1));
        Click(1);
        Click(2, Qt::ControlModifier);
        for (const int id : {Id::kShowGridLines, Id::kShowLoadedFiles, Id::kDisplayHeader,
                             Id::kDefaultStylePoints, Id::kSortUnsorted})
            Frame().Commands().ExecuteIfEnabled(id);
    }

    ScratchFolder folder_;
    std::string genes_;
    std::string peaks_;
    std::string workspace_;
    std::vector<std::string> messages_;
    std::unique_ptr<LocuscopeApp> app_;
};

TEST_F(WorkspaceTest, AWorkspaceBringsBackEverythingAfterTheWindowClosed) {
    Start(genes_);
    Arrange();
    SaveWorkspace(workspace_);
    ASSERT_TRUE(messages_.empty()) << messages_.front();
    const std::string saved = Everything();
    const std::string exported = folder_.PathOf("exported.gff");
    ASSERT_TRUE(Document().ExportSelections(exported));
    const Range range = View().GetVisibleRange();
    const QImage figure =
        PaneImage::Render(Document().Genome(), "chr1", range, 900, Document().HeaderVisible,
                          View().CurrentRenderSettings(1.0));

    app_.reset();
    ResetSettings();
    Start(workspace_);
    EXPECT_EQ(Everything(), saved);
    EXPECT_EQ(View().GetVisibleRange(), range);
    Frame().Commands().Update(Id::kUndo);
    EXPECT_FALSE(Frame().Commands().Action(Id::kUndo)->isEnabled());

    // Without a window the figure is made again, pixel for pixel.
    const std::string png = folder_.PathOf("figure.png");
    const RunResult run = RunLocuscope({"--render", QString::fromStdString(png), "--width", "900",
                                        QString::fromStdString(workspace_)});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_ARGB32),
              figure.convertToFormat(QImage::Format_ARGB32));
    // And the selection it kept is what an export writes.
    const std::string gff = folder_.PathOf("selected.gff");
    EXPECT_EQ(
        RunLocuscope({"--export", QString::fromStdString(gff), QString::fromStdString(workspace_)})
            .exitCode,
        0);
    EXPECT_EQ(ScratchFolder::Read(gff), ScratchFolder::Read(exported));
    EXPECT_NE(ScratchFolder::Read(gff).find("\tp1"), std::string::npos) << ScratchFolder::Read(gff);
}

TEST_F(WorkspaceTest, AMissingFileIsReportedAndEverythingElseRestored) {
    Start(genes_);
    ASSERT_TRUE(Document().ImportFiles({peaks_}));
    ShowPane("chr1:2,000-4,000");
    Click(0);
    Frame().Commands().ExecuteIfEnabled(Id::kStyleBars);
    SaveWorkspace(workspace_);
    app_.reset();
    std::filesystem::remove(peaks_);
    std::ofstream(genes_, std::ios::app) << "chr1\ts\tgene\t9500\t9600\t1\t+\t.\tID=late\n";

    // The progress dialog says what went wrong and waits for Done.
    QString status;
    QTimer presser;
    QObject::connect(&presser, &QTimer::timeout, [&status] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* button = window->findChild<QPushButton*>(QStringLiteral("cancelButton"));
            if (qobject_cast<CDialogProgress*>(window) && window->isVisible() && button &&
                button->text() == QLatin1String("Done")) {
                status =
                    window->findChild<QPlainTextEdit*>(QStringLiteral("statusBox"))->toPlainText();
                QTest::mouseClick(button, Qt::LeftButton);
            }
        }
    });
    presser.start(5);
    Start(workspace_);
    presser.stop();
    EXPECT_TRUE(status.contains(QString::fromStdString(
        "Bad File: peaks.bed (not found beside the workspace, nor at " + peaks_ + ")")))
        << status.toStdString();
    EXPECT_TRUE(status.contains(
        QString::fromStdString("File changed since the workspace was saved: " + genes_)))
        << status.toStdString();
    EXPECT_EQ(Document().GetCurrentPaneName(), "chr1");
    EXPECT_EQ(View().GetVisibleRange(), Range(2000, 4000));
    EXPECT_EQ(Document().Genome().Store().FindTrack("chr1", "gene")->TrackStyle,
              ChromosomeDataset::kStyleBars);
    EXPECT_EQ(Document().Genome().Store().FindTrack("chr1", "peaks"), nullptr);
    EXPECT_EQ(Document().Genome().Store().FindTrack("chr1", "gene")->GetItemCount(), 2u);

    // Without a window the files are not all there: nothing is drawn, the report says failed.
    const RunResult report = RunLocuscope({"--report", QString::fromStdString(workspace_)});
    EXPECT_EQ(report.exitCode, 1);
    EXPECT_NE(report.out.find("result\tfailed"), std::string::npos) << report.out;
}

TEST_F(WorkspaceTest, FilesAreFoundBesideAMovedWorkspaceOrWhereTheyWere) {
    Start(genes_);
    SaveWorkspace(workspace_);
    app_.reset();
    const QString report = QStringLiteral("--report");
    const std::string expected = RunLocuscope({report, QString::fromStdString(genes_)}).out;

    // The folder moved with its files: found by their paths relative to the workspace.
    const std::string moved = folder_.PathOf("moved");
    std::filesystem::create_directories(moved);
    std::filesystem::rename(workspace_, moved + "/session.lsw");
    std::filesystem::rename(genes_, moved + "/genes.gff");
    RunResult run = RunLocuscope({report, QString::fromStdString(moved + "/session.lsw")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, expected);
    EXPECT_NE(run.err.find("Loading " + moved + "/genes.gff"), std::string::npos) << run.err;

    // The workspace alone moved: its files are where they were.
    std::filesystem::rename(moved + "/genes.gff", genes_);
    run = RunLocuscope({report, QString::fromStdString(moved + "/session.lsw")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, expected);
}

TEST_F(WorkspaceTest, OpenWorkspaceInTheFileMenuOpensAWindowOfItsOwn) {
    Start(genes_);
    Click(0);
    Frame().Commands().ExecuteIfEnabled(Id::kStylePoints);
    SaveWorkspace(workspace_);
    // Saved again over the same file, through a temporary file: nothing else is left beside it.
    SaveWorkspace(workspace_);
    EXPECT_EQ(folder_.Entries(),
              (std::vector<std::string>{"genes.gff", "peaks.bed", "session.lsw"}));
    WhenShown([this](QWidget* dialog) { SaveAs(dialog, workspace_); });
    Frame().Commands().ExecuteIfEnabled(Id::kOpenWorkspace);
    EXPECT_EQ(Frame().GetMdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(Frame().GetMdiArea()->activeSubWindow()->windowTitle(), "session.lsw");
    EXPECT_EQ(Document().Genome().Store().FindTrack("chr1", "gene")->TrackStyle,
              ChromosomeDataset::kStylePoints);
}

TEST_F(WorkspaceTest, AWorkspaceIsNeverWrittenOverAnImportedFile) {
    Start(genes_);
    SaveWorkspace(genes_);
    EXPECT_EQ(messages_, std::vector<std::string>{"Cannot Write to " + genes_ +
                                                  ": it is one of the imported files."});
    EXPECT_EQ(ScratchFolder::Read(genes_), kGenes);
}

TEST_F(WorkspaceTest, AFileThatIsNoWorkspaceIsRefusedWithItsReason) {
    const std::string broken = folder_.Write(
        "broken.lsw", "{\"locuscopeWorkspace\": 1, \"steps\": [{\"import\": [{\"size\": 3}]}]}");
    RunResult run = RunLocuscope({"--report", QString::fromStdString(broken)});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Cannot open the workspace " + broken +
                           ": steps[0].import[0] names no file (path or absolutePath)."),
              std::string::npos)
        << run.err;
    // A workspace goes first; the files after it are imported into it.
    run =
        RunLocuscope({"--report", QString::fromStdString(genes_), QString::fromStdString(broken)});
    EXPECT_EQ(run.exitCode, 2);
}

TEST_F(WorkspaceTest, ClosingTheWindowWhileAWorkspaceOpensStopsAndCloses) {
    Start(genes_);
    ASSERT_TRUE(Document().ImportFiles({peaks_}));
    SaveWorkspace(workspace_);
    QTimer::singleShot(0, qApp, [this] { Frame().close(); });
    Frame().ImportDroppedFiles({QString::fromStdString(workspace_)});
    EXPECT_TRUE(QTest::qWaitFor([this] { return !Frame().isVisible(); }));
    EXPECT_EQ(Frame().GetMdiArea()->subWindowList().size(), 0);
}

}  // namespace
