#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/c_splash_wnd.h"
#include "app/locuscope_app.h"
#include "document/locuscope_document.h"
#include "document/locuscope_main_frame.h"
#include "framework/child_frame_base.h"
#include "framework/command_layer.h"
#include "framework/message_box.h"
#include "framework/parameters_handler_tools.h"
#include "framework/settings.h"
#include "support/scratch_file.h"
#include "view/locuscope_view.h"

// The whole window started on one file, as a user starts it, with message boxes collected in
// messages_ instead of shown. Helpers find the view's rows, so that tests click where a user
// would.
class WindowTest : public testing::Test {
protected:
    WindowTest(const std::string& name, const std::string& contents) : file_(name, contents) {
        CSplashWnd::EnableSplashScreen(false);
        WriteSettingInt("Document", "ChromosomeNameSortOrder", 1);
        CParametersHandlerTools::Instance().SetCurrentTool(CParametersHandlerTools::kPointerTool);
        EXPECT_TRUE(app_->InitInstance({QString::fromStdString(file_.Path())}));
        // After start-up, which puts up the window's own message box.
        SetMessageBoxHandler([this](const std::string& text) { messages_.push_back(text); });
        // Keys reach the window's shortcuts only while it is the active window.
        Frame().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    }
    ~WindowTest() override {
        app_.reset();
        SetMessageBoxHandler({});
    }

    LocuscopeMainFrame& Frame() { return *app_->MainFrame(); }
    LocuscopeDocument& Document() { return *Frame().GetActiveDocument(); }
    LocuscopeView& View() {
        return *static_cast<LocuscopeView*>(Frame().GetActiveChildFrame()->GetView());
    }
    // A drawing pass lays out the rows that the mouse tools hit-test.
    void Paint() { View().grab(); }
    Range Visible() { return View().GetVisibleRange(); }
    // A point in the data area of the visible row (0 = top), fraction of the way across.
    QPoint DataPoint(double fraction, int row = 0) {
        const ViewGeometry& geometry = View().Geometry();
        const int width = View().UsableRect().width();
        const int x =
            ViewGeometry::kLabelWidth + static_cast<int>(fraction * ViewGeometry::DataWidth(width));
        return {x, (geometry.rowTops.at(row) + geometry.rowBottoms.at(row)) / 2};
    }
    QPoint LabelPoint(int row) { return {20, DataPoint(0, row).y()}; }
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mousePress(&View(), Qt::LeftButton, modifiers, from);
        QTest::mouseMove(&View(), to);
        QTest::mouseRelease(&View(), Qt::LeftButton, modifiers, to);
    }
    // The command's rule as the menu would show it.
    bool Enabled(int id, QString* text = nullptr) {
        Frame().Commands().Update(id);
        if (text != nullptr)
            *text = Frame().Commands().Action(id)->text();
        return Frame().Commands().Action(id)->isEnabled();
    }
    bool Checked(int id) {
        Frame().Commands().Update(id);
        return Frame().Commands().Action(id)->isChecked();
    }

    ScratchFile file_;
    std::vector<std::string> messages_;
    std::unique_ptr<LocuscopeApp> app_ = std::make_unique<LocuscopeApp>();
};
