#pragma once

#include "framework/c_dialog_base.h"

class QSpinBox;

// "Point Size Adjustment": how many pixels a track's point marks grow, across (width) and up
// and down (height). Run it with exec() and read the sizes after it returns Accepted.
class CDialogPointSize : public CDialogBase {
    Q_OBJECT

public:
    // Sizes beyond this would paint marks wider than any screen.
    static constexpr int kMaximumSize = 999;

    CDialogPointSize(int width, int height, QWidget* parent = nullptr);

    int GetWidth() const;
    int GetHeight() const;

private:
    QSpinBox* widthField_;
    QSpinBox* heightField_;
};
