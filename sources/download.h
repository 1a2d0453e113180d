// Downloading one result page.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A page is read up to this many bytes; what lies beyond is dropped, so a broken
// or hostile server cannot take the program's memory.
inline constexpr std::size_t downloadLimitBytes = 16u << 20;
// A download is given up after this long in all; what arrived until then is the page.
inline constexpr int downloadLimitSeconds = 60;

// GET url ("http://host[:port]/path?query") over HTTP/1.0 and return the response
// body whatever the status, as a byte block that may hold zero bytes. Empty when
// the connection or the request fails before a response; a read error ends the
// body with what arrived.
std::string downloadPage(std::string_view url);
