// The end of the program, seen from outside: this test executable started again as
// the whole program (--run-program), closed with Esc or the close button, and
// judged by its exit code and what it printed.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/platform.h"
#include "sources/source_sites.h"
#include "window/main_window.h"

namespace {
using enum Control;

HWND controlOf(HWND main, Control control) {
    // Controls inside a shape box are its children; ids are the same as in this process.
    const auto idOf = [](Control c) { return firstControlId + static_cast<int>(c); };
    for (HWND parent : {main, GetDlgItem(main, idOf(外形框2)), GetDlgItem(main, idOf(外形框4))})
        if (HWND found = GetDlgItem(parent, idOf(control))) return found;
    return nullptr;
}

// The program running as a child process, its stdout read through a pipe.
class ChildProgram {
public:
    explicit ChildProgram(const char* mode) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE write = nullptr;
        if (!CreatePipe(&read_, &write, &inherit, 0)) return;
        SetHandleInformation(read_, HANDLE_FLAG_INHERIT, 0);
        char exe[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, exe, MAX_PATH);
        std::string command = "\"" + std::string(exe) + "\" " + mode;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = write;
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        PROCESS_INFORMATION started{};
        if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started)) {
            process_ = started.hProcess;
            processId_ = started.dwProcessId;
            CloseHandle(started.hThread);
        }
        CloseHandle(write);  // the child holds the only write end: its end is our end of file
    }
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;
    ~ChildProgram() {
        if (process_) {
            if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 99);
            CloseHandle(process_);
        }
        if (read_) CloseHandle(read_);
    }

    bool started() const { return process_ != nullptr; }

    // The child's main window, once it exists.
    HWND waitForWindow(DWORD limitMs = 20000) {
        for (DWORD waited = 0; waited < limitMs; waited += 50) {
            HWND found = nullptr;
            for (HWND candidate = FindWindowExA(nullptr, nullptr, mainWindowClass, nullptr); candidate;
                 candidate = FindWindowExA(nullptr, candidate, mainWindowClass, nullptr)) {
                DWORD owner = 0;
                GetWindowThreadProcessId(candidate, &owner);
                if (owner == processId_ && IsWindowVisible(candidate)) found = candidate;
            }
            if (found) return found;
            Sleep(50);
        }
        return nullptr;
    }

    // Reads output until a line starting with prefix has come; false at the end of
    // the output or after limitMs.
    bool waitForLine(const std::string& prefix, DWORD limitMs = 20000) {
        for (DWORD waited = 0;; waited += 20) {
            const std::vector<std::string> seen = lines();
            if (std::any_of(seen.begin(), seen.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; }))
                return true;
            DWORD available = 0;
            if (!PeekNamedPipe(read_, nullptr, 0, nullptr, &available, nullptr)) return false;
            if (available > 0) {
                readSome();
                continue;
            }
            if (waited >= limitMs) return false;
            Sleep(20);
        }
    }

    // The exit code, or -1 when the child is still running after limitMs.
    long waitForExit(DWORD limitMs = 20000) {
        if (WaitForSingleObject(process_, limitMs) != WAIT_OBJECT_0) return -1;
        while (readSome()) {
        }
        DWORD code = 0;
        GetExitCodeProcess(process_, &code);
        return static_cast<long>(code);
    }

    std::vector<std::string> lines() const {
        std::vector<std::string> split;
        std::string line;
        for (char c : output_) {
            if (c == '\n') {
                split.push_back(line);
                line.clear();
            } else if (c != '\r') {
                line += c;
            }
        }
        if (!line.empty()) split.push_back(line);
        return split;
    }

    long count(const std::string& line) const {
        const std::vector<std::string> all = lines();
        return std::count(all.begin(), all.end(), line);
    }

private:
    bool readSome() {
        char buffer[512];
        DWORD got = 0;
        if (!ReadFile(read_, buffer, sizeof buffer, &got, nullptr) || got == 0) return false;
        output_.append(buffer, got);
        return true;
    }

    HANDLE read_ = nullptr;
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    std::string output_;
};

// Presses and releases the left mouse button in the middle of a control.
void clickOn(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    const LPARAM middle = MAKELPARAM(client.right / 2, client.bottom / 4);
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    PostMessageA(control, WM_LBUTTONUP, 0, middle);
}

TEST(ProgramEnd, EscInTheWindowOrAnyControlEndsWithCodeZeroAfterOneRelease) {
    // The window itself, a control on it and a control inside a shape box.
    for (Control target : {外形框1, 标签1, 选择框_报奖}) {
        SCOPED_TRACE(static_cast<int>(target));
        ChildProgram child("--run-program");
        ASSERT_TRUE(child.started());
        HWND main = child.waitForWindow();
        ASSERT_NE(main, nullptr);
        HWND focus = target == 外形框1 ? main : controlOf(main, target);
        ASSERT_NE(focus, nullptr);
        PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_EQ(child.waitForExit(), 0);
        EXPECT_EQ(child.count("released"), 1);
        EXPECT_FALSE(IsWindow(main));
    }
}

TEST(ProgramEnd, CloseButtonRightAfterTheStartEndsWithCodeZeroAfterOneRelease) {
    ChildProgram child("--run-program");
    ASSERT_TRUE(child.started());
    HWND main = child.waitForWindow();
    ASSERT_NE(main, nullptr);
    clickOn(controlOf(main, 图形按钮_关闭));
    EXPECT_EQ(child.waitForExit(), 0);
    EXPECT_EQ(child.count("opened " + std::string(homePageAddress)), 1) << "the home page went to the shell";
    EXPECT_EQ(child.count("released"), 1);
}

TEST(ProgramEnd, ClosingWhileADownloadHangsEndsAtOnce) {
    for (bool byEsc : {true, false}) {
        SCOPED_TRACE(byEsc ? "Esc" : "close button");
        ChildProgram child("--run-program-stalled");
        ASSERT_TRUE(child.started());
        HWND main = child.waitForWindow();
        ASSERT_NE(main, nullptr);
        // The upper arrow sets a one-second interval; the first tick starts a chain
        // whose first download never returns.
        clickOn(controlOf(main, 调节器1));
        ASSERT_TRUE(child.waitForLine("downloading ")) << "a refresh chain started";
        if (byEsc)
            PostMessageA(main, WM_KEYDOWN, VK_ESCAPE, 0);
        else
            clickOn(controlOf(main, 图形按钮_关闭));
        EXPECT_EQ(child.waitForExit(), 0);
        EXPECT_EQ(child.count("released"), 1);
    }
}
}  // namespace
