#include "document/c_dialog_scale_settings.h"

#include <QBoxLayout>
#include <QByteArray>
#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <charconv>
#include <cmath>

#include "framework/message_box.h"

namespace {

constexpr float kSmallestFixedMagnitude = 0.0001f;
constexpr float kLargestFixedMagnitude = 1e15f;
constexpr int kFieldWidthInDialogUnits = 80;

// Reads one limit field: true with *value set when it holds a number, false otherwise.
bool ReadLimit(const QLineEdit* field, float* value) {
    return CDialogScaleSettings::ParseScale(field->text(), value);
}

}  // namespace

CDialogScaleSettings::CDialogScaleSettings(bool manual, float minimum, float maximum,
                                           QWidget* parent)
    : CDialogBase(parent),
      manualBox_(new QCheckBox(QStringLiteral("Manual Scale Override"), this)),
      minimumField_(new QLineEdit(FormatScale(minimum), this)),
      maximumField_(new QLineEdit(FormatScale(maximum), this)),
      manual_(manual),
      minimum_(minimum),
      maximum_(maximum) {
    setWindowTitle(QStringLiteral("Scale Settings"));
    minimumField_->setObjectName(QStringLiteral("minimumScale"));
    maximumField_->setObjectName(QStringLiteral("maximumScale"));
    const int fieldWidth = DialogUnitsToPixels(kFieldWidthInDialogUnits, 0).width();
    minimumField_->setMinimumWidth(fieldWidth);
    maximumField_->setMinimumWidth(fieldWidth);

    auto* form = new QFormLayout;
    form->addRow(manualBox_);
    form->addRow(QStringLiteral("Minimum Scale"), minimumField_);
    form->addRow(QStringLiteral("Maximum Scale"), maximumField_);
    LayOutWithOkCancel(form);

    InitDialogBase();
    manualBox_->setChecked(manual);
    // The fields start in the state a click would leave them in.
    OnManualToggled(manual);
    connect(manualBox_, &QCheckBox::toggled, this, &CDialogScaleSettings::OnManualToggled);
    manualBox_->setFocus();
}

void CDialogScaleSettings::OnManualToggled(bool checked) {
    EnableControl(minimumField_, checked);
    EnableControl(maximumField_, checked);
}

void CDialogScaleSettings::accept() {
    const bool manual = manualBox_->isChecked();
    float minimum = minimum_;
    float maximum = maximum_;
    if (!ReadLimit(minimumField_, &minimum) && manual) {
        ShowMessageBox(kMinimumNotANumberMessage);
        minimumField_->setFocus();
        minimumField_->selectAll();
        return;
    }
    if (!ReadLimit(maximumField_, &maximum) && manual) {
        ShowMessageBox(kMaximumNotANumberMessage);
        maximumField_->setFocus();
        maximumField_->selectAll();
        return;
    }
    manual_ = manual;
    minimum_ = minimum;
    maximum_ = maximum;
    CDialogBase::accept();
}

QString CDialogScaleSettings::FormatScale(float value) {
    if (value == 0.0f)
        return QStringLiteral("0");  // -0 too
    const float magnitude = std::fabs(value);
    const std::chars_format format =
        magnitude >= kSmallestFixedMagnitude && magnitude < kLargestFixedMagnitude
            ? std::chars_format::fixed
            : std::chars_format::scientific;
    char text[64];
    const std::to_chars_result written = std::to_chars(text, text + sizeof text, value, format);
    return QString::fromLatin1(text, static_cast<int>(written.ptr - text));
}

bool CDialogScaleSettings::ParseScale(const QString& text, float* value) {
    // Read straight into a float: going through a double rounds twice, and Qt refuses
    // texts such as "3.4028235e+38" that round to the largest float.
    const QByteArray bytes = text.trimmed().toLatin1();
    const char* first = bytes.constData();
    const char* last = first + bytes.size();
    if (last - first >= 2 && first[0] == '+' && first[1] != '-')
        ++first;  // from_chars takes no plus sign
    float number = 0;
    const std::from_chars_result read = std::from_chars(first, last, number);
    if (first == last || read.ptr != last || read.ec != std::errc() || !std::isfinite(number))
        return false;
    *value = number;
    return true;
}
