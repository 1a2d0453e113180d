// Fuzz target: every text operation against the byte-by-byte reference of
// reference_text.h, on texts full of two-byte characters and counts at the edges.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "reference_text.h"
#include "sources/text.h"

namespace {

namespace ref = reference;

int sign(int v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

// A count byte: small signed counts, and the edges around the text's length and the
// limits of the type, where an off-by-one or an overflow would show.
TextSize countFrom(std::uint8_t b, std::size_t textSize) {
    const auto size = static_cast<TextSize>(textSize);
    switch (b) {
        case 0x80: return std::numeric_limits<TextSize>::min();
        case 0x7F: return std::numeric_limits<TextSize>::max();
        case 0x7E: return size;
        case 0x7D: return size - 1;
        case 0x7C: return size + 1;
        default: return static_cast<std::int8_t>(b);
    }
}

std::string swappedCase(std::string_view text) {
    std::string swapped(text);
    for (char& c : swapped) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return swapped;
}

void checkSearches(std::string_view text, std::string_view marker, std::size_t from) {
    for (bool ignoreCase : {false, true}) {
        fuzzCheck(findText(text, marker, ignoreCase) == ref::findText(text, marker, ignoreCase), "findText");
        fuzzCheck(findText(marker, text, ignoreCase) == ref::findText(marker, text, ignoreCase), "findText swapped");
        // findFrom answers for the suffix, as a 0-based offset into the whole text.
        const TextSize inSuffix = ref::findText(from < text.size() ? text.substr(from) : std::string_view{}, marker,
                                          ignoreCase);
        const std::size_t expected = inSuffix == -1 ? std::string_view::npos
                                                    : from + static_cast<std::size_t>(inSuffix - 1);
        fuzzCheck(findFrom(text, from, marker, ignoreCase) == expected, "findFrom");
    }
    fuzzCheck(takeAfter(text, marker) == ref::takeAfter(text, marker), "takeAfter");
    fuzzCheck(takeBefore(text, marker) == ref::takeBefore(text, marker), "takeBefore");
}

}  // namespace

// Input: marker length, replacement length, a slice count, a replacement maximum,
// a start offset, flags, then the marker, the replacement and the text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InputReader input(data, size);
    const std::size_t markerSize = input.byte() % 32;
    const std::size_t replacementSize = input.byte() % 32;
    const std::uint8_t countByte = input.byte();
    const std::uint8_t maximumByte = input.byte();
    const std::size_t fromByte = input.byte();
    const std::uint8_t flags = input.byte();
    const std::string_view rawMarker = input.bytes(markerSize);
    const std::string_view rawReplacement = input.bytes(replacementSize);
    const std::string_view block = input.rest();

    fuzzCheck(textFromBytes(block) == ref::textFromBytes(block), "textFromBytes");
    fuzzCheck(textFromBytes(rawMarker) == ref::textFromBytes(rawMarker), "textFromBytes of the marker");
    const std::string_view text = ref::textFromBytes(block);
    const std::string_view replacement = ref::textFromBytes(rawReplacement);

    // Flag 1 takes the marker from the text itself, so that it is found (or is
    // found only at the second byte of a pair); flag 2 swaps its letter case.
    std::string marker(ref::textFromBytes(rawMarker));
    if ((flags & 1) && !text.empty()) {
        const std::size_t at = fromByte % text.size();
        marker = std::string(text.substr(at, markerSize));
    }
    if (flags & 2) marker = swappedCase(marker);

    fuzzCheck(textLength(text) == static_cast<TextSize>(text.size()), "textLength");
    fuzzCheck(textLength({}) == 0, "textLength of the empty text");

    const std::string_view texts[] = {text, marker, replacement};
    for (std::string_view a : texts)
        for (std::string_view b : texts) fuzzCheck(sign(compareTexts(a, b)) == ref::compareTexts(a, b), "compareTexts");

    fuzzCheck(concatTexts({text, marker}) == ref::concatTexts({text, marker}), "concatTexts of two");
    fuzzCheck(concatTexts({marker, {}, replacement, text}) == ref::concatTexts({marker, {}, replacement, text}),
              "concatTexts of four");

    checkSearches(text, marker, fromByte);
    checkSearches(text, marker, fromByte % (text.size() + 1));

    const TextSize count = countFrom(countByte, text.size());
    fuzzCheck(leftBytes(text, count) == ref::leftBytes(text, count), "leftBytes");
    fuzzCheck(rightBytes(text, count) == ref::rightBytes(text, count), "rightBytes");

    const TextSize maximum = countFrom(maximumByte, 4);
    fuzzCheck(replaceText(text, marker, replacement, maximum) == ref::replaceText(text, marker, replacement, maximum),
              "replaceText");
    fuzzCheck(replaceText(text, marker) == ref::replaceText(text, marker, {}, -1), "replaceText with defaults");
    // One-byte subtexts scan to the last byte, where a lone lead byte is dropped.
    if (!marker.empty()) {
        const std::string_view oneByte = std::string_view(marker).substr(0, 1);
        fuzzCheck(replaceText(text, oneByte, replacement, maximum) == ref::replaceText(text, oneByte, replacement, maximum),
                  "replaceText of one byte");
    }
    return 0;
}
