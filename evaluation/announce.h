// Announcing a new draw: a balloon notice at the bottom-right corner of the
// screen and, when the copy box is ticked, the announcement on the clipboard.
#pragma once

#include <string>
#include <string_view>

#include "core/platform.h"

struct Program;

// 重庆彩〖20100609023〗期开奖号为【38016】
std::string announcementText(std::string_view lotteryName, std::string_view issue, std::string_view numbers);
// The announcement, a line break, and 已复制 or 未复制.
std::string noticeText(std::string_view announcement, bool copied);

struct NoticeAnchor {
    int x = 0, y = 0;
    bool operator==(const NoticeAnchor&) const = default;
};
// The right edge of the screen, the balloon control's height above its bottom.
NoticeAnchor noticeAnchor(ScreenSize screen, int balloonHeight);

void announceDraw(Program& program, std::string_view lotteryName, std::string_view issue,
                  std::string_view numbers);
