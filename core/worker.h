// Starting a worker thread that nobody waits for.
#pragma once

#include <functional>

// Runs routine on a new, detached thread. Returns false when no thread could be
// started; the routine then does not run and the caller carries on.
bool startWorker(std::function<void()> routine);
