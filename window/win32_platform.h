// The Platform of the running program on Windows: every access to the window and
// its controls is carried out on the window thread, whichever thread asks.
#pragma once

#include <windows.h>

#include <functional>

#include "core/platform.h"

class MainWindow;

class Win32Platform : public Platform {
public:
    // The window thread is the thread that calls attach; call it before the window exists.
    void attach(MainWindow& window);

    std::string controlText(Control control) override;
    void setControlText(Control control, std::string_view text) override;
    std::string caption() override;
    void setCaption(std::string_view text) override;
    bool isTicked(Control control) override;
    Bounds controlBounds(Control control) override;
    Bounds windowBounds() override;
    ScreenSize screenSize() override;
    void popNotice(int x, int y, std::string_view text) override;
    void startTimer(Timer timer, std::int32_t periodMs) override;
    void stopTimer(Timer timer) override;
    bool startWorker(std::function<void()> routine) override;
    std::string downloadPage(std::string_view url) override;
    void copyToClipboard(std::string_view text) override;
    void openInShell(std::string_view address) override;
    void trimWorkingSet() override;
    void exitProcess(int code) override;

protected:
    // Runs task on the window thread and returns when it has run: directly on that
    // thread, otherwise through WM_APP_RUN sent to the window. Once the window is
    // gone (or before it exists) the task does not run.
    void onWindowThread(const std::function<void()>& task);

private:
    MainWindow* window_ = nullptr;
    DWORD windowThread_ = 0;
};
