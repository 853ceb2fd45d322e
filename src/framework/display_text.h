#pragma once

#include <QString>
#include <string_view>

// Text from files as the window shows it. Bytes are decoded as UTF-8 (what is not UTF-8 shows
// as U+FFFD), and every control character (below U+0020, and U+007F to U+009F) shows as
// U+FFFD too: a line break, tab or escape sequence from a file never changes a label's layout
// or reaches a widget as anything but a visible mark.
class DisplayText {
public:
    static QString From(std::string_view bytes);
};
