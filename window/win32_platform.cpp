// Win32Platform: the portable program's requests carried out on the window thread.
#include "window/win32_platform.h"

#include <shellapi.h>

#include <string>

#include "core/worker.h"
#include "evaluation/clipboard.h"
#include "sources/download.h"
#include "window/main_window.h"

namespace {
std::string windowText(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

Bounds boundsOf(const RECT& rect) { return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top}; }
}  // namespace

void Win32Platform::attach(MainWindow& window) {
    window_ = &window;
    windowThread_ = GetCurrentThreadId();
}

void Win32Platform::onWindowThread(const std::function<void()>& task) {
    if (!window_) return;
    HWND main = window_->handle();
    if (!main) return;
    if (GetCurrentThreadId() == windowThread_) {
        task();
        return;
    }
    // A window destroyed meanwhile makes SendMessage return at once without running it.
    SendMessageA(main, WM_APP_RUN, 0, reinterpret_cast<LPARAM>(&task));
}

std::string Win32Platform::controlText(Control control) {
    std::string text;
    onWindowThread([&] { text = windowText(window_->control(control)); });
    return text;
}

void Win32Platform::setControlText(Control control, std::string_view text) {
    const std::string terminated(text);
    onWindowThread([&] { SetWindowTextA(window_->control(control), terminated.c_str()); });
}

std::string Win32Platform::caption() {
    std::string text;
    onWindowThread([&] { text = windowText(window_->handle()); });
    return text;
}

void Win32Platform::setCaption(std::string_view text) {
    const std::string terminated(text);
    onWindowThread([&] { SetWindowTextA(window_->handle(), terminated.c_str()); });
}

bool Win32Platform::isTicked(Control control) {
    bool ticked = false;
    onWindowThread([&] { ticked = SendMessageA(window_->control(control), BM_GETCHECK, 0, 0) == BST_CHECKED; });
    return ticked;
}

Bounds Win32Platform::controlBounds(Control control) {
    Bounds bounds;
    onWindowThread([&] {
        HWND child = window_->control(control);
        RECT rect{};
        if (!child || !GetWindowRect(child, &rect)) return;
        MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
        bounds = boundsOf(rect);
    });
    return bounds;
}

Bounds Win32Platform::windowBounds() {
    Bounds bounds;
    onWindowThread([&] {
        RECT rect{};
        if (GetWindowRect(window_->handle(), &rect)) bounds = boundsOf(rect);
    });
    return bounds;
}

ScreenSize Win32Platform::screenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

void Win32Platform::popNotice(int x, int y, std::string_view text) {
    onWindowThread([&] { window_->balloon().pop(x, y, text); });
}

void Win32Platform::startTimer(Timer timer, std::int32_t periodMs) {
    onWindowThread([&] { SetTimer(window_->handle(), timerId(timer), static_cast<UINT>(periodMs), nullptr); });
}

void Win32Platform::stopTimer(Timer timer) {
    onWindowThread([&] { KillTimer(window_->handle(), timerId(timer)); });
}

bool Win32Platform::startWorker(std::function<void()> routine) { return ::startWorker(std::move(routine)); }

std::string Win32Platform::downloadPage(std::string_view url) { return ::downloadPage(url); }

void Win32Platform::copyToClipboard(std::string_view text) { copyTextToClipboard(text); }

void Win32Platform::openInShell(std::string_view address) {
    const std::string terminated(address);
    ShellExecuteA(nullptr, "open", terminated.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32Platform::trimWorkingSet() {
    SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

void Win32Platform::exitProcess(int code) {
    // The icon would otherwise linger in the notification area until the mouse passes over it.
    onWindowThread([&] { window_->tray().remove(); });
    ExitProcess(static_cast<UINT>(code));
}
