// Worker threads on Linux: a detached std::thread.
#include "core/worker.h"

#include <system_error>
#include <thread>
#include <utility>

bool startWorker(std::function<void()> routine) {
    try {
        std::thread(std::move(routine)).detach();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}
