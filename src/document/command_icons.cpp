#include "document/command_icons.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <functional>

#include "document/command_ids.h"

namespace {

constexpr int kSize = 32;  // drawn large, shown at the toolbar's size
const QColor kInk(0x2B, 0x3A, 0x4A);
const QColor kAccent(0x1F, 0x6F, 0xB5);
const QColor kPaper(0xFA, 0xFA, 0xF7);

QIcon Drawn(const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return QIcon(pixmap);
}

QPen Pen(const QColor& color, double width) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void DrawPointer(QPainter& p) {
    QPainterPath arrow;
    arrow.moveTo(9, 4);
    arrow.lineTo(9, 25);
    arrow.lineTo(14, 20);
    arrow.lineTo(18, 28);
    arrow.lineTo(21, 26.5);
    arrow.lineTo(17, 18.5);
    arrow.lineTo(24, 18.5);
    arrow.closeSubpath();
    p.setPen(Pen(kInk, 1.8));
    p.setBrush(Qt::white);
    p.drawPath(arrow);
}

void DrawMagnifier(QPainter& p) {
    p.setPen(Pen(kInk, 3.5));
    p.drawLine(QPointF(19, 19), QPointF(27, 27));
    p.setPen(Pen(kInk, 2.4));
    p.setBrush(QColor(0xD8, 0xEA, 0xF8));
    p.drawEllipse(QPointF(13, 13), 8.5, 8.5);
    p.setPen(Pen(kAccent, 2));
    p.drawLine(QPointF(9, 13), QPointF(17, 13));
    p.drawLine(QPointF(13, 9), QPointF(13, 17));
}

void DrawRuler(QPainter& p) {
    p.save();
    p.translate(16, 16);
    p.rotate(-35);
    p.setPen(Pen(kInk, 1.8));
    p.setBrush(QColor(0xF2, 0xD4, 0x7A));
    p.drawRoundedRect(QRectF(-14, -5, 28, 10), 1.5, 1.5);
    for (int i = -10; i <= 10; i += 4)
        p.drawLine(QPointF(i, -5), QPointF(i, i % 8 == 2 || i % 8 == -6 ? 1 : -1.5));
    p.restore();
}

void DrawScale(QPainter& p, const QString& letter) {
    p.setPen(Pen(kInk, 2));
    p.drawLine(QPointF(7, 4), QPointF(7, 28));
    for (int y = 6; y <= 26; y += 5)
        p.drawLine(QPointF(4, y), QPointF(7, y));
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(17);
    p.setFont(font);
    p.setPen(kAccent);
    p.drawText(QRectF(10, 4, 21, 24), Qt::AlignCenter, letter);
}

void DrawPointSize(QPainter& p, bool grow) {
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    const double half = grow ? 7 : 3.5;
    p.drawRect(QRectF(12 - half, 20 - half, 2 * half, 2 * half));
    p.setPen(Pen(kInk, 2.6));
    p.drawLine(QPointF(19, 8), QPointF(29, 8));
    if (grow)
        p.drawLine(QPointF(24, 3), QPointF(24, 13));
}

void DrawPrinter(QPainter& p) {
    p.setPen(Pen(kInk, 1.8));
    p.setBrush(kPaper);
    p.drawRect(QRectF(9, 4, 14, 9));
    p.setBrush(QColor(0xB8, 0xC4, 0xCF));
    p.drawRoundedRect(QRectF(4, 12, 24, 11), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(9, 19, 14, 9));
    p.setPen(Pen(kAccent, 1.5));
    p.drawLine(QPointF(12, 23), QPointF(20, 23));
    p.drawLine(QPointF(12, 26), QPointF(18, 26));
}

void DrawPreview(QPainter& p) {
    p.setPen(Pen(kInk, 1.8));
    p.setBrush(kPaper);
    p.drawRect(QRectF(5, 3, 17, 23));
    p.setPen(Pen(kAccent, 1.5));
    for (int y = 8; y <= 16; y += 4)
        p.drawLine(QPointF(8, y), QPointF(18, y));
    p.setPen(Pen(kInk, 3));
    p.drawLine(QPointF(22, 22), QPointF(28, 28));
    p.setPen(Pen(kInk, 2));
    p.setBrush(QColor(0xD8, 0xEA, 0xF8));
    p.drawEllipse(QPointF(19, 19), 5, 5);
}

void DrawImport(QPainter& p) {
    p.setPen(Pen(kInk, 1.8));
    p.setBrush(kPaper);
    p.drawRect(QRectF(6, 3, 16, 22));
    // Three feature bars, as in a track.
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawRect(QRectF(9, 8, 8, 3));
    p.drawRect(QRectF(12, 13, 7, 3));
    p.drawRect(QRectF(9, 18, 5, 3));
    p.setPen(Pen(QColor(0x2E, 0x8B, 0x3E), 3));
    p.drawLine(QPointF(25, 14), QPointF(25, 28));
    p.drawLine(QPointF(20, 23), QPointF(25, 28));
    p.drawLine(QPointF(30, 23), QPointF(25, 28));
}

QIcon StandardIcon(QStyle::StandardPixmap pixmap) {
    return QApplication::style()->standardIcon(pixmap);
}

}  // namespace

QIcon CommandIcon(int commandId) {
    namespace Id = CommandId;
    switch (commandId) {
        case Id::kFileNew: return StandardIcon(QStyle::SP_FileIcon);
        case Id::kImport: return Drawn(DrawImport);
        case Id::kFilePrintPreview: return Drawn(DrawPreview);
        case Id::kFilePrint: return Drawn(DrawPrinter);
        case Id::kToolPointer: return Drawn(DrawPointer);
        case Id::kToolMagnifier: return Drawn(DrawMagnifier);
        case Id::kToolRuler: return Drawn(DrawRuler);
        case Id::kAutoScale: return Drawn([](QPainter& p) { DrawScale(p, QStringLiteral("A")); });
        case Id::kManualScale: return Drawn([](QPainter& p) { DrawScale(p, QStringLiteral("M")); });
        case Id::kIncreasePointSize: return Drawn([](QPainter& p) { DrawPointSize(p, true); });
        case Id::kDecreasePointSize: return Drawn([](QPainter& p) { DrawPointSize(p, false); });
        case Id::kGoBack: return StandardIcon(QStyle::SP_ArrowBack);
        case Id::kGoForward: return StandardIcon(QStyle::SP_ArrowForward);
        case Id::kScrollRowsUp: return StandardIcon(QStyle::SP_ArrowUp);
        case Id::kScrollRowsDown: return StandardIcon(QStyle::SP_ArrowDown);
        default: return QIcon();
    }
}
