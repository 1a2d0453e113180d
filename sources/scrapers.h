// The four draw sources: cutting each kind of result page, and the refresh steps
// that download a page, cut it, store the result and hand over to the next step.
#pragma once

#include <string>
#include <string_view>

#include "core/app_state.h"

struct Program;

// Cutting one page (its text, up to any zero byte) into a source's result.
SourceResult cutSource1(std::string_view page);  // first entry of a JSON-like list
SourceResult cutSource2(std::string_view page);  // last row of an XML history
SourceResult cutSource3(std::string_view page);  // last pair of script arrays
SourceResult cutSource4(std::string_view page);  // last row of an HTML trend table

// "http://host/path?query" of source 1 to 4.
std::string sourceUrl(int source);
// "<display name>开奖结果", the heading over a source's line.
std::string sourceHeading(int source);

// Refresh steps: download + cut + store, then hand over.
void fetchSource1(Program& program);
void fetchSource2(Program& program);
void fetchSource3(Program& program);
void fetchSource4(Program& program);
