#include "view/c_dialog_position_goto.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <cmath>
#include <iomanip>

#include "framework/message_box.h"
#include "framework/settings.h"
#include "support/qt_widget_test.h"

namespace {

using Dialog = CDialogPositionGoto;
constexpr int kBases = Dialog::UNIT_BASES, kKb = Dialog::UNIT_KB, kMb = Dialog::UNIT_MB;

TEST(DialogPositionGotoConversionTest, TypedTextBecomesBasesOfAtLeastOne) {
    const struct {
        const char* text;
        int unit;
        double bases;  // 0: refused
    } cases[] = {
        {"1.5", kKb, 1500},
        {"0", kBases, 1},
        {"-20", kKb, 1},
        {" 2500 ", kBases, 2500},
        {"1234.5", kBases, 1234.5},
        // decimal fractions that a plain multiplication leaves just below the whole base
        {"1.001", kKb, 1001},
        {"4.35", kKb, 4350},
        {"248.956422", kMb, 248956422},
        {"", kBases, 0},
        {"12a", kKb, 0},
        {"1,300,000", kBases, 1300000},  // grouped as the program shows positions
        {"1,5", kKb, 15000},
        {"nan", kBases, 0},
        {"inf", kBases, 0},
        {"1e400", kBases, 0},
    };
    for (const auto& c : cases) {
        double bases = 0;
        EXPECT_EQ(Dialog::ParsePosition(c.text, c.unit, &bases), c.bases != 0) << c.text;
        EXPECT_EQ(bases, c.bases) << '"' << c.text << "\" unit " << c.unit << " gave "
                                  << std::setprecision(17) << bases;
    }
}

TEST(DialogPositionGotoConversionTest, ShownValuesAreTidyAndTinyOnesShowAsZero) {
    const struct {
        double bases;
        int unit;
        const char* shown;
    } cases[] = {
        {1500, kKb, "1.5"},
        {1000, kBases, "1000"},
        {248956422, kMb, "248.956422"},
        {100, kMb, "0.0001"},
        {99, kMb, "0"},
        {-5, kBases, "0"},
        {1e12, kBases, "1000000000000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Dialog::FormatPosition(c.bases, c.unit).toStdString(), c.shown)
            << c.bases << " bases in unit " << c.unit;
    }
}

TEST(DialogPositionGotoConversionTest, PositionsTruncateAndClampInsteadOfWrapping) {
    const struct {
        double bases;
        uint32_t position;
    } cases[] = {
        {1500.9, 1500u},
        {4294967293.7, 4294967293u},
        {4294967295.0, 0xFFFFFFFEu},
        {4294967296.0, 0xFFFFFFFEu},
        {1e12, 0xFFFFFFFEu},
        {0.5, 1u},
        {-1e12, 1u},
        {std::nan(""), 1u},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Dialog::ToPosition(c.bases), c.position) << std::setprecision(17) << c.bases;
}

class DialogPositionGotoWindowTest : public QtWidgetTest {
protected:
    void SetUp() override {
        SetMessageBoxHandler([this](const std::string& text) { shown.push_back(text); });
        StoreUnit(kBases);
    }
    void TearDown() override {
        SetMessageBoxHandler({});
        QtWidgetTest::TearDown();
    }
    static void StoreUnit(int unit) { WriteSettingInt("DialogGoto", "BaseSize", unit); }
    static int StoredUnit() { return ReadSettingInt("DialogGoto", "BaseSize", -1); }
    static QLineEdit* Start(Dialog& d) { return d.findChild<QLineEdit*>("startPosition"); }
    static QLineEdit* End(Dialog& d) { return d.findChild<QLineEdit*>("endPosition"); }
    static QStringList Fields(Dialog& d) { return {Start(d)->text(), End(d)->text()}; }
    static QRadioButton* Unit(Dialog& d, const char* text) {
        for (QRadioButton* button : d.findChildren<QRadioButton*>()) {
            if (button->text() == QLatin1String(text))
                return button;
        }
        return nullptr;
    }

    const std::vector<std::string> panes{"chr1", "chr2", "chrX"};
    std::vector<std::string> shown;
};

TEST_F(DialogPositionGotoWindowTest, KilobaseStartOf1Point5GoesToBase1500AndZeroToBase1) {
    StoreUnit(kKb);
    Dialog dialog(panes, "chr2", 2000, 3000);
    dialog.show();
    EXPECT_TRUE(Unit(dialog, "KB")->isChecked());
    EXPECT_EQ(Fields(dialog), QStringList({"2", "3"}));
    Start(dialog)->setText("1.5");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(std::make_pair(dialog.GetStart(), dialog.GetEnd()), std::make_pair(1500u, 3000u));

    Dialog fromZero(panes, "chr2", 0, 500);
    fromZero.show();
    Unit(fromZero, "Bases")->click();
    fromZero.accept();
    EXPECT_EQ(fromZero.GetStart(), 1u);
}

TEST_F(DialogPositionGotoWindowTest, SwitchingUnitsKeepsTheRangeAndLeavesUnreadableText) {
    Dialog dialog(panes, "chr1", 1001, 248956422);
    dialog.show();
    Unit(dialog, "KB")->click();
    EXPECT_EQ(Fields(dialog), QStringList({"1.001", "248956.422"}));
    Unit(dialog, "MB")->click();
    EXPECT_EQ(Fields(dialog), QStringList({"0.001001", "248.956422"}));
    dialog.accept();
    EXPECT_EQ(std::make_pair(dialog.GetStart(), dialog.GetEnd()),
              std::make_pair(1001u, 248956422u));

    Dialog typo(panes, "chr1", 1000, 2000);
    typo.show();
    Start(typo)->setText("abc");
    Unit(typo, "KB")->click();
    EXPECT_EQ(Fields(typo), QStringList({"abc", "2"}));
    typo.reject();
}

TEST_F(DialogPositionGotoWindowTest, UnitIsRememberedOnOkButNotOnCancel) {
    Dialog cancelled(panes, "chr1", 1, 100);
    cancelled.show();
    Unit(cancelled, "MB")->click();
    cancelled.reject();
    EXPECT_EQ(StoredUnit(), kBases);

    Dialog accepted(panes, "chr1", 1, 100);
    accepted.show();
    Unit(accepted, "KB")->click();
    accepted.accept();
    EXPECT_EQ(StoredUnit(), kKb);

    StoreUnit(7);  // an unknown unit falls back to bases
    Dialog reopened(panes, "chr1", 1, 100);
    EXPECT_TRUE(Unit(reopened, "Bases")->isChecked());
}

TEST_F(DialogPositionGotoWindowTest, TextThatIsNotANumberKeepsTheDialogOpen) {
    Dialog dialog(panes, "chr1", 1000, 2000);
    dialog.show();
    Unit(dialog, "KB")->click();
    End(dialog)->setText("2x");
    dialog.accept();
    EXPECT_EQ(shown, std::vector<std::string>{Dialog::kEndNotANumberMessage});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(StoredUnit(), kBases);  // a refused OK keeps nothing

    End(dialog)->setText("2.5");
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.GetEnd(), 2500u);
}

TEST_F(DialogPositionGotoWindowTest, PaneListOffersTheCurrentPaneEvenWhenNotNamed) {
    Dialog dialog(panes, "chr2", 1, 100);
    auto* list = dialog.findChild<QComboBox*>("pane");
    EXPECT_EQ(list->currentText(), "chr2");
    list->setCurrentIndex(2);
    EXPECT_EQ(dialog.GetPane(), "chrX");

    Dialog allTracks(panes, "All Tracks", 1, 100);
    EXPECT_EQ(allTracks.findChild<QComboBox*>("pane")->count(), 4);
    EXPECT_EQ(allTracks.GetPane(), "All Tracks");
}

}  // namespace
