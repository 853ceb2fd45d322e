// Undo and Redo of every document change, as a user reaches them: the change through its own
// menu, key, dialog or mouse drag; then Edit > Undo, Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y.
#include <gtest/gtest.h>

#include <QColorDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSpinBox>
#include <QTest>
#include <functional>

#include "document/chromosome_start_stop_combo_box.h"
#include "document/command_ids.h"
#include "support/document_snapshot.h"
#include "support/when_progress.h"
#include "support/when_shown.h"
#include "support/window_test.h"

namespace {

namespace Id = CommandId;

// chr1 has gene, mRNA and exon tracks, chr2 mRNA and exon, chr3 only gene.
const char kTracks[] =
    "chr1\ts\tgene\t1001\t9000\t5\t+\t.\tID=g1\n"
    "chr1\ts\tmRNA\t1001\t2000\t3\t+\t.\tID=m1\n"
    "chr1\ts\texon\t1001\t1500\t2\t+\t.\tID=e1\n"
    "chr2\ts\tmRNA\t5001\t6000\t7\t-\t.\tID=m2\n"
    "chr2\ts\texon\t5001\t5200\t1\t-\t.\tID=e2\n"
    "chr3\ts\tgene\t10\t500\t4\t+\t.\tID=g3\n";

class WindowUndoTest : public WindowTest {
public:
    WindowUndoTest() : WindowTest("tracks.gff", kTracks) { ShowPane("chr1"); }

    // What the changes below reach for.
    using WindowTest::Drag;
    using WindowTest::Frame;
    using WindowTest::LabelPoint;
    using WindowTest::View;

    void ShowPane(const std::string& pane) {
        Document().ChoosePane(pane);
        Paint();
    }
    std::string State() { return DescribeDocument(Document(), true); }
    // What Edit > Undo and Redo read now.
    QString MenuText(int id) {
        QString text;
        Enabled(id, &text);
        return text;
    }
    // Edit > id, clicked in the open Edit menu.
    void ClickInEditMenu(int id) {
        QAction* edit = nullptr;
        for (QAction* action : Frame().menuBar()->actions())
            if (action->text() == "&Edit")
                edit = action;
        ASSERT_NE(edit, nullptr);
        QMenu* menu = edit->menu();
        QTest::mouseClick(Frame().menuBar(), Qt::LeftButton, {},
                          Frame().menuBar()->actionGeometry(edit).center());
        ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }));
        QAction* entry = Frame().Commands().Action(id);
        ASSERT_TRUE(entry->isEnabled()) << entry->text().toStdString();
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
        ASSERT_TRUE(QTest::qWaitFor([menu] { return !menu->isVisible(); }));
    }
    void Keys(Qt::Key key, Qt::KeyboardModifiers modifiers) {
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
        QTest::keyClick(&View(), key, modifiers);
    }
    // Answers the next dialog's line edits (in order) and presses Return.
    static void AnswerFields(QStringList answers) {
        WhenShown([answers](QWidget* dialog) {
            const QList<QLineEdit*> fields = dialog->findChildren<QLineEdit*>();
            ASSERT_EQ(fields.size(), answers.size());
            for (int i = 0; i < answers.size(); ++i)
                fields[i]->setText(answers[i]);
            QTest::keyClick(fields.back(), Qt::Key_Return);
        });
    }
};

// One change a user makes, and the step the Edit menu then names.
struct Change {
    const char* name;
    const char* step;
    std::function<void(WindowUndoTest&)> prepare;  // not undone: a selection, an earlier step
    std::function<void(WindowUndoTest&)> make;
};

void PrintTo(const Change& change, std::ostream* out) {
    *out << change.name;
}

class EveryChangeUndoes : public WindowUndoTest, public testing::WithParamInterface<Change> {};

