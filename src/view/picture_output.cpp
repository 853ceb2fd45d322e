#include "view/picture_output.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "framework/output_file.h"
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

bool PictureOutput::EncodePdf(const QPageLayout& layout, int dotsPerInch,
                              const PanePrinter::Job& job, QByteArray& out,
                              CNotificationAgent* agent, bool* cancelled) {
    // Into memory, like the images: a printer that writes a file by name reports no failed
    // write, so a full disk would leave a cut-short PDF that looks written.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Locuscope"));
        writer.setResolution(dotsPerInch);
        if (!writer.setPageLayout(layout))
            return false;
        PanePrinter pages(job, QRect(QPoint(0, 0), layout.paintRectPixels(dotsPerInch).size()),
                          dotsPerInch);
        const int printed = pages.Print(writer, agent);
        if (cancelled != nullptr)
            *cancelled = printed < 0;
        if (printed <= 0)
            return false;
    }
    out = bytes;
    return true;
}

bool PictureOutput::WriteFile(const std::string& path, const std::vector<std::string>& inputs,
                              const std::function<bool(QByteArray&)>& produce,
                              std::string& failure) {
    failure.clear();
    OutputFile file;
    if (!file.Open(path, inputs)) {
        failure = file.Failure();
        return false;
    }
    QByteArray bytes;
    if (!produce(bytes))
        return false;
    file.Stream().write(bytes.constData(), bytes.size());
    if (!file.Commit()) {
        failure = file.Failure();
        return false;
    }
    return true;
}

std::string PictureOutput::FailureMessage(const char* message, const std::string& failure) {
    return failure.empty() ? std::string(message) : std::string(message) + " " + failure;
}
