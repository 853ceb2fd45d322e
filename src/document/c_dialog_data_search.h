#pragma once

#include "framework/c_dialog_base.h"

class LocuscopeDocument;
class QLineEdit;
class QPushButton;
class QTableView;
class SearchResultModel;

// "Search Dialog": finds items by their attribute text and jumps to them. The search string
// is remembered in the settings (section "DataSearch", key "Search String"). "Find" (the
// default button) searches and jumps to the first hit; "Go to Selected" or a double click
// jumps to the chosen row; "Done" closes. The results and the last chosen row stay in the
// document, so the dialog shows them again when reopened. The document runs it with
// OwnerModalDialog::Exec, so that closing the main window can end a search it started.
class CDialogDataSearch : public CDialogBase {
    Q_OBJECT

public:
    static constexpr const char* kSettingsSection = "DataSearch";
    static constexpr const char* kSearchStringKey = "Search String";
    static constexpr int kFontPixelHeight = 14;
    static constexpr int kColumnWidths[5] = {125, 250, 85, 85, 250};

    // The document outlives the dialog.
    explicit CDialogDataSearch(LocuscopeDocument& document, QWidget* parent = nullptr);

    void OnFind();
    void OnGoToSelected();

private:
    void SetListFont();

    LocuscopeDocument& document_;
    QLineEdit* searchString_;
    QTableView* results_;
    SearchResultModel* model_;
    QPushButton* findButton_;
};