const Change kChanges[] = {
    {"DeleteTrack", "Delete Track",
     [](WindowUndoTest& t) { QTest::mouseClick(&t.View(), Qt::LeftButton, {}, t.LabelPoint(1)); },
     [](WindowUndoTest& t) { t.Keys(Qt::Key_Delete, {}); }},
    {"DeleteTracksEmptyingAPane", "Delete Tracks",
     [](WindowUndoTest& t) {
         t.ShowPane("chr2");
         QTest::mouseClick(&t.View(), Qt::LeftButton, {}, t.LabelPoint(0));
         QTest::mouseClick(&t.View(), Qt::LeftButton, Qt::ControlModifier, t.LabelPoint(1));
     },
     [](WindowUndoTest& t) { t.Keys(Qt::Key_Delete, {}); }},
    {"DeletePane", "Delete Pane",
     [](WindowUndoTest& t) {
         // Zoomed, so that the pane must come back at its own range.
         t.ShowPane("chr2:5,500-5,800");
         t.ShowPane("chr1:2,001-4,000");
     },
     [](WindowUndoTest& t) { t.Keys(Qt::Key_Delete, Qt::ControlModifier); }},
    {"DeleteAllTracks", "Delete All Tracks",
     [](WindowUndoTest& t) {
         t.ShowPane(kAllTracksPane);
         QTest::mouseClick(&t.View(), Qt::LeftButton, {}, t.LabelPoint(0));
     },
     [](WindowUndoTest& t) { t.Keys(Qt::Key_Delete, Qt::ControlModifier); }},
    {"MoveTrack", "Move Track",
     [](WindowUndoTest& t) { QTest::mouseClick(&t.View(), Qt::LeftButton, {}, t.LabelPoint(0)); },
     [](WindowUndoTest& t) { t.Drag(t.LabelPoint(0), t.LabelPoint(2)); }},
    {"SetColor", "Set Color",
     [](WindowUndoTest& t) { QTest::mouseClick(&t.View(), Qt::LeftButton, {}, t.LabelPoint(1)); },
     [](WindowUndoTest& t) {
         WhenShown([](QWidget* dialog) {
             auto* colors = qobject_cast<QColorDialog*>(dialog);
             ASSERT_NE(colors, nullptr);
             colors->setCurrentColor(QColor(0x12, 0x34, 0x56));
             colors->accept();
         });
         t.Frame().Commands().ExecuteIfEnabled(Id::kSetColor);
     }},
    {"SetHeight", "Set Height",
     [](WindowUndoTest& t) { QTest::mouseClick(&t.View(), Qt::LeftButton, {}, t.LabelPoint(2)); },
     [](WindowUndoTest& t) {
         WindowUndoTest::AnswerFields({"120"});
         t.Frame().Commands().ExecuteIfEnabled(Id::kSetHeight);
     }},
    {"RowHeightDrag",
     "Set Height",
     {},
     [](WindowUndoTest& t) {
         const int bottom = t.View().Geometry().rowBottoms.at(0);
         const int top = t.View().Geometry().rowTops.at(0);
         t.Drag(QPoint(20, bottom + 1), QPoint(20, top + 170));
     }},
    {"ManualScale", "Manual Scale",
     [](WindowUndoTest& t) { QTest::mouseClick(&t.View(), Qt::LeftButton, {}, t.LabelPoint(0)); },
     [](WindowUndoTest& t) {
         WindowUndoTest::AnswerFields({"1", "9"});
         t.Frame().Commands().ExecuteIfEnabled(Id::kManualScale);
     }},
    {"AutoScale", "Auto Scale",
     [](WindowUndoTest& t) {
         QTest::mouseClick(&t.View(), Qt::LeftButton, {}, t.LabelPoint(0));
         WindowUndoTest::AnswerFields({"1", "9"});
         t.Frame().Commands().ExecuteIfEnabled(Id::kManualScale);
     },
     [](WindowUndoTest& t) { t.Frame().Commands().Action(Id::kAutoScale)->trigger(); }},
    {"Style", "Set Style",
     [](WindowUndoTest& t) { QTest::mouseClick(&t.View(), Qt::LeftButton, {}, t.LabelPoint(1)); },
     [](WindowUndoTest& t) { t.Frame().Commands().Action(Id::kStylePoints)->trigger(); }},
    {"IncreasePointSize", "Increase Point Size",
     [](WindowUndoTest& t) { QTest::mouseClick(&t.View(), Qt::LeftButton, {}, t.LabelPoint(1)); },
     [](WindowUndoTest& t) { t.Frame().Commands().Action(Id::kIncreasePointSize)->trigger(); }},
    {"DecreasePointSize", "Decrease Point Size",
     [](WindowUndoTest& t) {
         QTest::mouseClick(&t.View(), Qt::LeftButton, {}, t.LabelPoint(1));
         t.Frame().Commands().Action(Id::kIncreasePointSize)->trigger();
     },
     [](WindowUndoTest& t) { t.Frame().Commands().Action(Id::kDecreasePointSize)->trigger(); }},
    {"AdjustPointSize", "Adjust Point Size",
     [](WindowUndoTest& t) { QTest::mouseClick(&t.View(), Qt::LeftButton, {}, t.LabelPoint(1)); },
     [](WindowUndoTest& t) {
         WhenShown([](QWidget* dialog) {
             const QList<QSpinBox*> fields = dialog->findChildren<QSpinBox*>();
             ASSERT_EQ(fields.size(), 2);
             fields[0]->setValue(5);
             fields[1]->setValue(3);
             QTest::keyClick(fields[1], Qt::Key_Return);
         });
         t.Frame().Commands().ExecuteIfEnabled(Id::kAdjustPointSize);
     }},
};

