// Fuzz target: the scrapers' page cursor against the plain cuts on a string_view,
// over any page and any sequence of searches and cuts.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "sources/page_cursor.h"
#include "sources/text.h"

namespace {

// The scrapers' markers, letter-case variants, markers that begin with a lead byte
// (which the cursor hands straight to the plain search), the empty marker, and more
// markers than the cursor keeps answers for, so that its slots are recycled.
constexpr std::string_view fixedMarkers[] = {
    "rr[", ";", "code_string[", "=", "\"", "</td>", "row tian=\"1\" expect=\"", "opencode=\"",
    "class=\"yellow bold\">10", "<td class=\"white enfont red\">", "|", "\"}", "BonusNumberString\":\"",
    "IssueNumber\":\"", "RR[", "</TD>", "", "\xB1", "\xB1\x7C", "\x81;", "r", "a|",
};
constexpr std::size_t markerCount = std::size(fixedMarkers) + 2;

}  // namespace

// Input: the number of steps, one byte per step (the operation in the low two bits,
// the marker above), two markers of the input's own, then the page.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InputReader input(data, size);
    const std::size_t stepCount = input.byte();
    const std::string_view steps = input.bytes(stepCount);
    const std::string_view ownMarkers[] = {textFromBytes(input.bytes(input.byte() % 16)),
                                           textFromBytes(input.bytes(input.byte() % 16))};
    const std::string_view page = textFromBytes(input.rest());

    PageCursor cursor(page);
    std::string_view plain = page;
    for (char step : steps) {
        const auto b = static_cast<std::uint8_t>(step);
        const std::size_t which = (b >> 2) % markerCount;
        const std::string_view marker =
            which < std::size(fixedMarkers) ? fixedMarkers[which] : ownMarkers[which - std::size(fixedMarkers)];
        switch (b & 3) {
            case 0:
                fuzzCheck(cursor.contains(marker, false) == (findText(plain, marker, false) != -1), "contains");
                break;
            case 1:
                fuzzCheck(cursor.contains(marker, true) == (findText(plain, marker, true) != -1), "contains folded");
                break;
            case 2: fuzzCheck(cursor.before(marker) == takeBefore(plain, marker), "before"); break;
            default:
                cursor.skipPast(marker);
                plain = takeAfter(plain, marker);
        }
        fuzzCheck(cursor.rest() == plain, "rest after a step");
    }
    return 0;
}
