// Parsing the feed's options. Every value is checked whole: "--lag 2=3x" is an
// error, not a lag of 3.
#include "feed_options.h"

#include <charconv>

namespace feed {

namespace {

struct FaultEntry {
    std::string_view name;
    FaultKind kind;
};

constexpr std::array<FaultEntry, 9> faultNames{{
    {"down", FaultKind::down},
    {"empty", FaultKind::empty},
    {"status500", FaultKind::status500},
    {"garbage", FaultKind::garbage},
    {"nul", FaultKind::nul},
    {"redirect", FaultKind::redirect},
    {"slow", FaultKind::slow},
    {"trickle", FaultKind::trickle},
    {"huge", FaultKind::huge},
}};

template <typename Number>
std::optional<Number> wholeNumber(std::string_view text, Number lowest, Number highest) {
    Number value{};
    const char* end = text.data() + text.size();
    const auto [stop, problem] = std::from_chars(text.data(), end, value);
    if (text.empty() || problem != std::errc{} || stop != end || value < lowest || value > highest) return {};
    return value;
}

// "S=REST" with S a source number; REST is handed back.
std::optional<int> sourceBefore(std::string_view text, std::string_view& rest) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return {};
    rest = text.substr(equals + 1);
    return wholeNumber(text.substr(0, equals), 1, sourceCount);
}

std::string quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

std::optional<Fault> parseFault(std::string_view kindText, std::string& error) {
    constexpr std::string_view slowPrefix = "slow=";
    if (kindText.starts_with(slowPrefix)) {
        double seconds = 0;
        const std::string_view number = kindText.substr(slowPrefix.size());
        const char* end = number.data() + number.size();
        const auto [stop, problem] = std::from_chars(number.data(), end, seconds);
        if (number.empty() || problem != std::errc{} || stop != end || !(seconds >= 0) || seconds > 3600) {
            error = "slow needs a delay of 0 to 3600 seconds, as in slow=5 (got " + quoted(kindText) + ")";
            return {};
        }
        return Fault{FaultKind::slow, seconds};
    }
    if (kindText == "slow") {
        error = "slow needs a delay in seconds, as in slow=5";
        return {};
    }
    for (const FaultEntry& entry : faultNames)
        if (entry.name == kindText) return Fault{entry.kind, 0};
    error = "unknown fault " + quoted(kindText) +
            " (down, empty, status500, garbage, nul, redirect, slow=SECONDS, trickle, huge)";
    return {};
}

}  // namespace

std::string_view faultName(FaultKind kind) {
    for (const FaultEntry& entry : faultNames)
        if (entry.kind == kind) return entry.name;
    return "none";
}

