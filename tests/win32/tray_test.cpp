// Minimising a plain window into the notification area and back, the icon's tip,
// and its removal, with the handlers wired as the main window wires them.
#include "window/tray.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include "plain_window.h"
#include "window/appearance.h"

namespace {
using namespace plain;

constexpr UINT trayMessage = WM_APP + 7;

class TrayTest : public testing::Test {
protected:
    void SetUp() override {
        window.onMessage = [this](UINT message, WPARAM, LPARAM lParam) {
            if (message == WM_MOVE) onWindowMoved(window.handle(), tray, trayMessage);
            if (message == trayMessage) onTrayIconEvent(window.handle(), trayEventKind(lParam));
        };
        place = screenRect(window.handle());
    }

    void minimise() {
        onMinimiseButtonClicked(window.handle());
        pump();
    }
    bool restoredInPlace() {
        const RECT now = screenRect(window.handle());
        return IsWindowVisible(window.handle()) && !IsIconic(window.handle()) && EqualRect(&now, &place);
    }
    // Whether the notification area holds our icon: modifying an icon that is not
    // there fails (the data we gave cannot be read back).
    bool iconInNotificationArea() {
        NOTIFYICONDATAA data{};
        data.cbSize = sizeof data;
        data.hWnd = window.handle();
        data.uID = 1;
        return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
    }

    TestWindow window;
    TrayIcon tray;
    RECT place{};
};

TEST(TrayEventKind, NamesTheActionsOnTheIcon) {
    struct Case {
        UINT message;
        int kind;
    } cases[] = {
        {WM_LBUTTONUP, 1},   {WM_LBUTTONDBLCLK, 2}, {WM_RBUTTONUP, 3},   {WM_CONTEXTMENU, 3},
        {WM_MOUSEMOVE, 0},   {WM_LBUTTONDOWN, 0},   {WM_RBUTTONDOWN, 0}, {WM_RBUTTONDBLCLK, 0},
        {WM_MBUTTONUP, 0},   {NIN_SELECT, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(trayEventKind(c.message), c.kind) << std::hex << c.message;
}

TEST_F(TrayTest, MinimisingHidesTheWindowBehindAnIconWithTheCaptionAsTip) {
    EXPECT_FALSE(tray.present()) << "no icon before the first minimise";
    EXPECT_FALSE(iconInNotificationArea());
    minimise();
    EXPECT_TRUE(IsIconic(window.handle()));
    EXPECT_FALSE(IsWindowVisible(window.handle())) << "hidden, and its taskbar button with it";
    ASSERT_TRUE(tray.present());
    EXPECT_EQ(tray.tip(), "Quennix");
    EXPECT_TRUE(iconInNotificationArea());
}

TEST_F(TrayTest, MinimisedByTheSystemItGoesToTheNotificationAreaToo) {
    ShowWindow(window.handle(), SW_MINIMIZE);
    pump();
    EXPECT_FALSE(IsWindowVisible(window.handle()));
    EXPECT_TRUE(tray.present());
}

TEST_F(TrayTest, MovesOfAShownWindowLeaveItAlone) {
    SetWindowPos(window.handle(), nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pump();
    EXPECT_TRUE(IsWindowVisible(window.handle()));
    EXPECT_FALSE(tray.present());
}

TEST_F(TrayTest, ALeftOrRightReleaseOnTheIconBringsTheWindowBackInPlace) {
    struct Case {
        const char* what;
        UINT action;
        bool restores;
    } cases[] = {
        {"left release", WM_LBUTTONUP, true},
        {"right release", WM_RBUTTONUP, true},
        {"context-menu key", WM_CONTEXTMENU, true},
        {"double click", WM_LBUTTONDBLCLK, false},
        {"left press", WM_LBUTTONDOWN, false},
        {"mouse move", WM_MOUSEMOVE, false},
    };
    for (const Case& c : cases) {
        minimise();
        ASSERT_FALSE(IsWindowVisible(window.handle())) << c.what;
        SendMessageA(window.handle(), trayMessage, 1, c.action);
        pump();
        EXPECT_EQ(restoredInPlace(), c.restores) << c.what;
        EXPECT_TRUE(tray.present()) << c.what << ": the icon stays";
        EXPECT_TRUE(iconInNotificationArea()) << c.what;
        if (!c.restores) {
            EXPECT_FALSE(IsWindowVisible(window.handle())) << c.what;
            onTrayIconEvent(window.handle(), 1);
            pump();
        }
        ASSERT_TRUE(restoredInPlace()) << c.what;
    }
    EXPECT_EQ(GetForegroundWindow(), window.handle());
}

TEST_F(TrayTest, ADoubleClickAfterItsFirstReleaseDoesNothingMore) {
    minimise();
    for (UINT action : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
        SendMessageA(window.handle(), trayMessage, 1, action);
        pump(30);
    }
    EXPECT_TRUE(restoredInPlace());
}

TEST_F(TrayTest, TheNextMinimiseTakesTheCaptionOfThatMoment) {
    minimise();
    onTrayIconEvent(window.handle(), 1);
    pump();
    SetWindowTextA(window.handle(), "第20100609023期 3 8 0 1 6");
    EXPECT_EQ(tray.tip(), "Quennix") << "a caption written later waits for the next minimise";
    minimise();
    EXPECT_EQ(tray.tip(), "第20100609023期 3 8 0 1 6");
    EXPECT_TRUE(iconInNotificationArea());

    // A caption longer than the tip holds is cut at a whole character.
    onTrayIconEvent(window.handle(), 3);
    pump();
    std::string caption = "a";
    for (int i = 0; i < 40; ++i) caption += "期";
    SetWindowTextA(window.handle(), caption.c_str());
    minimise();
    EXPECT_EQ(tray.tip(), caption.substr(0, 61));
}

TEST_F(TrayTest, RemoveDeletesTheIconOnce) {
    minimise();
    ASSERT_TRUE(iconInNotificationArea());
    tray.remove();
    EXPECT_FALSE(tray.present());
    EXPECT_FALSE(iconInNotificationArea());
    tray.remove();
    EXPECT_FALSE(tray.present());
}

TEST(TrayIconImage, IsInTheProgram) {
    const int size = GetSystemMetrics(SM_CXSMICON);
    HICON icon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), "trayIconImage", IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    ASSERT_NE(icon, nullptr) << "the resource trayIconImage is linked in";
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, size);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

}  // namespace
