// The whole run of the program on the window thread, from the common controls to
// the end of the message loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

struct RunOptions {
    // Called once, right after the state is released at the end.
    std::function<void()> afterRelease;
    // Opens an address in place of the shell (tests start no browser); empty: the shell.
    std::function<void(std::string_view)> openAddress;
    // Fetches a page in place of the network (tests hold a download open); empty: HTTP.
    std::function<std::string(std::string_view)> downloadPage;
};

// Starts the program: the main window with its controls, the home page and the hint,
// then the message loop. Returns the exit code, 0, once the window has been closed
// and the state released; the close button ends the process inside it instead.
// Returns 1 without a loop when the main window cannot be created.
int runQuennix(HINSTANCE instance, RunOptions options);
int runQuennix(HINSTANCE instance, std::function<void()> afterRelease);
