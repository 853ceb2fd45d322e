#include "framework/console_text.h"

#include <gtest/gtest.h>

namespace {

TEST(ConsoleTextTest, ControlBytesAreEscapedAndEverythingElsePassesByteForByte) {
    const struct {
        std::string text;
        std::string shown;
    } cases[] = {
        // Escaped: C0 controls, DEL, and the C1 controls in their UTF-8 form.
        {"\x1b]2;title\x07", "\\x1B]2;title\\x07"},
        {std::string("a\0b", 3), "a\\x00b"},
        {"cr\rlf\n\x7f", "cr\\x0Dlf\\x0A\\x7F"},
        {"csi\xc2\x9b[31m", "csi\\xC2\\x9B[31m"},
        // Unchanged: printable UTF-8 (U+00A0 and U+00E9 share the C1 form's lead byte), and
        // bytes that are not UTF-8 at all, so that such file names still come out as they are.
        {"nbsp\xc2\xa0 caf\xc3\xa9", "nbsp\xc2\xa0 caf\xc3\xa9"},
        {"latin1 caf\xe9 \x9b \xc2", "latin1 caf\xe9 \x9b \xc2"},
        {"back\\slash", "back\\slash"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConsoleText::Escape(c.text), c.shown) << c.text;
    EXPECT_EQ(ConsoleText::Fields({"file", "a\tb.gff ", ""}), "file\ta\\x09b.gff \t");
}

}  // namespace
