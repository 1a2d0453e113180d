// The one balloon notice of 气球提示框: a tracking balloon tooltip pointing at a
// screen point, closed by a mouse button, the wheel or a key in the program.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>

class Balloon {
public:
    Balloon() = default;
    Balloon(const Balloon&) = delete;
    Balloon& operator=(const Balloon&) = delete;
    ~Balloon();

    // Creates the tooltip window and installs the closing hook for the calling
    // thread, which must be the window thread. Call once.
    void create(HWND owner);
    // Hides any notice and shows text pointing at screen point (x, y).
    void pop(int x, int y, std::string_view text);
    void hide();
    bool showing() const { return showing_; }
    HWND tipWindow() const { return tip_; }
    const std::string& text() const { return text_; }

private:
    static LRESULT CALLBACK watchMessages(int code, WPARAM wParam, LPARAM lParam);
    TTTOOLINFOA toolInfo();

    HWND owner_ = nullptr;
    HWND tip_ = nullptr;
    HHOOK hook_ = nullptr;
    bool showing_ = false;
    std::string text_;
};
