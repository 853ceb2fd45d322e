#include "framework/display_text.h"

namespace {

constexpr char16_t kFirstPrintable = 0x20;
constexpr char16_t kFirstControlAfterAscii = 0x7F;
constexpr char16_t kLastControl = 0x9F;

}  // namespace

QString DisplayText::From(std::string_view bytes) {
    QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    for (QChar& c : text) {
        const char16_t unit = c.unicode();
        if (unit < kFirstPrintable || (unit >= kFirstControlAfterAscii && unit <= kLastControl))
            c = QChar::ReplacementCharacter;
    }
    return text;
}
