// The cutting benchmarks: the scrapers against the copying baseline, findText and
// replaceText against std::string_view::find, and hostile pages. Every page is checked
// (untimed, before the first run) so that both sides of a comparison do the same work.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>
#include <string_view>

#include "bench_pages.h"
#include "copying_cuts.h"
#include "sources/scrapers.h"
#include "sources/text.h"

namespace {

using Cut = SourceResult (*)(std::string_view);
using CopyingCut = SourceResult (*)(const std::string&);

constexpr Cut cuts[] = {cutSource1, cutSource2, cutSource3, cutSource4};
constexpr CopyingCut copyingCuts[] = {copying::cutSource1, copying::cutSource2, copying::cutSource3,
                                      copying::cutSource4};
constexpr int rowCounts[] = {20, 1000, 10000, 100000};
constexpr std::size_t textPageSize = std::size_t{4} << 20;
constexpr std::size_t hostilePageSize = std::size_t{16} << 20;
// Small enough for the quadratic baseline, odd and even so that pairs fall both ways.
constexpr std::size_t hostileCheckSizes[] = {4099, 16384};

// Pages outlive the registered benchmarks, which keep references into them.
using PageStore = std::deque<std::string>;

// The baseline copies the rest of the page at every cut, several times a row, so its
// time grows with the square of the rows: 0.1 to 0.5 s a run at 10,000 rows, so about
// a hundred times that at 100,000. Source 1 cuts twice per page and runs at every size.
// QUENNIX_BENCH_QUICK (the smoke run) leaves out the baseline's 10,000 rows as well.
bool baselineRuns(int source, int rows, bool quick) {
    return source == 1 || rows < 10000 || (rows == 10000 && !quick);
}

std::string shown(const SourceResult& result) {
    return "{" + result.summary + " | " + result.issueKey + " | " + result.numbers + "}";
}

void check(bool holds, const std::string& what) {
    if (holds) return;
    std::fprintf(stderr, "benchmark set-up: %s\n", what.c_str());
    std::exit(1);
}

void checkSame(const SourceResult& got, const SourceResult& wanted, const std::string& what) {
    check(got == wanted, what + ": " + shown(got) + " instead of " + shown(wanted));
}

// A replacement built on std::string_view::find, blind to two-byte characters: the
// speed reference for replaceText, and equal to it on pages where no subtext starts
// inside a pair.
std::string replaceByFind(std::string_view text, std::string_view subtext, std::string_view replacement) {
    std::string result;
    result.reserve(text.size());
    std::size_t at = 0;
    for (std::size_t match; (match = text.find(subtext, at)) != std::string_view::npos; at = match + subtext.size()) {
        result.append(text.substr(at, match - at));
        result.append(replacement);
    }
    result.append(text.substr(at));
    return result;
}

void countBytes(benchmark::State& state, std::size_t pageSize) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(pageSize));
}

void registerScrapers(PageStore& pages, bool quick) {
    for (int source = 1; source <= 4; ++source) {
        for (int rows : rowCounts) {
            FeedPage built = feedPage(source, rows);
            const std::string where = "source " + std::to_string(source) + ", " + std::to_string(rows) + " rows";
            checkSame(cuts[source - 1](built.page), built.expected, where);
            const std::string& page = pages.emplace_back(std::move(built.page));
            const std::string suffix = "/source" + std::to_string(source) + "/rows:" + std::to_string(rows);

            benchmark::RegisterBenchmark(("scrape" + suffix).c_str(), [cut = cuts[source - 1], &page, rows](benchmark::State& state) {
                for (auto _ : state) benchmark::DoNotOptimize(cut(page));
                countBytes(state, page.size());
                state.SetItemsProcessed(state.iterations() * rows);
            })->Unit(benchmark::kMicrosecond);

            if (!baselineRuns(source, rows, quick)) continue;
            checkSame(copyingCuts[source - 1](page), cuts[source - 1](page), "baseline on " + where);
            benchmark::RegisterBenchmark(("baseline" + suffix).c_str(), [cut = copyingCuts[source - 1], &page, rows](benchmark::State& state) {
                for (auto _ : state) benchmark::DoNotOptimize(cut(page));
                countBytes(state, page.size());
                state.SetItemsProcessed(state.iterations() * rows);
            })->Unit(benchmark::kMicrosecond);
        }
    }
}

void registerTextOperations(PageStore& pages) {
    struct Kind {
        const char* name;
        std::string (*build)(std::size_t);
    };
    for (const Kind kind : {Kind{"ascii", asciiPage}, Kind{"gbk", gbkPage}}) {
        const std::string& page = pages.emplace_back(kind.build(textPageSize));
        const std::string_view view = page;
        const std::string where = std::string(" on the ") + kind.name + " page";
        check(findText(page, absentMarker, false) == -1 && findText(page, absentMarker, true) == -1 &&
                  view.find(absentMarker) == std::string_view::npos,
              "the absent marker is there" + where);
        check(findText(page, replacedSubtext, false) == copying::findText(page, std::string(replacedSubtext), false),
              "findText differs from the baseline" + where);
        const std::string replaced = replaceText(page, replacedSubtext, "|");
        check(replaced == replaceByFind(page, replacedSubtext, "|"), "replaceText differs from the find loop" + where);
        check(replaced == copying::replaceText(page, std::string(replacedSubtext), "|"),
              "replaceText differs from the baseline" + where);

        const std::string suffix = std::string("/") + kind.name;
        auto add = [&](const std::string& name, auto operation) {
            benchmark::RegisterBenchmark((name + suffix).c_str(), [operation, view](benchmark::State& state) {
                for (auto _ : state) benchmark::DoNotOptimize(operation(view));
                countBytes(state, view.size());
            })->Unit(benchmark::kMicrosecond);
        };
        add("text/findText", [](std::string_view text) { return findText(text, absentMarker, false); });
        add("text/findTextFolded", [](std::string_view text) { return findText(text, absentMarker, true); });
        add("text/stringViewFind", [](std::string_view text) { return text.find(absentMarker); });
        add("text/replaceText", [](std::string_view text) { return replaceText(text, replacedSubtext, "|"); });
        add("text/replaceByFind", [](std::string_view text) { return replaceByFind(text, replacedSubtext, "|"); });
    }
}

void registerHostilePages(PageStore& pages) {
    for (const HostileCase& hostile : hostileCases()) {
        const Cut cut = cuts[hostile.source - 1];
        const std::string name = "hostile/source" + std::to_string(hostile.source) + "/" + hostile.name;
        for (std::size_t size : hostileCheckSizes) {
            const std::string small = hostile.build(size);
            checkSame(cut(small), copyingCuts[hostile.source - 1](small), name + " at " + std::to_string(size) + " bytes");
        }
        const std::string& page = pages.emplace_back(hostile.build(hostilePageSize));
        benchmark::RegisterBenchmark(name.c_str(), [cut, &page](benchmark::State& state) {
            for (auto _ : state) benchmark::DoNotOptimize(cut(page));
            countBytes(state, page.size());
        })->Unit(benchmark::kMillisecond);
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    const bool quick = std::getenv("QUENNIX_BENCH_QUICK") != nullptr;
    PageStore pages;
    registerScrapers(pages, quick);
    registerTextOperations(pages);
    registerHostilePages(pages);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
