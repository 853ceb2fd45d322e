#include "framework/c_trel_mem_dc.h"

#include <QPaintDevice>

CTrelMemDC::CTrelMemDC(const QPaintDevice& target, const QRect& rect, bool clearToBlack)
    : rect_(rect.isEmpty() ? QRect(0, 0, target.width(), target.height()) : rect) {
    if (rect_.isEmpty())
        return;
    image_ = QImage(rect_.size() * target.devicePixelRatioF(), QImage::Format_ARGB32_Premultiplied);
    image_.setDevicePixelRatio(target.devicePixelRatioF());
    image_.fill(clearToBlack ? Qt::black : Qt::transparent);
}

void CTrelMemDC::CopyTo(QPainter& painter) const {
    if (!IsValid())
        return;
    const QPainter::CompositionMode previous = painter.compositionMode();
    painter.setCompositionMode(QPainter::CompositionMode_Source);  // a plain copy
    painter.drawImage(rect_.topLeft(), image_);
    painter.setCompositionMode(previous);
}
