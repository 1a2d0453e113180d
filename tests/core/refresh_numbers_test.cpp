// The interval box's numbers: reading a number at the start of a text, writing it
// back with "%.13g", and turning seconds into a timer period.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "core/refresh.h"

namespace {

TEST(IntervalNumbers, NumberFromTextReadsTheStart) {
    struct Case {
        std::string text;
        double expected;
    } cases[] = {
        {"0", 0},
        {"1", 1},
        {"42", 42},
        {"  7", 7},
        {"\t+3", 3},
        {"-2", -2},
        {"1.5", 1.5},
        {".5", 0.5},
        {"2e3", 2000},
        {"12abc", 12},
        {"3 4", 3},
        {"", 0},
        {"abc", 0},
        {"+", 0},
        {"-.", 0},
        {"0x10", 0},  // decimal only
        {"inf", 0},
        {"nan", 0},
        // Full-width digits and signs count as ASCII ones.
        {"\xA3\xB1\xA3\xB2", 12},
        {"\xA3\xAD\xA3\xB5", -5},
        {"\xA3\xB3.5", 3.5},
        // A lone A3 at the end stays a byte of its own.
        {"4\xA3", 4},
        // Only the full-width block folds; other pairs end the number.
        {"5\xB1\xB2", 5},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(numberFromText(c.text), c.expected) << "'" << c.text << "'";
}

TEST(IntervalNumbers, TextFromNumberUsesThirteenSignificantDigits) {
    struct Case {
        double number;
        std::string expected;
    } cases[] = {
        {0, "0"},
        {1, "1"},
        {-1, "-1"},
        {2147483, "2147483"},
        {1234567890123.0, "1234567890123"},
        {12345678901234.0, "1.234567890123e+13"},
        {0.5, "0.5"},
        {2.50, "2.5"},
    };
    for (const Case& c : cases) EXPECT_EQ(textFromNumber(c.number), c.expected) << c.number;
}

TEST(IntervalNumbers, PeriodIsThousandfoldCutAndWrappedTo32Bits) {
    struct Case {
        double seconds;
        std::int32_t expected;
    } cases[] = {
        {0, 0},
        {1, 1000},
        {3, 3000},
        {2.0007, 2000},
        {-1, -1000},
        {-0.0009, 0},
        {2147483, 2147483000},
        {2147483.647, 2147483647},
        // Beyond 2^31 - 1 ms the low 32 bits make a negative period.
        {2147484, -2147483296},
        {4294967.296, 0},
        {std::numeric_limits<double>::infinity(), 0},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const Case& c : cases) EXPECT_EQ(periodFromSeconds(c.seconds), c.expected) << c.seconds;
}

}  // namespace
