// The real main window in this process, driven with messages and read back with
// Win32 calls: its place, its controls' parents, places, texts, colours and fonts,
// the hint, the timers and what the controls do when used.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/program.h"
#include "core/refresh.h"
#include "sources/source_sites.h"
#include "window/colour_picker.h"
#include "window/controls.h"
#include "window/main_window.h"
#include "window/win32_platform.h"
#include "win32/plain_window.h"

namespace {
using plain::pump;
using plain::pumpUntil;
using plain::screenRect;
using plain::textOf;

bool sameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

// Records what the program asks of the platform on top of doing it, except that
// no browser is started and no worker runs.
class RecordingPlatform : public Win32Platform {
public:
    struct Notice {
        int x, y;
        std::string text;
    };
    std::vector<Notice> notices;
    std::vector<std::string> opened;
    std::vector<std::pair<Timer, std::int32_t>> timersStarted;
    std::vector<Timer> timersStopped;
    int workersAsked = 0;
    int trims = 0;

    void popNotice(int x, int y, std::string_view text) override {
        notices.push_back({x, y, std::string(text)});
        Win32Platform::popNotice(x, y, text);
    }
    void openInShell(std::string_view address) override { opened.emplace_back(address); }
    void startTimer(Timer timer, std::int32_t period) override {
        timersStarted.emplace_back(timer, period);
        Win32Platform::startTimer(timer, period);
    }
    void stopTimer(Timer timer) override {
        timersStopped.push_back(timer);
        Win32Platform::stopTimer(timer);
    }
    bool startWorker(std::function<void()>) override {
        ++workersAsked;
        return false;
    }
    void trimWorkingSet() override { ++trims; }
};

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        platform.attach(window);
        ASSERT_TRUE(window.create());
        onMainWindowCreated(program);
        pump();
        main = window.handle();
    }
    void TearDown() override {
        if (window.handle()) DestroyWindow(window.handle());
        pump();  // takes the quit message the destruction posts
    }
    HWND at(Control control) const { return window.control(control); }

    RecordingPlatform platform;
    Program program{platform};
    MainWindow window{GetModuleHandleA(nullptr), program};
    HWND main = nullptr;
};

using enum Control;

constexpr Control onWindow = static_cast<Control>(-1);
struct Expected {
    Control name;
    Control parent;
    int left, top, width, height;
    const char* text;  // nullptr: a source heading
};

// The window's controls as laid out, in stacking order (an earlier one lies on top).
const Expected layout[] = {
    {气球提示框, 外形框4, 387, 3, 40, 32, ""},
    {选择框1, 外形框4, 379, 11, 56, 20, "最前面"},
    {标签10, 外形框4, 10, 10, 56, 20, "调整位置："},
    {图形按钮_最小化, onWindow, 454, 1, 26, 17, ""},
    {图形按钮_关闭, onWindow, 478, 1, 37, 17, ""},
    {左上单选框, 外形框4, 70, 12, 45, 20, "左上"},
    {上中单选框, 外形框4, 122, 10, 45, 22, "上中"},
    {右上单选框, 外形框4, 174, 10, 45, 22, "右上"},
    {左下单选框, 外形框4, 226, 10, 45, 22, "左下"},
    {下中单选框, 外形框4, 277, 10, 45, 22, "下中"},
    {右下单选框, 外形框4, 328, 10, 45, 22, "右下"},
    {颜色选择器1, 外形框4, 440, 8, 32, 28, nullptr},
    {外形框4, onWindow, 13, 221, 488, 40, ""},
    {选择框_复制开奖, 外形框2, 225, 7, 95, 20, "复制开奖内容"},
    {选择框_报奖, 外形框2, 139, 7, 70, 20, "是否报号"},
    {标签_五星单双形态, 外形框3, 165, 25, 150, 20, "五星单双形态："},
    {标签_五星大小形态, 外形框3, 5, 25, 150, 20, "五星大小形态："},
    {标签_后三形态, 外形框3, 220, 5, 100, 20, "后三形态："},
    {标签_中三形态, 外形框3, 110, 5, 100, 20, "中三形态："},
    {标签_前三形态, 外形框3, 5, 5, 100, 20, "前三形态："},
    {外形框3, onWindow, 13, 129, 330, 50, ""},
    {标签9, 外形框2, 60, 7, 64, 20, "秒检查一次"},
    {调节器1, 外形框2, 38, 7, 20, 20, ""},
    {编辑框_时间, 外形框2, 7, 7, 32, 20, "0"},
    {外形框2, onWindow, 13, 182, 330, 33, ""},
    {标签开奖号码, onWindow, 15, 42, 325, 78, ""},
    {外形框1, onWindow, 13, 41, 330, 85, ""},
    {标签8, onWindow, 351, 195, 150, 20, ""},
    {标签7, onWindow, 351, 150, 150, 20, ""},
    {标签6, onWindow, 351, 105, 150, 20, ""},
    {标签5, onWindow, 351, 60, 150, 20, ""},
    {标签4, onWindow, 351, 176, 150, 20, nullptr},
    {标签3, onWindow, 351, 131, 150, 20, nullptr},
    {标签2, onWindow, 351, 86, 150, 20, nullptr},
    {标签1, onWindow, 351, 41, 150, 20, nullptr},
};

