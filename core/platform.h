// What the portable program asks of the machine: the window and its controls,
// notices, timers, threads, downloads, the clipboard and the shell. The Win32
// front end implements it; the native tests use a recording fake.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The controls of the main window, in the order of the layout table.
enum class Control : int {
    气球提示框, 选择框1, 标签10, 图形按钮_最小化, 图形按钮_关闭,
    左上单选框, 上中单选框, 右上单选框, 左下单选框, 下中单选框, 右下单选框,
    颜色选择器1, 外形框4, 选择框_复制开奖, 选择框_报奖,
    标签_五星单双形态, 标签_五星大小形态, 标签_后三形态, 标签_中三形态, 标签_前三形态,
    外形框3, 标签9, 调节器1, 编辑框_时间, 外形框2, 标签开奖号码, 外形框1,
    标签8, 标签7, 标签6, 标签5, 标签4, 标签3, 标签2, 标签1,
};
inline constexpr int controlCount = static_cast<int>(Control::标签1) + 1;

enum class Timer : int { 时钟_内存优化, 时钟_自动更新 };

// Left and top are relative to the control's parent (a shape box or the window);
// for the window itself they are screen coordinates.
struct Bounds {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Bounds&) const = default;
};

struct ScreenSize {
    int width = 0, height = 0;
};

// Every call that touches the window may come from any thread and is complete
// when it returns: a write has taken effect, a read gives the current value.
class Platform {
public:
    virtual ~Platform() = default;

    // The text of a label, check box, radio button or the interval box (GBK).
    virtual std::string controlText(Control) { return {}; }
    // Replaces that text and redraws the control.
    virtual void setControlText(Control, std::string_view) {}
    // The main window's caption, also the taskbar button's text.
    virtual std::string caption() { return {}; }
    virtual void setCaption(std::string_view) {}
    // Whether a check box is ticked, read now.
    virtual bool isTicked(Control) { return false; }
    // A control's place in its parent and its size.
    virtual Bounds controlBounds(Control) { return {}; }
    // The main window's place on the screen and its outer size.
    virtual Bounds windowBounds() { return {}; }
    // The primary screen in pixels (SM_CXSCREEN, SM_CYSCREEN).
    virtual ScreenSize screenSize() { return {}; }
    // Shows the one balloon notice pointing at a screen point, replacing any other.
    virtual void popNotice(int /*x*/, int /*y*/, std::string_view /*text*/) {}

    // Starts a timer with a period above 0 ms, or restarts it with a new period.
    virtual void startTimer(Timer, std::int32_t /*periodMs*/) {}
    // Stops a running timer.
    virtual void stopTimer(Timer) {}

    // Runs routine on a new thread and forgets the thread; false when none could be started.
    virtual bool startWorker(std::function<void()> /*routine*/) { return false; }
    // Blocking HTTP GET; the response body of any status, empty when no response came.
    virtual std::string downloadPage(std::string_view /*url*/) { return {}; }
    // Puts text on the clipboard as CF_TEXT; silently nothing when it cannot be opened.
    virtual void copyToClipboard(std::string_view /*text*/) {}
    // Hands an address to the shell to open ("open", shown normally); outcome ignored.
    virtual void openInShell(std::string_view /*address*/) {}
    // Asks the system to trim the process's working set; outcome ignored.
    virtual void trimWorkingSet() {}
    // Ends the process with an exit code, not waiting for workers.
    virtual void exitProcess(int /*code*/) {}
};
