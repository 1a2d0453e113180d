// The six placements and the on-top switch on a real 516x298 window.
#include <gtest/gtest.h>

#include "plain_window.h"
#include "window/appearance.h"

namespace {
using namespace plain;

class PlacementTest : public testing::Test {
protected:
    HWND handle() const { return window.handle(); }
    bool topmost() const { return (GetWindowLongA(window.handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

    TestWindow window;
};

TEST_F(PlacementTest, EachPlacementMovesTheWindowThereKeepingItsSize) {
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    struct Case {
        Placement which;
        int left, top;
    } cases[] = {
        {Placement::左上, 0, 0},     {Placement::上中, 254, 0},   {Placement::右上, 508, 0},
        {Placement::左下, 0, 435},   {Placement::下中, 254, 435}, {Placement::右下, 508, 435},
    };
    for (const Case& c : cases) {
        onPlacementClicked(handle(), c.which);
        pump(30);
        const RECT rect = screenRect(handle());
        EXPECT_EQ(rect.left, c.left) << static_cast<int>(c.which);
        EXPECT_EQ(rect.top, c.top) << static_cast<int>(c.which);
        EXPECT_EQ(rect.right - rect.left, 516) << static_cast<int>(c.which);
        EXPECT_EQ(rect.bottom - rect.top, 298) << static_cast<int>(c.which);
        EXPECT_TRUE(IsWindowVisible(handle()));
    }
}

TEST_F(PlacementTest, ASecondClickOnTheSamePlacementLeavesTheWindowAlone) {
    onPlacementClicked(handle(), Placement::上中);
    pump(30);
    const int moves = window.positionChanges;
    EXPECT_GE(moves, 1);
    onPlacementClicked(handle(), Placement::上中);
    pump(30);
    EXPECT_EQ(window.positionChanges, moves) << "no move when already there";
    EXPECT_EQ(screenRect(handle()).left, 254);
}

TEST_F(PlacementTest, AWindowOfAnotherSizeKeepsItsSize) {
    SetWindowPos(handle(), nullptr, 0, 0, 301, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    onPlacementClicked(handle(), Placement::右下);
    pump(30);
    const RECT rect = screenRect(handle());
    EXPECT_EQ(rect.left, 723);
    EXPECT_EQ(rect.top, 533);
    EXPECT_EQ(rect.right - rect.left, 301);
    EXPECT_EQ(rect.bottom - rect.top, 200);
}

TEST_F(PlacementTest, OnTopFollowsTheBoxWithoutMovingOrActivating) {
    TestWindow other;  // now the active window
    ASSERT_EQ(GetForegroundWindow(), other.handle());
    const RECT before = screenRect(handle());
    for (bool ticked : {true, true, false, true, false, false}) {
        onStayOnTopClicked(handle(), ticked);
        pump(30);
        EXPECT_EQ(topmost(), ticked);
        const RECT after = screenRect(handle());
        EXPECT_TRUE(EqualRect(&before, &after));
        EXPECT_EQ(GetForegroundWindow(), other.handle()) << "not activated";
    }
}

TEST_F(PlacementTest, APlacementKeepsTheWindowOnTop) {
    onStayOnTopClicked(handle(), true);
    onPlacementClicked(handle(), Placement::左下);
    pump(30);
    EXPECT_TRUE(topmost());
    EXPECT_EQ(screenRect(handle()).top, 435);
}

}  // namespace