std::string headingOf(Control label) {
    const int source = static_cast<int>(标签1) - static_cast<int>(label) + 1;
    return std::string(sourceSites[source - 1].displayName) + "开奖结果";
}

TEST_F(MainWindowTest, StandsCentredBorderlessWithItsCaptionAndIcons) {
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    const RECT rect = screenRect(main);
    EXPECT_EQ(rect.left, 254);
    EXPECT_EQ(rect.top, 235);
    EXPECT_EQ(rect.right - rect.left, 516);
    EXPECT_EQ(rect.bottom - rect.top, 298);
    RECT client{};
    GetClientRect(main, &client);
    EXPECT_EQ(client.right, 516) << "no frame: the outer size is the client size";
    EXPECT_EQ(client.bottom, 298);

    const LONG_PTR style = GetWindowLongPtrA(main, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrA(main, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER));
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW) << "a taskbar button";
    EXPECT_FALSE(exStyle & WS_EX_TOPMOST);
    EXPECT_EQ(textOf(main), "Quennix");
    EXPECT_NE(SendMessageA(main, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(main, WM_GETICON, ICON_SMALL, 0), 0);
}

TEST_F(MainWindowTest, EveryControlHasItsParentPlaceAndText) {
    for (const Expected& row : layout) {
        SCOPED_TRACE(static_cast<int>(row.name));
        HWND control = at(row.name);
        ASSERT_TRUE(IsWindow(control));
        HWND parent = row.parent == onWindow ? main : at(row.parent);
        EXPECT_EQ(GetParent(control), parent);
        RECT rect = screenRect(control);
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, row.left);
        EXPECT_EQ(rect.top, row.top);
        EXPECT_EQ(rect.right - rect.left, row.width);
        EXPECT_EQ(rect.bottom - rect.top, row.height);
        if (row.name == 颜色选择器1) continue;  // the picker shows a colour, not a text
        EXPECT_EQ(textOf(control), row.text ? std::string(row.text) : headingOf(row.name));
        // The balloon control is never visible itself; every other control is.
        EXPECT_EQ(IsWindowVisible(control) != FALSE, row.name != 气球提示框);
    }
}

TEST_F(MainWindowTest, EarlierControlsLieAboveLaterOnes) {
    for (HWND parent : {main, at(外形框1), at(外形框2), at(外形框3), at(外形框4)}) {
        std::vector<HWND> expected;
        for (const Expected& row : layout)
            if ((row.parent == onWindow ? main : at(row.parent)) == parent) expected.push_back(at(row.name));
        std::vector<HWND> stacked;
        for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            stacked.push_back(child);
        EXPECT_EQ(stacked, expected);
    }
}

