#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>

class QPaintDevice;

// An off-screen picture for flicker-free painting: draw into it, then copy it to the target in
// one operation at the rectangle it was made for.
class CTrelMemDC {
public:
    // A buffer the size of rect (the whole target device when rect is empty), optionally
    // filled black.
    CTrelMemDC(const QPaintDevice& target, const QRect& rect, bool clearToBlack);

    bool IsValid() const { return !image_.isNull(); }
    QImage& Image() { return image_; }
    const QRect& Rect() const { return rect_; }
    // Copies the buffer to painter at the rectangle's position; does nothing when invalid.
    void CopyTo(QPainter& painter) const;

private:
    QRect rect_;
    QImage image_;
};
