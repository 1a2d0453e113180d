// Worker threads on Windows: the routine runs on a thread of its own, and the
// thread leaves no handle behind.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/worker.h"

namespace {

TEST(Worker, RunsTheRoutineOnAnotherThreadAndKeepsNoHandle) {
    DWORD before = 0, after = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &before));
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD workerThread = 0;
    for (int i = 0; i < 20; ++i) {
        ResetEvent(done);
        ASSERT_TRUE(startWorker([&] {
            workerThread = GetCurrentThreadId();
            SetEvent(done);
        }));
        ASSERT_EQ(WaitForSingleObject(done, 5000), WAIT_OBJECT_0);
        EXPECT_NE(workerThread, GetCurrentThreadId());
    }
    // The threads end right after their routines; give them the moment to go.
    for (int i = 0; i < 50; ++i) {
        Sleep(20);
        GetProcessHandleCount(GetCurrentProcess(), &after);
        if (after <= before + 1) break;
    }
    CloseHandle(done);
    // One handle more at most: the event, closed above but counted before that.
    EXPECT_LE(after, before + 1);
}

}  // namespace