TEST_F(MainWindowTest, ControlsHaveTheirFontsTicksAndStyles) {
    const auto fontOf = [](HWND control) { return reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)); };
    // Besides the two with fonts of their own, these draw no text at all.
    const std::set<Control> ownFontOrNoText{气球提示框, 图形按钮_最小化, 图形按钮_关闭, 颜色选择器1, 外形框4, 外形框3,
                                            调节器1,    外形框2,        外形框1,      标签开奖号码, 编辑框_时间};
    for (const Expected& row : layout) {
        if (ownFontOrNoText.count(row.name)) continue;
        SCOPED_TRACE(static_cast<int>(row.name));
        EXPECT_EQ(fontOf(at(row.name)), GetStockObject(DEFAULT_GUI_FONT));
    }
    LOGFONTA digits{};
    ASSERT_TRUE(GetObjectA(fontOf(at(标签开奖号码)), sizeof digits, &digits));
    EXPECT_EQ(digits.lfHeight, -91) << "a character height of 91 pixels";
    EXPECT_EQ(digits.lfWeight, FW_BOLD);
    EXPECT_EQ(digits.lfQuality, PROOF_QUALITY);
    EXPECT_EQ(digits.lfCharSet, DEFAULT_CHARSET);
    EXPECT_STREQ(digits.lfFaceName, "Verdana");
    LOGFONTA interval{};
    ASSERT_TRUE(GetObjectA(fontOf(at(编辑框_时间)), sizeof interval, &interval));
    EXPECT_EQ(interval.lfHeight, -16);
    EXPECT_EQ(interval.lfWeight, FW_NORMAL);
    EXPECT_STREQ(interval.lfFaceName, "");

    for (Control tick : {选择框1, 选择框_复制开奖, 选择框_报奖, 左上单选框, 上中单选框, 右上单选框, 左下单选框,
                         下中单选框, 右下单选框})
        EXPECT_EQ(SendMessageA(at(tick), BM_GETCHECK, 0, 0), BST_UNCHECKED) << static_cast<int>(tick);

    HWND box = at(编辑框_时间);
    EXPECT_FALSE(IsWindowEnabled(box)) << "the user can neither focus nor type into it";
    EXPECT_TRUE(GetWindowLongPtrA(box, GWL_STYLE) & ES_CENTER);
    EXPECT_TRUE(GetWindowLongPtrA(box, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

}

// The window's face as drawn, read back pixel by pixel in window coordinates.
class Face {
public:
    explicit Face(HWND main) : main_(main) {
        RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pump();
        dc_ = GetDC(main);
    }
    ~Face() { ReleaseDC(main_, dc_); }
    COLORREF at(int x, int y) const { return GetPixel(dc_, x, y); }
    // How many pixels of a colour lie in a control's client area.
    int count(HWND control, COLORREF colour) const {
        RECT rect{};
        GetClientRect(control, &rect);
        MapWindowPoints(control, main_, reinterpret_cast<POINT*>(&rect), 2);
        int found = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x) found += at(x, y) == colour;
        return found;
    }

private:
    HWND main_;
    HDC dc_ = nullptr;
};

TEST_F(MainWindowTest, ControlsShowTheirColours) {
    const Face face(main);
    const COLORREF buttonFace = GetSysColor(COLOR_BTNFACE);
    const COLORREF magenta = RGB(255, 0, 255);
    struct Case {
        const char* what;
        int x, y;
        COLORREF colour;
    };
    const Case cases[] = {
        {"outline of 外形框4", 13, 240, RGB(0, 96, 192)},
        {"face of 外形框4", 16, 224, buttonFace},
        {"outline of 外形框3", 13, 150, RGB(0, 128, 0)},
        {"outline of 外形框2", 200, 182, magenta},
        {"outline of 外形框1", 13, 80, RGB(0, 0, 0)},
        {"face of 标签开奖号码", 200, 80, buttonFace},
        {"heading background of 标签1", 351 + 145, 41 + 10, RGB(0, 136, 255)},
        {"border of 标签1", 351, 41 + 10, RGB(0, 0, 0)},
        {"border of 标签8", 351 + 149, 195 + 19, RGB(0, 0, 0)},
        {"no border on 标签开奖号码", 15, 80, buttonFace},
        {"no border on 标签_前三形态", 13 + 5, 129 + 5 + 10, buttonFace},
        {"line background of 标签5", 351 + 145, 60 + 10, buttonFace},
        {"background of 标签10", 13 + 10 + 54, 221 + 10 + 10, RGB(236, 236, 236)},
        {"background of 选择框1", 13 + 379 + 54, 221 + 11 + 18, RGB(236, 236, 236)},
        {"background of 编辑框_时间", 13 + 7 + 3, 182 + 7 + 3, RGB(255, 255, 255)},
    };
    for (const Case& c : cases) EXPECT_EQ(face.at(c.x, c.y), c.colour) << c.what;

    struct Ink {
        Control control;
        COLORREF colour;
    };
    const Ink inks[] = {
        {标签1, RGB(255, 255, 255)}, {标签_前三形态, RGB(0, 128, 0)}, {标签9, magenta},
        {选择框_报奖, magenta},      {选择框_复制开奖, magenta},      {编辑框_时间, magenta},
    };
    for (const Ink& ink : inks) EXPECT_GT(face.count(at(ink.control), ink.colour), 0) << static_cast<int>(ink.control);
    // A disabled edit box would draw its "0" grey.
    EXPECT_EQ(face.count(at(编辑框_时间), GetSysColor(COLOR_GRAYTEXT)), 0);
}

