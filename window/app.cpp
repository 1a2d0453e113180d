// The start-to-end sequence of the program around its one window.
#include "window/app.h"

#include <commctrl.h>

#include <utility>

#include "core/program.h"
#include "window/main_window.h"
#include "window/win32_platform.h"

namespace {
// The platform with the replacements a caller asked for.
class RunPlatform : public Win32Platform {
public:
    explicit RunPlatform(RunOptions& options)
        : openAddress_(std::move(options.openAddress)), downloadPage_(std::move(options.downloadPage)) {}
    void openInShell(std::string_view address) override {
        if (openAddress_)
            openAddress_(address);
        else
            Win32Platform::openInShell(address);
    }
    std::string downloadPage(std::string_view url) override {
        return downloadPage_ ? downloadPage_(url) : Win32Platform::downloadPage(url);
    }

private:
    std::function<void(std::string_view)> openAddress_;
    std::function<std::string(std::string_view)> downloadPage_;
};

struct Run {
    Run(HINSTANCE instance, RunOptions& options) : platform(options), program(platform), window(instance, program) {}
    RunPlatform platform;
    Program program;
    MainWindow window;
};
}  // namespace

int runQuennix(HINSTANCE instance, RunOptions options) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // Workers of a refresh chain may still run when the loop has ended, up to the
    // very end of the process: what they reach is never destroyed.
    Run* run = new Run(instance, options);
    run->program.afterRelease = std::move(options.afterRelease);
    run->platform.attach(run->window);
    if (!run->window.create()) return 1;
    onMainWindowCreated(run->program);
    const int code = runMessageLoop(run->window);
    releaseAtEnd(run->program);
    return code;
}

int runQuennix(HINSTANCE instance, std::function<void()> afterRelease) {
    return runQuennix(instance, RunOptions{std::move(afterRelease), {}, {}});
}
