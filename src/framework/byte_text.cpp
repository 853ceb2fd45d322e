#include "framework/byte_text.h"

namespace {

constexpr char16_t kEscapeBase = 0xDC00;   // lone surrogate = kEscapeBase + byte
constexpr char16_t kFirstEscape = 0xDC80;  // bytes below 0x80 are always valid UTF-8
constexpr char16_t kLastEscape = 0xDCFF;

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 sequence at bytes[at] (no overlong forms, surrogates or
// values beyond U+10FFFF), or 0 when there is none.
size_t SequenceLength(std::string_view bytes, size_t at) {
    const auto byteAt = [&](size_t i) {
        return at + i < bytes.size() ? static_cast<unsigned char>(bytes[at + i]) : 0;
    };
    const unsigned char lead = byteAt(0);
    if (lead < 0x80)
        return 1;
    size_t length = 0;
    unsigned char low = 0x80;  // the allowed range of the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (byteAt(1) < low || byteAt(1) > high)
        return 0;
    for (size_t i = 2; i < length; ++i) {
        if (!IsContinuation(byteAt(i)))
            return 0;
    }
    return length;
}

}  // namespace

QString ByteText::FromBytes(std::string_view bytes) {
    QString text;
    size_t runStart = 0;  // start of the valid UTF-8 not yet decoded
    size_t at = 0;
    const auto flushRun = [&] {
        text += QString::fromUtf8(bytes.data() + runStart, static_cast<qsizetype>(at - runStart));
    };
    while (at < bytes.size()) {
        const size_t length = SequenceLength(bytes, at);
        if (length != 0) {
            at += length;
            continue;
        }
        flushRun();
        text += QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[at])));
        runStart = ++at;
    }
    flushRun();
    return text;
}

std::string ByteText::ToBytes(const QString& text) {
    std::string bytes;
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;  // a pair: a character beyond U+FFFF, not an escaped byte
            continue;
        }
        if (unit < kFirstEscape || unit > kLastEscape)
            continue;
        bytes += text.mid(runStart, i - runStart).toStdString();
        bytes += static_cast<char>(unit - kEscapeBase);
        runStart = i + 1;
    }
    bytes += text.mid(runStart).toStdString();
    return bytes;
}