TEST_F(MainWindowTest, TheSkinLiesUnderTheControls) {
    const Face face(main);
    // Nothing of the window's own face shows the white background at these points:
    // the top strip, the gap between the columns and the bottom strip are skin.
    for (POINT point : {POINT{100, 10}, POINT{346, 100}, POINT{100, 285}})
        EXPECT_NE(face.at(point.x, point.y), RGB(255, 255, 255)) << point.x << "," << point.y;
}

TEST_F(MainWindowTest, OpensTheHomePageAndPointsTheHintAtTheIntervalControls) {
    ASSERT_EQ(platform.opened.size(), 1u);
    EXPECT_EQ(platform.opened[0], homePageAddress);
    ASSERT_EQ(platform.notices.size(), 1u);
    EXPECT_EQ(platform.notices[0].x, 292);
    EXPECT_EQ(platform.notices[0].y, 452);
    EXPECT_EQ(platform.notices[0].text, "请先设置自动获取开奖号码的间隔时间！");
}

TEST_F(MainWindowTest, OnlyTheMemoryTimerRunsAtStart) {
    ASSERT_EQ(platform.timersStarted.size(), 1u);
    EXPECT_EQ(platform.timersStarted[0].first, Timer::时钟_内存优化);
    EXPECT_EQ(platform.timersStarted[0].second, 2000);
    // KillTimer finds only a running timer.
    EXPECT_FALSE(KillTimer(main, timerId(Timer::时钟_自动更新)));
    EXPECT_TRUE(KillTimer(main, timerId(Timer::时钟_内存优化)));
}

TEST_F(MainWindowTest, EachTimerTickReachesItsHandler) {
    SendMessageA(main, WM_TIMER, timerId(Timer::时钟_内存优化), 0);
    EXPECT_EQ(platform.trims, 1);
    EXPECT_EQ(platform.workersAsked, 0);
    SendMessageA(main, WM_TIMER, timerId(Timer::时钟_自动更新), 0);
    EXPECT_EQ(platform.workersAsked, 1) << "a tick starts a refresh chain";
    EXPECT_EQ(platform.trims, 1);
}

