// The feed's command line: what each option asks for, its parsing (an error message
// instead of options when an argument is bad) and the --help text.
#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "feed_draws.h"
#include "feed_pages.h"

namespace feed {

inline constexpr std::uint64_t defaultSeed = 2010;
inline constexpr int defaultPortBase = 8081;
// A year of draws; enough to reach any day of 2010 from any other.
inline constexpr int maxLag = 365 * drawsPerDay;

enum class FaultKind { none, down, empty, status500, garbage, nul, redirect, slow, trickle, huge };

struct Fault {
    FaultKind kind = FaultKind::none;
    double slowSeconds = 0;  // kind slow only
};

struct FeedOptions {
    int drawSeconds = 0;  // 0: follow the daily schedule
    std::uint64_t seed = defaultSeed;
    int portBase = defaultPortBase;
    std::array<int, sourceCount> lag{};  // how many draws each source stays behind
    std::array<Fault, sourceCount> faults{};
    std::string logFile;                // empty: no request log
    std::optional<std::time_t> startAt; // where --draw-seconds counts from; unset: the feed's start
    bool printCurrent = false;
    bool help = false;

    const Fault& fault(int source) const { return faults[static_cast<std::size_t>(source - 1)]; }
    int lagOf(int source) const { return lag[static_cast<std::size_t>(source - 1)]; }
};

struct ParsedOptions {
    FeedOptions options;
    std::string error;  // empty when the arguments were good
};

// The arguments after the program name.
ParsedOptions parseOptions(std::span<const std::string_view> args);
std::string helpText();
std::string_view faultName(FaultKind kind);

// The newest draw on source's page at `now`, --lag applied.
DrawNumber newestDrawOf(const FeedOptions& options, int source, std::time_t start, std::time_t now);
// The draw the program reads from source's answer at `now`: the newest, or with
// the nul fault the last row ahead of the zero byte; none when the answer holds no
// rows (down, empty, status500, garbage).
std::optional<DrawNumber> drawReadFrom(const FeedOptions& options, int source, std::time_t start, std::time_t now);
// What --print-current prints: per source "1 20100609023 38016", or "1 - -" when
// the program reads no draw from that source.
std::string currentDrawsText(const FeedOptions& options, std::time_t start, std::time_t now);

}  // namespace feed
