// The notification-area icon: added once, modified at every minimise, removed with the window.
#include "window/tray.h"

#include <shellapi.h>

#include <cstring>

namespace {
constexpr UINT trayIconId = 1;
}

void TrayIcon::set(HWND window, UINT callbackMessage, std::string_view caption) {
    if (!image_.get())
        image_.reset(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "trayIconImage", IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                   LR_DEFAULTCOLOR)));
    tip_ = trayTip(caption);
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = trayIconId;
    data.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
    data.uCallbackMessage = callbackMessage;
    data.hIcon = image_.get();
    std::memcpy(data.szTip, tip_.data(), tip_.size());
    if (window_ == window && Shell_NotifyIconA(NIM_MODIFY, &data)) return;
    // Not there yet, or gone from a restarted notification area: add it.
    if (Shell_NotifyIconA(NIM_ADD, &data) || window_ == window) window_ = window;
}

void TrayIcon::remove() {
    if (!window_) return;
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = window_;
    data.uID = trayIconId;
    Shell_NotifyIconA(NIM_DELETE, &data);
    window_ = nullptr;
}

int trayEventKind(LPARAM lParam) {
    switch (LOWORD(lParam)) {
        case WM_LBUTTONUP: return 1;
        case WM_LBUTTONDBLCLK: return 2;
        case WM_RBUTTONUP:
        case WM_CONTEXTMENU: return 3;
    }
    return 0;
}
