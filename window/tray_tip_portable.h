// The notification-area icon's tip: the caption cut to what the icon holds.
#pragma once

#include <string>
#include <string_view>

inline constexpr std::size_t trayTipLimit = 62;

// At most 62 bytes of the caption, never half of a two-byte character.
std::string trayTip(std::string_view caption);
