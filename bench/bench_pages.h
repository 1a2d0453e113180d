// The pages the benchmarks cut: the feed's result pages at a given number of rows,
// plain and GBK-heavy text pages, and hostile pages built to be a scraper's worst case.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/app_state.h"

struct FeedPage {
    std::string page;
    SourceResult expected;  // the newest draw, which every scraper must find
};

// The result page of `source` with `rows` draws in the feed's form.
FeedPage feedPage(int source, int rows);

// About `size` bytes of table markup, every byte below 0x80.
std::string asciiPage(std::size_t size);
// The same markup with a run of two-byte characters behind every line, as long as
// the line: half the page's bytes are pairs, many of them with a second byte below 0x80.
std::string gbkPage(std::size_t size);
// Absent from both pages, while its first bytes open many of their cells.
inline constexpr std::string_view absentMarker = "<td class=\"missing\">";
inline constexpr std::string_view replacedSubtext = "</td>";

struct HostileCase {
    int source;
    const char* name;
    std::string (*build)(std::size_t size);
};
// Every hostile page, grouped by scraper.
const std::vector<HostileCase>& hostileCases();
