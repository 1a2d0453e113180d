// On top, minimising into the notification area and back, and the placements.
#include "window/appearance.h"

#include <string>

void onStayOnTopClicked(HWND window, bool ticked) {
    SetWindowPos(window, ticked ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void onMinimiseButtonClicked(HWND window) { ShowWindow(window, SW_MINIMIZE); }

void onWindowMoved(HWND window, TrayIcon& tray, UINT trayCallbackMessage) {
    if (!IsIconic(window)) return;
    char caption[256] = "";
    GetWindowTextA(window, caption, sizeof caption);
    tray.set(window, trayCallbackMessage, caption);
    // Hidden without an icon the window could never come back: when the
    // notification area refuses the icon, the window stays on the taskbar.
    if (tray.present()) ShowWindow(window, SW_HIDE);
}

void onTrayIconEvent(HWND window, int kind) {
    if (kind != 1 && kind != 3) return;
    // Restoring an iconic window brings it back at the place and size it had.
    ShowWindow(window, SW_RESTORE);
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
}

void onPlacementClicked(HWND window, Placement which) {
    // Read in the order the formulas use them: screen width, window width, screen
    // height, window height.
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    RECT place{};
    GetWindowRect(window, &place);
    const int windowWidth = place.right - place.left;
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const int windowHeight = place.bottom - place.top;
    const WindowOrigin origin = placementOrigin(which, screenWidth, screenHeight, windowWidth, windowHeight);
    if (origin.left == place.left && origin.top == place.top) return;
    SetWindowPos(window, nullptr, origin.left, origin.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
