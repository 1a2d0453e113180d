// The shared state: whole-field replacement, release once, and readers and writers
// on several threads never seeing a torn or released text.
#include "core/app_state.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

TEST(AppState, StartsEmptyAndReplacesWholeSlots) {
    AppState state;
    for (int source = 1; source <= 4; ++source) EXPECT_EQ(state.slot(source), SourceResult{});
    EXPECT_EQ(state.shownIssueKey(), 0);
    EXPECT_EQ(state.shownNumbers(), "");

    state.storeSlot(2, {"20100609023-38016", "0609023", "38016"});
    state.storeSlot(2, {"-", "", ""});
    EXPECT_EQ(state.slot(2), (SourceResult{"-", "", ""}));
    EXPECT_EQ(state.slot(1), SourceResult{});
    // Out-of-range slots are nobody's.
    state.storeSlot(5, {"x", "y", "z"});
    EXPECT_EQ(state.slot(5), SourceResult{});
    EXPECT_EQ(state.slot(0), SourceResult{});
}

TEST(AppState, ReleaseRunsOnceAndLaterWritesGoNowhere) {
    AppState fresh;
    EXPECT_TRUE(fresh.release());  // nothing to release is fine
    EXPECT_FALSE(fresh.release());

    AppState state;
    state.storeSlot(1, {"20100609023-38016", "0609023", "38016"});
    state.setShownIssueKey(609023);
    state.setShownNumbers("38016");
    ASSERT_TRUE(state.release());
    EXPECT_TRUE(state.released());
    EXPECT_EQ(state.slot(1), SourceResult{});
    EXPECT_EQ(state.shownNumbers(), "");

    // A worker still running after the end touches nothing.
    state.storeSlot(1, {"a", "b", "c"});
    state.setShownNumbers("12345");
    EXPECT_EQ(state.slot(1), SourceResult{});
    EXPECT_EQ(state.shownNumbers(), "");
}

// Each writer stores texts built from one number, so a reader can tell whether the
// three fields and the shown numbers it got are each one writer's whole text.
SourceResult resultOf(int n) {
    const std::string digits = std::to_string(n);
    return {digits + "-" + std::string(200, 'a' + n % 26), digits, std::string(50 + n % 50, '0' + n % 10)};
}

// storeSlot replaces the three fields together, so a copy is one writer's result.
bool isWhole(const SourceResult& r) { return r == SourceResult{} || r == resultOf(std::stoi(r.issueKey)); }

TEST(AppState, ConcurrentWritersAndReadersSeeWholeTexts) {
    AppState state;
    std::atomic<bool> torn{false};
    std::vector<std::thread> threads;
    for (int writer = 0; writer < 4; ++writer)
        threads.emplace_back([&state, writer] {
            for (int i = 0; i < 3000; ++i) {
                const int n = writer * 100000 + i;
                state.storeSlot(1 + i % 4, resultOf(n));
                state.setShownNumbers(resultOf(n).numbers);
                state.setShownIssueKey(n);
            }
        });
    for (int reader = 0; reader < 3; ++reader)
        threads.emplace_back([&state, &torn] {
            for (int i = 0; i < 6000; ++i) {
                if (!isWhole(state.slot(1 + i % 4))) torn = true;
                const std::string shown = state.shownNumbers();
                if (!shown.empty() && shown != std::string(shown.size(), shown[0])) torn = true;
            }
        });
    // One thread ends it all halfway through, as the program's end does.
    threads.emplace_back([&state] {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        state.release();
    });
    for (std::thread& t : threads) t.join();
    EXPECT_FALSE(torn);
    EXPECT_TRUE(state.released());
    for (int source = 1; source <= 4; ++source) EXPECT_EQ(state.slot(source), SourceResult{});
}

}  // namespace
