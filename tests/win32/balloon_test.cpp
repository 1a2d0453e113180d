// The balloon notice on a plain window: one notice at a time, its text, where it
// opens, and what closes it (buttons, the wheel and keys, also in a modal dialog).
#include "window/balloon.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "plain_window.h"

namespace {
using namespace plain;

class BalloonTest : public testing::Test {
protected:
    void SetUp() override {
        balloon.create(window.handle());
        ASSERT_NE(balloon.tipWindow(), nullptr);
    }

    // The text the tooltip itself holds for the notice.
    std::string shownText() {
        char text[512] = {};
        TTTOOLINFOA info{};
        info.cbSize = sizeof info;
        info.hwnd = window.handle();
        info.uId = 1;
        info.lpszText = text;
        SendMessageA(balloon.tipWindow(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
        return text;
    }
    bool visible() { return IsWindowVisible(balloon.tipWindow()) != FALSE; }
    // Pops a notice in the middle of the test window.
    void popInWindow(const char* text = "新的一期") {
        const RECT rect = screenRect(window.handle());
        balloon.pop(rect.left + 200, rect.top + 150, text);
        pump();
        ASSERT_TRUE(visible());
    }

    TestWindow window;
    Balloon balloon;
};

int visibleTooltipsOfThisThread() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND candidate, LPARAM found) -> BOOL {
            char type[64] = {};
            GetClassNameA(candidate, type, sizeof type);
            if (lstrcmpiA(type, TOOLTIPS_CLASSA) == 0 && IsWindowVisible(candidate)) ++*reinterpret_cast<int*>(found);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST_F(BalloonTest, TheNextNoticeReplacesTheLastOne) {
    balloon.pop(300, 300, "第一条");
    balloon.pop(500, 400, "第二条");
    pump();
    EXPECT_TRUE(balloon.showing());
    EXPECT_TRUE(visible());
    EXPECT_EQ(visibleTooltipsOfThisThread(), 1);
    EXPECT_EQ(shownText(), "第二条");
    EXPECT_EQ(balloon.text(), "第二条");
}

TEST_F(BalloonTest, ShowsTheTextUnchangedAndBreaksLinesAtCrLf) {
    popInWindow("重庆彩〖20100609023〗期开奖号为【38016】");
    EXPECT_EQ(shownText(), "重庆彩〖20100609023〗期开奖号为【38016】");
    const RECT oneLine = screenRect(balloon.tipWindow());

    popInWindow("第一行\r\n第二行");
    EXPECT_EQ(shownText(), "第一行\r\n第二行");
    const RECT twoLines = screenRect(balloon.tipWindow());
    EXPECT_GT(twoLines.bottom - twoLines.top, oneLine.bottom - oneLine.top) << "the second line makes it taller";

    popInWindow("");
    EXPECT_TRUE(balloon.showing()) << "the empty text is a notice too";
    EXPECT_EQ(balloon.text(), "");
}

TEST_F(BalloonTest, ButtonsTheWheelAndKeysCloseItButMouseMovesDoNot) {
    struct Case {
        const char* what;
        UINT message;
        WPARAM wParam;
        bool closes;
    } cases[] = {
        {"mouse move", WM_MOUSEMOVE, 0, false},
        {"non-client mouse move", WM_NCMOUSEMOVE, HTNOWHERE, false},
        {"key release", WM_KEYUP, 'A', false},
        {"left button", WM_LBUTTONDOWN, MK_LBUTTON, true},
        {"right button", WM_RBUTTONDOWN, MK_RBUTTON, true},
        {"middle button", WM_MBUTTONDOWN, MK_MBUTTON, true},
        {"non-client left button", WM_NCLBUTTONDOWN, HTNOWHERE, true},
        {"non-client right button", WM_NCRBUTTONDOWN, HTNOWHERE, true},
        {"wheel", WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), true},
        {"key", WM_KEYDOWN, 'A', true},
    };
    for (const Case& c : cases) {
        popInWindow();
        PostMessageA(window.handle(), c.message, c.wParam, MAKELPARAM(20, 20));
        pump();
        EXPECT_EQ(!visible(), c.closes) << c.what;
        EXPECT_EQ(!balloon.showing(), c.closes) << c.what;
    }
}

TEST_F(BalloonTest, RealMouseMovesLeaveItAndARealClickOrKeyClosesIt) {
    const RECT rect = screenRect(window.handle());
    popInWindow();
    for (int step = 0; step < 5; ++step) mouseAt(rect.left + 50 + step * 60, rect.top + 40 + step * 30);
    const RECT tip = screenRect(balloon.tipWindow());
    mouseAt((tip.left + tip.right) / 2, (tip.top + tip.bottom) / 2);
    pump();
    EXPECT_TRUE(visible()) << "moving over the window and the notice leaves it";

    clickAt(rect.left + 30, rect.top + 30);
    EXPECT_FALSE(visible()) << "a click in the window closes it";

    popInWindow();
    SetForegroundWindow(window.handle());
    SetFocus(window.handle());
    pressKey(VK_SHIFT);
    EXPECT_FALSE(visible()) << "a key in the window closes it";
}

DWORD WINAPI pressKeyInDialog(LPVOID) {
    // The message box belongs to the test's thread: wait for it, then press a key in it.
    HWND dialog = nullptr;
    for (int tries = 0; tries < 500 && !dialog; ++tries) {
        dialog = FindWindowA("#32770", "Quennix 模态");
        if (!dialog) Sleep(10);
    }
    if (!dialog) return 1;
    Sleep(100);
    PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    Sleep(500);
    // Esc ends a message box; should it not, end it anyway so the test goes on.
    if (IsWindow(dialog)) PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    return 0;
}

TEST_F(BalloonTest, AKeyInAModalDialogOfTheProgramClosesIt) {
    popInWindow();
    HANDLE presser = CreateThread(nullptr, 0, pressKeyInDialog, nullptr, 0, nullptr);
    ASSERT_NE(presser, nullptr);
    MessageBoxA(window.handle(), "按任意键", "Quennix 模态", MB_OK);
    // No message of this thread has been handled since the box ended: only the
    // dialog's own loop can have seen the key.
    EXPECT_FALSE(balloon.showing());
    EXPECT_FALSE(visible());
    WaitForSingleObject(presser, 5000);
    DWORD found = 1;
    GetExitCodeThread(presser, &found);
    CloseHandle(presser);
    EXPECT_EQ(found, 0u) << "the message box was found";
}

TEST_F(BalloonTest, OpensToTheSideWhereItFitsOnTheScreen) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    struct Case {
        int x, y;
        bool opensLeft, opensUp;
    } cases[] = {
        {width, height - 32, true, true},
        {width - 1, height - 1, true, true},
        {40, 40, false, false},
    };
    for (const Case& c : cases) {
        balloon.pop(c.x, c.y, "重庆彩〖20100609023〗期开奖号为【38016】");
        pump();
        ASSERT_TRUE(visible());
        const RECT tip = screenRect(balloon.tipWindow());
        EXPECT_GE(tip.left, 0) << c.x << "," << c.y;
        EXPECT_GE(tip.top, 0) << c.x << "," << c.y;
        EXPECT_LE(tip.right, width) << c.x << "," << c.y;
        EXPECT_LE(tip.bottom, height) << c.x << "," << c.y;
        // Most of the balloon lies on the side it opens to.
        EXPECT_EQ((tip.left + tip.right) / 2 < c.x, c.opensLeft) << c.x << "," << c.y;
        EXPECT_EQ((tip.top + tip.bottom) / 2 < c.y, c.opensUp) << c.x << "," << c.y;
    }
}

}  // namespace
