// The clipboard copy: exactly the bytes as CF_TEXT in place of what was there, and
// nothing at all while another window holds the clipboard open.
#include "evaluation/clipboard.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <set>
#include <string>

namespace {

// The CF_TEXT bytes on the clipboard up to their zero byte; nothing when there are none.
std::optional<std::string> clipboardText() {
    if (!OpenClipboard(nullptr)) return std::nullopt;
    std::optional<std::string> text;
    if (HANDLE block = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(block))) {
            text = std::string(bytes, std::strlen(bytes));
            GlobalUnlock(block);
        }
    }
    CloseClipboard();
    return text;
}

std::set<UINT> clipboardFormats() {
    std::set<UINT> formats;
    if (!OpenClipboard(nullptr)) return formats;
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) formats.insert(format);
    CloseClipboard();
    return formats;
}

std::wstring clipboardWideText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE block = GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t* chars = static_cast<const wchar_t*>(GlobalLock(block))) {
            text = chars;
            GlobalUnlock(block);
        }
    }
    CloseClipboard();
    return text;
}

HGLOBAL blockOf(const void* bytes, std::size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), bytes, size);
    GlobalUnlock(block);
    return block;
}

// Fills the clipboard with a Unicode text and a private format, as another program might.
void putOtherContents(HWND owner) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    const wchar_t wide[] = L"earlier";
    SetClipboardData(CF_UNICODETEXT, blockOf(wide, sizeof wide));
    const char own[] = "private";
    SetClipboardData(RegisterClipboardFormatA("QuennixTestEarlier"), blockOf(own, sizeof own));
    CloseClipboard();
}

TEST(Clipboard, HoldsExactlyTheCopiedBytesAsText) {
    const std::string cases[] = {
        "重庆彩〖20100609023〗期开奖号为【38016】",
        "第一行\r\n第二行",
        "",
    };
    for (const std::string& text : cases) {
        copyTextToClipboard(text);
        const std::optional<std::string> held = clipboardText();
        ASSERT_TRUE(held.has_value()) << text;
        EXPECT_EQ(held->size(), text.size()) << text;
        EXPECT_EQ(std::memcmp(held->data(), text.data(), text.size()), 0) << text;
    }
}

TEST(Clipboard, ReplacesWhatWasThereAndPutsOnlyText) {
    HWND owner = CreateWindowExA(0, "STATIC", "earlier", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    putOtherContents(owner);
    ASSERT_TRUE(IsClipboardFormatAvailable(RegisterClipboardFormatA("QuennixTestEarlier")));

    const std::string text = "重庆彩〖20100609023〗期开奖号为【38016】";
    copyTextToClipboard(text);
    EXPECT_EQ(clipboardText(), text);
    EXPECT_FALSE(IsClipboardFormatAvailable(RegisterClipboardFormatA("QuennixTestEarlier")));
    // The system offers the text in the formats it makes from CF_TEXT; any other
    // format would have been put by someone.
    for (UINT format : clipboardFormats())
        EXPECT_TRUE(format == CF_TEXT || format == CF_UNICODETEXT || format == CF_OEMTEXT || format == CF_LOCALE)
            << "format " << format;
    // And the Unicode text, where there is one, is made from ours, not the earlier one.
    if (IsClipboardFormatAvailable(CF_UNICODETEXT)) {
        wchar_t expected[128] = {};
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, expected, 128);
        EXPECT_EQ(clipboardWideText(), std::wstring(expected));
    }
    DestroyWindow(owner);
}

// Another window of its own thread holds the clipboard open, with its own text on it,
// until told to let go.
struct Holder {
    HANDLE holding = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE letGo = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    bool opened = false;

    ~Holder() {
        CloseHandle(holding);
        CloseHandle(letGo);
    }
    static DWORD WINAPI run(LPVOID self) {
        auto& holder = *static_cast<Holder*>(self);
        HWND window = CreateWindowExA(0, "STATIC", "holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
        holder.opened = window && OpenClipboard(window);
        if (holder.opened) {
            EmptyClipboard();
            const char text[] = "holder's text";
            SetClipboardData(CF_TEXT, blockOf(text, sizeof text));
        }
        SetEvent(holder.holding);
        WaitForSingleObject(holder.letGo, 10000);
        if (holder.opened) CloseClipboard();
        if (window) DestroyWindow(window);
        return 0;
    }
};

TEST(Clipboard, IsLeftAloneWhileAnotherWindowHoldsItOpen) {
    Holder holder;
    HANDLE thread = CreateThread(nullptr, 0, Holder::run, &holder, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(holder.holding, 10000);
    ASSERT_TRUE(holder.opened);

    copyTextToClipboard("重庆彩〖20100609023〗期开奖号为【38016】");

    SetEvent(holder.letGo);
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    EXPECT_EQ(clipboardText(), "holder's text") << "the copy was skipped";

    copyTextToClipboard("重庆彩〖20100609024〗期开奖号为【12345】");
    EXPECT_EQ(clipboardText(), "重庆彩〖20100609024〗期开奖号为【12345】") << "the next copy works again";
}

}  // namespace
