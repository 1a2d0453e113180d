// The balloon notice: a tracking tooltip, shown at once and until the user
// presses a mouse button or a key, or turns the wheel, in any window of the program.
#include "window/balloon.h"

#include <commctrl.h>

namespace {
// The hook sees every message of the window thread, in every message loop
// (modal dialogs included); it finds its balloon here.
thread_local Balloon* watched = nullptr;

bool closesTheNotice(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_XBUTTONDOWN:
        case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN: case WM_NCXBUTTONDOWN:
        case WM_MOUSEWHEEL: case WM_MOUSEHWHEEL:
        case WM_KEYDOWN: case WM_SYSKEYDOWN:
            return true;
    }
    return false;
}
}  // namespace

Balloon::~Balloon() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (watched == this) watched = nullptr;
    if (tip_ && IsWindow(tip_)) DestroyWindow(tip_);
}

TTTOOLINFOA Balloon::toolInfo() {
    TTTOOLINFOA info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    info.hwnd = owner_;
    info.uId = 1;
    // The tooltip shows nothing for an empty text; a blank balloon is still a notice.
    static char blank[] = " ";
    info.lpszText = text_.empty() ? blank : text_.data();
    return info;
}

void Balloon::create(HWND owner) {
    owner_ = owner;
    // The tip window has no owner: Wine does not make a window topmost (选择框1)
    // while it owns a topmost popup, it slips the window in below the popup instead.
    // The notices stay the main window's tool (owner_), and the tip goes with this object.
    tip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                           WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!tip_) return;
    TTTOOLINFOA info = toolInfo();
    SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    // Without a width the balloon would not break at "\r\n" on Windows.
    SendMessageA(tip_, TTM_SETMAXTIPWIDTH, 0, 480);
    watched = this;
    hook_ = SetWindowsHookExA(WH_GETMESSAGE, watchMessages, nullptr, GetCurrentThreadId());
}

void Balloon::pop(int x, int y, std::string_view text) {
    if (!tip_) return;
    hide();
    text_ = std::string(text);
    TTTOOLINFOA info = toolInfo();
    SendMessageA(tip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageA(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(x, y));
    SendMessageA(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));
    showing_ = true;
}

void Balloon::hide() {
    if (!tip_ || !showing_) return;
    TTTOOLINFOA info = toolInfo();
    SendMessageA(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&info));
    showing_ = false;
}

LRESULT CALLBACK Balloon::watchMessages(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE && watched && watched->showing_) {
        const MSG* message = reinterpret_cast<const MSG*>(lParam);
        if (closesTheNotice(message->message)) watched->hide();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
