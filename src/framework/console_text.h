#pragma once

#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>

// Text on its way to a terminal. Names, attributes and file names come from files, and a
// control sequence among them (ESC ] 2 ; ... BEL retitles a terminal) must not reach the
// terminal: every byte below 0x20, DEL (0x7F) and the two-byte UTF-8 form of the C1 controls
// (U+0080..U+009F, which some terminals obey as well) is written as \xNN. All other bytes pass
// unchanged, so names that are not UTF-8 still come out byte for byte.
class ConsoleText {
public:
    static std::string Escape(std::string_view text);
    // One tab-separated line: each field escaped (a tab inside a field included), joined by
    // tabs.
    static std::string Fields(std::initializer_list<std::string_view> fields);
    // Writes text escaped, then a line break.
    static void WriteLine(std::FILE* out, std::string_view text);
};