TEST_P(EveryChangeUndoes, ThroughTheMenuAndTheKeys) {
    const Change& change = GetParam();
    if (change.prepare)
        change.prepare(*this);
    Paint();
    const std::string before = State();
    change.make(*this);
    const std::string after = State();
    ASSERT_NE(after, before) << "the change changed nothing";
    EXPECT_EQ(MenuText(Id::kUndo), QString("Undo %1\tCtrl+Z").arg(change.step));

    ClickInEditMenu(Id::kUndo);
    EXPECT_EQ(State(), before);
    EXPECT_EQ(MenuText(Id::kRedo), QString("Redo %1\tCtrl+Shift+Z").arg(change.step));
    Keys(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(State(), after);
    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(State(), before);
    Keys(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(State(), after);
    ClickInEditMenu(Id::kUndo);
    EXPECT_EQ(State(), before);
}

INSTANTIATE_TEST_SUITE_P(Changes, EveryChangeUndoes, testing::ValuesIn(kChanges),
                         [](const testing::TestParamInfo<Change>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(WindowUndoTest, UndoingADeleteOfAllTracksBringsBackTheWholeWindow) {
    ShowPane("chr2");
    ShowPane(kAllTracksPane);
    const std::string before = DescribeDocument(Document(), true);
    Keys(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(Document().Genome().Store().GetChromosomeCount(), 0u);
    EXPECT_EQ(Frame().GetPaneSelector()->count(), 1);
    EXPECT_EQ(Document().Genome().Store().GetPaneTrackCount(kAllTracksPane), 0);

    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(DescribeDocument(Document(), true), before);
    EXPECT_EQ(Frame().GetPaneSelector()->count(), 4);  // All Tracks and three panes
    Paint();
    EXPECT_EQ(View().Geometry().rowTops.size(), 6u);  // every track drawn again
    // The same file is in the document again: importing it asks first.
    QString asked;
    WhenShown([&asked](QWidget* shown) {
        auto* box = qobject_cast<QMessageBox*>(shown);
        ASSERT_NE(box, nullptr);
        asked = box->text();
        QTest::keyClick(box, Qt::Key_Return);  // No is the default
    });
    Document().ImportFiles({file_.Path()});
    EXPECT_TRUE(asked.endsWith("tracks.gff is already in this document. Import it again?"));
}

TEST_F(WindowUndoTest, UndoWaitsForALongOperationAndAnImportEndsTheSteps) {
    QTest::mouseClick(&View(), Qt::LeftButton, {}, LabelPoint(0));
    Keys(Qt::Key_Delete, {});
    ASSERT_EQ(Document().Genome().Store().FindTrack("chr1", "gene"), nullptr);
    ASSERT_TRUE(Enabled(Id::kUndo));

    ScratchFile more("more.bed", "chr4\t10\t20\tpeak\n");
    bool refused = false;
    WhenProgress([&](CDialogProgress*) {
        refused = !Enabled(Id::kUndo) && !Frame().Commands().ExecuteIfEnabled(Id::kUndo);
        return true;
    });
    Document().ImportFiles({more.Path()});
    EXPECT_TRUE(refused);
    EXPECT_EQ(Document().Genome().Store().FindTrack("chr1", "gene"), nullptr);
    // The import changed what the steps referred to: there is nothing left to undo.
    QString text;
    EXPECT_FALSE(Enabled(Id::kUndo, &text));
    EXPECT_EQ(text, "Undo\tCtrl+Z");
    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Document().Genome().Store().FindTrack("chr1", "gene"), nullptr);
}

TEST_F(WindowUndoTest, AChangeThatChangesNothingLeavesNoStep) {
    QTest::mouseClick(&View(), Qt::LeftButton, {}, LabelPoint(0));
    Frame().Commands().Action(Id::kAutoScale)->trigger();  // every track scales automatically
    Frame().Commands().Action(Id::kStyleAutomatic)->trigger();
    EXPECT_FALSE(Enabled(Id::kUndo));
}

}  // namespace
