// Announcing a draw: the notice's text and anchor, and the copy that follows it.
#include "evaluation/announce.h"

#include <gtest/gtest.h>

#include "core/program.h"
#include "fake_platform.h"

namespace {

const std::string announcement = "重庆彩〖20100609023〗期开奖号为【38016】";

TEST(Announcement, TextsAndAnchor) {
    EXPECT_EQ(announcementText("重庆彩", "20100609023", "38016"), announcement);
    // The brackets are A1 BC, A1 BD, A1 BE and A1 BF.
    EXPECT_EQ(announcementText("", "", ""), "\xA1\xBC\xA1\xBD\xC6\xDA\xBF\xAA\xBD\xB1\xBA\xC5\xCE\xAA\xA1\xBE\xA1\xBF");
    EXPECT_EQ(noticeText("a", true), "a\r\n已复制");
    EXPECT_EQ(noticeText("a", false), "a\r\n未复制");
    EXPECT_EQ(noticeAnchor({1024, 768}, 32), (NoticeAnchor{1024, 736}));
}

struct Announcing : ::testing::Test {
    FakePlatform platform;
    Program program{platform};
    void SetUp() override { platform.bounds[Control::气球提示框] = {387, 3, 40, 32}; }
};

TEST_F(Announcing, WithoutTheCopyBoxOnlyTheNoticeShows) {
    announceDraw(program, "重庆彩", "20100609023", "38016");
    ASSERT_EQ(platform.notices.size(), 1u);
    EXPECT_EQ(platform.notices[0].x, 1024);
    EXPECT_EQ(platform.notices[0].y, 736);
    EXPECT_EQ(platform.notices[0].text, announcement + "\r\n未复制");
    EXPECT_TRUE(platform.clipboard.empty());
}

TEST_F(Announcing, WithTheCopyBoxTheFirstLineGoesToTheClipboard) {
    platform.ticked.insert(Control::选择框_复制开奖);
    announceDraw(program, "重庆彩", "20100609023", "38016");
    EXPECT_EQ(platform.notices.at(0).text, announcement + "\r\n已复制");
    ASSERT_EQ(platform.clipboard.size(), 1u);
    EXPECT_EQ(platform.clipboard[0], announcement);
}

TEST_F(Announcing, TheCopyFollowsTheSecondReadOfTheBox) {
    // Ticked when the notice is built, unticked by the time of the copy...
    platform.tickAnswers[Control::选择框_复制开奖] = {true, false};
    announceDraw(program, "重庆彩", "20100609023", "38016");
    EXPECT_EQ(platform.notices.at(0).text, announcement + "\r\n已复制");
    EXPECT_TRUE(platform.clipboard.empty());
    // ...and the other way round.
    platform.tickAnswers[Control::选择框_复制开奖] = {false, true};
    announceDraw(program, "重庆彩", "20100609023", "38016");
    EXPECT_EQ(platform.notices.at(1).text, announcement + "\r\n未复制");
    EXPECT_EQ(platform.clipboard.size(), 1u);
}

}  // namespace
