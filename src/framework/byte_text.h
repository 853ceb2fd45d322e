#pragma once

#include <QString>
#include <string>
#include <string_view>

// File names and other texts from outside are bytes, not always UTF-8 ("caf\xe9.bed" from a
// Latin-1 file system, on the command line, in a drop or in the recent-file list). Qt's own
// decoding turns such bytes into U+FFFD and the file can no longer be opened. These two
// conversions carry every byte through a QString unchanged: valid UTF-8 is decoded as usual,
// and each byte of an invalid sequence becomes the lone surrogate U+DC80..U+DCFF, which no
// valid UTF-8 can produce, and back.
class ByteText {
public:
    static QString FromBytes(std::string_view bytes);
    static std::string ToBytes(const QString& text);
};