ParsedOptions parseOptions(std::span<const std::string_view> args) {
    ParsedOptions parsed;
    FeedOptions& options = parsed.options;
    std::array<bool, sourceCount> lagGiven{};
    const auto fail = [&](std::string message) {
        parsed.error = std::move(message);
        return parsed;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view name = args[i];
        std::optional<std::string_view> inlineValue;
        if (const std::size_t equals = name.find('='); name.starts_with("--") && equals != std::string_view::npos) {
            inlineValue = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        const bool takesValue = name == "--draw-seconds" || name == "--seed" || name == "--port-base" ||
                                name == "--lag" || name == "--fault" || name == "--log-requests" ||
                                name == "--start-at";
        if (!takesValue) {
            if (inlineValue) return fail(std::string(name) + " takes no value");
            if (name == "--help" || name == "-h") options.help = true;
            else if (name == "--print-current") options.printCurrent = true;
            else return fail("unknown option " + quoted(args[i]));
            continue;
        }
        if (!inlineValue && i + 1 >= args.size()) return fail(std::string(name) + " needs a value");
        const std::string_view value = inlineValue ? *inlineValue : args[++i];
        const std::string prefix = std::string(name) + ": ";

        if (name == "--draw-seconds") {
            const auto seconds = wholeNumber(value, 1, 86400);
            if (!seconds) return fail(prefix + "a whole number of seconds from 1 to 86400 (got " + quoted(value) + ")");
            options.drawSeconds = *seconds;
        } else if (name == "--seed") {
            const auto seed = wholeNumber<std::uint64_t>(value, 0, UINT64_MAX);
            if (!seed) return fail(prefix + "a whole number from 0 to 18446744073709551615 (got " + quoted(value) + ")");
            options.seed = *seed;
        } else if (name == "--port-base") {
            const auto port = wholeNumber(value, 1, 65535 - (sourceCount - 1));
            if (!port) return fail(prefix + "a port from 1 to 65532, the first of four (got " + quoted(value) + ")");
            options.portBase = *port;
        } else if (name == "--start-at") {
            const auto at = wholeNumber<long long>(value, 0, 253402300799);
            if (!at) return fail(prefix + "a Unix time in seconds (got " + quoted(value) + ")");
            options.startAt = static_cast<std::time_t>(*at);
        } else if (name == "--log-requests") {
            if (value.empty()) return fail(prefix + "needs a file name");
            options.logFile = std::string(value);
        } else if (name == "--lag") {
            std::string_view count;
            const auto source = sourceBefore(value, count);
            if (!source) return fail(prefix + "expected S=K with S a source from 1 to 4 (got " + quoted(value) + ")");
            const auto lag = wholeNumber(count, 0, maxLag);
            if (!lag)
                return fail(prefix + "K is a number of draws from 0 to " + std::to_string(maxLag) + " (got " +
                            quoted(value) + ")");
            if (lagGiven[*source - 1]) return fail(prefix + "source " + std::to_string(*source) + " is given twice");
            lagGiven[*source - 1] = true;
            options.lag[*source - 1] = *lag;
        } else {
            std::string_view kindText;
            const auto source = sourceBefore(value, kindText);
            if (!source)
                return fail(prefix + "expected S=KIND with S a source from 1 to 4 (got " + quoted(value) + ")");
            std::string problem;
            const auto fault = parseFault(kindText, problem);
            if (!fault) return fail(prefix + problem);
            if (options.faults[*source - 1].kind != FaultKind::none)
                return fail(prefix + "source " + std::to_string(*source) + " already has a fault");
            options.faults[*source - 1] = *fault;
        }
    }
    return parsed;
}

std::string helpText() {
    return R"(quennix-feed: a local draw feed for Quennix. It plays the Chongqing draws of one
day of 2010 (today's month and day) and serves each of the four sources' result
pages on a port of its own on 127.0.0.1, with a home page at "/".

  source 1  port P    /haoma/cqssc/freelist/120.aspx          newest draw first
  source 2  port P+1  /static/public/ssc/xml/historyopen.xml  newest draw last
  source 3  port P+2  /fucai/ssc/Trend.aspx?pos=1             newest draw last
  source 4  port P+3  /zs/CQSSC/5x_chzs.aspx?record=100       newest draw last

Each page holds the last 20 draws. It runs until SIGINT or SIGTERM.

Options:
  --draw-seconds N   a new draw every N seconds (1 to 86400), counted from the
                     draw the daily schedule shows at the start; without it the
                     draw follows the clock: 001-023 every 5 minutes from 00:05,
                     024-096 every 10 minutes from 10:00, 097-120 every 5 minutes
                     from 22:05 (120 at midnight)
  --start-at T       with --draw-seconds: count from Unix time T instead of the
                     start, so that a --print-current run agrees with a running feed
  --seed S           digits are reproducible from S, the date and the serial
                     (default 2010)
  --port-base P      serve on ports P to P+3 (default 8081)
  --lag S=K          source S (1-4) stays K draws behind; may repeat
  --fault S=KIND     source S answers badly; may repeat, one kind per source:
                       down           its port is not opened
                       empty          200 with an empty body
                       status500      a 500 error page
                       garbage        a 200 page without any of the rows
                       nul            the real page with a zero byte ahead of its
                                      middle row
                       redirect       a 302 to the real page at /r + the path
                       slow=SECONDS   the real page after SECONDS (up to 3600)
                       trickle        the real page, one byte a second
                       huge           a 64 MiB body: the real page, then filler
  --log-requests F   append each request's line and headers to file F
  --print-current    print, one line per source, the draw the program reads
                     from that source now ("1 20100609023 38016"; "1 - -" when
                     its answer holds none) and exit; give it the same options
                     as the running feed, with --draw-seconds also --start-at
  --help             print this and exit
)";
}

DrawNumber newestDrawOf(const FeedOptions& options, int source, std::time_t start, std::time_t now) {
    return stepDraws(currentDraw(options.drawSeconds, start, now), -options.lagOf(source));
}

std::optional<DrawNumber> drawReadFrom(const FeedOptions& options, int source, std::time_t start, std::time_t now) {
    const DrawNumber newest = newestDrawOf(options, source, start, now);
    switch (options.fault(source).kind) {
    case FaultKind::down:
    case FaultKind::empty:
    case FaultKind::status500:
    case FaultKind::garbage: return {};
    case FaultKind::nul:
        // Source 1 lists the newest first, so it stays ahead of the zero byte; the
        // others lose the rows from the middle on.
        if (source == 1) return newest;
        return stepDraws(newest, -(rowsPerPage - rowsPerPage / 2));
    default: return newest;
    }
}

std::string currentDrawsText(const FeedOptions& options, std::time_t start, std::time_t now) {
    std::string text;
    for (int source = 1; source <= sourceCount; ++source) {
        text += std::to_string(source);
        if (const auto read = drawReadFrom(options, source, start, now))
            text += " " + issueText(*read) + " " + drawDigits(*read, options.seed) + "\n";
        else
            text += " - -\n";
    }
    return text;
}

}  // namespace feed
