#pragma once

#include "framework/c_combo_box_base.h"

// The pane selector of the pane toolbar: one pane label per entry ("chr1:1-248,956,422").
// The main frame fills it and acts on its choices.
class ChromosomeStartStopComboBox : public CComboBoxBase {
    Q_OBJECT

public:
    using CComboBoxBase::CComboBoxBase;
};
