#include "framework/c_progress_ctrl_base.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cmath>

#include "framework/pump_messages.h"

namespace {

constexpr float kBusyPosition = -1.0f;
constexpr int kBusyBlockParts = 5;  // the busy block is a fifth of the bar
constexpr int kBorder = 1;

}  // namespace

CProgressCtrlBase::CProgressCtrlBase(QWidget* parent)
    : QWidget(parent), lastBusyUpdate_(MillisecondsSinceStart()) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

bool CProgressCtrlBase::SetRange(float lower, float upper) {
    if (lower > upper)
        return false;
    lower_ = lower;
    upper_ = upper;
    update();
    return true;
}

bool CProgressCtrlBase::GetRange(float& lower, float& upper) const {
    lower = lower_;
    upper = upper_;
    return lower_ < upper_;
}

float CProgressCtrlBase::SetPos(float position) {
    if (position < 0.0f) {
        // Only repeated busy updates are throttled: the first one must always show.
        const int now = MillisecondsSinceStart();
        if (busy_ && now - lastBusyUpdate_ < kBusyIntervalMilliseconds)
            return position_;
        lastBusyUpdate_ = now;
    }
    const int previous = wholePosition_;
    wholePosition_ = static_cast<int>(position);
    position_ = position;
    busy_ = position == kBusyPosition;
    if (busy_)
        MoveBusyBlock(width() - 2 * kBorder, busyOffset_, busyStep_);
    update();
    return static_cast<float>(previous);
}

float CProgressCtrlBase::StepIt() {
    return SetPos(position_ + step_);
}

float CProgressCtrlBase::SetStep(float step) {
    const float previous = step_;
    step_ = step;
    return previous;
}

void CProgressCtrlBase::SetPrefix(const std::string& prefix) {
    prefix_ = QString::fromStdString(prefix);
    update();
}

void CProgressCtrlBase::SetSuffix(const std::string& suffix) {
    suffix_ = QString::fromStdString(suffix);
    update();
}

void CProgressCtrlBase::SetShowPercent(bool show) {
    showPercent_ = show;
    update();
}

void CProgressCtrlBase::MoveBusyBlock(int width, int& offset, int& step) {
    const int blockWidth = width / kBusyBlockParts;
    offset += step;
    if (offset + blockWidth >= width || offset < 0) {
        step = -step;
        offset += step;
    }
    // A bar that shrank since the last move may have left the block outside.
    offset = std::clamp(offset, 0, std::max(0, width - blockWidth - 1));
}

QString CProgressCtrlBase::DisplayText() const {
    QString text;
    if (!prefix_.isEmpty())
        text = prefix_ + QLatin1Char(' ');
    if (busy_) {
        text += QStringLiteral("Processing...");
    } else if (showPercent_) {
        const double fraction = upper_ > lower_ ? (position_ - lower_) / (upper_ - lower_) : 0.0;
        text += QString::asprintf("%d%%", static_cast<int>(fraction * 100.0 + 0.5));
    }
    if (!suffix_.isEmpty())
        text += QLatin1Char(' ') + suffix_;
    return text;
}

QSize CProgressCtrlBase::sizeHint() const {
    const QFontMetrics metrics(font());
    return QSize(metrics.averageCharWidth() * 40, metrics.height() + 4 + 2 * kBorder);
}

QSize CProgressCtrlBase::minimumSizeHint() const {
    const QFontMetrics metrics(font());
    return QSize(metrics.averageCharWidth() * 10, metrics.height() + 4 + 2 * kBorder);
}

void CProgressCtrlBase::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!(lower_ < upper_))
        return;

    const QRect client = rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
    painter.fillRect(client, palette().color(QPalette::Base));
    QRect filled;
    if (busy_) {
        filled = QRect(client.left() + busyOffset_, client.top(), client.width() / kBusyBlockParts,
                       client.height());
    } else {
        const double fraction = std::clamp((position_ - lower_) / (upper_ - lower_), 0.0f, 1.0f);
        filled = QRect(client.left(), client.top(), static_cast<int>(client.width() * fraction),
                       client.height());
    }
    painter.fillRect(filled, palette().color(QPalette::Highlight));

    // The text changes colour where the bar runs under it.
    const QString text = DisplayText();
    const QRegion onBar = QRegion(filled) & QRegion(client);
    painter.setClipRegion(QRegion(client) - onBar);
    painter.setPen(palette().color(QPalette::Highlight));
    painter.drawText(client, Qt::AlignCenter | Qt::TextSingleLine, text);
    painter.setClipRegion(onBar);
    painter.setPen(palette().color(QPalette::HighlightedText));
    painter.drawText(client, Qt::AlignCenter | Qt::TextSingleLine, text);
}
