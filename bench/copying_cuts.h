// The benchmarks' baseline: the text operations and the four scrapers written
// literally, every operation returning a fresh copy, as a first reading of the cuts would.
#pragma once

#include <initializer_list>
#include <string>

#include "core/app_state.h"

namespace copying {

using Text = std::string;

long long findText(const Text& text, const Text& marker, bool ignoreCase);
Text leftBytes(const Text& text, long long count);
Text rightBytes(const Text& text, long long count);
Text concatTexts(std::initializer_list<Text> parts);
Text replaceText(const Text& text, const Text& subtext, const Text& replacement = {}, long long maxCount = -1);
Text takeAfter(const Text& text, const Text& marker);
Text takeBefore(const Text& text, const Text& marker);

SourceResult cutSource1(const Text& page);
SourceResult cutSource2(const Text& page);
SourceResult cutSource3(const Text& page);
SourceResult cutSource4(const Text& page);

}  // namespace copying
