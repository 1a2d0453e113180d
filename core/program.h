// The running program: the platform it works through, the shared state, and the
// few facts the window thread keeps about the timers and the refresh chain.
// Start and end of the program live here too.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>

#include "core/app_state.h"
#include "core/platform.h"

struct Program {
    explicit Program(Platform& platformToUse) : platform(platformToUse) {}
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Platform& platform;
    AppState state;

    // Workers of the refresh chain that have been started and not yet returned.
    // A tick finding any passes, so chains never pile up behind a slow source.
    std::atomic<int> chainWorkers{0};

    // The period each timer runs with (0: stopped); window thread only.
    std::array<std::int32_t, 2> timerPeriods{0, 0};

    std::atomic<bool> ending{false};
    // Called once, right after the state is released (tests observe the end with it).
    std::function<void()> afterRelease;
};

// Runs once on the window thread when the window and its controls exist:
// opens the home page and points the hint at the interval controls.
void onMainWindowCreated(Program& program);
// The close button's handler: ends the program with exit code 0.
void onCloseButtonClicked(Program& program);
// Releases the state once and ends the process; running workers are not waited for.
void endProgram(Program& program, int exitCode);
// The end that follows the main window's destruction: the state released once,
// without leaving the process (the caller returns from its message loop).
void releaseAtEnd(Program& program);
