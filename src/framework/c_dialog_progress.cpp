#include "framework/c_dialog_progress.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

#include "framework/c_progress_ctrl_base.h"
#include "framework/pump_messages.h"

namespace {

// How far task progress may carry the overall bar toward its next whole unit: the unit
// itself is reached only when the operation reports the next overall step.
constexpr float kTaskShareOfOverallStep = 0.9999f;
constexpr int kWaitSliceMilliseconds = 100;
constexpr float kFullRange = 100.0f;
constexpr int kStatusBoxLines = 6;  // at least this many status lines stay in view

QPointer<QWidget>& SplashWindow() {
    static QPointer<QWidget> splash;
    return splash;
}

// The window a progress dialog stands in for when nobody names one: the application's main
// window, else whatever window is active.
QWidget* ApplicationMainWindow() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow*>(window) != nullptr && window->isVisible())
            return window;
    }
    return QApplication::activeWindow();
}

QPushButton* MakeButton(const char* text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

}  // namespace

CDialogProgress::CDialogProgress(const std::string& caption, QWidget* parent)
    : CDialogBase(parent),
      caption_(caption),
      statusBox_(new QPlainTextEdit(this)),
      upperLabel_(new QLabel(QStringLiteral("Progress 0"), this)),
      upperBar_(new CProgressCtrlBase(this)),
      lowerLabel_(new QLabel(QStringLiteral("Progress 1"), this)),
      lowerBar_(new CProgressCtrlBase(this)),
      acceptButton_(MakeButton("Accept", "acceptButton", this)),
      cancelButton_(MakeButton("Cancel", "cancelButton", this)),
      rejectButton_(MakeButton("Reject", "rejectButton", this)),
      barsById_{lowerBar_, upperBar_} {
    setWindowTitle(QStringLiteral("Progress"));
    setModal(false);
    statusBox_->setObjectName(QStringLiteral("statusBox"));
    statusBox_->setReadOnly(true);
    // Long lines wrap: the box scrolls only vertically, to keep the newest line in view.
    statusBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int margins =
        2 * (statusBox_->frameWidth() + static_cast<int>(statusBox_->document()->documentMargin()));
    statusBox_->setMinimumHeight(statusBox_->fontMetrics().lineSpacing() * kStatusBoxLines +
                                 margins);
    upperLabel_->setObjectName(QStringLiteral("upperLabel"));
    upperBar_->setObjectName(QStringLiteral("upperBar"));
    lowerLabel_->setObjectName(QStringLiteral("lowerLabel"));
    lowerBar_->setObjectName(QStringLiteral("lowerBar"));
    SetStatusBox(statusBox_);

    acceptButton_->setDefault(true);
    acceptButton_->hide();
    rejectButton_->hide();
    const int buttonWidth = DialogUnitsToPixels(50, 0).width();
    for (QPushButton* button : {acceptButton_, cancelButton_, rejectButton_})
        button->setMinimumWidth(buttonWidth);
    connect(acceptButton_, &QPushButton::clicked, this, [this] { OnAnswer(1); });
    connect(rejectButton_, &QPushButton::clicked, this, [this] { OnAnswer(0); });
    connect(cancelButton_, &QPushButton::clicked, this, &CDialogProgress::OnCancel);

    // Status box on top taking all spare height, the bars with their labels below it, the
    // buttons centred at the bottom; the layout places them anew on every resize.
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(acceptButton_);
    buttons->addWidget(cancelButton_);
    buttons->addWidget(rejectButton_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Status"), this));
    layout->addWidget(statusBox_, 1);
    layout->addWidget(upperLabel_);
    layout->addWidget(upperBar_);
    layout->addWidget(lowerLabel_);
    layout->addWidget(lowerBar_);
    layout->addLayout(buttons);
    resize(DialogUnitsToPixels(249, 133).expandedTo(minimumSizeHint()));
}

CDialogProgress::~CDialogProgress() {
    DestroyWindow();
}

void CDialogProgress::SetSplashWindow(QWidget* splash) {
    SplashWindow() = splash;
}

int CDialogProgress::Create(QWidget* owner) {
    if (active_)
        return 1;
    QWidget* ownerWindow = owner != nullptr            ? owner->window()
                           : parentWidget() != nullptr ? parentWidget()->window()
                                                       : ApplicationMainWindow();
    if (ownerWindow != nullptr && ownerWindow != this && ownerWindow->isEnabled() &&
        ownerWindow != SplashWindow()) {
        ownerWindow->setEnabled(false);
        ownerDisabled_ = true;
        owner_ = ownerWindow;
        // Disabling a window disables the windows it parents as well, this one among them.
        setEnabled(true);
    }
    active_ = true;
    InitDialogBase();

    barsByType_ = {lowerBar_, upperBar_};
    for (int type : {PROGRESS_OVERALL, PROGRESS_TASK}) {
        SetBarStep(type, 1.0f);
        SetBarRange(type, 0.0f, kFullRange);
    }
    ConfigureBar(BAR_UPPER, "Progress Task", false);
    ConfigureBar(BAR_LOWER, "Progress", true);
    setWindowTitle(QString::fromStdString(caption_));
    RestoreWindowRect(kWindowRectKey, DefaultWindowRect());
    show();
    raise();
    return 1;
}

int CDialogProgress::Start(const std::string& lowerLabel, const std::string& upperLabel,
                           const std::string& logPath, QWidget* owner) {
    const int created = Create(owner);
    ConfigureBar(BAR_UPPER, upperLabel, true);
    ConfigureBar(BAR_LOWER, lowerLabel, true);
    SetPercent(PROGRESS_TASK, 0, "", "", 0);
    SetPercent(PROGRESS_OVERALL, 0, "", "", 0);
    this->logPath = logPath;
    return created;
}

void CDialogProgress::DestroyWindow() {
    if (active_)
        SaveWindowRect(kWindowRectKey);
    if (ownerDisabled_ && owner_ != nullptr && owner_ != SplashWindow())
        owner_->setEnabled(true);
    ownerDisabled_ = false;
    owner_ = nullptr;
    if (active_) {
        active_ = false;
        hide();
    }
}

QRect CDialogProgress::DefaultWindowRect() const {
    // Where Qt would put a new dialog: centred over its parent window, else on the screen.
    QRect area(QPoint(0, 0), size());
    const QWidget* over = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
    if (over != nullptr && over->isVisible())
        area.moveCenter(over->geometry().center());
    else if (const QScreen* screen = QApplication::primaryScreen())
        area.moveCenter(screen->availableGeometry().center());
    return area;
}

bool CDialogProgress::SetBarLabel(int barId, const std::string& label) {
    QLabel* target = barId == BAR_LOWER ? lowerLabel_ : barId == BAR_UPPER ? upperLabel_ : nullptr;
    if (target == nullptr)
        return false;
    target->setText(QString::fromStdString(label));
    return true;
}

bool CDialogProgress::ConfigureBar(int barId, const std::string& label, bool show) {
    if (!SetBarLabel(barId, label))
        return false;
    if (barsById_[barId] == upperBar_) {
        upperBar_->setVisible(show);
        upperLabel_->setVisible(show);
        barsByType_[PROGRESS_TASK] = show ? upperBar_ : lowerBar_;
    } else {
        lowerBar_->setVisible(show);
        lowerLabel_->setVisible(show);
        barsByType_[PROGRESS_OVERALL] = show ? lowerBar_ : nullptr;
    }
    return true;
}

CProgressCtrlBase* CDialogProgress::BarOfType(int type) const {
    return active_ && IsValidProgressType(type) ? barsByType_[type] : nullptr;
}

bool CDialogProgress::SetBarRange(int type, float lower, float upper) {
    CProgressCtrlBase* bar = BarOfType(type);
    return bar != nullptr && bar->SetRange(lower, upper);
}

float CDialogProgress::SetBarPosition(int type, float position) {
    CProgressCtrlBase* bar = BarOfType(type);
    return bar != nullptr ? bar->SetPos(position) : 0.0f;
}

float CDialogProgress::SetBarStep(int type, float step) {
    CProgressCtrlBase* bar = BarOfType(type);
    return bar != nullptr ? bar->SetStep(step) : 0.0f;
}

float CDialogProgress::AdvanceBar(int type) {
    CProgressCtrlBase* bar = BarOfType(type);
    if (bar == nullptr)
        return 0.0f;
    bar->SetPos(std::trunc(bar->GetPos()) + bar->GetStep());
    return bar->GetPos();
}

bool CDialogProgress::StepProgress(int type, const std::string& prefix, const std::string& suffix,
                                   int) {
    if (!IsValidProgressType(type))
        return false;
    if (CProgressCtrlBase* bar = BarOfType(type)) {
        bar->SetSuffix(suffix);
        bar->SetPrefix(prefix);
    }
    AdvanceBar(type);
    PumpMessages();
    return true;
}

bool CDialogProgress::SetProgress(int type, int current, int total, const std::string& prefix,
                                  const std::string& suffix, int) {
    if (!IsValidProgressType(type))
        return false;
    if (total == 0)
        total = 1;
    // An agent further down the chain learns only that something is running.
    if (CNotificationAgent* next = ForwardTarget()) {
        if (!next->SetPercent(type, -1, "", "", 0))
            return false;
    }
    const float value =
        std::max(0.0f, std::min(static_cast<float>(current), static_cast<float>(total)));
    SetBarRange(type, 0.0f, static_cast<float>(total));
    SetBarPosition(type, current == -1 ? -1.0f : value);
    CProgressCtrlBase* bar = BarOfType(type);
    if (bar != nullptr) {
        bar->SetSuffix(suffix);
        bar->SetPrefix(prefix);
    }
    CProgressCtrlBase* overall = BarOfType(PROGRESS_OVERALL);
    if (current != -1 && bar != nullptr && overall != nullptr && bar != overall) {
        const float share =
            std::clamp(value / static_cast<float>(total), 0.0f, kTaskShareOfOverallStep);
        float position = std::trunc(std::max(0.0f, overall->GetPos())) + share;
        // Once the overall bar is full, task progress (the last task's 100 %) must not carry
        // it past its end: it would read 101 %.
        float lower = 0.0f;
        float upper = 0.0f;
        if (overall->GetRange(lower, upper))
            position = std::min(position, upper);
        overall->SetPos(position);
    }
    PumpMessages();
    return true;
}

bool CDialogProgress::SetPercent(int type, int percent, const std::string& prefix,
                                 const std::string& suffix, int tag) {
    return SetProgress(type, percent, 100, prefix, suffix, tag);
}

bool CDialogProgress::IsCancelRequested(bool reset) {
    PumpMessages();
    const bool requested = cancelRequested_;
    if (reset)
        cancelRequested_ = false;
    return requested;
}

void CDialogProgress::ShowCancelButton(bool show) {
    cancelButton_->setVisible(show);
    cancelShown_ = show;
    PumpMessages();
}

void CDialogProgress::OnCancel() {
    if (!cancelShown_)
        return;
    ReportMessage(cancelButton_->text().toStdString() + " Button Pressed");
    cancelRequested_ = true;
}

void CDialogProgress::reject() {
    OnCancel();
}

void CDialogProgress::OnAnswer(int answer) {
    answer_ = answer;
}

void CDialogProgress::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (!cancelShown_)
        return;
    ReportMessage("Close Button Pressed");
    cancelRequested_ = true;
    OnCancel();
}

