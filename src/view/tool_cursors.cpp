#include "view/tool_cursors.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kCursorSize = 32;  // logical pixels
constexpr qreal kLensRadius = 8.5;
const QPointF kLensCentre(11.5, 11.5);

QPixmap CursorCanvas() {
    const qreal ratio = qMax<qreal>(qGuiApp->devicePixelRatio(), 1.0);
    QPixmap pixmap(QSize(kCursorSize, kCursorSize) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

}  // namespace

namespace ToolCursors {

QCursor Magnifier(bool zoomOut) {
    QPixmap pixmap = CursorCanvas();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // A white halo under every stroke keeps the shape visible on dark and light tracks alike.
    const auto stroke = [&painter](const QPainterPath& path, qreal width) {
        painter.strokePath(path, QPen(Qt::white, width + 2.5, Qt::SolidLine, Qt::RoundCap));
        painter.strokePath(path,
                           QPen(QColor(0x20, 0x20, 0x20), width, Qt::SolidLine, Qt::RoundCap));
    };
    QPainterPath handle;
    handle.moveTo(kLensCentre + QPointF(6.5, 6.5));
    handle.lineTo(27.5, 27.5);
    stroke(handle, 3.5);
    painter.setBrush(QColor(0xE8, 0xF2, 0xFF, 0xD0));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(kLensCentre, kLensRadius, kLensRadius);
    QPainterPath lens;
    lens.addEllipse(kLensCentre, kLensRadius, kLensRadius);
    stroke(lens, 1.6);
    QPainterPath sign;
    sign.moveTo(kLensCentre + QPointF(-4, 0));
    sign.lineTo(kLensCentre + QPointF(4, 0));
    if (!zoomOut) {
        sign.moveTo(kLensCentre + QPointF(0, -4));
        sign.lineTo(kLensCentre + QPointF(0, 4));
    }
    painter.strokePath(sign, QPen(QColor(0x20, 0x20, 0x20), 1.8, Qt::SolidLine, Qt::FlatCap));
    painter.end();
    return QCursor(pixmap, static_cast<int>(kLensCentre.x()), static_cast<int>(kLensCentre.y()));
}

QCursor Ruler() {
    QPixmap pixmap = CursorCanvas();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body(1.5, 10.5, 28, 10);
    painter.setPen(QPen(QColor(0x20, 0x20, 0x20), 1.2));
    painter.setBrush(QColor(0xF5, 0xD7, 0x6E));
    painter.drawRect(body);
    for (int tick = 0; tick <= 6; ++tick) {
        const qreal x = body.left() + 4 * tick;
        const qreal length = tick % 2 == 0 ? 5 : 3;
        painter.drawLine(QPointF(x, body.top()), QPointF(x, body.top() + length));
    }
    // The hot spot: a vertical hairline at the rule's left end.
    painter.setPen(QPen(QColor(0xC0, 0x10, 0x10), 1.2));
    painter.drawLine(QPointF(1.5, 1), QPointF(1.5, 30));
    painter.end();
    return QCursor(pixmap, 1, 15);
}

}  // namespace ToolCursors
