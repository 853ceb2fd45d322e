#pragma once

#include <string>

#include "data/feature_name_index.h"
#include "framework/c_dialog_base.h"

class QTreeWidget;

// "Choose a Feature": the features that answer to the name looked up, one row each with its name,
// track and place (a pane label), in the order of the look-up; the first row is chosen when the
// dialog opens. OK, Enter or a double click takes the chosen row. Run it and read
// GetChosenRow() after it returns QDialog::Accepted.
class CDialogFeatureChoice : public CDialogBase {
    Q_OBJECT

public:
    // The list shows this many rows without scrolling.
    static constexpr int kShownRows = 12;
    static constexpr int kLargestListWidth = 720;

    explicit CDialogFeatureChoice(const FeatureNameIndex::Lookup& lookup,
                                  QWidget* parent = nullptr);

    // The row of lookup.matches chosen; 0 before the user chose another.
    int GetChosenRow() const;

private:
    QTreeWidget* list_;
};