bool CDialogProgress::WaitForClose(const std::string& buttonText, int percent) {
    if (unattended_)
        return true;
    // Without a window nobody could ever press the button.
    if (!active_)
        return false;
    ShowCancelButton(true);
    SetPercent(PROGRESS_OVERALL, percent, buttonText, "", 0);
    cancelButton_->setText(QString::fromStdString(buttonText));
    cancelRequested_ = false;
    while (active_ && !IsCancelRequested(false))
        Delay(kWaitSliceMilliseconds, true);
    return true;
}

bool CDialogProgress::AskAcceptReject(const std::string& question, const std::string& acceptText,
                                      const std::string& rejectText) {
    if (unattended_ || !active_)
        return true;
    const bool cancelWasShown = cancelShown_;
    ShowCancelButton(false);
    cancelRequested_ = false;
    ReportMessage(question);
    acceptButton_->setText(QString::fromStdString(acceptText));
    rejectButton_->setText(QString::fromStdString(rejectText));
    acceptButton_->show();
    rejectButton_->show();
    answer_ = -1;
    while (active_ && answer_ == -1)
        Delay(kWaitSliceMilliseconds, true);
    acceptButton_->hide();
    rejectButton_->hide();
    ShowCancelButton(cancelWasShown);
    if (answer_ != -1)
        ReportMessage((answer_ == 1 ? acceptButton_ : rejectButton_)->text().toStdString());
    // A window taken down before an answer counts as the agent's default answer, accepted.
    return answer_ != 0;
}
