// Choosing the newest draw of the four sources and putting it on display.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class AppState;
struct Program;

// The integer of an issue key: full-width digits and signs folded, white space
// skipped, one sign, digits in wrapping 32-bit arithmetic; 0 without digits.
std::int32_t keyValue(std::string_view issueKey);

// The issue as the window shows it: "20100" and the key below 1000000 (the
// months January to September), "2010" and the key's seven digits above.
std::string issueText(std::int32_t shownIssueKey);

// The greatest key of the four slots, by signed comparison.
std::int32_t newestKey(const AppState& state);

// Puts the draw with this key on display: records it, takes the digits from the
// lowest-numbered source holding it, writes the label and the caption, starts the
// analysis and announces the draw when the announce box is ticked.
void showDraw(Program& program, std::int32_t key);

// The refresh step: shows the newest draw when it differs from the one on display.
void selectNewestDraw(Program& program);
