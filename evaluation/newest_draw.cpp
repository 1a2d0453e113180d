// Choosing the newest draw of the four sources and putting it on display.
#include "evaluation/newest_draw.h"

#include <algorithm>
#include <climits>

#include "core/program.h"
#include "core/refresh.h"
#include "evaluation/announce.h"
#include "evaluation/patterns.h"
#include "sources/text.h"

namespace {

// The ASCII character a two-byte GBK character stands for in an issue key, or 0.
char asciiOf(unsigned char first, unsigned char second) {
    if (first == 0xA3 && second >= 0xA1 && second <= 0xFE) return static_cast<char>(second - 0x80);
    if (first == 0xA1) {
        switch (second) {
            case 0xA1: return ' ';
            case 0xAB: return '~';
            case 0xEE:
            case 0xEF: return '*';
        }
    }
    return 0;
}

bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

std::int32_t keyValue(std::string_view issueKey) {
    std::string ascii;
    ascii.reserve(issueKey.size());
    for (std::size_t i = 0; i < issueKey.size(); ++i) {
        const auto byte = static_cast<unsigned char>(issueKey[i]);
        if (byte >= 0x80 && i + 1 < issueKey.size()) {
            if (const char folded = asciiOf(byte, static_cast<unsigned char>(issueKey[i + 1]))) {
                ascii.push_back(folded);
                ++i;
                continue;
            }
        }
        ascii.push_back(static_cast<char>(byte));
    }
    std::size_t at = 0;
    while (at < ascii.size() && isSpace(ascii[at])) ++at;
    bool negative = false;
    if (at < ascii.size() && (ascii[at] == '+' || ascii[at] == '-')) negative = ascii[at++] == '-';
    // Unsigned arithmetic wraps as the 32-bit value does, without overflow.
    std::uint32_t value = 0;
    for (; at < ascii.size() && ascii[at] >= '0' && ascii[at] <= '9'; ++at)
        value = value * 10u + static_cast<std::uint32_t>(ascii[at] - '0');
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

std::string issueText(std::int32_t shownIssueKey) {
    // A key of seven digits (October to December) already holds its month's two
    // digits; the five-byte prefix would make the issue twelve digits long.
    const std::string_view prefix = shownIssueKey >= 1000000 ? "2010" : "20100";
    return concatTexts({prefix, std::to_string(shownIssueKey)});
}

std::int32_t newestKey(const AppState& state) {
    std::int32_t newest = INT32_MIN;
    for (int source = 1; source <= AppState::sourceCount; ++source)
        newest = std::max(newest, keyValue(state.slot(source).issueKey));
    return newest;
}

void showDraw(Program& program, std::int32_t key) {
    AppState& state = program.state;
    state.setShownIssueKey(key);
    // The slots are read again: a later chain may have rewritten them meanwhile.
    for (int source = 1; source <= AppState::sourceCount; ++source) {
        SourceResult slot = state.slot(source);
        if (keyValue(slot.issueKey) == key) {
            state.setShownNumbers(std::move(slot.numbers));
            break;
        }
    }
    const std::string numbers = state.shownNumbers();
    const std::string issue = issueText(key);
    Platform& platform = program.platform;
    platform.setControlText(Control::标签开奖号码, numbers);
    platform.setCaption(concatTexts({issue, ":", numbers}));
    startChainStep(program, analysePatterns);
    if (platform.isTicked(Control::选择框_报奖)) announceDraw(program, "重庆彩", issue, numbers);
}

void selectNewestDraw(Program& program) {
    const std::int32_t newest = newestKey(program.state);
    if (newest == program.state.shownIssueKey()) return;
    showDraw(program, newest);
}
