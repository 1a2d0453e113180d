// Worker threads on Windows: CreateThread, then the handle is closed at once.
#include "core/worker.h"

#include <windows.h>

#include <memory>
#include <new>
#include <utility>

namespace {
DWORD WINAPI runRoutine(LPVOID parameter) {
    std::unique_ptr<std::function<void()>> routine(static_cast<std::function<void()>*>(parameter));
    (*routine)();
    return 0;
}
}  // namespace

bool startWorker(std::function<void()> routine) {
    auto* owned = new (std::nothrow) std::function<void()>(std::move(routine));
    if (!owned) return false;
    HANDLE thread = CreateThread(nullptr, 0, runRoutine, owned, 0, nullptr);
    if (!thread) {
        delete owned;
        return false;
    }
    CloseHandle(thread);
    return true;
}
