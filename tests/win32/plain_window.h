// A plain 516x298 popup window and a message pump for the Windows tests of the
// window's pieces (balloon, tray, placement, colour picker), without the main window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace plain {

// Runs this thread's messages until done() holds; false when it never did within
// limitMs (a hang guard only: no test depends on how long anything takes).
template <typename Condition>
bool pumpUntil(Condition done, DWORD limitMs = 5000) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (done()) return true;
        if (GetTickCount() - start > limitMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}
inline void pump(DWORD forMs = 100) { pumpUntil([] { return false; }, forMs); }

inline RECT screenRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

inline std::string textOf(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// A WM_COMMAND that reached the window.
struct Command {
    WORD id, code;
    HWND from;
};

// A visible WS_POPUP window centred on the screen as the main window is, captioned
// "Quennix". It records the commands of its children and counts its position
// changes; onMessage sees every message first (the tests wire handlers to it).
class TestWindow {
public:
    TestWindow() {
        static const bool registered = [] {
            WNDCLASSA type{};
            type.lpfnWndProc = procedure;
            type.hInstance = GetModuleHandleA(nullptr);
            type.hCursor = LoadCursor(nullptr, IDC_ARROW);
            type.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
            type.lpszClassName = "QuennixPlainTestWindow";
            return RegisterClassA(&type) != 0;
        }();
        (void)registered;
        const int left = (GetSystemMetrics(SM_CXSCREEN) - 516) / 2, top = (GetSystemMetrics(SM_CYSCREEN) - 298) / 2;
        window_ = CreateWindowExA(0, "QuennixPlainTestWindow", "Quennix", WS_POPUP | WS_VISIBLE, left, top, 516, 298,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), this);
        SetForegroundWindow(window_);
        pump();
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow() {
        onMessage = nullptr;
        if (IsWindow(window_)) DestroyWindow(window_);
        pump(50);
    }

    HWND handle() const { return window_; }

    std::function<void(UINT, WPARAM, LPARAM)> onMessage;
    std::vector<Command> commands;
    int positionChanges = 0;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE)
            SetWindowLongPtrA(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
        auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (!self) return DefWindowProcA(window, message, wParam, lParam);
        if (self->onMessage) self->onMessage(message, wParam, lParam);
        switch (message) {
            case WM_COMMAND:
                self->commands.push_back({LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
                return 0;
            case WM_WINDOWPOSCHANGED:
                if (!(reinterpret_cast<WINDOWPOS*>(lParam)->flags & SWP_NOMOVE)) ++self->positionChanges;
                break;
            case WM_NCDESTROY:
                SetWindowLongPtrA(window, GWLP_USERDATA, 0);
                break;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
};

// Real mouse input at a screen point, as the user's hand gives it.
inline void mouseAt(int x, int y, DWORD buttons = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
    SendInput(1, &input, sizeof input);
    pump(50);
}
inline void clickAt(int x, int y) {
    mouseAt(x, y);
    mouseAt(x, y, MOUSEEVENTF_LEFTDOWN);
    mouseAt(x, y, MOUSEEVENTF_LEFTUP);
}
inline void pressKey(WORD key) {
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof input[0]);
    pump(50);
}

}  // namespace plain
