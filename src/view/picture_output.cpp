#include "view/picture_output.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QSvgGenerator>
#include <fstream>

#include "view/gif_writer.h"

namespace {

const std::string kGifType = "gif";

// The image writer's format for a MIME type, compared exactly; empty when it has none.
QByteArray FormatFor(const std::string& type) {
    const QByteArray mime = QByteArray("image/") + QByteArray::fromStdString(type);
    if (!QImageWriter::supportedMimeTypes().contains(mime))
        return {};
    const QList<QByteArray> formats = QImageWriter::imageFormatsForMimeType(mime);
    return formats.isEmpty() ? QByteArray() : formats.front();
}

}  // namespace

std::string PictureOutput::ImageFilter(const std::string& type) {
    return type + " (*." + type + ")|*." + type + "|All Files (*.*)|*.*||";
}

bool PictureOutput::HasEncoder(const std::string& type) {
    return type == kGifType || !FormatFor(type).isEmpty();
}

bool PictureOutput::EncodeImage(const QImage& image, const std::string& type, QByteArray& out) {
    if (image.isNull())
        return false;
    if (type == kGifType)
        return GifWriter::Encode(image, out);
    const QByteArray format = FormatFor(type);
    if (format.isEmpty())
        return false;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image))
        return false;
    out = bytes;
    return true;
}

bool PictureOutput::EncodeSvg(const QSize& size, const std::function<void(QPainter&)>& draw,
                              QByteArray& out) {
    if (size.isEmpty())
        return false;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(QStringLiteral("Locuscope"));
    QPainter painter;
    if (!painter.begin(&generator))
        return false;
    draw(painter);
    if (!painter.end())
        return false;
    out = bytes;
    return true;
}

bool PictureOutput::WriteFile(const std::string& path, const QByteArray& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    return file && file.write(bytes.constData(), bytes.size()) && file.flush();
}
