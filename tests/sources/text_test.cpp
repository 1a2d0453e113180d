// The text operations at their edges: GBK pairs, missing markers, odd counts.
#include "sources/text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct FindCase {
    std::string text, marker;
    bool ignoreCase;
    TextSize expected;
};

TEST(TextFind, FindsAtCharacterStartsOnly) {
    const FindCase cases[] = {
        {"abc|def", "|", false, 4},
        {"abc", "x", false, -1},
        {"abc", "", false, 1},
        {"", "", false, -1},
        {"", "a", true, -1},
        {"IssueNumber", "issuenumber", true, 1},
        {"IssueNumber", "issuenumber", false, -1},
        {"xxIssueNumber", "ISSUENUMBER", true, 3},
        // B1 7C is one character; the '|' standing alone behind it is the match.
        {"\xB1|\x7C", "|", false, 3},
        {"\xB1|", "|", false, -1},
        // A pair whose second byte is '}' hides it; the next '}' counts.
        {"\x81}\"}", "\"}", false, 3},
        {"ab", "abc", false, -1},
        {"abc", "abc", false, 1},
        {"xabc", "bc", false, 3},
        // Only A-Z fold: bytes at 0x80 and above never do.
        {"\xC1\xC2", "\xE1\xE2", true, -1},
        {"[", "{", true, -1},
        // A lead byte at the very end has no second byte; the search still ends cleanly.
        {"ab\xB1", "\xB1", false, 3},
        {"ab\xB1", "x", false, -1},
        // B3 takes the '|' behind it as its second byte.
        {"\xB1\xB2\xB3|x|", "|", false, 6},
        {"\xB1\xB2\xB3||", "|", false, 5},
    };
    for (const FindCase& c : cases)
        EXPECT_EQ(findText(c.text, c.marker, c.ignoreCase), c.expected)
            << "text '" << c.text << "' marker '" << c.marker << "'";
}

TEST(TextFind, IgnoreCaseMatchesEitherCaseOfTheFirstLetter) {
    EXPECT_EQ(findText("..ROW tian", "row", true), 3);
    EXPECT_EQ(findText("..rOw tian", "RoW", true), 3);
    EXPECT_EQ(findText("..ROW tian row", "row", false), 12);
}

TEST(TextSlices, CountsBytesAndClampsTheCount) {
    struct Case {
        std::string text;
        TextSize count;
        std::string left, right;
    } cases[] = {
        {"abcdef", 0, "", ""},
        {"abcdef", -3, "", ""},
        {"abcdef", 2, "ab", "ef"},
        {"abcdef", 6, "abcdef", "abcdef"},
        {"abcdef", 99, "abcdef", "abcdef"},
        {"", 3, "", ""},
        // Slices may split a pair.
        {"\xB1\xB2\xB3\xB4", 1, "\xB1", "\xB4"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(leftBytes(c.text, c.count), c.left) << c.text << " " << c.count;
        EXPECT_EQ(rightBytes(c.text, c.count), c.right) << c.text << " " << c.count;
    }
}

TEST(TextCuts, TakeAfterAndTakeBefore) {
    struct Case {
        std::string text, marker, after, before;
    } cases[] = {
        {"ab|cd", "|", "cd", "ab"},
        // A missing marker drops as many bytes as it has; takeBefore gives nothing.
        {"ab|cd", "x", "b|cd", ""},
        {"ab|cd", "xyz", "cd", ""},
        {"ab|cd", "ab", "|cd", ""},
        {"ab|cd", "cd", "", "ab|"},
        {"ab", "abc", "", ""},
        {"ab", "xy", "", ""},
        {"", "|", "", ""},
        {"", "", "", ""},
        {"abc", "", "abc", ""},
        // The cuts fold case.
        {"aXYb", "xy", "b", "a"},
        // The marker's first byte behind a lead byte is no match.
        {"\xB1|x|y", "|", "y", "\xB1|x"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(takeAfter(c.text, c.marker), c.after) << c.text << " / " << c.marker;
        EXPECT_EQ(takeBefore(c.text, c.marker), c.before) << c.text << " / " << c.marker;
    }
}

TEST(TextReplace, ReplacesExactCaseFromTheFirstByte) {
    struct Case {
        std::string text, subtext, replacement;
        TextSize maxCount;
        std::string expected;
    } cases[] = {
        {"1,2,3,4,5,6", ",", "", 4, "12345,6"},
        {"1,2,3,4,5,6", ",", "", noLimit, "123456"},
        {"20100609-023", "-", "", noLimit, "20100609023"},
        {"2010-06-09-023", "-", "", noLimit, "20100609023"},
        {"abc", ",", "", 0, "abc"},
        {"", ",", "x", noLimit, ""},
        {"a,b", "", "x", noLimit, "a,b"},
        {"a,b", ",", ";;", noLimit, "a;;b"},
        // An inserted replacement is not searched again.
        {"aa", "a", "aa", noLimit, "aaaa"},
        {"aXa", "x", "", noLimit, "aXa"},
        {"abab", "ab", "", 1, "ab"},
        // The comma inside the pair B1 2C is its second byte and stays.
        {"\xB1,,", ",", "", noLimit, "\xB1,"},
        // A lone lead byte at the end is dropped when the scan reaches it...
        {"1,2\xB1", ",", "", noLimit, "12"},
        // ...but kept when the scan stops short of it (subtext longer than what is left)
        // or when the count is used up first.
        {"1,,2\xB1", ",,", "", noLimit, "12\xB1"},
        {"1,2\xB1", ",", "", 1, "12\xB1"},
        // A pair at the end is whole and stays.
        {"1,\xB1\xB2", ",", "", noLimit, "1\xB1\xB2"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(replaceText(c.text, c.subtext, c.replacement, c.maxCount), c.expected)
            << c.text << " / " << c.subtext;
}

TEST(TextBasics, LengthCompareConcatFromBytes) {
    EXPECT_EQ(textLength(""), 0);
    EXPECT_EQ(textLength("\xB1\xB2x"), 3);
    EXPECT_EQ(compareTexts(std::string_view{}, ""), 0);
    EXPECT_EQ(compareTexts("abc", "abc"), 0);
    EXPECT_LT(compareTexts("ab", "abc"), 0);
    EXPECT_GT(compareTexts("\xB1", "a"), 0);  // unsigned: 0xB1 sorts after 'a'
    EXPECT_EQ(concatTexts({"", "", ""}), "");
    EXPECT_EQ(concatTexts({"20", "100609023"}), "20100609023");
    EXPECT_EQ(concatTexts({"a", "", "b", "-"}), "ab-");

    using namespace std::string_literals;
    EXPECT_EQ(textFromBytes("abcd\0efg"s), "abcd");
    EXPECT_EQ(textFromBytes(""s), "");
    EXPECT_EQ(textFromBytes("\0abc"s), "");
    EXPECT_EQ(textFromBytes("abc"s), "abc");
}

TEST(TextLiterals, AreGbkBytes) {
    EXPECT_EQ(std::string("重庆彩"), std::string("\xD6\xD8\xC7\xEC\xB2\xCA"));
}

}  // namespace
