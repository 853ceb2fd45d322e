#include "framework/c_dialog_base.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <fstream>

#include "framework/display_text.h"
#include "framework/settings.h"

namespace {

// Tooltips come from the control's own text; a multi-line box would only repeat its first
// line over the text the user is reading, and a password must never be shown.
bool WantsToolTip(const QWidget* control) {
    if (qobject_cast<const QPlainTextEdit*>(control) || qobject_cast<const QTextEdit*>(control))
        return false;
    const auto* edit = qobject_cast<const QLineEdit*>(control);
    return edit == nullptr || edit->echoMode() == QLineEdit::Normal;
}

QRect ScreenRect() {
    // The whole virtual desktop, so a window left on a second monitor stays there.
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->virtualGeometry() : QRect();
}

}  // namespace

CDialogBase::CDialogBase(QWidget* parent) : QDialog(parent) {}

void CDialogBase::InitDialogBase() {
    if (initialised_)
        return;
    initialised_ = true;
    OnInitDialog();
    for (QWidget* child : findChildren<QWidget*>()) {
        if (!WantsToolTip(child))
            continue;
        child->setToolTip(ControlText(child).left(kToolTipLength));
        child->installEventFilter(this);
    }
    initialClientRect = rect();
}

bool CDialogBase::eventFilter(QObject* watched, QEvent* event) {
    // Refresh the text just before Qt shows the tooltip: buttons change their captions.
    if (event->type() == QEvent::ToolTip && watched->isWidgetType()) {
        auto* control = static_cast<QWidget*>(watched);
        control->setToolTip(ControlText(control).left(kToolTipLength));
    }
    return QDialog::eventFilter(watched, event);
}

void CDialogBase::showEvent(QShowEvent* event) {
    InitDialogBase();
    QDialog::showEvent(event);
}

void CDialogBase::closeEvent(QCloseEvent* event) {
    SetCancelRequested(true);
    QDialog::closeEvent(event);
}

QString CDialogBase::ControlText(const QWidget* control) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentText();
    if (const auto* group = qobject_cast<const QGroupBox*>(control))
        return group->title();
    if (const auto* box = qobject_cast<const QPlainTextEdit*>(control))
        return box->toPlainText();
    if (const auto* box = qobject_cast<const QTextEdit*>(control))
        return box->toPlainText();
    return QString();
}

void CDialogBase::ReportMessage(const char* text) {
    ReportMessage(std::string(text != nullptr ? text : ""));
}

void CDialogBase::ReportMessage(const std::string& text) {
    if (!WindowExists())
        return;
    if (CNotificationAgent* next = ForwardTarget())
        next->ReportMessage(text);
    if (!logPath.empty()) {
        std::ofstream log(logPath, std::ios::app);
        if (log && !text.empty())
            log << text << '\n';
    }
    if (statusBox_ != nullptr) {
        QString line = DisplayText::From(text);
        if (line.size() > kStatusBoxCapacity)
            line = line.right(kStatusBoxCapacity);
        AppendToStatusBox(line + QLatin1Char('\n'));
    }
}

void CDialogBase::AppendToStatusBox(const QString& line) {
    QTextCursor cursor(statusBox_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(line);
    // Positions count every character and line break once; the last one is the document's
    // own closing separator, not part of the text.
    const int excess = statusBox_->document()->characterCount() - 1 - kStatusBoxCapacity;
    if (excess > 0) {
        cursor.setPosition(0);
        cursor.setPosition(excess, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    statusBox_->moveCursor(QTextCursor::End);
    QScrollBar* scrollBar = statusBox_->verticalScrollBar();
    scrollBar->setValue(scrollBar->maximum());
}

void CDialogBase::SetCancelRequested(bool value) {
    cancelRequested_ = value;
}

bool CDialogBase::IsCancelRequested(bool reset) {
    if (cancelRequested_) {
        if (reset)
            cancelRequested_ = false;
        return true;
    }
    return CNotificationAgent::IsCancelRequested(reset);
}

bool CDialogBase::SaveWindowRect(const std::string& key) {
    if (isMinimized() || isMaximized())
        return false;
    const QRect area = geometry();
    bool written = WriteSettingInt(kWindowRectSection, key + "_left", area.left());
    written = WriteSettingInt(kWindowRectSection, key + "_top", area.top()) && written;
    written =
        WriteSettingInt(kWindowRectSection, key + "_right", area.x() + area.width()) && written;
    return WriteSettingInt(kWindowRectSection, key + "_bottom", area.y() + area.height()) &&
           written;
}

bool CDialogBase::RestoreWindowRect(const std::string& key, const QRect& defaultRect) {
    const int left = ReadSettingInt(kWindowRectSection, key + "_left", defaultRect.left());
    const int top = ReadSettingInt(kWindowRectSection, key + "_top", defaultRect.top());
    const int right =
        ReadSettingInt(kWindowRectSection, key + "_right", defaultRect.x() + defaultRect.width());
    const int bottom =
        ReadSettingInt(kWindowRectSection, key + "_bottom", defaultRect.y() + defaultRect.height());
    const QRect clipped =
        QRect(QPoint(left, top), QSize(right - left, bottom - top)) & ScreenRect();
    if (clipped.width() < kMinimumRestoredSize || clipped.height() < kMinimumRestoredSize)
        return false;
    setGeometry(clipped);
    return true;
}

void CDialogBase::CenterOnScreen(int dx, int dy) {
    const QScreen* onScreen = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (onScreen == nullptr)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(onScreen->geometry().center() + QPoint(dx, dy));
    move(frame.topLeft());
}

void CDialogBase::EnableControl(QWidget* control, bool enable) {
    if (WindowExists() && control != nullptr && isAncestorOf(control))
        control->setEnabled(enable);
}

bool CDialogBase::IsControlTextEmpty(const QWidget* control) const {
    if (!WindowExists())
        return false;
    return control == nullptr || ControlText(control).isEmpty();
}

QSize CDialogBase::DialogUnitsToPixels(int width, int height) const {
    const QFontMetrics metrics(font());
    return QSize(width * metrics.averageCharWidth() / 4, height * metrics.height() / 8);
}

std::pair<QPushButton*, QPushButton*> CDialogBase::LayOutWithOkCancel(QFormLayout* form) {
    auto* okButton = new QPushButton(QStringLiteral("OK"), this);
    auto* cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addSpacing(DialogUnitsToPixels(0, 4).height());
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    return {okButton, cancelButton};
}
