// The colour picker on a plain window: its palette by mouse and keyboard, the
// system colour dialog behind "其他颜色...", and what sends nothing.
#include "window/colour_picker.h"

#include <gtest/gtest.h>

#include <commdlg.h>

#include <atomic>

#include "plain_window.h"

namespace {
using namespace plain;

constexpr int pickerId = 1201;

class ColourPickerTest : public testing::Test {
protected:
    void SetUp() override {
        picker = createColourPicker(window.handle(), pickerId, 440, 229, 32, 28, RGB(0, 0, 0));
        ASSERT_NE(picker, nullptr);
    }

    // A click on the picker (real mouse input) opens its palette.
    HWND openPalette() {
        const RECT rect = screenRect(picker);
        clickAt((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        pump();
        return FindWindowA(colourPaletteClass, nullptr);
    }
    // The centre of a palette entry on the screen.
    static POINT entryCentre(HWND palette, int entry) {
        const RECT place = paletteEntryRect(entry);
        POINT centre{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
        ClientToScreen(palette, &centre);
        return centre;
    }
    // Every command the window got is the picker's colourChosen.
    void expectOnlyColourChosen() const {
        for (const Command& command : window.commands) {
            EXPECT_EQ(command.id, pickerId);
            EXPECT_EQ(command.code, colourChosenCode);
            EXPECT_EQ(command.from, picker);
        }
    }

    TestWindow window;
    HWND picker = nullptr;
};

TEST_F(ColourPickerTest, StartsWithItsColourAndOpensThePaletteBelowItself) {
    EXPECT_EQ(colourPickerColour(picker), RGB(0, 0, 0));
    HWND palette = openPalette();
    ASSERT_NE(palette, nullptr);
    EXPECT_TRUE(IsWindowVisible(palette));
    EXPECT_EQ(screenRect(palette).top, screenRect(picker).bottom);
    EXPECT_TRUE(window.commands.empty()) << "opening chooses nothing";
}

TEST_F(ColourPickerTest, ThePaletteStaysOnTheScreenAtItsBottomRightCorner) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    SetWindowPos(window.handle(), nullptr, width - 516, height - 298 - 35, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pump();
    HWND palette = openPalette();
    ASSERT_NE(palette, nullptr);
    const RECT rect = screenRect(palette), button = screenRect(picker);
    EXPECT_EQ(rect.bottom, button.top) << "above the button";
    EXPECT_EQ(rect.right, button.right) << "ending where the button ends";
    EXPECT_GE(rect.left, 0);
    EXPECT_LE(rect.right, width);
    EXPECT_GE(rect.top, 0);
}

TEST_F(ColourPickerTest, AClickOnASwatchChoosesItsColourEveryTime) {
    for (int round = 0; round < 2; ++round) {
        HWND palette = openPalette();
        ASSERT_NE(palette, nullptr) << round;
        const POINT swatch = entryCentre(palette, 3);
        clickAt(swatch.x, swatch.y);
        pump();
        EXPECT_FALSE(IsWindow(palette)) << round << ": the palette closes";
        EXPECT_EQ(colourPickerColour(picker), paletteColours[3]);
        ASSERT_EQ(window.commands.size(), static_cast<std::size_t>(round + 1)) << "the same colour is told again";
    }
    expectOnlyColourChosen();
}

TEST_F(ColourPickerTest, ArrowsMoveAndEnterOrSpaceConfirm) {
    HWND palette = openPalette();
    ASSERT_NE(palette, nullptr);
    // From black (the first swatch): right, right, down is the seventh.
    for (WORD key : {VK_RIGHT, VK_RIGHT, VK_DOWN}) pressKey(key);
    pressKey(VK_RETURN);
    EXPECT_FALSE(IsWindow(palette));
    EXPECT_EQ(colourPickerColour(picker), paletteColours[2 + paletteColumns]);

    palette = openPalette();
    ASSERT_NE(palette, nullptr);
    pressKey(VK_LEFT);  // the selection starts at the current colour
    pressKey(VK_SPACE);
    EXPECT_EQ(colourPickerColour(picker), paletteColours[1 + paletteColumns]);
    EXPECT_EQ(window.commands.size(), 2u);
    expectOnlyColourChosen();
}

TEST_F(ColourPickerTest, EscOrAClickOutsideClosesThePaletteAndChoosesNothing) {
    HWND palette = openPalette();
    ASSERT_NE(palette, nullptr);
    pressKey(VK_RIGHT);
    pressKey(VK_ESCAPE);
    EXPECT_FALSE(IsWindow(palette));

    palette = openPalette();
    ASSERT_NE(palette, nullptr);
    const RECT rect = screenRect(window.handle());
    clickAt(rect.left + 100, rect.top + 50);
    pump();
    EXPECT_FALSE(IsWindow(palette));

    palette = openPalette();
    ASSERT_NE(palette, nullptr);
    TestWindow other;  // another window becomes active
    pump();
    EXPECT_FALSE(IsWindow(palette));

    EXPECT_TRUE(window.commands.empty());
    EXPECT_EQ(colourPickerColour(picker), RGB(0, 0, 0));
}

// Drives the system colour dialog of the test's thread from a second thread: waits
// for it, sets its colour, then presses OK or Cancel.
struct DialogDriver {
    DWORD dialogThread;
    COLORREF colour;
    int button;
    std::atomic<COLORREF> initial{CLR_INVALID};
    std::atomic<bool> found{false}, topmost{false};

    static BOOL CALLBACK findDialog(HWND candidate, LPARAM result) {
        char type[16] = {};
        GetClassNameA(candidate, type, sizeof type);
        if (lstrcmpA(type, "#32770") != 0 || !IsWindowVisible(candidate)) return TRUE;
        *reinterpret_cast<HWND*>(result) = candidate;
        return FALSE;
    }
    static DWORD WINAPI run(LPVOID self) {
        auto& driver = *static_cast<DialogDriver*>(self);
        HWND dialog = nullptr;
        for (int tries = 0; tries < 500 && !dialog; ++tries) {
            EnumThreadWindows(driver.dialogThread, findDialog, reinterpret_cast<LPARAM>(&dialog));
            if (!dialog) Sleep(10);
        }
        if (!dialog) return 1;
        driver.found = true;
        driver.topmost = (GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        Sleep(100);
        // The dialog's red, green and blue boxes hold the colour it opened with.
        driver.initial = RGB(GetDlgItemInt(dialog, 706, nullptr, FALSE), GetDlgItemInt(dialog, 707, nullptr, FALSE),
                             GetDlgItemInt(dialog, 708, nullptr, FALSE));
        // Typing into the three boxes sets the dialog's colour.
        SetDlgItemInt(dialog, 706, GetRValue(driver.colour), FALSE);
        SetDlgItemInt(dialog, 707, GetGValue(driver.colour), FALSE);
        SetDlgItemInt(dialog, 708, GetBValue(driver.colour), FALSE);
        Sleep(50);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(driver.button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, driver.button)));
        return 0;
    }
};

// Opens the dialog through the palette's last entry while driver presses its button.
void chooseInDialog(HWND palette, DialogDriver& driver) {
    HANDLE thread = CreateThread(nullptr, 0, DialogDriver::run, &driver, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    const POINT more = [&] {
        const RECT place = paletteEntryRect(paletteCount);
        return POINT{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
    }();
    // The click returns once the modal dialog has ended.
    SendMessageA(palette, WM_LBUTTONUP, 0, MAKELPARAM(more.x, more.y));
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    pump();
}

TEST_F(ColourPickerTest, OkInTheColourDialogChoosesItsColour) {
    // Start from a preset colour, which the dialog opens with.
    HWND palette = openPalette();
    ASSERT_NE(palette, nullptr);
    pressKey(VK_RIGHT);
    pressKey(VK_RETURN);
    ASSERT_EQ(colourPickerColour(picker), paletteColours[1]);
    window.commands.clear();

    palette = openPalette();
    ASSERT_NE(palette, nullptr);
    DialogDriver driver{GetCurrentThreadId(), RGB(12, 34, 56), IDOK};
    chooseInDialog(palette, driver);
    ASSERT_TRUE(driver.found) << "the system colour dialog opened";
    EXPECT_EQ(driver.initial, paletteColours[1]) << "the dialog starts at the current colour";
    EXPECT_FALSE(IsWindow(palette));
    EXPECT_EQ(colourPickerColour(picker), RGB(12, 34, 56));
    EXPECT_EQ(window.commands.size(), 1u);
    expectOnlyColourChosen();
}

TEST_F(ColourPickerTest, CancelInTheColourDialogChoosesNothing) {
    HWND palette = openPalette();
    ASSERT_NE(palette, nullptr);
    DialogDriver driver{GetCurrentThreadId(), RGB(200, 100, 50), IDCANCEL};
    chooseInDialog(palette, driver);
    ASSERT_TRUE(driver.found);
    EXPECT_EQ(colourPickerColour(picker), RGB(0, 0, 0));
    EXPECT_TRUE(window.commands.empty());
    EXPECT_FALSE(driver.topmost);
}

TEST_F(ColourPickerTest, OverAWindowKeptOnTopTheDialogIsKeptOnTopToo) {
    SetWindowPos(window.handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    HWND palette = openPalette();
    ASSERT_NE(palette, nullptr);
    DialogDriver driver{GetCurrentThreadId(), RGB(0, 0, 0), IDCANCEL};
    chooseInDialog(palette, driver);
    ASSERT_TRUE(driver.found);
    EXPECT_TRUE(driver.topmost) << "else it would open under the window";
}

}  // namespace
