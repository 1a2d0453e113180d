// The draw feed: its schedule and digits, its pages as the program's scrapers cut
// them, its options, and the server on loopback with its faults.
#include <gtest/gtest.h>
#include <httplib.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <future>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "feed_draws.h"
#include "feed_options.h"
#include "feed_pages.h"
#include "feed_server.h"
#include "sources/scrapers.h"
#include "sources/source_sites.h"
#include "sources/text.h"

namespace {

using namespace feed;
using Cut = SourceResult (*)(std::string_view);

constexpr Cut cuts[sourceCount] = {cutSource1, cutSource2, cutSource3, cutSource4};

DrawNumber draw(int year, int month, int day, int serial) { return {{year, month, day}, serial}; }

std::string describe(const DrawNumber& number) { return issueText(number); }

// What the program shows for a source whose page holds `newest` as its newest draw.
SourceResult resultFor(const DrawNumber& newest, std::uint64_t seed) {
    const std::string issue = issueText(newest);
    const std::string digits = drawDigits(newest, seed);
    return {issue + "-" + digits, issue.substr(issue.size() - 7), digits};
}

// The program cuts a downloaded block up to its first zero byte.
SourceResult cutAsTheProgramDoes(int source, std::string_view block) {
    return cuts[source - 1](textFromBytes(block));
}

std::size_t countFolded(std::string_view page, std::string_view marker) {
    const auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
    std::size_t count = 0;
    for (std::size_t at = 0; at + marker.size() <= page.size(); ++at) {
        std::size_t i = 0;
        while (i < marker.size() && fold(page[at + i]) == fold(marker[i])) ++i;
        if (i == marker.size()) ++count;
    }
    return count;
}

// ---- the schedule and the digits

TEST(FeedSchedule, WallClockGivesTheLatestDrawWhoseTimeHasCome) {
    struct Case {
        int month, day, hour, minute;
        DrawNumber expected;
    };
    const Case cases[] = {
        {6, 9, 0, 0, draw(2010, 6, 8, 120)},
        {6, 9, 0, 4, draw(2010, 6, 8, 120)},
        {6, 9, 0, 5, draw(2010, 6, 9, 1)},
        {6, 9, 0, 9, draw(2010, 6, 9, 1)},
        {6, 9, 0, 10, draw(2010, 6, 9, 2)},
        {6, 9, 1, 55, draw(2010, 6, 9, 23)},
        {6, 9, 2, 0, draw(2010, 6, 9, 23)},
        {6, 9, 9, 59, draw(2010, 6, 9, 23)},
        {6, 9, 10, 0, draw(2010, 6, 9, 24)},
        {6, 9, 10, 9, draw(2010, 6, 9, 24)},
        {6, 9, 10, 10, draw(2010, 6, 9, 25)},
        {6, 9, 22, 0, draw(2010, 6, 9, 96)},
        {6, 9, 22, 4, draw(2010, 6, 9, 96)},
        {6, 9, 22, 5, draw(2010, 6, 9, 97)},
        {6, 9, 23, 55, draw(2010, 6, 9, 119)},
        {6, 9, 23, 59, draw(2010, 6, 9, 119)},
        {3, 1, 0, 4, draw(2010, 2, 28, 120)},
        {1, 1, 0, 4, draw(2009, 12, 31, 120)},
        {12, 31, 23, 59, draw(2010, 12, 31, 119)},
        // 2010 has no 29 February: a leap day plays the 28th.
        {2, 29, 12, 0, draw(2010, 2, 28, 36)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(scheduledDraw(c.month, c.day, c.hour * 60 + c.minute), c.expected)
            << c.month << "-" << c.day << " " << c.hour << ":" << c.minute;
}

TEST(FeedSchedule, StepsCrossDaysMonthsAndYears) {
    struct Case {
        DrawNumber from;
        long long count;
        DrawNumber expected;
    };
    const Case cases[] = {
        {draw(2010, 6, 9, 23), 1, draw(2010, 6, 9, 24)},
        {draw(2010, 6, 9, 120), 1, draw(2010, 6, 10, 1)},
        {draw(2010, 6, 10, 1), -1, draw(2010, 6, 9, 120)},
        {draw(2010, 6, 30, 120), 1, draw(2010, 7, 1, 1)},
        {draw(2010, 3, 1, 5), -5, draw(2010, 2, 28, 120)},
        {draw(2010, 12, 31, 120), 1, draw(2011, 1, 1, 1)},
        {draw(2010, 1, 1, 1), -1, draw(2009, 12, 31, 120)},
        {draw(2010, 1, 1, 1), 365 * 120, draw(2011, 1, 1, 1)},
        {draw(2010, 6, 9, 7), -241, draw(2010, 6, 7, 6)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(stepDraws(c.from, c.count), c.expected) << describe(c.from) << " + " << c.count;

    // Long steps agree with one serial at a time, through a leap year.
    DrawNumber walked = draw(2011, 12, 30, 100);
    for (int i = 0; i < 120 * 400; ++i) walked = stepDraws(walked, 1);
    EXPECT_EQ(walked, stepDraws(draw(2011, 12, 30, 100), 120 * 400));
    EXPECT_EQ(stepDraws(walked, -120 * 400), draw(2011, 12, 30, 100));
}

TEST(FeedSchedule, CountedDrawsAdvanceOneSerialEveryPeriod) {
    const DrawNumber first = draw(2010, 6, 9, 118);
    const std::time_t start = 1'000'000;
    struct Case {
        std::time_t now;
        DrawNumber expected;
    };
    const Case cases[] = {
        {start, first},
        {start + 9, first},
        {start + 10, draw(2010, 6, 9, 119)},
        {start + 29, draw(2010, 6, 9, 120)},
        {start + 30, draw(2010, 6, 10, 1)},
        {start + 10 * 122, draw(2010, 6, 10, 120)},
        {start - 1, draw(2010, 6, 9, 117)},  // a clock set back shows earlier draws, never a crash
    };
    for (const Case& c : cases)
        EXPECT_EQ(countedDraw(first, 10, start, c.now), c.expected) << "after " << c.now - start << " s";
}

TEST(FeedDraws, IssueTextsAndDrawTimes) {
    struct Case {
        DrawNumber number;
        const char *issue, *shortIssue, *hyphenIssue, *time;
    };
    const Case cases[] = {
        {draw(2010, 6, 9, 23), "20100609023", "100609023", "20100609-023", "2010-06-09 01:55:00"},
        {draw(2010, 6, 9, 24), "20100609024", "100609024", "20100609-024", "2010-06-09 10:00:00"},
        {draw(2010, 6, 9, 96), "20100609096", "100609096", "20100609-096", "2010-06-09 22:00:00"},
        {draw(2010, 6, 9, 97), "20100609097", "100609097", "20100609-097", "2010-06-09 22:05:00"},
        {draw(2010, 12, 31, 120), "20101231120", "101231120", "20101231-120", "2011-01-01 00:00:00"},
        {draw(2009, 12, 31, 1), "20091231001", "091231001", "20091231-001", "2009-12-31 00:05:00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(issueText(c.number), c.issue);
        EXPECT_EQ(shortIssueText(c.number), c.shortIssue);
        EXPECT_EQ(hyphenIssueText(c.number), c.hyphenIssue);
        EXPECT_EQ(drawTimeText(c.number), c.time);
    }
}

TEST(FeedDraws, DigitsAreReproducibleAndVary) {
    const std::vector<Draw> day = lastDraws(draw(2010, 6, 9, 120), 7, drawsPerDay);
    EXPECT_EQ(day, lastDraws(draw(2010, 6, 9, 120), 7, drawsPerDay));

    std::vector<std::vector<bool>> seen(5, std::vector<bool>(10, false));
    int sameUnderOtherSeed = 0;
    for (const Draw& d : day) {
        ASSERT_EQ(d.digits.size(), 5u);
        for (std::size_t i = 0; i < 5; ++i) {
            ASSERT_GE(d.digits[i], '0');
            ASSERT_LE(d.digits[i], '9');
            seen[i][d.digits[i] - '0'] = true;
        }
        if (drawDigits(d.number, 8) == d.digits) ++sameUnderOtherSeed;
    }
    // 120 draws show every digit in every place, unless the digits ignore the draw.
    for (std::size_t i = 0; i < 5; ++i)
        for (int digit = 0; digit < 10; ++digit) EXPECT_TRUE(seen[i][digit]) << "place " << i << " digit " << digit;
    EXPECT_LT(sameUnderOtherSeed, 3);
    // The date counts as well as the serial.
    EXPECT_NE(lastDraws(draw(2010, 6, 10, 120), 7, 10), lastDraws(draw(2010, 6, 9, 120), 7, 10));
}

TEST(FeedDraws, LastDrawsAreConsecutiveOldestFirstAcrossDays) {
    const DrawNumber newest = draw(2010, 7, 1, 5);
    const std::vector<Draw> draws = lastDraws(newest, 1);
    ASSERT_EQ(draws.size(), 20u);
    EXPECT_EQ(draws.front().number, draw(2010, 6, 30, 106));
    EXPECT_EQ(draws.back().number, newest);
    for (std::size_t i = 1; i < draws.size(); ++i) EXPECT_EQ(draws[i].number, stepDraws(draws[i - 1].number, 1));
}

// ---- the pages

TEST(FeedPages, ScrapersReadTheNewestDrawFromEveryPage) {
    const DrawNumber newests[] = {
        draw(2010, 6, 9, 23),
        draw(2010, 6, 9, 1),     // rows reach back into the day before
        draw(2010, 10, 15, 96),  // a month of "10" right after the year's "10"
        draw(2010, 1, 1, 120),
    };
    for (const DrawNumber& newest : newests)
        for (int source = 1; source <= sourceCount; ++source) {
            const std::string page = sourcePage(source, lastDraws(newest, 42));
            EXPECT_EQ(cutAsTheProgramDoes(source, page), resultFor(newest, 42))
                << "source " << source << ", " << describe(newest);
        }
}

TEST(FeedPages, EachMarkerOpensOneRowAndAppearsNowhereElse) {
    const std::vector<Draw> draws = lastDraws(draw(2010, 6, 9, 50), 3);
    struct Case {
        int source;
        std::string_view marker;
    };
    // The scrapers find row markers in exact case but cut with folded case, so
    // look-alikes in other letter cases would mislead them too.
    const Case cases[] = {
        {1, "BonusNumberString\":\""}, {1, "IssueNumber\":\""},
        {2, "row tian=\"1\" expect=\""}, {2, "opencode=\""},
        {3, "rr["}, {3, "code_string["},
        {4, "class=\"yellow bold\">"}, {4, "<td class=\"white enfont red\">"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(countFolded(sourcePage(c.source, draws), c.marker), draws.size())
            << "source " << c.source << ": " << c.marker;
}

TEST(FeedPages, AZeroByteHidesTheRowsBehindIt) {
    const DrawNumber newest = draw(2010, 6, 9, 50);
    const std::vector<Draw> draws = lastDraws(newest, 5);
    for (int source = 1; source <= sourceCount; ++source) {
        const std::string page = sourcePageWithZeroByte(source, draws);
        const std::size_t zero = page.find('\0');
        ASSERT_NE(zero, std::string::npos) << "source " << source;
        // The rows are all there, only a reader that stops at the zero byte loses some.
        EXPECT_EQ(std::string(page).erase(zero, 1), sourcePage(source, draws)) << "source " << source;
        // Source 1 lists the newest draw first, so it survives; the others show the
        // row ahead of the middle.
        const DrawNumber shown = source == 1 ? newest : draws[draws.size() / 2 - 1].number;
        EXPECT_EQ(cutAsTheProgramDoes(source, page), resultFor(shown, 5)) << "source " << source;
    }
}

TEST(FeedPages, PagesWithoutRowsGiveADash) {
    const SourceResult nothing{"-", "", ""};
    const std::string pages[] = {"", garbagePage(), serverErrorPage(), notFoundPage(), homePage(3, 8083)};
    for (int source = 1; source <= sourceCount; ++source)
        for (const std::string& page : pages)
            EXPECT_EQ(cutAsTheProgramDoes(source, page), nothing) << "source " << source << ": " << page;
}

TEST(FeedPages, HugeBodyIsThePageThenFillerWithoutRows) {
    const DrawNumber newest = draw(2010, 6, 9, 50);
    for (int source = 1; source <= sourceCount; ++source) {
        const std::string page = sourcePage(source, lastDraws(newest, 9));
        // Pieced together in odd sizes, as a content provider asks for them.
        std::string body;
        while (body.size() < hugePageSize + 10) {
            const std::string chunk = hugePageChunk(page, body.size(), 1'000'003);
            if (chunk.empty()) break;
            body += chunk;
        }
        ASSERT_EQ(body.size(), hugePageSize) << "source " << source;
        EXPECT_EQ(body.compare(0, page.size(), page), 0) << "source " << source;
        EXPECT_EQ(hugePageChunk(page, hugePageSize - 5, 100), body.substr(hugePageSize - 5));
        EXPECT_EQ(cutAsTheProgramDoes(source, body), resultFor(newest, 9)) << "source " << source;
    }
}

TEST(FeedPages, PathsAreTheOnesTheProgramAsksFor) {
    for (int source = 1; source <= sourceCount; ++source) {
        std::string target(sourcePath(source));
        if (!sourceQuery(source).empty()) target += "?" + std::string(sourceQuery(source));
        EXPECT_EQ(target, sourceSites[source - 1].pathAndQuery);
    }
}

// ---- options

ParsedOptions parse(std::initializer_list<std::string_view> args) {
    const std::vector<std::string_view> list(args);
    return parseOptions(list);
}

TEST(FeedOptions, ParsesEveryOption) {
    const ParsedOptions parsed =
        parse({"--draw-seconds", "10", "--seed=99", "--port-base", "18000", "--lag", "2=3", "--lag=4=0",
               "--fault", "1=down", "--fault", "3=slow=2.5", "--fault=4=nul", "--log-requests", "/tmp/x.log",
               "--start-at", "1276000000", "--print-current"});
    ASSERT_EQ(parsed.error, "");
    const FeedOptions& o = parsed.options;
    EXPECT_EQ(o.drawSeconds, 10);
    EXPECT_EQ(o.seed, 99u);
    EXPECT_EQ(o.portBase, 18000);
    EXPECT_EQ(o.lag, (std::array<int, 4>{0, 3, 0, 0}));
    EXPECT_EQ(o.fault(1).kind, FaultKind::down);
    EXPECT_EQ(o.fault(2).kind, FaultKind::none);
    EXPECT_EQ(o.fault(3).kind, FaultKind::slow);
    EXPECT_DOUBLE_EQ(o.fault(3).slowSeconds, 2.5);
    EXPECT_EQ(o.fault(4).kind, FaultKind::nul);
    EXPECT_EQ(o.logFile, "/tmp/x.log");
    EXPECT_EQ(o.startAt, std::optional<std::time_t>(1276000000));
    EXPECT_TRUE(o.printCurrent);
    EXPECT_FALSE(o.help);

    const ParsedOptions defaults = parse({});
    EXPECT_EQ(defaults.error, "");
    EXPECT_EQ(defaults.options.portBase, 8081);
    EXPECT_EQ(defaults.options.drawSeconds, 0);
    EXPECT_TRUE(parse({"--help"}).options.help);
}

TEST(FeedOptions, BadArgumentsAreRefusedWithAMessage) {
    struct Case {
        std::vector<std::string_view> args;
        const char* mentions;
    };
    const Case cases[] = {
        {{"--frobnicate"}, "--frobnicate"},
        {{"extra"}, "extra"},
        {{"--draw-seconds"}, "needs a value"},
        {{"--draw-seconds", "0"}, "'0'"},
        {{"--draw-seconds", "10s"}, "'10s'"},
        {{"--draw-seconds", "-5"}, "'-5'"},
        {{"--seed", "abc"}, "'abc'"},
        {{"--seed", "18446744073709551616"}, "18446744073709551616"},
        {{"--port-base", "65533"}, "65533"},
        {{"--port-base", "0"}, "'0'"},
        {{"--lag", "5=1"}, "'5=1'"},
        {{"--lag", "2"}, "'2'"},
        {{"--lag", "2=-1"}, "'2=-1'"},
        {{"--lag", "2=x"}, "'2=x'"},
        {{"--lag", "2=1", "--lag", "2=3"}, "twice"},
        {{"--fault", "1=melt"}, "'melt'"},
        {{"--fault", "0=down"}, "'0=down'"},
        {{"--fault", "1=slow"}, "slow=5"},
        {{"--fault", "1=slow=soon"}, "'slow=soon'"},
        {{"--fault", "1=slow=-1"}, "'slow=-1'"},
        {{"--fault", "1=down", "--fault", "1=empty"}, "already"},
        {{"--start-at", "yesterday"}, "'yesterday'"},
        {{"--log-requests", ""}, "file name"},
        {{"--help=yes"}, "--help"},
    };
    for (const Case& c : cases) {
        const ParsedOptions parsed = parseOptions(c.args);
        EXPECT_NE(parsed.error.find(c.mentions), std::string::npos)
            << "args " << c.args.front() << ": error '" << parsed.error << "'";
    }
}

TEST(FeedOptions, HelpNamesEveryOptionAndFault) {
    const std::string help = helpText();
    for (const char* word : {"--draw-seconds", "--start-at", "--seed", "--port-base", "--lag", "--fault",
                             "--log-requests", "--print-current", "--help", "down", "empty", "status500",
                             "garbage", "nul", "redirect", "slow=SECONDS", "trickle", "huge"})
        EXPECT_NE(help.find(word), std::string::npos) << word;
}

// ---- the server on loopback

constexpr std::time_t fixedNow = 1276041300;  // any moment: the server reads the clock it is handed

// A feed on a free set of four ports, 18081 + 100k to 18084 + 100k. Tests run as
// separate processes may run at once: each process starts its search elsewhere,
// so that one's port left closed by "down" is rarely another's open port.
class RunningFeed {
public:
    explicit RunningFeed(FeedOptions options) {
        constexpr int bases = 40;
        const int first = static_cast<int>(getpid() % bases);
        for (int attempt = 0; attempt < bases; ++attempt) {
            options.portBase = 18081 + 100 * ((first + attempt) % bases);
            server_ = std::make_unique<FeedServer>(options, [] { return fixedNow; });
            std::string error;
            if (server_->start(error)) {
                options_ = options;
                return;
            }
        }
        server_.reset();
    }

    bool running() const { return server_ != nullptr; }
    const FeedOptions& options() const { return options_; }
    int port(int source) const { return options_.portBase + source - 1; }
    FeedServer& server() { return *server_; }

    std::string target(int source) const { return std::string(sourceSites[source - 1].pathAndQuery); }
    std::string expectedPage(int source) const {
        return sourcePage(source, lastDraws(newestDrawOf(options_, source, fixedNow, fixedNow), options_.seed));
    }
    httplib::Result get(int source, const std::string& target) const {
        httplib::Client client("127.0.0.1", port(source));
        client.set_follow_location(true);
        return client.Get(target.c_str());
    }

private:
    FeedOptions options_;
    std::unique_ptr<FeedServer> server_;
};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A cut in the form --print-current gives: "S ISSUE DIGITS", or "S - -" for no draw.
std::string printedLine(int source, const SourceResult& cut) {
    if (cut.summary == "-") return std::to_string(source) + " - -";
    return std::to_string(source) + " " + cut.summary.substr(0, cut.summary.find('-')) + " " + cut.numbers;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

TEST(FeedServer, ServesPagesThatCutToThePrintedDraws) {
    const std::string logPath = testing::TempDir() + "feed_test_requests.log";
    std::remove(logPath.c_str());
    FeedOptions options;
    options.seed = 77;
    options.lag = {0, 3, 0, 1};
    options.logFile = logPath;
    RunningFeed feed(options);
    ASSERT_TRUE(feed.running()) << "no free ports from 18081 to 22084";

    const std::vector<std::string> printed = lines(currentDrawsText(feed.options(), fixedNow, fixedNow));
    ASSERT_EQ(printed.size(), 4u);
    for (int source = 1; source <= sourceCount; ++source) {
        const httplib::Result answer = feed.get(source, feed.target(source));
        ASSERT_TRUE(answer) << "source " << source;
        EXPECT_EQ(answer->status, 200);
        EXPECT_EQ(answer->body, feed.expectedPage(source)) << "source " << source;
        EXPECT_EQ(printedLine(source, cutAsTheProgramDoes(source, answer->body)), printed[source - 1]);
    }
    // The lagging sources are behind source 1 by their lag.
    const DrawNumber lead = newestDrawOf(feed.options(), 1, fixedNow, fixedNow);
    EXPECT_EQ(printed[1].substr(0, 13), "2 " + issueText(stepDraws(lead, -3)));
    EXPECT_EQ(printed[3].substr(0, 13), "4 " + issueText(stepDraws(lead, -1)));

    const httplib::Result home = feed.get(3, "/");
    ASSERT_TRUE(home);
    EXPECT_EQ(home->status, 200);
    EXPECT_NE(home->body.find("href=\"/fucai/ssc/Trend.aspx?pos=1\""), std::string::npos);
    const httplib::Result missing = feed.get(3, "/fucai/ssc/trend.aspx?pos=1");
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->status, 404);
    EXPECT_FALSE(missing->body.empty());

    const std::string log = readFile(logPath);
    EXPECT_NE(log.find("GET /fucai/ssc/Trend.aspx?pos=1 HTTP/1.1\n"), std::string::npos) << log;
    EXPECT_NE(log.find("GET /zs/CQSSC/5x_chzs.aspx?record=100 HTTP/1.1\n"), std::string::npos) << log;
    EXPECT_NE(log.find("\nHost: 127.0.0.1:" + std::to_string(feed.port(3)) + "\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("REMOTE_ADDR"), std::string::npos) << log;
    EXPECT_EQ(log.find("LOCAL_PORT"), std::string::npos) << log;
    // Each request ends with an empty line: 4 pages, the home page, the 404.
    EXPECT_EQ(countFolded(log, "\n\n"), 6u) << log;
}

// Every fault but trickle, over two runs of four sources; what the program cuts
// from each answer is what --print-current says it reads.
TEST(FeedServer, FaultsAnswerAsAskedAndAsPrinted) {
    const std::array<std::array<Fault, sourceCount>, 2> runs{{
        {Fault{FaultKind::down}, Fault{FaultKind::empty}, Fault{FaultKind::status500}, Fault{FaultKind::garbage}},
        {Fault{FaultKind::redirect}, Fault{FaultKind::nul}, Fault{FaultKind::huge}, Fault{FaultKind::slow, 0}},
    }};
    for (const auto& faults : runs) {
        FeedOptions options;
        options.faults = faults;
        RunningFeed feed(options);
        ASSERT_TRUE(feed.running());
        const std::vector<std::string> printed = lines(currentDrawsText(feed.options(), fixedNow, fixedNow));
        ASSERT_EQ(printed.size(), 4u);
        for (int source = 1; source <= sourceCount; ++source) {
            const FaultKind kind = faults[source - 1].kind;
            const std::string what = "source " + std::to_string(source) + ", " + std::string(faultName(kind));
            const std::string page = feed.expectedPage(source);
            const httplib::Result answer = feed.get(source, feed.target(source));
            if (kind == FaultKind::down) {
                EXPECT_FALSE(answer) << what << ": the port is open";
                EXPECT_EQ(printed[source - 1], std::to_string(source) + " - -") << what;
                continue;
            }
            ASSERT_TRUE(answer) << what;
            EXPECT_EQ(answer->status, kind == FaultKind::status500 ? 500 : 200) << what;
            EXPECT_EQ(printedLine(source, cutAsTheProgramDoes(source, answer->body)), printed[source - 1]) << what;
            const std::string& body = answer->body;
            switch (kind) {
            case FaultKind::empty: EXPECT_EQ(body, "") << what; break;
            case FaultKind::status500:
            case FaultKind::garbage: EXPECT_NE(body.find("<html>"), std::string::npos) << what; break;
            case FaultKind::nul:
                EXPECT_EQ(std::string(body).erase(body.find('\0'), 1), page) << what;
                EXPECT_NE(printed[source - 1].substr(2), printed[0].substr(2)) << what << ": nothing hidden";
                break;
            case FaultKind::huge:
                EXPECT_EQ(body.size(), hugePageSize) << what;
                EXPECT_EQ(body.compare(0, page.size(), page), 0) << what;
                break;
            default: EXPECT_EQ(body, page) << what; break;
            }
        }
        if (faults[0].kind == FaultKind::redirect) {
            httplib::Client client("127.0.0.1", feed.port(1));
            const httplib::Result moved = client.Get(feed.target(1).c_str());
            ASSERT_TRUE(moved);
            EXPECT_EQ(moved->status, 302);
            EXPECT_EQ(moved->get_header_value("Location"),
                      "http://127.0.0.1:" + std::to_string(feed.port(1)) + "/r" + feed.target(1));
        }
    }
}

TEST(FeedServer, StopsWithoutWaitingForATrickleAndFreesItsPorts) {
    FeedOptions options;
    options.faults[1] = Fault{FaultKind::trickle};
    RunningFeed feed(options);
    ASSERT_TRUE(feed.running());

    std::promise<void> firstByte;
    std::string received;
    std::thread reader([&] {
        httplib::Client client("127.0.0.1", feed.port(2));
        client.Get(feed.target(2).c_str(), [&](const char* data, std::size_t length) {
            if (received.empty()) firstByte.set_value();
            received.append(data, length);
            return true;
        });
    });
    firstByte.get_future().wait();
    // A trickled page takes minutes; stop() must cut it off, not wait for it.
    feed.server().stop();
    reader.join();
    EXPECT_LT(received.size(), feed.expectedPage(2).size());
    EXPECT_EQ(received, feed.expectedPage(2).substr(0, received.size()));

    FeedServer again(feed.options(), [] { return fixedNow; });
    std::string error;
    EXPECT_TRUE(again.start(error)) << error;
}

TEST(FeedServer, StartFailsWhenAPortIsTaken) {
    RunningFeed first{FeedOptions{}};
    ASSERT_TRUE(first.running());
    FeedOptions clash = first.options();
    // Sources 1 and 2 bind below the first feed's ports, then source 3 collides.
    clash.portBase = first.port(1) - 2;
    FeedServer second(clash, [] { return fixedNow; });
    std::string error;
    EXPECT_FALSE(second.start(error));
    EXPECT_NE(error.find(std::to_string(first.port(1))), std::string::npos) << error;
    // The first feed is unharmed.
    const httplib::Result answer = first.get(4, first.target(4));
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->body, first.expectedPage(4));
}

}  // namespace
