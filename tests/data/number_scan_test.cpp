#include "data/number_scan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

TEST(NumberScanTest, DoublesReadExactlyAsStrtodReadsThem) {
    // The plain-decimal fast path must give the very same bits as the C library.
    const char* inputs[] = {"523",
                            "-1.25",
                            ".5",
                            "5.",
                            "-0",
                            "+7",
                            "0.1",
                            "123456789012345",
                            "1234567890123456",
                            "0.333333333333333",
                            "99999.999999999",
                            "1e5",
                            "5x",
                            " 3",
                            "nan",
                            "-inf",
                            "0x1A",
                            "",
                            ".",
                            "-",
                            "1.2.3",
                            "1e400"};
    for (const char* input : inputs) {
        const double expected = std::strtod(input, nullptr);
        const double actual = ScanDouble(input);
        if (std::isnan(expected)) {
            EXPECT_TRUE(std::isnan(actual)) << input;
            continue;
        }
        EXPECT_EQ(std::memcmp(&expected, &actual, sizeof actual), 0)
            << input << ": " << actual << " instead of " << expected;
    }
}

TEST(NumberScanTest, LongsSaturateLikeA32BitStrtol) {
    const struct {
        const char* text;
        int32_t value;
        size_t consumed;
    } cases[] = {{"2147483647", 2147483647, 10},
                 {"2147483648", 2147483647, 10},
                 {"99999999999999999999", 2147483647, 20},
                 {"-2147483649", -2147483647 - 1, 11},
                 {" +12x", 12, 4},
                 {"x", 0, 0},
                 {"", 0, 0},
                 {" ", 0, 0},
                 {"-", 0, 0}};
    for (const auto& c : cases) {
        const Long32Scan scan = ScanLong32(c.text);
        EXPECT_EQ(scan.value, c.value) << c.text;
        EXPECT_EQ(scan.consumed, c.consumed) << c.text;
    }
}

}  // namespace
