// The refresh cycle: interval spinner, timer periods and the chain of worker steps.
#include "core/refresh.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/program.h"
#include "evaluation/newest_draw.h"
#include "sources/scrapers.h"
#include "sources/text.h"

double numberFromText(std::string_view text) {
    std::string ascii;
    ascii.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == 0xA3 && i + 1 < text.size()) {
            const auto second = static_cast<unsigned char>(text[i + 1]);
            if (second >= 0xA1 && second <= 0xFE) {
                ascii.push_back(static_cast<char>(second - 0x80));
                ++i;
                continue;
            }
        }
        ascii.push_back(static_cast<char>(byte));
    }
    // strtod reads exactly "white space, sign, digits, point, exponent"; the C locale
    // keeps the decimal point a '.', and hexadecimal, inf and nan are not decimal numbers.
    const char* start = ascii.c_str();
    while (*start == ' ' || (*start >= '\t' && *start <= '\r')) ++start;
    const char* digits = start + (*start == '+' || *start == '-');
    if (!(*digits >= '0' && *digits <= '9') && !(*digits == '.' && digits[1] >= '0' && digits[1] <= '9'))
        return 0;
    if (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) return *start == '-' ? -0.0 : 0;
    return std::strtod(start, nullptr);
}

std::string textFromNumber(double number) {
    char formatted[40];
    std::snprintf(formatted, sizeof formatted, "%.13g", number);
    return formatted;
}

std::int32_t periodFromSeconds(double seconds) {
    const double period = std::trunc(seconds * 1000.0);
    // Beyond what 64 bits hold nothing meaningful is left; such a period stops the timer.
    if (!(period > -9.2e18 && period < 9.2e18)) return 0;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::int64_t>(period)));
}

void setTimerPeriod(Program& program, Timer timer, std::int32_t period) {
    if (period < 0) period = 0;
    std::int32_t& current = program.timerPeriods[static_cast<int>(timer)];
    if (period == current) return;
    if (current > 0) program.platform.stopTimer(timer);
    current = period;
    if (period > 0) program.platform.startTimer(timer, period);
}

void onIntervalSpin(Program& program, int direction) {
    Platform& platform = program.platform;
    if (direction == 1) {
        const double n = numberFromText(platform.controlText(Control::编辑框_时间));
        platform.setControlText(Control::编辑框_时间, textFromNumber(n + 1));
    } else if (direction == -1) {
        const std::string text = platform.controlText(Control::编辑框_时间);
        if (compareTexts(text, "0") != 0)
            platform.setControlText(Control::编辑框_时间, textFromNumber(numberFromText(text) - 1));
    }
    const double seconds = numberFromText(platform.controlText(Control::编辑框_时间));
    setTimerPeriod(program, Timer::时钟_自动更新, periodFromSeconds(seconds));
}

bool startChainStep(Program& program, void (*step)(Program&)) {
    ++program.chainWorkers;
    const bool started = program.platform.startWorker([&program, step] {
        step(program);
        --program.chainWorkers;
    });
    if (!started) --program.chainWorkers;
    return started;
}

void onAutoUpdateTick(Program& program) {
    if (program.chainWorkers.load() > 0 || program.ending.load()) return;
    startChainStep(program, fetchSource1);
}

void onMemoryTick(Program& program) { program.platform.trimWorkingSet(); }

void showSourceLines(Program& program) {
    static constexpr Control sourceLines[AppState::sourceCount] = {Control::标签5, Control::标签6,
                                                                   Control::标签7, Control::标签8};
    for (int source = 1; source <= AppState::sourceCount; ++source)
        program.platform.setControlText(sourceLines[source - 1], program.state.slot(source).summary);
    startChainStep(program, selectNewestDraw);
}
