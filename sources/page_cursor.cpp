// The scrapers' page cursor: memoised searches over a page that is cut from the front.
#include "sources/page_cursor.h"

#include <cstring>

#include "sources/text.h"

namespace {
constexpr std::size_t npos = std::string_view::npos;
constexpr bool isLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }
constexpr unsigned char foldCase(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

bool matchesAt(std::string_view page, std::size_t at, std::string_view marker, bool ignoreCase) {
    if (!ignoreCase) return std::memcmp(page.data() + at, marker.data(), marker.size()) == 0;
    for (std::size_t i = 0; i < marker.size(); ++i)
        if (foldCase(page[at + i]) != foldCase(marker[i])) return false;
    return true;
}
}  // namespace

PageCursor::Memo& PageCursor::memoFor(std::string_view marker, bool ignoreCase) {
    for (std::size_t i = 0; i < memosUsed_; ++i) {
        Memo& memo = memos_[i];
        if (memo.marker == marker.data() && memo.markerSize == marker.size() && memo.ignoreCase == ignoreCase)
            return memo;
    }
    // Markers are a scraper's own constants, a handful per page; recycle the last slot beyond that.
    Memo& memo = memos_[memosUsed_ < memos_.size() ? memosUsed_++ : memos_.size() - 1];
    memo = Memo{marker.data(), marker.size(), ignoreCase, npos, npos, npos};
    return memo;
}

std::size_t PageCursor::find(std::string_view marker, bool ignoreCase) {
    // The shortcut relies on a match starting with a byte below 0x80.
    if (marker.empty() || isLeadByte(marker.front())) return findFrom(page_, at_, marker, ignoreCase);
    if (at_ >= page_.size() || page_.size() - at_ < marker.size()) return npos;

    Memo& memo = memoFor(marker, ignoreCase);
    if (memo.from == npos || at_ < memo.walkedFrom) {
        memo.walkedFrom = memo.from = at_;
        memo.match = findFrom(page_, at_, marker, ignoreCase);
        return memo.match;
    }
    if (at_ == memo.from) return memo.match;

    const std::size_t last = page_.size() - marker.size();
    if (at_ < memo.from) {
        // Among the lead bytes an earlier walk went over (a missing marker dropped
        // fewer bytes than the walk covered): the byte below 0x80 behind them starts
        // a character of this scan when an even number of them lies ahead of it.
        // Without this, every such query scanned on to the end of the page.
        const std::size_t inStepByte = memo.from - 1;
        if ((inStepByte - at_) % 2 == 0 && inStepByte <= last && matchesAt(page_, inStepByte, marker, ignoreCase))
            return inStepByte;
        return memo.match;
    }

    // Walk this scan's own characters up to the first byte below 0x80; behind it
    // the scan is in step with the remembered one.
    std::size_t inStep = npos;
    for (std::size_t b = at_; b <= last;) {
        if (!isLeadByte(page_[b])) {
            if (matchesAt(page_, b, marker, ignoreCase)) {
                memo.walkedFrom = memo.from = at_;
                memo.match = b;
                return b;
            }
            inStep = b + 1;
            break;
        }
        if (b + 1 < page_.size() && !isLeadByte(page_[b + 1])) {
            inStep = b + 2;
            break;
        }
        b += 2;
    }
    if (inStep == npos || inStep > last) return npos;
    memo.walkedFrom = at_;
    if (memo.match == npos || memo.match >= inStep) {
        memo.from = inStep;
        return memo.match;
    }
    memo.from = inStep;
    memo.match = findFrom(page_, inStep, marker, ignoreCase);
    return memo.match;
}

bool PageCursor::contains(std::string_view marker, bool ignoreCase) {
    if (!ignoreCase) {
        // A row loop tests for its row marker in exact case and then cuts at it
        // folded. The first folded match, when it is in exact case, is the first
        // exact one too: one scan of the row answers both.
        const std::size_t folded = find(marker, true);
        if (folded == npos) return false;
        if (std::memcmp(page_.data() + folded, marker.data(), marker.size()) == 0) return true;
    }
    return find(marker, ignoreCase) != npos;
}

void PageCursor::skipPast(std::string_view marker) {
    const std::size_t match = find(marker, true);
    // A missing marker drops as many bytes as the marker has.
    const std::size_t next = match == npos ? at_ + marker.size() : match + marker.size();
    at_ = next < page_.size() ? next : page_.size();
}

std::string_view PageCursor::before(std::string_view marker) {
    const std::size_t match = find(marker, true);
    return match == npos ? std::string_view{} : page_.substr(at_, match - at_);
}
