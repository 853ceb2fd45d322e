#pragma once

#include <QByteArray>
#include <QImage>

// Encodes a picture as a GIF (Qt reads GIF but cannot write it). GIF holds at most 256
// colours: a picture with fewer keeps its colours exactly, a richer one is mapped to its 256
// most used colours. Pixels less than half opaque become the GIF's transparent colour; the
// others are written opaque.
class GifWriter {
public:
    // GIF sizes are 16-bit.
    static constexpr int kMaximumSide = 65535;

    // The GIF file's bytes in out; false (out untouched) for a null or too large image or when
    // the encoder fails.
    static bool Encode(const QImage& image, QByteArray& out);
};
