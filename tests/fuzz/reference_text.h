// The text operations written out byte by byte, one step per rule and with no
// search tricks: what the fuzz targets hold the real, faster operations to.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

#include "sources/text.h"

namespace reference {

inline bool isLead(char c) { return static_cast<unsigned char>(c) >= 0x80; }

inline unsigned char folded(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 'A' && b <= 'Z' ? static_cast<unsigned char>(b - 'A' + 'a') : b;
}

inline std::string_view textFromBytes(std::string_view block) {
    std::size_t n = 0;
    while (n < block.size() && block[n] != '\0') ++n;
    return block.substr(0, n);
}

// -1, 0 or 1.
inline int compareTexts(std::string_view a, std::string_view b) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

inline std::string concatTexts(std::initializer_list<std::string_view> parts) {
    std::string joined;
    for (std::string_view part : parts)
        for (char c : part) joined.push_back(c);
    return joined;
}

inline bool sameBytesAt(std::string_view text, std::size_t at, std::string_view marker, bool ignoreCase) {
    for (std::size_t k = 0; k < marker.size(); ++k) {
        const bool same = ignoreCase ? folded(text[at + k]) == folded(marker[k]) : text[at + k] == marker[k];
        if (!same) return false;
    }
    return true;
}

inline TextSize findText(std::string_view text, std::string_view marker, bool ignoreCase) {
    if (marker.empty()) return text.empty() ? -1 : 1;
    std::size_t i = 0;
    while (text.size() - i >= marker.size()) {
        if (sameBytesAt(text, i, marker, ignoreCase)) return static_cast<TextSize>(i) + 1;
        if (isLead(text[i])) {
            if (i == text.size() - 1) return -1;
            i += 2;
        } else {
            i += 1;
        }
    }
    return -1;
}

inline std::string_view leftBytes(std::string_view text, TextSize n) {
    if (n <= 0) return {};
    if (n >= static_cast<TextSize>(text.size())) return text;
    return text.substr(0, static_cast<std::size_t>(n));
}

inline std::string_view rightBytes(std::string_view text, TextSize n) {
    if (n <= 0) return {};
    if (n >= static_cast<TextSize>(text.size())) return text;
    return text.substr(text.size() - static_cast<std::size_t>(n));
}

inline std::string_view takeAfter(std::string_view text, std::string_view marker) {
    const TextSize p = findText(text, marker, true);
    const std::string_view head = leftBytes(text, p - 1);
    return rightBytes(text, static_cast<TextSize>(text.size()) - static_cast<TextSize>(head.size()) -
                                static_cast<TextSize>(marker.size()));
}

inline std::string_view takeBefore(std::string_view text, std::string_view marker) {
    return leftBytes(text, findText(text, marker, true) - 1);
}

// A negative maximum is no limit.
inline std::string replaceText(std::string_view text, std::string_view subtext, std::string_view replacement,
                               TextSize maximum) {
    if (text.empty() || subtext.empty() || maximum == 0) return std::string(text);
    std::string result;
    std::size_t i = 0;
    TextSize count = 0;
    while (text.size() - i >= subtext.size()) {
        if (sameBytesAt(text, i, subtext, false)) {
            result += replacement;
            i += subtext.size();
            if (++count == maximum) break;
        } else if (isLead(text[i])) {
            if (i == text.size() - 1) {
                // A lead byte with nothing behind it is dropped.
                i = text.size();
                break;
            }
            result += text.substr(i, 2);
            i += 2;
        } else {
            result += text[i];
            i += 1;
        }
    }
    result += text.substr(i);
    return result;
}

}  // namespace reference
