#include "framework/c_combo_box_base.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "framework/file_dialog_filter.h"

namespace {

TEST(CComboBoxBaseTest, FindExactMatchesWholeTextWithCase) {
    CComboBoxBase box;
    for (const char* text : {"Chr1", "chr10", "chr1", "chr2"})
        box.AddItem(text, false);
    EXPECT_EQ(box.FindExact("chr1"), 2);
    EXPECT_EQ(box.FindExact("chr"), -1);
    box.SelectString("chr2");
    EXPECT_EQ(box.GetSelectedText(), "chr2");
    box.SelectString("chrZ");  // not there: the selection stays
    EXPECT_EQ(box.GetSelectedText(), "chr2");
    box.ResetContent();
    EXPECT_EQ(box.GetSelectedText(), "");
}

TEST(CComboBoxBaseTest, DropDownShowsAtMostTenItems) {
    CComboBoxBase box;
    for (int i = 1; i <= 15; ++i) {
        box.AddItem(QString("pane %1").arg(i), true);
        EXPECT_EQ(box.maxVisibleItems(), std::min(i, 10)) << i;
    }
}

TEST(CComboBoxBaseTest, EnterGivesTheFocusAwayAndEndsTheEdit) {
    QWidget window;
    CComboBoxBase box(&window);
    window.show();
    box.lineEdit()->setFocus();
    QSignalSpy finished(&box, &CComboBoxBase::EditingFinished);
    QTest::keyClick(box.lineEdit(), Qt::Key_Return);
    EXPECT_FALSE(box.lineEdit()->hasFocus());
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(box.count(), 0);  // a typed text never becomes an entry
}

TEST(FileDialogFilterTest, PatternsMoveIntoParenthesesSeparatedByBlanks) {
    EXPECT_EQ(ToQtFileFilter("GFF or BED files (*.gff; *.bed)|*.gff; *.bed|BED files (*.bed)|"
                             "*.bed|All Files (*.*)|*.*||"),
              "GFF or BED files (*.gff *.bed);;BED files (*.bed);;All Files (*)");
}

}  // namespace
