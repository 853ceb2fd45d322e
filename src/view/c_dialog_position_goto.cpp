#include "view/c_dialog_position_goto.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>
#include <cfloat>
#include <cmath>

#include "framework/c_combo_box_base.h"
#include "framework/message_box.h"
#include "framework/settings.h"

namespace {

constexpr int kShownDecimals = 6;  // a megabase field still shows single bases
// Beyond this, fixed notation would only add digits nobody reads.
constexpr double kLargestFixedValue = 1e15;
// Products of a parse and one multiplication carry at most a few units of rounding error.
constexpr double kRoundingNoise = 4 * DBL_EPSILON;
constexpr int kFieldWidthInDialogUnits = 90;

bool IsKnownUnit(int unit) {
    return unit == CDialogPositionGoto::UNIT_BASES || unit == CDialogPositionGoto::UNIT_KB ||
           unit == CDialogPositionGoto::UNIT_MB;
}

}  // namespace

CDialogPositionGoto::CDialogPositionGoto(const std::vector<std::string>& paneNames,
                                         const std::string& currentPane, double start, double end,
                                         QWidget* parent)
    : CDialogBase(parent),
      startField_(new QLineEdit(this)),
      endField_(new QLineEdit(this)),
      unitButtons_(new QButtonGroup(this)),
      paneList_(new CComboBoxBase(this)),
      featureHint_(
          new QLabel(QStringLiteral("Start Position also takes a feature's name or ID."), this)),
      currentPane_(currentPane),
      start_(start),
      end_(end),
      unit_(ReadStoredUnit()) {
    setWindowTitle(QStringLiteral("Go to Position"));
    startField_->setObjectName(QStringLiteral("startPosition"));
    endField_->setObjectName(QStringLiteral("endPosition"));
    const int fieldWidth = DialogUnitsToPixels(kFieldWidthInDialogUnits, 0).width();
    startField_->setMinimumWidth(fieldWidth);
    endField_->setMinimumWidth(fieldWidth);

    auto* units = new QHBoxLayout;
    const char* unitNames[] = {"Bases", "KB", "MB"};
    for (int unit : {UNIT_BASES, UNIT_KB, UNIT_MB}) {
        auto* button = new QRadioButton(QString::fromLatin1(unitNames[unit]), this);
        unitButtons_->addButton(button, unit);
        units->addWidget(button);
    }
    units->addStretch();
    unitButtons_->button(unit_)->setChecked(true);
    connect(unitButtons_, &QButtonGroup::idToggled, this, &CDialogPositionGoto::OnUnitToggled);

    // A fixed list: only panes that exist can be chosen.
    paneList_->setEditable(false);
    paneList_->setObjectName(QStringLiteral("pane"));
    bool currentListed = false;
    for (const std::string& name : paneNames)
        currentListed = currentListed || name == currentPane;
    if (!currentListed && !currentPane.empty())
        paneNames_.push_back(currentPane);
    paneNames_.insert(paneNames_.end(), paneNames.begin(), paneNames.end());
    // Draft assemblies name scaffolds hundreds of characters long: names are shown cut in
    // their middle (whole in the tooltip), so that neither the list nor the dialog grows wider
    // than a screen. Each item keeps the index of its name, which is chosen as it is.
    paneList_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    paneList_->setMinimumContentsLength(kShownPaneCharacters);
    const int shownWidth = paneList_->fontMetrics().averageCharWidth() * kShownPaneCharacters;
    for (size_t i = 0; i < paneNames_.size(); ++i) {
        const QString name = QString::fromStdString(paneNames_[i]);
        const int item = paneList_->AddItem(
            paneList_->fontMetrics().elidedText(name, Qt::ElideMiddle, shownWidth), true);
        paneList_->setItemData(item, static_cast<int>(i));
        paneList_->setItemData(item, name, Qt::ToolTipRole);
        if (paneNames_[i] == currentPane)
            paneList_->setCurrentIndex(item);
    }

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Start Position"), startField_);
    form->addRow(QStringLiteral("End Position"), endField_);
    form->addRow(QString(), units);
    form->addRow(QStringLiteral("Pane"), paneList_);
    featureHint_->setObjectName(QStringLiteral("featureHint"));
    featureHint_->setEnabled(false);  // drawn greyed, as a hint
    featureHint_->setVisible(false);
    form->addRow(featureHint_);
    const auto [okButton, cancelButton] = LayOutWithOkCancel(form);

    // The list was built before the unit buttons; the keys should follow the rows.
    setTabOrder(endField_, unitButtons_->button(UNIT_BASES));
    setTabOrder(unitButtons_->button(UNIT_MB), paneList_);
    setTabOrder(paneList_, okButton);
    setTabOrder(okButton, cancelButton);

    startField_->setText(FormatPosition(start_, unit_));
    endField_->setText(FormatPosition(end_, unit_));
    startField_->setFocus();
    startField_->selectAll();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setMaximumWidth(screen->availableGeometry().width());
    InitDialogBase();
}

