#include "app/app_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "app/locuscope_version.h"

namespace {

// Three feature tracks with a ruler: the picture of what the program shows.
void DrawTracks(QPainter& p, const QRectF& area, const QColor& background) {
    const double w = area.width();
    const double h = area.height();
    p.save();
    p.translate(area.topLeft());
    p.setPen(Qt::NoPen);
    p.setBrush(background);
    p.drawRoundedRect(QRectF(0, 0, w, h), w * 0.18, w * 0.18);
    const QColor colors[] = {QColor(0x1F, 0x6F, 0xB5), QColor(0x2E, 0x8B, 0x3E),
                             QColor(0xD9, 0x6C, 0x1E)};
    const double bars[3][4] = {
        {0.12, 0.40, 0.52, 0.86}, {0.22, 0.48, 0.62, 0.78}, {0.10, 0.30, 0.44, 0.70}};
    // Edges on whole pixels and lines on pixel centres keep the small icon sizes sharp.
    const auto bar = [&](double left, double right, double top) {
        const double bottom = std::max(std::round(top + h * 0.12), std::round(top) + 1);
        return QRectF(QPointF(std::round(w * left), std::round(top)),
                      QPointF(std::round(w * right), bottom));
    };
    for (int row = 0; row < 3; ++row) {
        const double y = h * (0.30 + row * 0.22);
        p.setBrush(colors[row]);
        p.drawRect(bar(bars[row][0], bars[row][1], y));
        p.drawRect(bar(bars[row][2], bars[row][3], y));
    }
    const double penWidth = std::max(1.0, std::round(w / 32));
    const double centre = int(penWidth) % 2 == 1 ? 0.5 : 0.0;
    const auto onPixels = [&](double v) { return std::floor(v) + centre; };
    p.setPen(QPen(QColor(0x33, 0x33, 0x33), penWidth, Qt::SolidLine, Qt::FlatCap));
    const double rulerY = onPixels(h * 0.18);
    p.drawLine(QPointF(onPixels(w * 0.1), rulerY), QPointF(onPixels(w * 0.9), rulerY));
    for (int i = 0; i <= 4; ++i) {
        const double x = onPixels(w * (0.1 + 0.2 * i));
        p.drawLine(QPointF(x, onPixels(h * 0.12)), QPointF(x, rulerY));
    }
    p.restore();
}

}  // namespace

QImage ApplicationIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawTracks(painter, QRectF(0, 0, size, size), QColor(0xF4, 0xF1, 0xE8));
    return image;
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (const int size : {16, 32, 64, 128})
        icon.addPixmap(QPixmap::fromImage(ApplicationIconImage(size)));
    return icon;
}

QPixmap SplashPicture() {
    constexpr int kWidth = 520;
    constexpr int kHeight = 300;
    QPixmap pixmap(kWidth, kHeight);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0, QColor(0x16, 0x3A, 0x5F));
    sky.setColorAt(1, QColor(0x0B, 0x1D, 0x30));
    p.fillRect(pixmap.rect(), sky);
    DrawTracks(p, QRectF(36, 52, 150, 150), QColor(0xF4, 0xF1, 0xE8));

    p.setPen(Qt::white);
    QFont title(QStringLiteral("Arial"));
    title.setPixelSize(46);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRectF(210, 70, 300, 60), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Locuscope"));
    QFont line(QStringLiteral("Arial"));
    line.setPixelSize(16);
    p.setFont(line);
    p.setPen(QColor(0xC9, 0xD6, 0xE3));
    p.drawText(QRectF(212, 130, 300, 24), Qt::AlignLeft,
               QStringLiteral("Genomic features, track by track"));
    p.drawText(QRectF(212, 156, 300, 24), Qt::AlignLeft,
               QStringLiteral("Version %1").arg(LocuscopeVersion()));
    // A faint ruler along the bottom, as under the tracks of the view.
    p.setPen(QPen(QColor(0x6F, 0x8F, 0xAF), 1));
    p.drawLine(30, kHeight - 40, kWidth - 30, kHeight - 40);
    for (int x = 30; x <= kWidth - 30; x += 23)
        p.drawLine(x, kHeight - 40, x, kHeight - (x % 115 == 30 ? 52 : 46));
    return pixmap;
}
