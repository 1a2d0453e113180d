// The one main window: a borderless skinned 516 x 298 window holding the 36
// controls of its layout table, and the window procedure that hands every event
// to its handler. Everything here runs on the window thread.
#pragma once

#include <windows.h>

#include <array>
#include <atomic>

#include "core/platform.h"
#include "window/balloon.h"
#include "window/gdi.h"
#include "window/tray.h"

struct Program;

// Runs the std::function<void()> that lParam points at, on the window thread.
inline constexpr UINT WM_APP_RUN = WM_APP + 1;
// The notification-area icon's callback message.
inline constexpr UINT WM_APP_TRAY = WM_APP + 2;

inline constexpr char mainWindowClass[] = "QuennixMainWindow";
inline constexpr int mainWindowWidth = 516;
inline constexpr int mainWindowHeight = 298;

// A control's child-window id is firstControlId + its place in the layout table.
inline constexpr int firstControlId = 1000;
// Timer ids of the main window; 0 is no timer.
inline constexpr UINT_PTR timerId(Timer timer) { return 1 + static_cast<UINT_PTR>(timer); }

class MainWindow {
public:
    MainWindow(HINSTANCE instance, Program& program);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    // Destroys the window if it still exists.
    ~MainWindow();

    // Creates the window centred on the primary screen with every control, the
    // balloon and the memory timer, and shows it. False when the window could not
    // be created.
    bool create();

    // The window, or nullptr before create() and once it is being destroyed.
    // Any thread may read it.
    HWND handle() const { return window_.load(); }
    // A control's window (the balloon control's is a hidden placeholder).
    HWND control(Control which) const { return controls_[static_cast<int>(which)]; }

    Program& program() { return program_; }
    Balloon& balloon() { return balloon_; }
    TrayIcon& tray() { return tray_; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void onPaint();
    void onCommand(WPARAM wParam, LPARAM lParam);
    LRESULT onNotify(LPARAM lParam);
    LRESULT onControlColour(UINT message, HDC dc, HWND control);
    void onTimer(WPARAM id);
    LRESULT onSystemCommand(WPARAM wParam, LPARAM lParam);
    void onRun(LPARAM task);
    void onDestroy();
    void onFinalDestroy();

    void loadArtwork();
    void createControls();
    HWND createControl(int row);
    void stackInLayoutOrder();
    // The table row of a child window that notified us, or -1 for none of ours.
    int rowOf(HWND control) const;

    HINSTANCE instance_;
    Program& program_;
    ComApartment com_;
    std::atomic<HWND> window_{nullptr};
    HWND created_ = nullptr;  // the window for the procedure, also while it is torn down
    std::array<HWND, controlCount> controls_{};
    std::array<Brush, controlCount> backBrushes_;
    Balloon balloon_;
    TrayIcon tray_;
    Font digitsFont_;
    Font intervalFont_;
    Icon bigIcon_;
    Icon smallIcon_;
    Bitmap skin_;
    Bitmap minimiseNormal_, minimiseHot_, closeNormal_, closeHot_;
};

// Runs the main window's message loop until it quits and returns the quit code.
// Esc pressed in the main window or any of its controls closes the window.
int runMessageLoop(MainWindow& window);