std::string CDialogPositionGoto::GetPane() const {
    const QVariant chosen = paneList_->currentData();
    if (!chosen.isValid())
        return currentPane_;
    return paneNames_.at(static_cast<size_t>(chosen.toInt()));
}

void CDialogPositionGoto::SetFeatureFinder(FeatureFinder finder) {
    featureFinder_ = std::move(finder);
    featureHint_->setVisible(static_cast<bool>(featureFinder_));
}

void CDialogPositionGoto::accept() {
    if (AcceptFeatureName())
        return;
    double start = 0;
    double end = 0;
    if (!ReadField(startField_, kStartNotANumberMessage, &start) ||
        !ReadField(endField_, kEndNotANumberMessage, &end))
        return;
    start_ = start;
    end_ = end;
    WriteSettingInt(kSettingsSection, kUnitKey, unit_);
    CDialogBase::accept();
}

bool CDialogPositionGoto::AcceptFeatureName() {
    double start = 0;
    if (!featureFinder_ || ParsePosition(startField_->text(), unit_, &start))
        return false;
    switch (featureFinder_(startField_->text().toStdString())) {
        case FeatureNameCommand::Choice::kChosen:
            choseFeature_ = true;
            WriteSettingInt(kSettingsSection, kUnitKey, unit_);
            CDialogBase::accept();
            return true;
        case FeatureNameCommand::Choice::kCancelled:
            return true;
        case FeatureNameCommand::Choice::kNoFeature:
            break;
    }
    return false;
}

bool CDialogPositionGoto::ReadField(QLineEdit* field, const char* message, double* bases) {
    if (ParsePosition(field->text(), unit_, bases))
        return true;
    ShowMessageBox(message);
    field->setFocus();
    field->selectAll();
    return false;
}

void CDialogPositionGoto::OnUnitToggled(int unit, bool checked) {
    if (!checked || unit == unit_)
        return;
    ConvertField(startField_, unit);
    ConvertField(endField_, unit);
    unit_ = unit;
}

void CDialogPositionGoto::ConvertField(QLineEdit* field, int newUnit) {
    double bases = 0;
    if (ParsePosition(field->text(), unit_, &bases))
        field->setText(FormatPosition(bases, newUnit));
}

double CDialogPositionGoto::UnitMultiplier(int unit) {
    switch (unit) {
        case UNIT_KB:
            return 1000.0;
        case UNIT_MB:
            return 1000000.0;
        default:
            return 1.0;
    }
}

int CDialogPositionGoto::ReadStoredUnit() {
    const int unit = ReadSettingInt(kSettingsSection, kUnitKey, UNIT_BASES);
    return IsKnownUnit(unit) ? unit : UNIT_BASES;
}

QString CDialogPositionGoto::FormatPosition(double bases, int unit) {
    const double shown = bases / UnitMultiplier(unit);
    if (!(shown >= kSmallestShownValue))  // NaN too
        return QStringLiteral("0");
    if (shown >= kLargestFixedValue)
        return QString::number(shown, 'g', 15);
    QString text = QString::number(shown, 'f', kShownDecimals);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

bool CDialogPositionGoto::ParsePosition(const QString& text, int unit, double* bases) {
    bool ok = false;
    // Every coordinate the program shows or copies groups its digits with commas.
    QString plain = text.trimmed();
    plain.remove(QLatin1Char(','));
    const double value = plain.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return false;
    double product = value * UnitMultiplier(unit);
    // Decimal fractions of a unit are rarely exact in binary; truncating 1000.9999999999999
    // later would lose a base the user typed.
    const double whole = std::nearbyint(product);
    if (std::fabs(product - whole) <= kRoundingNoise * std::fabs(product))
        product = whole;
    *bases = std::max(product, 1.0);
    return true;
}

uint32_t CDialogPositionGoto::ToPosition(double bases) {
    return PositionFromDouble(bases, 1);
}
