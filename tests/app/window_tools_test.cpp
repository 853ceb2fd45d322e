// The window as a user drives it: mouse tools, menus and the track commands, through real
// mouse and key events on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/c_splash_wnd.h"
#include "app/locuscope_app.h"
#include "document/chromosome_start_stop_combo_box.h"
#include "document/command_ids.h"
#include "document/locuscope_document.h"
#include "document/locuscope_main_frame.h"
#include "framework/child_frame_base.h"
#include "framework/command_layer.h"
#include "framework/message_box.h"
#include "framework/parameters_handler_tools.h"
#include "framework/settings.h"
#include "support/when_shown.h"
#include "support/window_test.h"
#include "view/locuscope_view.h"

namespace {

namespace Id = CommandId;

// Two chromosomes; chr1 has a gene and an mRNA track, the gene at 5001 carries web links. The
// first gene's name is written with GFF3 escapes.
const char kTracks[] =
    "chr1\ts\tgene\t1001\t2000\t5\t+\t.\tID=g1;Name=t1%28new%3Bgene%29;url=http://example.org/g1\n"
    "chr1\ts\tgene\t5001\t6000\t5\t+\t.\tID=g2;url=file:///bin/sh\n"
    "chr1\ts\tgene\t90001\t100000\t5\t+\t.\tID=g3\n"
    "chr1\ts\tmRNA\t1001\t2000\t5\t+\t.\tID=m1\n"
    "chr1\ts\tmRNA\t50001\t60000\t5\t+\t.\tID=m2\n"
    "chr2\ts\tmRNA\t1\t248956422\t5\t+\t.\tID=whole\n";

// Stands in for the desktop's browser.
class LinkRecorder : public QObject {
    Q_OBJECT

public:
    QStringList opened;
    Q_INVOKABLE void Open(const QUrl& url) { opened.append(url.toString()); }
};

class WindowToolsTest : public WindowTest {
protected:
    WindowToolsTest() : WindowTest("tracks.gff", kTracks) {
        Document().ChoosePane("chr1");
        Paint();
    }
    // Keeps the entries of the next popup menu, separators left out, and closes it.
    static void KeepNextMenu(QStringList& entries) {
        WhenShown([&entries](QWidget* menu) {
            for (QAction* action : menu->actions())
                if (!action->isSeparator())
                    entries.append(action->text());
            menu->close();
        });
    }
};

TEST_F(WindowToolsTest, MagnifierDragsShorterThanSevenPixelsAreClicks) {
    Frame().Commands().ExecuteIfEnabled(Id::kToolMagnifier);
    const Range before = Visible();
    const QPoint start = DataPoint(0.25);
    Drag(start, start + QPoint(6, 0));
    // A click zooms in: the span halves.
    const Range clicked = Visible();
    EXPECT_NEAR(double(clicked.second - clicked.first), (before.second - before.first) / 2.0, 2.0);

    Paint();
    const uint32_t from = View()
                              .Geometry()
                              .PointToPosition(start.x(), start.y(), View().UsableRect().width(), 2)
                              .position;
    const QPoint end = start + QPoint(7, 0);
    const uint32_t to = View()
                            .Geometry()
                            .PointToPosition(end.x(), end.y(), View().UsableRect().width(), 2)
                            .position;
    Drag(start, end);
    EXPECT_EQ(Visible(), Range(from, to));
}

TEST_F(WindowToolsTest, RightClicksZoomOnTheClickedBaseAndOpenMenusElsewhere) {
    // At the data area's left edge the clicked base stays at the edge.
    const Range before = Visible();
    QTest::mouseClick(&View(), Qt::RightButton, {}, DataPoint(0.0));
    EXPECT_EQ(Visible().first, before.first);
    EXPECT_LT(Visible().second - Visible().first, before.second - before.first);

    // Ctrl zooms out again, around the same base.
    Paint();
    QTest::mouseClick(&View(), Qt::RightButton, Qt::ControlModifier, DataPoint(0.0));
    EXPECT_EQ(Visible().first, before.first);

    // Over the ruler: the Header menu, and no zoom.
    const Range unzoomed = Visible();
    QStringList entries;
    KeepNextMenu(entries);
    QTest::mouseClick(&View(), Qt::RightButton, {}, QPoint(300, 40));
    EXPECT_EQ(Visible(), unzoomed);
    EXPECT_EQ(entries, (QStringList{"Copy Genomic Range to Clipboard\tCtrl+R",
                                    "Copy Genomic Position to Clipboard\tCtrl+T"}));

    // Over a label: that track is selected and the Track menu opens.
    entries.clear();
    KeepNextMenu(entries);
    QTest::mouseClick(&View(), Qt::RightButton, {}, LabelPoint(1));
    EXPECT_EQ(Document().Genome().Selection().GetSelectedTracks(),
              std::vector<std::string>{"mRNA"});
    EXPECT_TRUE(entries.contains("Set Height")) << entries.join('|').toStdString();
    EXPECT_TRUE(entries.contains("Detach Cursor\tAlt+A") ||
                entries.contains("Attach Cursor\tAlt+A"));
}

TEST_F(WindowToolsTest, LabelsAndTitlesSelectTracksAndADragMovesOne) {
    Paint();
    // A point on a row's title, in the row's top margin just right of the label column.
    const auto title = [this](int row) {
        return QPoint(ViewGeometry::kLabelWidth + 8, View().Geometry().rowTops.at(row) + 7);
    };
    const auto selected = [this] { return Document().Genome().Selection().GetSelectedTracks(); };
    for (const auto& point :
         {std::function<QPoint(int)>([this](int row) { return LabelPoint(row); }),
          std::function<QPoint(int)>(title)}) {
        const std::deque<std::string> order = Document().Genome().Store().GetTrackOrder();
        QTest::mouseClick(&View(), Qt::LeftButton, {}, point(0));
        EXPECT_EQ(selected(), std::vector<std::string>{order[0]});
        QTest::mouseClick(&View(), Qt::LeftButton, Qt::ControlModifier, point(1));
        EXPECT_EQ(selected(), (std::vector<std::string>{order[0], order[1]}));
        // Dragging the top row onto the second swaps them, in every pane.
        Drag(point(0), LabelPoint(1));
        EXPECT_EQ(Document().Genome().Store().GetTrackOrder(),
                  (std::deque<std::string>{order[1], order[0]}));
        Paint();
    }

    const Range before = Visible();
    QStringList entries;
    KeepNextMenu(entries);
    QTest::mouseClick(&View(), Qt::RightButton, {}, title(1));
    EXPECT_TRUE(entries.contains("Set Height")) << entries.join('|').toStdString();
    EXPECT_EQ(Visible(), before);  // no zoom
    EXPECT_EQ(selected(), std::vector<std::string>{"mRNA"});

    // Beside the title the margin is data: a right click there zooms.
    QTest::mouseClick(
        &View(), Qt::RightButton, {},
        QPoint(View().UsableRect().width() - 20, View().Geometry().rowTops.at(0) + 7));
    EXPECT_LT(Visible().second - Visible().first, before.second - before.first);
}

TEST_F(WindowToolsTest, ALabelPressAboveTheFirstVisibleRowActsOnThatRow) {
    Document().ChoosePane(kAllTracksPane);  // chr1 gene, chr1 mRNA, chr2 mRNA
    Frame().resize(1200, 360);
    QApplication::processEvents();
    View().setFocus();
    QTest::keyClick(&View(), Qt::Key_Down);
    ASSERT_EQ(View().Geometry().vertical.position, 1);
    Paint();
    const QPoint aboveFirstRow(20, View().Geometry().rowTops.at(0) - 4);
    QStringList entries;
    KeepNextMenu(entries);
    QTest::mouseClick(&View(), Qt::RightButton, {}, aboveFirstRow);
    EXPECT_FALSE(entries.isEmpty());
    EXPECT_EQ(Document().Genome().Selection().GetSelectedTracks(),
              std::vector<std::string>{"mRNA"});

    // Delete removes the track that row shows, not the hidden one above it.
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    QTest::mouseClick(&View(), Qt::LeftButton, {}, aboveFirstRow);
    QTest::keyClick(&View(), Qt::Key_Delete);
    EXPECT_NE(Document().Genome().Store().FindTrack("chr1", "gene"), nullptr);
    EXPECT_EQ(Document().Genome().Store().FindTrack("chr1", "mRNA"), nullptr);
}

TEST_F(WindowToolsTest, DraggingARowsBottomEdgeSetsItsHeightWithinLimits) {
    Paint();
    const int bottom = View().Geometry().rowBottoms.at(0);
    const int top = View().Geometry().rowTops.at(0);
    Drag(QPoint(20, bottom + 2), QPoint(20, top + 150));
    EXPECT_EQ(Document().Genome().Store().FindTrack("chr1", "gene")->TrackHeight, 150);

    Paint();
    const int newBottom = View().Geometry().rowBottoms.at(0);
    QTest::mousePress(&View(), Qt::LeftButton, {}, QPoint(20, newBottom));
    QTest::mouseRelease(&View(), Qt::LeftButton, {}, QPoint(20, top + 5));
    EXPECT_EQ(Document().Genome().Store().FindTrack("chr1", "gene")->TrackHeight,
              LocuscopeView::kMinimumDraggedHeight);
}

TEST_F(WindowToolsTest, SelectionDragsAddARangeAndAPointerClickClearsThem) {
    Drag(DataPoint(0.2, 0), DataPoint(0.4, 1));
    const auto& selection = Document().Genome().Selection().GetRegionSelection();
    ASSERT_EQ(selection.count("chr1"), 1u);
    ASSERT_EQ(selection.at("chr1").size(), 1u);
    const Range range = selection.at("chr1").front();
    EXPECT_LT(range.first, range.second);
    EXPECT_TRUE(Enabled(Id::kExportSelections));

    QTest::mouseClick(&View(), Qt::LeftButton, {}, DataPoint(0.5));
    EXPECT_TRUE(Document().Genome().Selection().GetRegionSelection().empty());
    EXPECT_FALSE(Enabled(Id::kExportSelections));
}

TEST_F(WindowToolsTest, PointerInfoDescribesTheItemUnderThePointer) {
    Frame().Commands().ExecuteIfEnabled(Id::kFullZoomOut);
    Document().ChoosePane("chr1:1001-2000");
    Paint();
    QTest::mouseMove(&View(), DataPoint(0.5, 0));
    // Escaped characters are shown as what they stand for.
    EXPECT_EQ(
        View().PointerInfo(),
        "Score: 5.000 Pos: 1001 - 2000 Attr: ID=g1;Name=t1(new;gene);url=http://example.org/g1");
    // The status bar gives the feature's name with it.
    EXPECT_EQ(Frame().statusBar()->currentMessage(),
              "t1(new;gene): Score: 5.000 Pos: 1001 - 2000 Attr: ID=g1;Name=t1(new;gene);"
              "url=http://example.org/g1");
    QTest::mouseMove(&View(), QPoint(20, 20));
    EXPECT_EQ(View().PointerInfo(), "");
    EXPECT_EQ(Frame().statusBar()->currentMessage(), "");
}

TEST_F(WindowToolsTest, DoubleClickOpensOnlyWebLinks) {
    LinkRecorder recorder;
    QStringList& opened = recorder.opened;
    QDesktopServices::setUrlHandler("http", &recorder, "Open");

    Document().ChoosePane("chr1:1001-2000");
    Paint();
    QTest::mouseDClick(&View(), Qt::LeftButton, {}, DataPoint(0.5, 0));
    EXPECT_EQ(opened, QStringList{"http://example.org/g1"});

    // A file: link from a data file is never handed to the desktop.
    Document().ChoosePane("chr1:5001-6000");
    Paint();
    QTest::mouseDClick(&View(), Qt::LeftButton, {}, DataPoint(0.5, 0));
    EXPECT_EQ(opened.size(), 1);
    EXPECT_EQ(messages_, std::vector<std::string>{LocuscopeView::kHyperlinkFailedMessage});
    QDesktopServices::unsetUrlHandler("http");
}

TEST_F(WindowToolsTest, ZoomingOutStopsAtTheWholePaneWithoutWrapping) {
    Document().ChoosePane("chr2");
    Frame().Commands().ExecuteIfEnabled(Id::kFullZoomOut);
    for (int i = 0; i < 4; ++i) {
        Frame().Commands().ExecuteIfEnabled(Id::kZoomOut);
        EXPECT_EQ(Visible(), Range(1, 248956422)) << "zoom out " << i;
    }
    // Right clicks with Ctrl hold the same bound.
    Paint();
    QTest::mouseClick(&View(), Qt::RightButton, Qt::ControlModifier, DataPoint(0.9));
    EXPECT_EQ(Visible(), Range(1, 248956422));
    // Ctrl+= zooms in too, as on keyboards where + needs Shift.
    View().setFocus();
    QTest::keyClick(&View(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_LT(Visible().second - Visible().first, 248956421u / 2 + 2);
}

TEST_F(WindowToolsTest, CursorStepsWithTheArrowKeysAndFollowsTheAttachedTrack) {
    View().setFocus();
    QTest::keyClick(&View(), Qt::Key_Right);  // the first step puts the cursor on the first item
    QTest::keyClick(&View(), Qt::Key_Right);
    EXPECT_EQ(Document().Genome().Cursors().GetCursorRange("chr1"), Range(5001, 6000));
    QTest::keyClick(&View(), Qt::Key_Left);
    EXPECT_EQ(Document().Genome().Cursors().GetCursorRange("chr1"), Range(1001, 2000));

    QString text;
    EXPECT_FALSE(Enabled(Id::kAttachCursor));  // nothing selected
    QTest::mouseClick(&View(), Qt::LeftButton, {}, LabelPoint(0));
    EXPECT_TRUE(Enabled(Id::kAttachCursor, &text));
    EXPECT_EQ(text, "Detach Cursor\tAlt+A");  // a new pane's cursor follows "gene"
    QTest::mouseClick(&View(), Qt::LeftButton, Qt::ControlModifier, LabelPoint(1));
    EXPECT_FALSE(Enabled(Id::kAttachCursor));  // two tracks selected

    QTest::mouseClick(&View(), Qt::LeftButton, {}, LabelPoint(1));
    Frame().Commands().ExecuteIfEnabled(Id::kAttachCursor);
    EXPECT_EQ(Document().Genome().Cursors().GetAttachedTrackName("chr1"), "mRNA");
    EXPECT_TRUE(Enabled(Id::kAttachCursor, &text));
    EXPECT_EQ(text, "Detach Cursor\tAlt+A");
    Document().ChoosePane(kAllTracksPane);
    EXPECT_FALSE(Enabled(Id::kAttachCursor));
}

TEST_F(WindowToolsTest, SetHeightAcceptsZeroOrFortyToThreeThousand) {
    QTest::mouseClick(&View(), Qt::LeftButton, {}, LabelPoint(0));
    const struct {
        const char* answer;
        int height;
        bool refused;
    } cases[] = {{"39", 0, true},
                 {"3001", 0, true},
                 {"40", 40, false},
                 {"3000", 3000, false},
                 {"0", 0, false}};
    for (const auto& c : cases) {
        messages_.clear();
        const int before = Document().Genome().Store().FindTrack("chr1", "gene")->TrackHeight;
        QString question;
        WhenShown([&c, &question](QWidget* dialog) {
            auto* field = dialog->findChild<QLineEdit*>();
            question = dialog->windowTitle();
            field->selectAll();
            QTest::keyClicks(field, c.answer);
            QTest::keyClick(field, Qt::Key_Return);
        });
        Frame().Commands().ExecuteIfEnabled(Id::kSetHeight);
        EXPECT_EQ(question, "Track Height");
        EXPECT_EQ(Document().Genome().Store().FindTrack("chr1", "gene")->TrackHeight,
                  c.refused ? before : c.height)
            << c.answer;
        EXPECT_EQ(messages_.size(), c.refused ? 1u : 0u) << c.answer;
    }
}

TEST_F(WindowToolsTest, ManualScaleOrdersReversedLimitsAndPointSizeFieldsMeanTheirLabels) {
    QTest::mouseClick(&View(), Qt::LeftButton, {}, LabelPoint(0));
    WhenShown([](QWidget* dialog) {
        const QList<QLineEdit*> fields = dialog->findChildren<QLineEdit*>();
        ASSERT_EQ(fields.size(), 2);
        fields[0]->setText("5");
        fields[1]->setText("2");
        QTest::keyClick(fields[1], Qt::Key_Return);
    });
    Frame().Commands().ExecuteIfEnabled(Id::kManualScale);
    const ChromosomeDataset* gene = Document().Genome().Store().FindTrack("chr1", "gene");
    EXPECT_EQ(gene->ScaleMin, 2.0);
    EXPECT_EQ(gene->ScaleMax, 5.0);
    EXPECT_FALSE(gene->AutoScale);

    Frame().Commands().ExecuteIfEnabled(Id::kIncreasePointSize);
    Frame().Commands().ExecuteIfEnabled(Id::kIncreasePointSize);
    EXPECT_EQ(gene->PointWidthLeft, 1);
    EXPECT_EQ(gene->PointWidthRight, 1);
    int shownWidth = -1;
    int shownHeight = -1;
    WhenShown([&](QWidget* dialog) {
        const QList<QSpinBox*> fields = dialog->findChildren<QSpinBox*>();
        ASSERT_EQ(fields.size(), 2);
        shownWidth = fields[0]->value();
        shownHeight = fields[1]->value();
        fields[0]->setValue(7);
        fields[1]->setValue(3);
        QTest::keyClick(fields[1], Qt::Key_Return);
    });
    Frame().Commands().ExecuteIfEnabled(Id::kAdjustPointSize);
    EXPECT_EQ(shownWidth, 2);
    EXPECT_EQ(shownHeight, 0);
    EXPECT_EQ(gene->PointWidthLeft, 3);
    EXPECT_EQ(gene->PointWidthRight, 4);
    EXPECT_EQ(gene->PointHeightTop, 1);
    EXPECT_EQ(gene->PointHeightBottom, 2);
}

TEST_F(WindowToolsTest, SetColorStartsFromTheTrackColourAndColoursTheNameEverywhere) {
    QTest::mouseClick(&View(), Qt::LeftButton, {}, LabelPoint(1));  // mRNA, on chr1 and chr2
    const int before = Document().Genome().Store().FindTrack("chr1", "mRNA")->TrackColor;
    QColor offered;
    WhenShown([&offered](QWidget* dialog) {
        auto* colors = qobject_cast<QColorDialog*>(dialog);
        ASSERT_NE(colors, nullptr);
        offered = colors->currentColor();
        colors->setCurrentColor(QColor(0x12, 0x34, 0x56));
        colors->accept();
    });
    Frame().Commands().ExecuteIfEnabled(Id::kSetColor);
    EXPECT_EQ(offered, QColor(before & 0xFF, (before >> 8) & 0xFF, (before >> 16) & 0xFF));
    EXPECT_EQ(Document().Genome().Store().FindTrack("chr1", "mRNA")->TrackColor,
              0x563412);  // 0x00BBGGRR
    EXPECT_EQ(Document().Genome().Store().FindTrack("chr2", "mRNA")->TrackColor, 0x563412);
}

TEST_F(WindowToolsTest, DeletingTracksAndPanes) {
    // The last track of chr2 goes with its pane.
    Document().ChoosePane("chr2");
    Paint();
    QTest::mouseClick(&View(), Qt::LeftButton, {}, LabelPoint(0));
    Frame().Commands().ExecuteIfEnabled(Id::kDeleteTracks);
    EXPECT_FALSE(Document().Genome().Store().HasChromosome("chr2"));
    EXPECT_FALSE(Document().Genome().Store().HasChromosome("chr1") &&
                 Document().Genome().Store().FindTrack("chr1", "mRNA") != nullptr);
    EXPECT_EQ(Frame().GetPaneSelector()->count(), 2);  // All Tracks and chr1

    Document().ChoosePane(kAllTracksPane);
    Frame().Commands().ExecuteIfEnabled(Id::kDeletePane);
    EXPECT_EQ(Document().Genome().Store().GetChromosomeCount(), 0u);
}

TEST_F(WindowToolsTest, TypingAPaneLabelAndPressingEnterGoesThere) {
    ChromosomeStartStopComboBox* selector = Frame().GetPaneSelector();
    selector->setFocus();
    selector->lineEdit()->selectAll();
    QTest::keyClicks(selector, "chr1:50,001-60000");
    QTest::keyClick(selector, Qt::Key_Return);
    EXPECT_EQ(Visible(), Range(50001, 60000));
    EXPECT_EQ(selector->currentText(), "chr1:50,001-60,000");

    // A name that is no pane puts the current label back.
    selector->setFocus();
    selector->lineEdit()->selectAll();
    QTest::keyClicks(selector, "chr9:1-5");
    QTest::keyClick(selector, Qt::Key_Return);
    EXPECT_EQ(Document().GetCurrentPaneName(), "chr1");
    EXPECT_EQ(selector->currentText(), "chr1:50,001-60,000");

    // Arrow keys step through the entries.
    selector->setFocus();
    QTest::keyClick(selector, Qt::Key_Down);
    EXPECT_EQ(Document().GetCurrentPaneName(), "chr2");
}

TEST_F(WindowToolsTest, NewDocumentsAreNamedAndListedInTheWindowMenu) {
    LocuscopeDocument::SetFileChooser([] { return std::vector<std::string>(); });
    Frame().Commands().ExecuteIfEnabled(Id::kFileNew);
    LocuscopeDocument::SetFileChooser({});
    EXPECT_EQ(Frame().GetMdiArea()->activeSubWindow()->windowTitle(), "GFF1");

    QAction* windowTitle = nullptr;
    for (QAction* action : Frame().menuBar()->actions())
        if (action->text() == "&Window")
            windowTitle = action;
    ASSERT_NE(windowTitle, nullptr);
    QMenu* window = windowTitle->menu();
    QTest::mouseClick(Frame().menuBar(), Qt::LeftButton, {},
                      Frame().menuBar()->actionGeometry(windowTitle).center());
    EXPECT_TRUE(QTest::qWaitFor([window] { return window->isVisible(); }));
    QStringList listed;
    for (QAction* action : window->actions())
        if (action->isCheckable())
            listed.append(action->text() + (action->isChecked() ? "*" : ""));
    window->close();
    EXPECT_EQ(listed, (QStringList{"&1 tracks.gff", "&2 GFF1*"}));
}

TEST_F(WindowToolsTest, EnlargingTheWindowBringsBackRowsScrolledAway) {
    Document().ChoosePane(kAllTracksPane);  // three rows
    Frame().resize(1200, 360);
    QApplication::processEvents();
    ASSERT_LT(View().Geometry().vertical.page, 3);
    View().setFocus();
    QTest::keyClick(&View(), Qt::Key_Down);
    EXPECT_GT(View().Geometry().vertical.position, 0);
    Frame().resize(1200, 1000);
    QApplication::processEvents();
    EXPECT_EQ(View().Geometry().vertical.position, 0);
}

}  // namespace

#include "window_tools_test.moc"
