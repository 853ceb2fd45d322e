#include "framework/c_dialog_base.h"

#include <QGuiApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "framework/settings.h"
#include "support/qt_widget_test.h"

namespace {

// Rectangles as the settings hold them: left, top, right, bottom with right and bottom
// exclusive.
QRect FromEdges(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QSize(right - left, bottom - top));
}

void StoreRect(const std::string& key, const QRect& area) {
    const char* section = CDialogBase::kWindowRectSection;
    WriteSettingInt(section, key + "_left", area.left());
    WriteSettingInt(section, key + "_top", area.top());
    WriteSettingInt(section, key + "_right", area.x() + area.width());
    WriteSettingInt(section, key + "_bottom", area.y() + area.height());
}

using DialogBaseTest = QtWidgetTest;

TEST_F(DialogBaseTest, RestoredRectangleIsClippedToTheScreenOrIgnored) {
    ASSERT_EQ(QGuiApplication::primaryScreen()->virtualGeometry().topLeft(), QPoint(0, 0));
    const QRect before(100, 100, 50, 50);
    const QRect fallback = FromEdges(-20, -20, 200, 100);
    struct Case {
        const char* key;
        bool stored;
        QRect area;
        bool applied;
        QRect expected;
    } cases[] = {
        {"OffScreen", true, FromEdges(-500, -500, -300, -300), false, before},
        {"LeftEdge", true, FromEdges(-50, 10, 300, 400), true, FromEdges(0, 10, 300, 400)},
        {"NarrowAfterClipping", true, FromEdges(-50, 10, 9, 400), false, before},
        {"NeverStored", false, QRect(), true, FromEdges(0, 0, 200, 100)},
    };
    for (const Case& c : cases) {
        if (c.stored)
            StoreRect(c.key, c.area);
        CDialogBase dialog;
        dialog.setGeometry(before);
        EXPECT_EQ(dialog.RestoreWindowRect(c.key, fallback), c.applied) << c.key;
        EXPECT_EQ(dialog.geometry(), c.expected) << c.key;
    }
}

TEST_F(DialogBaseTest, SaveStoresTheRectangleButNotWhileMaximised) {
    StoreRect("Saved", QRect(5, 5, 100, 100));
    CDialogBase dialog;
    dialog.setGeometry(30, 40, 200, 100);
    dialog.setWindowState(Qt::WindowMaximized);
    EXPECT_FALSE(dialog.SaveWindowRect("Saved"));
    EXPECT_EQ(ReadSettingInt(CDialogBase::kWindowRectSection, "Saved_right", 0), 105);

    dialog.setWindowState(Qt::WindowNoState);
    ASSERT_TRUE(dialog.SaveWindowRect("Saved"));
    CDialogBase restored;
    restored.RestoreWindowRect("Saved", QRect());
    EXPECT_EQ(restored.geometry(), QRect(30, 40, 200, 100));
}

TEST_F(DialogBaseTest, ToolTipsShowTheControlTextCutTo77Characters) {
    CDialogBase dialog;
    const QString longText = QString(70, QLatin1Char('a')) + QString(30, QLatin1Char('b'));
    auto* button = new QPushButton(longText, &dialog);
    auto* label = new QLabel(QStringLiteral("Status"), &dialog);
    dialog.InitDialogBase();
    EXPECT_EQ(button->toolTip(), longText.left(77));
    EXPECT_EQ(label->toolTip(), QStringLiteral("Status"));

    // The text is taken again when the tooltip is about to show.
    button->setText(QStringLiteral("Done"));
    QHelpEvent help(QEvent::ToolTip, QPoint(1, 1), QPoint(1, 1));
    static_cast<QObject&>(dialog).eventFilter(button, &help);
    EXPECT_EQ(button->toolTip(), QStringLiteral("Done"));
}

TEST_F(DialogBaseTest, ClosingTheWindowRequestsCancel) {
    CDialogBase dialog;
    dialog.show();
    EXPECT_FALSE(dialog.IsCancelRequested(false));
    dialog.close();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dialog.IsCancelRequested(true));
    EXPECT_FALSE(dialog.IsCancelRequested(false));
}

}  // namespace
