// The notification-area icon of the main window.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "window/gdi.h"
#include "window/tray_tip_portable.h"

class TrayIcon {
public:
    TrayIcon() = default;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    ~TrayIcon() { remove(); }

    // Adds the icon (the resource "trayIconImage") the first time, modifies it
    // later; its tip is the caption cut to what the icon holds. Window thread only.
    void set(HWND window, UINT callbackMessage, std::string_view caption);
    // Removes the icon if there is one.
    void remove();
    bool present() const { return window_ != nullptr; }
    // The tip last given to the icon.
    const std::string& tip() const { return tip_; }

private:
    HWND window_ = nullptr;
    Icon image_;
    std::string tip_;
};

// What the user did on the icon, from the callback's lParam: 1 left button
// released, 2 left double click, 3 right button released or the context-menu key,
// 0 anything else.
int trayEventKind(LPARAM lParam);
