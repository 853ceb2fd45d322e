#pragma once

#include <QString>

#include "framework/c_dialog_base.h"

class QCheckBox;
class QLineEdit;

// "Scale Settings": whether a track's value scale is set by hand, and its lower and upper
// limits. The limit fields can be edited only while "Manual Scale Override" is checked. Run it
// with exec() and read the results after it returns QDialog::Accepted. The limits are taken as
// typed; equal or reversed limits are for the caller to judge.
class CDialogScaleSettings : public CDialogBase {
    Q_OBJECT

public:
    CDialogScaleSettings(bool manual, float minimum, float maximum, QWidget* parent = nullptr);

    // Results, meaningful after OK; before, the values given to the constructor.
    bool IsManual() const { return manual_; }
    float GetMinimum() const { return minimum_; }
    float GetMaximum() const { return maximum_; }

    // OK: with the override checked, a limit that is not a number gets a message box and the
    // dialog stays open. With it clear the limits do not apply: a readable limit is still
    // taken, an unreadable one keeps its earlier value, since its field cannot be edited.
    void accept() override;

    // The shortest text that reads back as exactly value: fixed notation for magnitudes from
    // 0.0001 up to 1e15, scientific beyond.
    static QString FormatScale(float value);
    // Reads text (blanks around it aside) as the nearest 32-bit float. False, with *value
    // untouched, when it is not a decimal number or lies beyond the float range either way
    // (magnitudes above 3.4e38 or below 1.4e-45), and for infinity and NaN.
    static bool ParseScale(const QString& text, float* value);

    static constexpr const char* kMinimumNotANumberMessage =
        "Minimum Scale should be a number.  Please try again.";
    static constexpr const char* kMaximumNotANumberMessage =
        "Maximum Scale should be a number.  Please try again.";

private:
    void OnManualToggled(bool checked);

    QCheckBox* manualBox_;
    QLineEdit* minimumField_;
    QLineEdit* maximumField_;
    bool manual_;
    float minimum_;
    float maximum_;
};
