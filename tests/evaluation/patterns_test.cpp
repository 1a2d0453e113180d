// The pattern labels for well-formed and malformed digits.
#include "evaluation/patterns.h"

#include <gtest/gtest.h>

#include "core/program.h"
#include "fake_platform.h"

namespace {

TEST(Patterns, DescribeEachWindowAndEachDigit) {
    struct Case {
        std::string numbers;
        const char *first, *middle, *last, *bigSmall, *oddEven;
    } cases[] = {
        {"38016", "组六", "组六", "组六", "小大小小大", "单双双单双"},
        {"55512", "包子", "组三", "组六", "大大大小小", "单单单单双"},
        {"12131", "组三", "组六", "组三", "小小小小小", "单双单单单"},
        {"99999", "包子", "包子", "包子", "大大大大大", "单单单单单"},
        {"04826", "组六", "组六", "组六", "小小大小大", "双双双双双"},
        // Empty digits are all equal and count as found.
        {"", "包子", "包子", "包子", "大大大大大", "单单单单单"},
        // d4 and d5 are both the last byte of a short text.
        {"123", "组六", "组三", "包子", "小小小小小", "单双单单单"},
        // d5 is the last byte, not the fifth.
        {"12345,6", "组六", "组六", "组六", "小小小小大", "单双单双双"},
        // A comma is neither big nor odd.
        {"1,2,3", "组六", "组三", "组六", "小小小小小", "单双双双单"},
    };
    for (const Case& c : cases) {
        const PatternTexts texts = describePatterns(c.numbers);
        EXPECT_EQ(texts.firstThree, std::string("前三形态:") + c.first) << c.numbers;
        EXPECT_EQ(texts.middleThree, std::string("中三形态:") + c.middle) << c.numbers;
        EXPECT_EQ(texts.lastThree, std::string("后三形态:") + c.last) << c.numbers;
        EXPECT_EQ(texts.bigSmall, std::string("五星大小形态：") + c.bigSmall) << c.numbers;
        EXPECT_EQ(texts.oddEven, std::string("五星单双形态：") + c.oddEven) << c.numbers;
    }
}

TEST(Patterns, AnalysisWritesTheFiveLabelsInOrder) {
    FakePlatform platform;
    Program program(platform);
    program.state.setShownNumbers("38016");
    analysePatterns(program);
    const std::vector<Control> order = {Control::标签_前三形态, Control::标签_中三形态, Control::标签_后三形态,
                                        Control::标签_五星大小形态, Control::标签_五星单双形态};
    EXPECT_EQ(platform.textWrites, order);
    EXPECT_EQ(platform.controlText(Control::标签_五星大小形态), "五星大小形态：小大小小大");
    // The colon of the window texts is ASCII, that of the five-digit labels full width.
    EXPECT_EQ(platform.controlText(Control::标签_后三形态), "\xBA\xF3\xC8\xFD\xD0\xCE\xCC\xAC:\xD7\xE9\xC1\xF9");
}

}  // namespace
