// Byte-level text operations: GBK-aware search and replacement, slices and cuts.
#include "sources/text.h"

#include <cstring>

namespace {

constexpr bool isLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Only A-Z fold, whatever the locale.
constexpr unsigned char foldCase(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

bool matchesAt(const char* at, std::string_view marker, bool ignoreCase) {
    if (!ignoreCase) return std::memcmp(at, marker.data(), marker.size()) == 0;
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
// boundaries; npos when there is none before `last`.
class FirstByteFinder {
public:
    FirstByteFinder(std::string_view text, char first, bool ignoreCase) : text_(text) {
        if (!ignoreCase) {
            lower_ = upper_ = first;
            return;
        }
        const unsigned char lower = foldCase(first);
        lower_ = static_cast<char>(lower);
        upper_ = lower >= 'a' && lower <= 'z' ? static_cast<char>(lower - ('a' - 'A')) : lower_;
    }
    std::size_t next(std::size_t from) {
        if (lower_ == upper_) return scan(from, lower_);
        if (nextLower_ < from || nextLower_ == unknown) nextLower_ = scan(from, lower_);
        if (nextUpper_ < from || nextUpper_ == unknown) nextUpper_ = scan(from, upper_);
        return nextLower_ < nextUpper_ ? nextLower_ : nextUpper_;
    }

private:
    static constexpr std::size_t unknown = std::string_view::npos - 1;
    std::size_t scan(std::size_t from, char c) const {
        if (from >= text_.size()) return std::string_view::npos;
        const void* hit = std::memchr(text_.data() + from, c, text_.size() - from);
        return hit ? static_cast<const char*>(hit) - text_.data() : std::string_view::npos;
    }
    std::string_view text_;
    char lower_, upper_;
    std::size_t nextLower_ = unknown, nextUpper_ = unknown;
};

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

    FirstByteFinder candidates(text, marker.front(), ignoreCase);
    std::size_t knownBoundary = from;
    std::size_t at = from;
    while (at <= last) {
        const std::size_t candidate = candidates.next(at);
        if (candidate == npos || candidate > last) return npos;
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
