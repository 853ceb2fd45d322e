#include "framework/c_dialog_string_get.h"

#include <QLabel>
#include <QLineEdit>

#include "framework/message_box.h"
#include "support/qt_widget_test.h"

namespace {

TEST(DialogStringGetTest, NumericCheckAllowsOnlyDigitsSignsAndPointsInAnyOrder) {
    const struct {
        const char* text;
        bool numeric;
    } cases[] = {
        {"12", true}, {"-3.5", true}, {"+", true},    {"1-2", true},
        {"", true},   {"12a", false}, {" 12", false}, {"1,5", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CDialogStringGet::IsNumericAnswer(c.text), c.numeric) << '"' << c.text << '"';
}

class DialogStringGetWindowTest : public QtWidgetTest {
protected:
    void SetUp() override {
        SetMessageBoxHandler([this](const std::string& text) { shown.push_back(text); });
    }
    void TearDown() override {
        SetMessageBoxHandler({});
        QtWidgetTest::TearDown();
    }
    std::vector<std::string> shown;
};

TEST_F(DialogStringGetWindowTest, NumericQuestionRefusesTextAndAcceptsANumber) {
    CDialogStringGet dialog("Track Height", "Height in pixels:", true);
    dialog.answer = "40";
    dialog.show();
    auto* field = dialog.findChild<QLineEdit*>();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Track Height"));
    EXPECT_EQ(dialog.findChild<QLabel*>()->text(), QStringLiteral("Height in pixels:"));
    EXPECT_EQ(field->text(), QStringLiteral("40"));

    field->setText(QStringLiteral("4O"));
    dialog.accept();
    EXPECT_EQ(shown, std::vector<std::string>{"This should be a number.  Please try again."});
    EXPECT_TRUE(dialog.isVisible());

    field->setText(QStringLiteral("45"));
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.answer, "45");
    EXPECT_EQ(shown.size(), 1u);
}

}  // namespace
