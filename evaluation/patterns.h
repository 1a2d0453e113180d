// The pattern analysis of the five digits on display.
#pragma once

#include <string>
#include <string_view>

struct Program;

struct PatternTexts {
    std::string firstThree, middleThree, lastThree;  // "前三形态:组六" and the like
    std::string bigSmall, oddEven;                   // "五星大小形态：小大小小大", "五星单双形态：..."
    bool operator==(const PatternTexts&) const = default;
};

// The five label texts for a draw's digits, however malformed they are.
PatternTexts describePatterns(std::string_view numbers);

// The refresh step: writes the five pattern labels for the draw on display.
void analysePatterns(Program& program);
