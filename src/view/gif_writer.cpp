#include "view/gif_writer.h"

#include <gif_lib.h>

#include <QHash>
#include <algorithm>
#include <limits>
#include <vector>

namespace {

constexpr int kPaletteSize = 256;
constexpr int kColorBits = 8;
constexpr int kOpaqueFrom = 0x80;
constexpr int kCubeLevels = 5;  // the spread of a palette for many colours: 5 x 5 x 5
constexpr int kCubeStep = 255 / (kCubeLevels - 1);  // alpha from which a pixel is drawn, not transparent
constexpr int kGraphicsControlBytes = 4;
constexpr unsigned char kHasTransparency = 0x01;

int WriteToArray(GifFileType* file, const GifByteType* data, int length) {
    static_cast<QByteArray*>(file->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

int Distance(QRgb a, QRgb b) {
    const int red = qRed(a) - qRed(b);
    const int green = qGreen(a) - qGreen(b);
    const int blue = qBlue(a) - qBlue(b);
    return red * red + green * green + blue * blue;
}

// The palette (at most 255 colours with transparent pixels, else 256) and each pixel's index;
// transparent pixels get the index after the palette's last.
struct Indexed {
    std::vector<QRgb> palette;
    std::vector<GifByteType> pixels;
    bool transparent = false;
};

Indexed ToIndexed(const QImage& argb) {
    Indexed result;
    QHash<QRgb, qint64> counts;
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(line[x]) < kOpaqueFrom)
                result.transparent = true;
            else
                ++counts[line[x] | 0xFF000000u];
        }
    }
    const int room = result.transparent ? kPaletteSize - 1 : kPaletteSize;
    std::vector<std::pair<qint64, QRgb>> byUse;
    byUse.reserve(static_cast<size_t>(counts.size()));
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        byUse.push_back({it.value(), it.key()});
    // Most used first; equal counts by colour, so the file does not depend on hash order.
    std::sort(byUse.begin(), byUse.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    // Too many colours: the most used ones, and an even spread of colours for the rest.
    const bool exact = static_cast<int>(byUse.size()) <= room;
    const int kept = exact ? room : room - kCubeLevels * kCubeLevels * kCubeLevels;
    for (const auto& entry : byUse) {
        if (static_cast<int>(result.palette.size()) == kept)
            break;
        result.palette.push_back(entry.second);
    }
    if (!exact) {
        for (int r = 0; r < kCubeLevels; ++r)
            for (int g = 0; g < kCubeLevels; ++g)
                for (int b = 0; b < kCubeLevels; ++b)
                    result.palette.push_back(qRgb(r * kCubeStep, g * kCubeStep, b * kCubeStep));
    }
    QHash<QRgb, GifByteType> indexOf;
    for (size_t i = 0; i < result.palette.size(); ++i)
        indexOf.insert(result.palette[i], static_cast<GifByteType>(i));
    for (const auto& entry : byUse) {
        const QRgb color = entry.second;
        if (indexOf.contains(color))
            continue;
        GifByteType index = 0;
        int best = std::numeric_limits<int>::max();
        for (size_t i = 0; i < result.palette.size(); ++i) {
            const int distance = Distance(color, result.palette[i]);
            if (distance < best) {
                best = distance;
                index = static_cast<GifByteType>(i);
            }
        }
        indexOf.insert(color, index);
    }
    const auto transparentIndex = static_cast<GifByteType>(room);
    result.pixels.reserve(static_cast<size_t>(argb.width()) * argb.height());
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            result.pixels.push_back(qAlpha(line[x]) < kOpaqueFrom
                                        ? transparentIndex
                                        : indexOf.value(line[x] | 0xFF000000u));
        }
    }
    return result;
}

}  // namespace

bool GifWriter::Encode(const QImage& image, QByteArray& out) {
    if (image.isNull() || image.width() > kMaximumSide || image.height() > kMaximumSide)
        return false;
    // Straight (not premultiplied) alpha, so opaque pixels keep their colour.
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const Indexed indexed = ToIndexed(argb);

    QByteArray bytes;
    int error = 0;
    GifFileType* file = EGifOpen(&bytes, WriteToArray, &error);
    if (file == nullptr)
        return false;
    ColorMapObject* map = GifMakeMapObject(kPaletteSize, nullptr);
    bool ok = map != nullptr;
    if (ok) {
        for (int i = 0; i < kPaletteSize; ++i) {
            const QRgb color =
                i < static_cast<int>(indexed.palette.size()) ? indexed.palette[size_t(i)] : 0;
            map->Colors[i] = {static_cast<GifByteType>(qRed(color)),
                              static_cast<GifByteType>(qGreen(color)),
                              static_cast<GifByteType>(qBlue(color))};
        }
        EGifSetGifVersion(file, indexed.transparent);
        ok = EGifPutScreenDesc(file, image.width(), image.height(), kColorBits, 0, map) ==
             GIF_OK;
    }
    if (ok && indexed.transparent) {
        const GifByteType control[kGraphicsControlBytes] = {
            kHasTransparency, 0, 0, static_cast<GifByteType>(kPaletteSize - 1)};
        ok = EGifPutExtension(file, GRAPHICS_EXT_FUNC_CODE, kGraphicsControlBytes, control) ==
             GIF_OK;
    }
    ok = ok && EGifPutImageDesc(file, 0, 0, image.width(), image.height(), false, nullptr) ==
                   GIF_OK;
    for (int y = 0; ok && y < image.height(); ++y) {
        ok = EGifPutLine(file,
                         const_cast<GifByteType*>(indexed.pixels.data()) +
                             static_cast<size_t>(y) * static_cast<size_t>(image.width()),
                         image.width()) == GIF_OK;
    }
    if (map != nullptr)
        GifFreeMapObject(map);
    ok = EGifCloseFile(file, &error) == GIF_OK && ok;
    if (ok)
        out = bytes;
    return ok;
}
