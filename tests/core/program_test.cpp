// Start and end of the program: the home page and the hint at start, and an end
// that releases the state once whichever way it comes.
#include "core/program.h"

#include <gtest/gtest.h>

#include "core/refresh.h"
#include "fake_platform.h"
#include "sources/source_sites.h"

namespace {

TEST(Program, StartOpensTheHomePageAndPointsTheHintAtTheInterval) {
    FakePlatform platform;
    platform.window = {254, 235, 516, 298};
    platform.bounds[Control::调节器1] = {38, 7, 20, 20};
    platform.bounds[Control::外形框2] = {13, 182, 330, 33};
    Program program(platform);
    onMainWindowCreated(program);
    ASSERT_EQ(platform.opened.size(), 1u);
    EXPECT_EQ(platform.opened[0], homePageAddress);
    ASSERT_EQ(platform.notices.size(), 1u);
    EXPECT_EQ(platform.notices[0].x, 292);
    EXPECT_EQ(platform.notices[0].y, 452);
    EXPECT_EQ(platform.notices[0].text, "请先设置自动获取开奖号码的间隔时间！");
}

TEST(Program, EndingReleasesTheStateOnceAndExitsWithZero) {
    FakePlatform platform;
    Program program(platform);
    int released = 0;
    program.afterRelease = [&] { ++released; };
    program.state.storeSlot(1, {"20100609023-38016", "0609023", "38016"});
    onCloseButtonClicked(program);
    EXPECT_EQ(released, 1);
    EXPECT_TRUE(program.state.released());
    EXPECT_EQ(platform.exitCodes, std::vector<int>{0});
    // The window's teardown after it, or a second way of ending, releases nothing more.
    releaseAtEnd(program);
    EXPECT_EQ(released, 1);
}

TEST(Program, NoChainStartsOnceTheProgramEnds) {
    FakePlatform platform;
    Program program(platform);
    releaseAtEnd(program);
    onAutoUpdateTick(program);
    EXPECT_TRUE(platform.queued.empty());
}

}  // namespace
