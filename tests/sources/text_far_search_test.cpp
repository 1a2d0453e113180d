// Searches over long texts, where the two cases of the marker's first letter lie far
// apart or one of them is missing (the scan looks for each case in growing windows),
// and markers looked for by a byte behind their first ("rr[" by its '['): each must
// stop exactly where the plain stepping loop stops.
#include "sources/text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// The search written as a plain stepping loop over the characters.
std::size_t steppingFind(std::string_view text, std::size_t from, std::string_view marker, bool ignoreCase) {
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; };
    for (std::size_t at = from; text.size() - at >= marker.size();) {
        bool match = true;
        for (std::size_t i = 0; i < marker.size() && match; ++i)
            match = ignoreCase ? fold(text[at + i]) == fold(marker[i]) : text[at + i] == marker[i];
        if (match) return at;
        if (static_cast<unsigned char>(text[at]) < 0x80) {
            at += 1;
        } else if (at + 1 == text.size()) {
            break;
        } else {
            at += 2;
        }
    }
    return std::string_view::npos;
}

// Long stretches without either case of 'r', broken by the letter in both cases,
// near-misses, and pairs whose second byte is the letter or the '['.
std::string farPage(std::mt19937& random) {
    static constexpr std::string_view bits[] = {
        "r", "R", "row", "ROW", "rOw", "ro", "w", "rr", "\xB1", "\xB1r", "\xB1R",
        "rr[", "Rr[", "r[", "[", "r\xB1[", "\xB1[", "\"}", "\xB1}", "\xB1\"}",
    };
    std::uniform_int_distribution<std::size_t> pick(0, std::size(bits) - 1), gap(0, 700);
    std::string page;
    for (int i = 0; i < 16; ++i) {
        const std::size_t filler = i % 2 == 0 ? gap(random) : gap(random) % 4;
        page += std::string(filler, i % 3 == 0 ? '\xC1' : 'x');
        page += bits[pick(random)];
    }
    return page;
}

TEST(TextFindFar, StopsWhereTheSteppingLoopStops) {
    std::mt19937 random(20100609);
    std::uniform_int_distribution<std::size_t> start(0, 4000);
    for (int round = 0; round < 2000; ++round) {
        const std::string page = farPage(random);
        for (std::string_view marker : {"row", "ROW", "r", "R", "rr[", "RR[", "[", "\"}", "r\xB1["}) {
            for (bool ignoreCase : {true, false}) {
                const std::size_t from = round % 4 == 0 ? 0 : start(random) % (page.size() + 1);
                ASSERT_EQ(findFrom(page, from, marker, ignoreCase), steppingFind(page, from, marker, ignoreCase))
                    << "round " << round << " marker " << marker << " from " << from;
            }
        }
    }
}

TEST(TextFindFar, OneCaseMissingFromTheWholeText) {
    const std::string filler(100000, 'x');
    EXPECT_EQ(findText(filler + "ROW", "row", true), 100001);
    EXPECT_EQ(findText(filler + "row", "ROW", true), 100001);
    EXPECT_EQ(findText("r" + filler + "ROW", "row", true), 100002);
    EXPECT_EQ(findText(filler + "R" + filler + "row", "ROW", true), 200002);
    EXPECT_EQ(findText(filler, "row", true), -1);
}

}  // namespace
