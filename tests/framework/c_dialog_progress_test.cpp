#include "framework/c_dialog_progress.h"

#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "framework/c_progress_ctrl_base.h"
#include "support/qt_widget_test.h"
#include "support/recording_agent.h"

namespace {

constexpr int kOverall = CNotificationAgent::PROGRESS_OVERALL;
constexpr int kTask = CNotificationAgent::PROGRESS_TASK;

class DialogProgressTest : public QtWidgetTest {
protected:
    void TearDown() override {
        dialog.DestroyWindow();
        QtWidgetTest::TearDown();
    }
    template <typename Control>
    Control* Find(const char* name) {
        return dialog.findChild<Control*>(QString::fromLatin1(name));
    }
    CProgressCtrlBase* Upper() { return Find<CProgressCtrlBase>("upperBar"); }
    CProgressCtrlBase* Lower() { return Find<CProgressCtrlBase>("lowerBar"); }
    QPushButton* Button(const char* name) { return Find<QPushButton>(name); }
    QStringList StatusLines() {
        return Find<QPlainTextEdit>("statusBox")->toPlainText().split('\n', Qt::SkipEmptyParts);
    }
    void StartImport() { dialog.Start("Total Progress", "Loading File", ""); }

    CDialogProgress dialog{"Import Files"};
};

TEST_F(DialogProgressTest, StatusBoxKeepsTheNewest4096Characters) {
    StartImport();
    dialog.ReportMessage("first line");
    dialog.ReportMessage(std::string(4999, 'x') + "y");
    const QString text = Find<QPlainTextEdit>("statusBox")->toPlainText();
    EXPECT_EQ(text.size(), 4096);
    EXPECT_TRUE(text.endsWith(QStringLiteral("xy\n")));
}

TEST_F(DialogProgressTest, BusyTaskShowsProcessingAndLeavesTheOverallBarAlone) {
    StartImport();
    RecordingAgent watcher;
    dialog.SetNotificationTarget(&watcher);
    dialog.SetProgress(kOverall, 2, 5, "", "", 0);
    dialog.SetProgress(kTask, -1, 10, "Reading", "a.gff", 0);
    EXPECT_TRUE(Upper()->IsBusy());
    EXPECT_EQ(Upper()->DisplayText(), QStringLiteral("Reading Processing... a.gff"));
    EXPECT_EQ(Lower()->GetPos(), 2.0f);
    // Further down the chain only "something runs" arrives.
    EXPECT_EQ(watcher.percents, (std::vector<int>{-1, -1}));
    dialog.SetProgress(kTask, 5, 0, "", "", 0);  // a total of 0 counts as 1
    EXPECT_EQ(Upper()->DisplayText(), QStringLiteral("100%"));
}

TEST_F(DialogProgressTest, OverallBarCreepsWithTheTaskButNeverReachesTheNextUnit) {
    StartImport();
    dialog.SetProgress(kOverall, 2, 5, "", "", 0);
    dialog.SetProgress(kTask, 50, 100, "", "", 0);
    EXPECT_FLOAT_EQ(Lower()->GetPos(), 2.5f);
    dialog.SetProgress(kTask, 100, 100, "", "", 0);
    EXPECT_FLOAT_EQ(Lower()->GetPos(), 2.9999f);
    dialog.SetProgress(kOverall, 3, 5, "", "", 0);
    EXPECT_FLOAT_EQ(Lower()->GetPos(), 3.0f);
    // A full overall bar stays full: the last task's end does not carry it to 101 %.
    dialog.SetProgress(kOverall, 5, 5, "", "", 0);
    dialog.SetProgress(kTask, 100, 100, "", "", 0);
    EXPECT_FLOAT_EQ(Lower()->GetPos(), 5.0f);
    EXPECT_EQ(Lower()->DisplayText(), QStringLiteral("100%"));
}

TEST_F(DialogProgressTest, CreateAloneShowsOneBarThatBothTypesDrive) {
    dialog.Create();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Import Files"));
    EXPECT_FALSE(Upper()->isVisible());
    EXPECT_TRUE(Lower()->isVisible());
    EXPECT_EQ(Find<QLabel>("lowerLabel")->text(), QStringLiteral("Progress"));
    dialog.SetProgress(kTask, 30, 100, "", "", 0);
    EXPECT_EQ(Lower()->GetPos(), 30.0f);
    dialog.SetProgress(kOverall, 3, 4, "", "", 0);
    EXPECT_EQ(Lower()->DisplayText(), QStringLiteral("75%"));
    EXPECT_EQ(dialog.AdvanceBar(kTask), 4.0f);
}

TEST_F(DialogProgressTest, CancelAndCloseReportEachPressAndStayRequestedUntilReset) {
    StartImport();
    Button("cancelButton")->click();
    dialog.close();  // closing acts as cancel while Cancel is shown
    EXPECT_EQ(StatusLines(), QStringList({"Cancel Button Pressed", "Close Button Pressed",
                                          "Cancel Button Pressed"}));
    EXPECT_TRUE(dialog.IsCancelRequested(false));
    EXPECT_TRUE(dialog.IsCancelRequested(true));
    EXPECT_FALSE(dialog.IsCancelRequested(false));
    EXPECT_TRUE(dialog.isVisible());

    dialog.ShowCancelButton(false);
    dialog.close();
    dialog.reject();  // the keyboard's cancel key
    EXPECT_EQ(StatusLines().size(), 3);
    EXPECT_FALSE(dialog.IsCancelRequested(false));
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(DialogProgressTest, WaitForCloseEndsWhenTheRelabelledButtonIsPressed) {
    StartImport();
    QString shownText;
    QTimer::singleShot(20, [&] {
        shownText = Lower()->DisplayText();
        Button("cancelButton")->click();
    });
    EXPECT_TRUE(dialog.WaitForClose("Done", 100));
    EXPECT_EQ(shownText, QStringLiteral("Done 100%"));
    EXPECT_EQ(StatusLines().last(), QStringLiteral("Done Button Pressed"));
}

TEST_F(DialogProgressTest, AcceptRejectQuestionWaitsForTheAnswerAndRestoresCancel) {
    StartImport();
    QTimer::singleShot(20, [&] {
        EXPECT_FALSE(Button("cancelButton")->isVisible());
        Button("rejectButton")->click();
    });
    EXPECT_FALSE(dialog.AskAcceptReject("Keep going?", "Yes", "No"));
    EXPECT_EQ(StatusLines(), QStringList({"Keep going?", "No"}));
    EXPECT_FALSE(Button("rejectButton")->isVisible());
    EXPECT_TRUE(Button("cancelButton")->isVisible());
}

TEST_F(DialogProgressTest, NothingWaitsWhenUnattendedOrWithoutAWindow) {
    EXPECT_FALSE(dialog.WaitForClose("Done", 100));
    EXPECT_TRUE(dialog.AskAcceptReject("Keep going?", "Yes", "No"));

    StartImport();
    dialog.SetUnattended(true);
    EXPECT_TRUE(dialog.WaitForClose("Done", 100));
    EXPECT_TRUE(dialog.AskAcceptReject("Keep going?", "Yes", "No"));
    EXPECT_FALSE(Button("acceptButton")->isVisible());
    EXPECT_EQ(Button("cancelButton")->text(), QStringLiteral("Cancel"));
    EXPECT_TRUE(StatusLines().isEmpty());
}

TEST_F(DialogProgressTest, OwnerWindowIsDisabledWhileTheWindowExists) {
    QMainWindow mainWindow;
    mainWindow.show();
    dialog.Create();  // no owner named: the main window
    EXPECT_FALSE(mainWindow.isEnabled());
    dialog.DestroyWindow();
    EXPECT_TRUE(mainWindow.isEnabled());

    CDialogProgress search("Search", &mainWindow);
    search.Create();
    EXPECT_FALSE(mainWindow.isEnabled());
    // A child window of the disabled owner must stay usable.
    search.findChild<QPushButton*>("cancelButton")->click();
    EXPECT_TRUE(search.IsCancelRequested(true));
    search.DestroyWindow();
    EXPECT_TRUE(mainWindow.isEnabled());
    EXPECT_FALSE(search.SetBarRange(kOverall, 0.0f, 10.0f));
    mainWindow.close();
}

TEST_F(DialogProgressTest, WindowRectangleIsKeptForTheNextDialog) {
    dialog.Create();
    dialog.setGeometry(40, 50, 420, 300);
    dialog.DestroyWindow();
    CDialogProgress next("Search");
    next.Create();
    EXPECT_EQ(next.geometry(), QRect(40, 50, 420, 300));
}

}  // namespace
