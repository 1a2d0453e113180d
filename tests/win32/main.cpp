// The entry of the Windows tests: GoogleTest, or with --run-program[-stalled] the
// whole program as a child process that the end-of-program tests drive from outside.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "window/app.h"

namespace {
// One line on stdout, flushed at once: the parent reads it through a pipe while we run.
void report(std::string_view line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// The program as a user runs it, except that no browser is started and, when
// stalled, every download hangs as a page would that never arrives.
int runProgramChild(bool stalled) {
    RunOptions options;
    options.afterRelease = [] { report("released"); };
    options.openAddress = [](std::string_view address) { report("opened " + std::string(address)); };
    if (stalled)
        options.downloadPage = [](std::string_view url) -> std::string {
            report("downloading " + std::string(url));
            Sleep(INFINITE);
            return {};
        };
    return runQuennix(GetModuleHandleA(nullptr), std::move(options));
}
}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::string_view(argv[1]) == "--run-program") return runProgramChild(false);
    if (argc >= 2 && std::string_view(argv[1]) == "--run-program-stalled") return runProgramChild(true);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
