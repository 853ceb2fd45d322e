#include "document/c_dialog_scale_settings.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <cfloat>

#include "framework/message_box.h"
#include "support/qt_widget_test.h"

namespace {

using Dialog = CDialogScaleSettings;

TEST(DialogScaleSettingsConversionTest, LimitsShowShortAndReadBackExactly) {
    const struct {
        float value;
        const char* shown;
    } cases[] = {{-0.0f, "0"},     {0.1f, "0.1"},    {2500000.0f, "2500000"},
                 {1e-5f, "1e-05"}, {1e20f, "1e+20"}, {1.0f / 3, "0.33333334"}};
    for (const auto& c : cases)
        EXPECT_EQ(Dialog::FormatScale(c.value).toStdString(), c.shown) << c.value;
    for (float value : {1.0f / 3, -7.25e-3f, FLT_MAX, FLT_MIN, 16777217.0f}) {
        float back = 0;
        EXPECT_TRUE(Dialog::ParseScale(Dialog::FormatScale(value), &back)) << value;
        EXPECT_EQ(back, value);
    }
    for (const char* text : {"", "+", "+-1", "1.5x", "1,5", "1e39", "1e-50", "nan", "inf"}) {
        float value = 42;
        EXPECT_FALSE(Dialog::ParseScale(text, &value)) << text;
        EXPECT_EQ(value, 42) << text;
    }
}

class DialogScaleSettingsWindowTest : public QtWidgetTest {
protected:
    void SetUp() override {
        SetMessageBoxHandler([this](const std::string& text) { shown.push_back(text); });
        dialog.show();
    }
    void TearDown() override {
        dialog.reject();
        SetMessageBoxHandler({});
        QtWidgetTest::TearDown();
    }
    QLineEdit* Minimum() { return dialog.findChild<QLineEdit*>("minimumScale"); }
    QLineEdit* Maximum() { return dialog.findChild<QLineEdit*>("maximumScale"); }
    QCheckBox* Manual() { return dialog.findChild<QCheckBox*>(); }

    Dialog dialog{false, -1.5f, 10};
    std::vector<std::string> shown;
};

TEST_F(DialogScaleSettingsWindowTest, CheckBoxEnablesAndDisablesBothLimits) {
    for (bool checked : {false, true, false}) {
        EXPECT_EQ(Manual()->isChecked(), checked);
        EXPECT_EQ(Minimum()->isEnabled(), checked);
        EXPECT_EQ(Maximum()->isEnabled(), checked);
        QTest::mouseClick(Manual(), Qt::LeftButton);
    }
}

TEST_F(DialogScaleSettingsWindowTest, LimitThatIsNotANumberKeepsTheDialogOpen) {
    Manual()->click();
    Maximum()->setText("1e40");
    dialog.accept();
    EXPECT_EQ(shown, std::vector<std::string>{Dialog::kMaximumNotANumberMessage});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.IsManual());  // a refused OK keeps nothing

    Maximum()->setText("12.25");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.IsManual());
    EXPECT_EQ(std::make_pair(dialog.GetMinimum(), dialog.GetMaximum()),
              std::make_pair(-1.5f, 12.25f));
}

TEST_F(DialogScaleSettingsWindowTest, WithoutOverrideAnUnreadableLimitKeepsItsValue) {
    Manual()->click();
    Minimum()->setText("3");
    Maximum()->setText("high");
    Manual()->click();
    dialog.accept();
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(std::make_pair(dialog.GetMinimum(), dialog.GetMaximum()),
              std::make_pair(3.0f, 10.0f));
}

}  // namespace
