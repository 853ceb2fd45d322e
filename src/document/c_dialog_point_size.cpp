#include "document/c_dialog_point_size.h"

#include <QFormLayout>
#include <QSpinBox>
#include <algorithm>

namespace {

QSpinBox* SizeField(int value, QWidget* parent) {
    auto* field = new QSpinBox(parent);
    field->setRange(0, CDialogPointSize::kMaximumSize);
    field->setValue(std::clamp(value, 0, CDialogPointSize::kMaximumSize));
    field->setSuffix(QStringLiteral(" px"));
    return field;
}

}  // namespace

CDialogPointSize::CDialogPointSize(int width, int height, QWidget* parent)
    : CDialogBase(parent),
      widthField_(SizeField(width, this)),
      heightField_(SizeField(height, this)) {
    setWindowTitle(QStringLiteral("Point Size Adjustment"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Point Width Adjustment"), widthField_);
    form->addRow(QStringLiteral("Point Height Adjustment"), heightField_);
    LayOutWithOkCancel(form);
    InitDialogBase();
}

int CDialogPointSize::GetWidth() const {
    return widthField_->value();
}

int CDialogPointSize::GetHeight() const {
    return heightField_->value();
}
