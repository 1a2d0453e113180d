// The pages the feed serves: each source's result page laid out as that kind of
// site lays it out, and the pages around it (home, errors, the faulty answers).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "feed_draws.h"

namespace feed {

inline constexpr int sourceCount = 4;
// Size of a --fault S=huge body: the real page, then filler without any rows.
inline constexpr std::size_t hugePageSize = std::size_t{64} << 20;

std::string_view sourcePath(int source);   // where the result page is served
std::string_view sourceQuery(int source);  // what the program sends after '?', maybe nothing
std::string_view sourceContentType(int source);
std::string_view sourceName(int source);   // "一号源"

// The result page of `source` for lastDraws (oldest first). Source 1 lists the
// newest draw first, the others put it in the last row.
std::string sourcePage(int source, const std::vector<Draw>& lastDraws);
// The same page with a zero byte ahead of the middle row, so that a reader which
// stops at a zero byte sees only the rows in front of it.
std::string sourcePageWithZeroByte(int source, const std::vector<Draw>& lastDraws);
// A 200 answer with none of the markers: a maintenance notice.
std::string garbagePage();
// The page at "/" of a source's port.
std::string homePage(int source, int port);
std::string notFoundPage();
std::string serverErrorPage();

// Bytes [offset, offset + maxLength) of a huge body that starts with `page`,
// clipped to hugePageSize.
std::string hugePageChunk(std::string_view page, std::size_t offset, std::size_t maxLength);

}  // namespace feed
