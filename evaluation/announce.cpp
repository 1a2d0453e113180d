// Announcing a new draw with a notice and, when asked for, a clipboard copy.
#include "evaluation/announce.h"

#include "core/program.h"
#include "sources/text.h"

std::string announcementText(std::string_view lotteryName, std::string_view issue, std::string_view numbers) {
    return concatTexts({lotteryName, "〖", issue, "〗期开奖号为【", numbers, "】"});
}

std::string noticeText(std::string_view announcement, bool copied) {
    return concatTexts({announcement, "\r\n", copied ? "已复制" : "未复制"});
}

NoticeAnchor noticeAnchor(ScreenSize screen, int balloonHeight) {
    return {screen.width, screen.height - balloonHeight};
}

void announceDraw(Program& program, std::string_view lotteryName, std::string_view issue,
                  std::string_view numbers) {
    Platform& platform = program.platform;
    const std::string announcement = announcementText(lotteryName, issue, numbers);
    // The box is read before the notice for its second line, and again after it
    // for the copy: the user may untick it while the notice shows.
    const bool copyWanted = platform.isTicked(Control::选择框_复制开奖);
    const NoticeAnchor anchor =
        noticeAnchor(platform.screenSize(), platform.controlBounds(Control::气球提示框).height);
    platform.popNotice(anchor.x, anchor.y, noticeText(announcement, copyWanted));
    if (platform.isTicked(Control::选择框_复制开奖)) platform.copyToClipboard(announcement);
}
