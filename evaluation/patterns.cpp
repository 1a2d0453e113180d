// The pattern analysis: the form of each window of three digits, and the
// big/small and odd/even character of each of the five.
#include "evaluation/patterns.h"

#include <array>

#include "core/program.h"
#include "sources/text.h"

namespace {

// 包子 all three equal, 组三 two of them, 组六 none.
std::string_view formOf(std::string_view a, std::string_view b, std::string_view c) {
    const bool ab = compareTexts(a, b) == 0, bc = compareTexts(b, c) == 0, ac = compareTexts(a, c) == 0;
    if (ab && bc) return "包子";
    if (ab || bc || ac) return "组三";
    return "组六";
}

// The digit is the marker: an empty digit counts as found, any other byte that is
// not one of the digits does not.
std::string characterOf(const std::array<std::string_view, 5>& digits, std::string_view members,
                        std::string_view found, std::string_view missing) {
    std::string result;
    for (std::string_view digit : digits) result += findText(members, digit, false) != -1 ? found : missing;
    return result;
}

}  // namespace

PatternTexts describePatterns(std::string_view numbers) {
    const std::array<std::string_view, 5> d = {
        leftBytes(numbers, 1),
        rightBytes(leftBytes(numbers, 2), 1),
        rightBytes(leftBytes(numbers, 3), 1),
        rightBytes(leftBytes(numbers, 4), 1),
        rightBytes(numbers, 1),  // the last byte, whatever the length
    };
    return {
        concatTexts({"前三形态:", formOf(d[0], d[1], d[2])}),
        concatTexts({"中三形态:", formOf(d[1], d[2], d[3])}),
        concatTexts({"后三形态:", formOf(d[2], d[3], d[4])}),
        concatTexts({"五星大小形态：", characterOf(d, "56789", "大", "小")}),
        concatTexts({"五星单双形态：", characterOf(d, "13579", "单", "双")}),
    };
}

void analysePatterns(Program& program) {
    // A copy: a later chain may replace the shown numbers while this runs.
    const PatternTexts texts = describePatterns(program.state.shownNumbers());
    Platform& platform = program.platform;
    platform.setControlText(Control::标签_前三形态, texts.firstThree);
    platform.setControlText(Control::标签_中三形态, texts.middleThree);
    platform.setControlText(Control::标签_后三形态, texts.lastThree);
    platform.setControlText(Control::标签_五星大小形态, texts.bigSmall);
    platform.setControlText(Control::标签_五星单双形态, texts.oddEven);
}
