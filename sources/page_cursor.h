// A cursor over one downloaded page for the scrapers: the same cuts as takeAfter,
// takeBefore and findText on what is left of the page, without scanning the same
// bytes again for every row of a page whose later markers are missing.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

class PageCursor {
public:
    explicit PageCursor(std::string_view page) : page_(page) {}

    // What is left of the page.
    std::string_view rest() const { return page_.substr(at_); }

    // findText(rest(), marker, ignoreCase) != -1
    bool contains(std::string_view marker, bool ignoreCase);
    // rest() = takeAfter(rest(), marker)
    void skipPast(std::string_view marker);
    // takeBefore(rest(), marker)
    std::string_view before(std::string_view marker);

private:
    // The last answer for one marker: the first match of a scan that starts at
    // `from`. The rest of the page only ever shrinks from the front, and two scans
    // that start at different places fall into step after the first byte below
    // 0x80, so a later query reuses the answer after a short walk of its own.
    struct Memo {
        const char* marker = nullptr;
        std::size_t markerSize = 0;
        bool ignoreCase = false;
        std::size_t from = 0;
        std::size_t match = 0;
        // Where the walk that moved `from` began: the bytes from here to from - 1
        // are lead bytes, and the byte at from - 1 is below 0x80.
        std::size_t walkedFrom = 0;
    };
    std::size_t find(std::string_view marker, bool ignoreCase);
    Memo& memoFor(std::string_view marker, bool ignoreCase);

    std::string_view page_;
    std::size_t at_ = 0;
    std::array<Memo, 6> memos_{};
    std::size_t memosUsed_ = 0;
};