// A press and release of the mouse on one of the spinner's arrows.
void pressArrow(HWND spinner, bool upper) {
    RECT client{};
    GetClientRect(spinner, &client);
    const LPARAM point = MAKELPARAM(client.right / 2, upper ? client.bottom / 4 : client.bottom * 3 / 4);
    SendMessageA(spinner, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(spinner, WM_LBUTTONUP, 0, point);
}

TEST_F(MainWindowTest, SpinnerArrowsStepTheIntervalAndSetTheTimer) {
    HWND spinner = at(调节器1);
    pressArrow(spinner, true);
    EXPECT_EQ(textOf(at(编辑框_时间)), "1");
    ASSERT_EQ(platform.timersStarted.size(), 2u);
    EXPECT_EQ(platform.timersStarted[1], std::make_pair(Timer::时钟_自动更新, 1000));
    pressArrow(spinner, false);
    EXPECT_EQ(textOf(at(编辑框_时间)), "0");
    ASSERT_EQ(platform.timersStopped.size(), 1u);
    EXPECT_EQ(platform.timersStopped[0], Timer::时钟_自动更新);
    pressArrow(spinner, false);
    EXPECT_EQ(textOf(at(编辑框_时间)), "0") << "no interval below 0";
    // More presses than the spinner's own range holds: its arrows never meet an end.
    for (int i = 0; i < 120; ++i) pressArrow(spinner, true);
    EXPECT_EQ(textOf(at(编辑框_时间)), "120");
    EXPECT_EQ(program.timerPeriods[static_cast<int>(Timer::时钟_自动更新)], 120000);
}

TEST_F(MainWindowTest, RadioButtonsAreOneGroupAndEachPlacesTheWindow) {
    struct Case {
        Control button;
        int left, top;
    };
    const Case cases[] = {{左上单选框, 0, 0},   {右下单选框, 508, 435}, {上中单选框, 254, 0},
                          {左下单选框, 0, 435}, {下中单选框, 254, 435}, {右上单选框, 508, 0}};
    const Control radios[] = {左上单选框, 上中单选框, 右上单选框, 左下单选框, 下中单选框, 右下单选框};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.button));
        SendMessageA(at(c.button), BM_CLICK, 0, 0);
        pump();
        for (Control radio : radios)
            EXPECT_EQ(SendMessageA(at(radio), BM_GETCHECK, 0, 0), radio == c.button ? BST_CHECKED : BST_UNCHECKED);
        const RECT rect = screenRect(main);
        EXPECT_EQ(rect.left, c.left);
        EXPECT_EQ(rect.top, c.top);
        EXPECT_EQ(rect.right - rect.left, 516);
    }
}

