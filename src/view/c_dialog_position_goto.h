#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "data/position.h"
#include "document/feature_name_command.h"
#include "framework/c_dialog_base.h"

class CComboBoxBase;
class QButtonGroup;
class QLabel;
class QLineEdit;

// "Go to Position": asks for a range of bases and a pane. Positions are 1-based and inclusive.
// The fields show the range in the unit chosen with the radio buttons (bases, kilobases or
// megabases); the unit is remembered in the settings (section "DialogGoto", key "BaseSize")
// when the dialog is closed with OK. Run it with exec() and read the results after it returns
// QDialog::Accepted.
class CDialogPositionGoto : public CDialogBase {
    Q_OBJECT

public:
    enum Unit { UNIT_BASES = 0, UNIT_KB = 1, UNIT_MB = 2 };

    static constexpr const char* kSettingsSection = "DialogGoto";
    static constexpr const char* kUnitKey = "BaseSize";
    // Shown values smaller than this are shown as 0.
    static constexpr double kSmallestShownValue = 0.0001;
    // The pane list is as wide as this many average characters; longer names are cut in
    // their middle.
    static constexpr int kShownPaneCharacters = 40;

    // paneNames fill the "Pane" list in their order; currentPane is selected, and put first in
    // the list when it is not among paneNames (so OK without a choice stays on it). start and
    // end are the visible range in bases.
    CDialogPositionGoto(const std::vector<std::string>& paneNames, const std::string& currentPane,
                        double start, double end, QWidget* parent = nullptr);

    // Results, meaningful after OK; before, the range given to the constructor.
    uint32_t GetStart() const { return ToPosition(start_); }
    uint32_t GetEnd() const { return ToPosition(end_); }
    // The chosen pane's name, byte for byte; the current pane when the list is empty.
    std::string GetPane() const;
    // The unit the fields are shown in (a Unit value).
    int GetUnit() const { return unit_; }

    // Lets Start Position take a feature's name or ID as well: on OK, a start that is not a
    // number is handed to finder (see FeatureNameCommand::Choose). A chosen feature closes
    // the dialog; a cancel keeps it open; a name that no feature has gets the usual message.
    using FeatureFinder = std::function<FeatureNameCommand::Choice(const std::string& name)>;
    void SetFeatureFinder(FeatureFinder finder);
    // After OK: the finder chose a feature, and the range and pane are not meant.
    bool ChoseFeature() const { return choseFeature_; }

    // OK: reads both fields in the unit shown; a field that is not a number gets a message
    // box and the dialog stays open. Otherwise the unit is stored and the dialog closes.
    void accept() override;

    // The conversions behind the fields, usable without a window.
    // Bases per unit: 1, 1000, 1000000; an unknown unit counts as bases.
    static double UnitMultiplier(int unit);
    // The unit stored in the settings; missing or unknown values give UNIT_BASES.
    static int ReadStoredUnit();
    // bases as the field shows them in unit: fixed notation without trailing zeros, at most
    // six decimals; a shown value below kSmallestShownValue (negatives included) shows "0".
    static QString FormatPosition(double bases, int unit);
    // Reads a field's text typed in unit into bases, raised to at least 1.0. A product that
    // lies within rounding noise of a whole base is taken as that base, so "1.001" KB is base
    // 1001 and not 1000.9999999999999. False, with *bases untouched, when the text (blanks
    // around it aside) is not a finite number.
    static bool ParsePosition(const QString& text, int unit, double* bases);
    // A range end in bases as a position: truncated toward zero, then kept within
    // [1, kLastPosition]; NaN gives 1.
    static uint32_t ToPosition(double bases);

    static constexpr const char* kStartNotANumberMessage =
        "Start Position should be a number.  Please try again.";
    static constexpr const char* kEndNotANumberMessage =
        "End Position should be a number.  Please try again.";

private:
    void OnUnitToggled(int unit, bool checked);
    // Shows a field's range end again in newUnit; text that is not a number stays as typed.
    void ConvertField(QLineEdit* field, int newUnit);
    bool ReadField(QLineEdit* field, const char* message, double* bases);
    // OK with a feature's name in Start Position: true when the dialog is done with it.
    bool AcceptFeatureName();

    QLineEdit* startField_;
    QLineEdit* endField_;
    QButtonGroup* unitButtons_;
    CComboBoxBase* paneList_;
    QLabel* featureHint_;
    FeatureFinder featureFinder_;
    bool choseFeature_ = false;
    std::vector<std::string> paneNames_;  // as listed; the items hold their index
    std::string currentPane_;
    double start_;
    double end_;
    int unit_;
};
