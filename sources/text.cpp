// Byte-level text operations: GBK-aware search and replacement, slices and cuts.
#include "sources/text.h"

#include <cstring>

namespace {

constexpr bool isLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Only A-Z fold, whatever the locale.
constexpr unsigned char foldCase(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

bool matchesAt(const char* at, std::string_view marker, bool ignoreCase) {
    // Pages write their markers in the markers' own case: one memcmp settles most matches.
    if (std::memcmp(at, marker.data(), marker.size()) == 0) return true;
    if (!ignoreCase) return false;
    for (std::size_t i = 0; i < marker.size(); ++i)
        if (foldCase(at[i]) != foldCase(marker[i])) return false;
    return true;
}

// A character boundary is where the stepping scan stops. Going back from a
// candidate over lead-range bytes to the last byte below 0x80 (or to a boundary
// already known) tells its place: an even run of such bytes ends on a boundary.
bool isBoundary(std::string_view text, std::size_t knownBoundary, std::size_t at) {
    std::size_t runStart = at;
    while (runStart > knownBoundary && isLeadByte(text[runStart - 1])) --runStart;
    return (at - runStart) % 2 == 0;
}

// Next position >= from whose byte could begin the marker, ignoring character
// boundaries; npos when there is none. Successive calls must not go backwards.
class FirstByteFinder {
public:
    FirstByteFinder(std::string_view text, char first, bool ignoreCase) : text_(text) {
        if (!ignoreCase) {
            lower_.c = upper_.c = first;
            return;
        }
        const unsigned char lower = foldCase(first);
        lower_.c = static_cast<char>(lower);
        upper_.c = lower >= 'a' && lower <= 'z' ? static_cast<char>(lower - ('a' - 'A')) : lower_.c;
    }
    std::size_t next(std::size_t from) {
        if (lower_.c == upper_.c) return scan(from, text_.size(), lower_.c);
        // Both cases are looked for in windows that grow with the distance covered:
        // a case that is rare or absent from the page must not cost a scan to its
        // end at every search, which made a row loop quadratic in the page.
        std::size_t end = from;
        for (std::size_t window = firstWindow; end < text_.size(); window *= 2) {
            end = window < text_.size() - end ? end + window : text_.size();
            const std::size_t lower = lower_.hitBefore(*this, from, end);
            const std::size_t upper = upper_.hitBefore(*this, from, end);
            if (lower != npos || upper != npos) return lower < upper ? lower : upper;
        }
        return npos;
    }

private:
    static constexpr std::size_t npos = std::string_view::npos;
    static constexpr std::size_t firstWindow = 64;

    // What is known of one letter case: its next position (npos when none is known)
    // and how far the text holds none of it.
    struct CaseScan {
        char c = 0;
        std::size_t hit = npos;
        std::size_t clearTo = 0;
        std::size_t hitBefore(const FirstByteFinder& finder, std::size_t from, std::size_t end) {
            if (hit == npos || hit < from) {
                const std::size_t start = from > clearTo ? from : clearTo;
                hit = start < end ? finder.scan(start, end, c) : npos;
                if (hit == npos && end > clearTo) clearTo = end;
            }
            return hit != npos && hit < end ? hit : npos;
        }
    };

    std::size_t scan(std::size_t from, std::size_t end, char c) const {
        if (from >= end) return npos;
        const void* hit = std::memchr(text_.data() + from, c, end - from);
        return hit ? static_cast<const char*>(hit) - text_.data() : npos;
    }
    std::string_view text_;
    CaseScan lower_, upper_;
};

// Bytes that markup is full of. A marker holding another byte near its front is
// looked for by that byte: "rr[" by its '[', which a page's table never holds, while
// an 'r' opens every "<tr>"; and a byte without case costs one memchr where a folded
// letter costs two.
struct CommonInMarkup {
    bool common[256] = {};
    constexpr CommonInMarkup() {
        for (int c = 0; c < 256; ++c)
            common[c] = c >= 0x80 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        for (char c : std::string_view(" \t\r\n\"'=<>/:,.-")) common[static_cast<unsigned char>(c)] = true;
    }
};
constexpr CommonInMarkup commonInMarkup;

// The index of the marker byte that candidates are looked for by: the first of its
// first five bytes that markup is not full of, else its first byte. Only the front
// is looked at, as this runs for every search.
std::size_t anchorIndex(std::string_view marker) {
    const std::size_t front = marker.size() < 5 ? marker.size() : 5;
    for (std::size_t i = 0; i < front; ++i)
        if (!commonInMarkup.common[static_cast<unsigned char>(marker[i])]) return i;
    return 0;
}

}  // namespace

TextSize textLength(std::string_view text) { return static_cast<TextSize>(text.size()); }

int compareTexts(std::string_view a, std::string_view b) {
    // std::string_view compares through char_traits<char>, which is unsigned bytewise.
    const int order = a.compare(b);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

std::string concatTexts(std::initializer_list<std::string_view> parts) {
    std::size_t size = 0;
    for (std::string_view part : parts) size += part.size();
    std::string joined;
    joined.reserve(size);
    for (std::string_view part : parts) joined.append(part);
    return joined;
}

std::string_view textFromBytes(std::string_view block) {
    return block.substr(0, block.find('\0'));
}

std::size_t findFrom(std::string_view text, std::size_t from, std::string_view marker,
                     bool ignoreCase) {
    constexpr std::size_t npos = std::string_view::npos;
    if (from >= text.size()) return npos;
    if (marker.empty()) return from;
    if (text.size() - from < marker.size()) return npos;
    const std::size_t last = text.size() - marker.size();

    const std::size_t anchor = anchorIndex(marker);
    FirstByteFinder candidates(text, marker[anchor], ignoreCase);
    std::size_t knownBoundary = from;
    std::size_t at = from;
    while (at <= last) {
        const std::size_t hit = candidates.next(at + anchor);
        if (hit == npos || hit - anchor > last) return npos;
        const std::size_t candidate = hit - anchor;
        if (!isBoundary(text, knownBoundary, candidate)) {
            // The candidate is the second byte of a pair; the next character starts behind it.
            at = knownBoundary = candidate + 1;
            continue;
        }
        if (matchesAt(text.data() + candidate, marker, ignoreCase)) return candidate;
        at = knownBoundary = candidate + (isLeadByte(text[candidate]) ? 2 : 1);
    }
    return npos;
}

TextSize findText(std::string_view text, std::string_view marker, bool ignoreCase) {
    const std::size_t at = findFrom(text, 0, marker, ignoreCase);
    return at == std::string_view::npos ? -1 : static_cast<TextSize>(at) + 1;
}

std::string_view leftBytes(std::string_view text, TextSize count) {
    if (count <= 0) return {};
    return text.substr(0, static_cast<std::size_t>(count));
}

std::string_view rightBytes(std::string_view text, TextSize count) {
    if (count <= 0) return {};
    if (static_cast<std::size_t>(count) >= text.size()) return text;
    return text.substr(text.size() - static_cast<std::size_t>(count));
}

std::string replaceText(std::string_view text, std::string_view subtext,
                        std::string_view replacement, TextSize maxCount) {
    if (text.empty() || subtext.empty() || maxCount == 0) return std::string(text);
    std::string result;
    result.reserve(text.size());
    std::size_t at = 0;
    TextSize replaced = 0;
    while (true) {
        const std::size_t match = findFrom(text, at, subtext, false);
        if (match == std::string_view::npos) break;
        result.append(text.substr(at, match - at));
        result.append(replacement);
        at = match + subtext.size();
        if (++replaced == maxCount) {
            result.append(text.substr(at));
            return result;
        }
    }
    // The scan steps over the rest without a match. A one-byte subtext lets it reach
    // the last byte, and a lead byte there has no second byte: it is dropped.
    std::size_t end = text.size();
    if (subtext.size() == 1 && at < end && isLeadByte(text[end - 1]) && isBoundary(text, at, end - 1))
        --end;
    if (at < end) result.append(text.substr(at, end - at));
    return result;
}

std::string_view takeAfter(std::string_view text, std::string_view marker) {
    const TextSize at = findText(text, marker, true);
    const TextSize head = textLength(leftBytes(text, at - 1));
    return rightBytes(text, textLength(text) - head - textLength(marker));
}

std::string_view takeBefore(std::string_view text, std::string_view marker) {
    return leftBytes(text, findText(text, marker, true) - 1);
}