TEST_F(MainWindowTest, TheOnTopBoxKeepsTheWindowOnTop) {
    for (bool ticked : {true, false, true}) {
        SendMessageA(at(选择框1), BM_CLICK, 0, 0);
        EXPECT_EQ(SendMessageA(at(选择框1), BM_GETCHECK, 0, 0) == BST_CHECKED, ticked);
        EXPECT_EQ((GetWindowLongPtrA(main, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, ticked);
    }
}

TEST_F(MainWindowTest, TickingTheAnnouncementBoxesOnlyTicksThem) {
    const RECT before = screenRect(main);
    for (Control box : {选择框_报奖, 选择框_复制开奖}) {
        SendMessageA(at(box), BM_CLICK, 0, 0);
        EXPECT_EQ(SendMessageA(at(box), BM_GETCHECK, 0, 0), BST_CHECKED);
    }
    EXPECT_TRUE(platform.Win32Platform::isTicked(选择框_报奖));
    EXPECT_TRUE(sameRect(before, screenRect(main)));
    EXPECT_EQ(platform.workersAsked, 0);
    EXPECT_EQ(platform.timersStarted.size(), 1u);
}

TEST_F(MainWindowTest, PictureButtonShowsItsHotImageWhileHoveredAndClicksOnlyWhenReleasedOverIt) {
    HWND button = at(图形按钮_最小化);
    const auto pixels = [&] {
        RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        HDC dc = GetDC(button);
        std::vector<COLORREF> all;
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 26; ++x) all.push_back(GetPixel(dc, x, y));
        ReleaseDC(button, dc);
        return all;
    };
    const std::vector<COLORREF> normal = pixels();
    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_NE(pixels(), normal) << "hovered";
    SendMessageA(button, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(pixels(), normal) << "left";

    // Pressed on the button, released away from it: no click.
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_NE(pixels(), normal) << "pressed";
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(200, 100));
    pump();
    EXPECT_FALSE(IsIconic(main));
    EXPECT_EQ(GetCapture(), nullptr);

    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    pump();
    EXPECT_TRUE(IsIconic(main)) << "the minimise button minimised the window";
}

TEST_F(MainWindowTest, MinimisingHidesTheWindowInTheTrayAndTheIconBringsItBack) {
    HWND button = at(图形按钮_最小化);
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    pump();
    EXPECT_TRUE(IsIconic(main));
    EXPECT_FALSE(IsWindowVisible(main)) << "no taskbar button while it lives in the tray";
    ASSERT_TRUE(window.tray().present());
    EXPECT_EQ(window.tray().tip(), "Quennix");

    SendMessageA(main, WM_APP_TRAY, 0, WM_LBUTTONUP);
    pump();
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_FALSE(IsIconic(main));
    const RECT rect = screenRect(main);
    EXPECT_EQ(rect.left, 254);
    EXPECT_EQ(rect.top, 235);
    EXPECT_TRUE(window.tray().present()) << "the icon stays until the window goes";

    DestroyWindow(main);
    pump();
    EXPECT_FALSE(window.tray().present()) << "destroying the window removed the icon";
}

// Opens the picker's palette with a click and returns the palette window.
HWND openPalette(HWND picker) {
    SendMessageA(picker, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(picker, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    pump();
    return FindWindowA(colourPaletteClass, nullptr);
}

TEST_F(MainWindowTest, ChoosingAColourRecoloursTheDigitsAndTheirFrame) {
    SetWindowTextA(at(标签开奖号码), "88888");
    HWND picker = at(颜色选择器1);
    HWND palette = openPalette(picker);
    ASSERT_NE(palette, nullptr);
    SendMessageA(palette, WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageA(palette, WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageA(palette, WM_KEYDOWN, VK_RETURN, 0);
    pump();
    const COLORREF chosen = colourPickerColour(picker);
    ASSERT_NE(chosen, RGB(0, 0, 0)) << "another colour than the first one";
    {
        const Face face(main);
        EXPECT_EQ(face.at(13, 80), chosen) << "the frame's outline";
        EXPECT_GT(face.count(at(标签开奖号码), chosen), 0) << "the digits";
        EXPECT_EQ(face.count(at(标签开奖号码), RGB(0, 0, 0)), 0);
        EXPECT_EQ(face.at(338, 44), GetSysColor(COLOR_BTNFACE)) << "the label's face keeps its colour";
    }

    // The same colour chosen again recolours again: here over a colour set behind
    // the picker's back.
    setLabelTextColour(at(标签开奖号码), RGB(0, 0, 255));
    setShapeBoxLineColour(at(外形框1), RGB(0, 0, 255));
    palette = openPalette(picker);
    ASSERT_NE(palette, nullptr);
    SendMessageA(palette, WM_KEYDOWN, VK_RETURN, 0);
    pump();
    EXPECT_EQ(colourPickerColour(picker), chosen);
    const Face face(main);
    EXPECT_EQ(face.at(13, 80), chosen);
    EXPECT_EQ(face.count(at(标签开奖号码), RGB(0, 0, 255)), 0);
}

TEST_F(MainWindowTest, EscInTheOpenPaletteClosesOnlyThePalette) {
    HWND palette = openPalette(at(颜色选择器1));
    ASSERT_NE(palette, nullptr);
    bool paletteGone = false, windowThere = false;
    // Runs inside the loop right after the Esc: then ends the loop as Esc in the window does.
    const std::function<void()> look = [&] {
        paletteGone = !IsWindow(palette);
        windowThere = IsWindow(main) != FALSE;
        PostMessageA(main, WM_KEYDOWN, VK_ESCAPE, 0);
    };
    PostMessageA(palette, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(main, WM_APP_RUN, 0, reinterpret_cast<LPARAM>(&look));
    EXPECT_EQ(runMessageLoop(window), 0);
    EXPECT_TRUE(paletteGone);
    EXPECT_TRUE(windowThere);
    EXPECT_FALSE(IsWindow(main));
}

// A real drag with the mouse, from a point of the window by (dx, dy).
void dragFrom(POINT start, int dx, int dy) {
    const auto move = [](int x, int y, DWORD extra) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | extra;
        SendInput(1, &input, sizeof input);
        pump();
    };
    move(start.x, start.y, 0);
    move(start.x, start.y, MOUSEEVENTF_LEFTDOWN);
    for (int step = 1; step <= 5; ++step) move(start.x + dx * step / 5, start.y + dy * step / 5, 0);
    move(start.x + dx, start.y + dy, MOUSEEVENTF_LEFTUP);
}

TEST_F(MainWindowTest, DraggingTheSkinOrAControlLeavesTheWindowInPlace) {
    const RECT before = screenRect(main);
    for (POINT inWindow : {POINT{100, 10}, POINT{420, 50}, POINT{200, 80}}) {
        const POINT start{before.left + inWindow.x, before.top + inWindow.y};
        EXPECT_NE(SendMessageA(main, WM_NCHITTEST, 0, MAKELPARAM(start.x, start.y)), HTCAPTION);
        dragFrom(start, 120, 60);
        const RECT after = screenRect(main);
        EXPECT_TRUE(sameRect(before, after)) << inWindow.x << "," << inWindow.y << " moved it to " << after.left
                                                << "," << after.top;
    }
    // Nor does the system menu's Move.
    SendMessageA(main, WM_SYSCOMMAND, SC_MOVE, 0);
    EXPECT_TRUE(sameRect(before, screenRect(main)));
}

TEST_F(MainWindowTest, EscInTheWindowOrAnyControlClosesIt) {
    PostMessageA(at(选择框_报奖), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(runMessageLoop(window), 0);
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(window.handle(), nullptr);
    // Once the window is gone the platform answers with its defaults.
    EXPECT_EQ(platform.Win32Platform::controlText(标签1), "");
    EXPECT_EQ(platform.Win32Platform::windowBounds(), Bounds{});
}

// The platform's calls from a worker thread, done on the window thread while it runs.
class WindowThreadTest : public MainWindowTest {};

DWORD WINAPI runFunction(LPVOID function) {
    (*static_cast<std::function<void()>*>(function))();
    return 0;
}

// Runs work on a new thread while this (the window) thread handles its messages.
void onWorker(std::function<void()> work) {
    std::atomic<bool> done{false};
    std::function<void()> routine = [&] {
        work();
        done = true;
    };
    HANDLE thread = CreateThread(nullptr, 0, runFunction, &routine, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    EXPECT_TRUE(pumpUntil([&] { return done.load(); }));
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
}

TEST_F(WindowThreadTest, AWorkerReadsAndWritesControlsThroughTheWindowThread) {
    Platform& shared = platform;
    std::string label, edit, caption;
    bool ticked = true;
    Bounds bounds, place;
    DWORD windowThread = GetCurrentThreadId(), ranOn = 0;
    onWorker([&] {
        shared.setControlText(标签5, "一号源 20240101-001 1,2,3,4,5");
        label = shared.controlText(标签5);
        edit = shared.controlText(编辑框_时间);
        shared.setCaption("20240101-001期 12345");
        caption = shared.caption();
        ticked = shared.isTicked(选择框_报奖);
        bounds = shared.controlBounds(调节器1);
        place = shared.windowBounds();
        ranOn = GetCurrentThreadId();
    });
    EXPECT_NE(ranOn, windowThread);
    EXPECT_EQ(label, "一号源 20240101-001 1,2,3,4,5");
    EXPECT_EQ(textOf(at(标签5)), label);
    EXPECT_EQ(edit, "0");
    EXPECT_EQ(caption, "20240101-001期 12345");
    EXPECT_EQ(textOf(main), caption);
    EXPECT_FALSE(ticked);
    EXPECT_EQ(bounds, (Bounds{38, 7, 20, 20}));
    EXPECT_EQ(place, (Bounds{254, 235, 516, 298}));
}

TEST_F(WindowThreadTest, AWorkerFindsNoWindowOnceItIsGone) {
    DestroyWindow(main);
    pump();
    Platform& shared = platform;
    std::string text = "unchanged";
    bool ticked = true;
    onWorker([&] {
        shared.setControlText(标签5, "late");
        text = shared.controlText(标签5);
        ticked = shared.isTicked(选择框_报奖);
    });
    EXPECT_EQ(text, "");
    EXPECT_FALSE(ticked);
}
}  // namespace
