// Byte-level text operations that cut the result pages: GBK-aware search and
// replacement, byte slices and the two cuts. Results are views into the input
// wherever the result is a slice of it; only concatenation and replacement build text.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

// A text is a GBK byte string without zero bytes; absent and empty are the same.
// Positions are 1-based, counts and lengths are in bytes, "not found" is -1.
using TextSize = std::ptrdiff_t;

TextSize textLength(std::string_view text);

// Unsigned bytewise order; a prefix sorts first.
int compareTexts(std::string_view a, std::string_view b);

std::string concatTexts(std::initializer_list<std::string_view> parts);

// The bytes ahead of the first zero byte of a downloaded block.
std::string_view textFromBytes(std::string_view block);

// First occurrence of marker, stepping over two-byte characters, so that a
// match never starts on the second byte of a pair. ignoreCase folds A-Z only.
TextSize findText(std::string_view text, std::string_view marker, bool ignoreCase);

std::string_view leftBytes(std::string_view text, TextSize count);
std::string_view rightBytes(std::string_view text, TextSize count);

inline constexpr TextSize noLimit = -1;
// Exact-case replacement scanning from the first byte; maxCount < 0 means no limit.
std::string replaceText(std::string_view text, std::string_view subtext,
                        std::string_view replacement = {}, TextSize maxCount = noLimit);

// The text behind the first occurrence of marker (case folded). A missing marker
// drops as many bytes from the front as the marker has.
std::string_view takeAfter(std::string_view text, std::string_view marker);
// The text ahead of the first occurrence of marker (case folded); empty when missing.
std::string_view takeBefore(std::string_view text, std::string_view marker);

// Where findText of marker in text[from..] would stop: the 0-based offset of the
// match within text, or npos. Used by the page cursor, which searches suffixes.
std::size_t findFrom(std::string_view text, std::size_t from, std::string_view marker,
                     bool ignoreCase);
