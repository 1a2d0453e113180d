// The page cursor must cut exactly like the plain text operations, row after row,
// on pages full of two-byte characters, missing markers and markers in odd cases.
#include "sources/page_cursor.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "sources/text.h"

namespace {

constexpr std::string_view markers[] = {"rr[", ";", "code_string[", "=", "\"", "</td>"};

std::string randomPage(std::mt19937& random, std::size_t pieces) {
    static constexpr std::string_view bits[] = {
        "rr[", "RR[", ";", "=", "\"", "code_string[", "CODE_string[", "</td>", "</TD>", "x", "7",
        "\xB1", "\xB2\xB3", "\xA3\xBB", "\x81;", "\x90\"", "\xC0<", "<", "/td>", "r", "rr",
    };
    std::uniform_int_distribution<std::size_t> pick(0, std::size(bits) - 1);
    std::string page;
    for (std::size_t i = 0; i < pieces; ++i) page += bits[pick(random)];
    return page;
}

TEST(PageCursor, CutsLikeThePlainOperations) {
    std::mt19937 random(20100609);
    std::uniform_int_distribution<int> op(0, 2);
    std::uniform_int_distribution<std::size_t> which(0, std::size(markers) - 1);
    for (int page = 0; page < 3000; ++page) {
        const std::string text = randomPage(random, 1 + page % 60);
        PageCursor cursor(text);
        std::string_view plain = text;
        for (int step = 0; step < 40; ++step) {
            const std::string_view marker = markers[which(random)];
            switch (op(random)) {
                case 0:
                    ASSERT_EQ(cursor.contains(marker, false), findText(plain, marker, false) != -1)
                        << "page " << page << " step " << step;
                    ASSERT_EQ(cursor.contains(marker, true), findText(plain, marker, true) != -1);
                    break;
                case 1:
                    ASSERT_EQ(cursor.before(marker), takeBefore(plain, marker)) << "page " << page;
                    break;
                default:
                    cursor.skipPast(marker);
                    plain = takeAfter(plain, marker);
                    ASSERT_EQ(cursor.rest(), plain) << "page " << page << " step " << step;
            }
        }
    }
}

}  // namespace
