// The refresh cycle against the recording platform: the spinner and the timers,
// the chain of steps, and ticks that come while a chain still runs.
#include "core/refresh.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "core/program.h"
#include "fake_platform.h"
#include "sources/scrapers.h"

namespace {

struct Refresh : ::testing::Test {
    FakePlatform platform;
    Program program{platform};
    void SetUp() override { platform.setControlText(Control::编辑框_时间, "0"); }

    std::string box() { return platform.controlText(Control::编辑框_时间); }
    std::int32_t autoPeriod() { return program.timerPeriods[static_cast<int>(Timer::时钟_自动更新)]; }
};

TEST_F(Refresh, TheSpinnerStepsTheIntervalAndTheTimer) {
    onIntervalSpin(program, 1);
    EXPECT_EQ(box(), "1");
    EXPECT_EQ(autoPeriod(), 1000);
    onIntervalSpin(program, 1);
    onIntervalSpin(program, 1);
    EXPECT_EQ(box(), "3");
    EXPECT_EQ(autoPeriod(), 3000);
    // Every click restarted the timer: stop and start anew each time.
    ASSERT_EQ(platform.timerCalls.size(), 5u);
    EXPECT_EQ(platform.timerCalls[0].period, 1000);
    EXPECT_EQ(platform.timerCalls[1].period, 0);
    EXPECT_EQ(platform.timerCalls[4].period, 3000);

    onIntervalSpin(program, -1);
    EXPECT_EQ(box(), "2");
    EXPECT_EQ(autoPeriod(), 2000);
    onIntervalSpin(program, -1);
    onIntervalSpin(program, -1);
    EXPECT_EQ(box(), "0");
    EXPECT_EQ(autoPeriod(), 0);
    EXPECT_EQ(platform.timerCalls.back().period, 0);  // stopped, not started with 0

    const std::size_t calls = platform.timerCalls.size();
    onIntervalSpin(program, -1);
    EXPECT_EQ(box(), "0");
    EXPECT_EQ(platform.timerCalls.size(), calls);
}

TEST_F(Refresh, TimerPeriodRules) {
    setTimerPeriod(program, Timer::时钟_自动更新, 500);
    setTimerPeriod(program, Timer::时钟_自动更新, 500);  // the same period changes nothing
    setTimerPeriod(program, Timer::时钟_自动更新, -7);   // negative is 0: stopped
    setTimerPeriod(program, Timer::时钟_自动更新, 0);
    ASSERT_EQ(platform.timerCalls.size(), 2u);
    EXPECT_EQ(platform.timerCalls[0].period, 500);
    EXPECT_EQ(platform.timerCalls[1].period, 0);
    EXPECT_EQ(autoPeriod(), 0);
}

TEST_F(Refresh, AnIntervalBeyondTheLargestPeriodStopsTheTimer) {
    platform.setControlText(Control::编辑框_时间, "2147483");
    onIntervalSpin(program, 1);
    EXPECT_EQ(box(), "2147484");
    EXPECT_EQ(autoPeriod(), 0);
    EXPECT_TRUE(platform.timerCalls.empty());
    onIntervalSpin(program, -1);
    EXPECT_EQ(autoPeriod(), 2147483000);
}

const char* pageOf(const std::string& url) {
    if (url.find(":8081") != std::string::npos)
        return R"({"BonusNumberString":"1,2,3,4,5|","IssueNumber":"20100609-022"})";
    if (url.find(":8082") != std::string::npos) return "";  // a failed download
    if (url.find(":8083") != std::string::npos) return R"(rr[0]="100609023";code_string[0]="38016";)";
    return R"(<td class="yellow bold">100609023</td><td class="white enfont red">99999</td>)";
}

TEST_F(Refresh, ATickRunsTheWholeChainInOrder) {
    platform.pages = pageOf;
    platform.ticked.insert(Control::选择框_报奖);
    onAutoUpdateTick(program);
    EXPECT_EQ(platform.queued.size(), 1u);  // the tick only starts the first step
    EXPECT_TRUE(platform.downloads.empty());
    platform.runWorkers();

    ASSERT_EQ(platform.downloads.size(), 4u);
    for (int source = 1; source <= 4; ++source) EXPECT_EQ(platform.downloads[source - 1], sourceUrl(source));
    EXPECT_EQ(platform.controlText(Control::标签5), "20100609022-12345");
    EXPECT_EQ(platform.controlText(Control::标签6), "-");
    EXPECT_EQ(platform.controlText(Control::标签7), "20100609023-38016");
    EXPECT_EQ(platform.controlText(Control::标签8), "20100609023-99999");
    // Sources 3 and 4 hold the newest draw; the lower number supplies the digits.
    EXPECT_EQ(platform.caption(), "20100609023:38016");
    EXPECT_EQ(platform.controlText(Control::标签_前三形态), "前三形态:组六");
    ASSERT_EQ(platform.notices.size(), 1u);
    EXPECT_EQ(program.chainWorkers.load(), 0);
}

TEST_F(Refresh, AWorkerThatCannotStartEndsTheChainSilently) {
    platform.pages = pageOf;
    platform.failWorkerStarts = true;
    onAutoUpdateTick(program);
    EXPECT_EQ(platform.runWorkers(), 0);
    EXPECT_EQ(program.chainWorkers.load(), 0);

    // Mid-chain: source 1 runs, its successor cannot start.
    platform.failWorkerStarts = false;
    onAutoUpdateTick(program);
    platform.failWorkerStarts = true;
    platform.runWorkers();
    EXPECT_EQ(platform.downloads.size(), 1u);
    EXPECT_EQ(program.state.slot(1).issueKey, "0609022");
    EXPECT_EQ(platform.controlText(Control::标签5), "");
    EXPECT_EQ(program.chainWorkers.load(), 0);
    // The next tick starts afresh from source 1.
    platform.failWorkerStarts = false;
    onAutoUpdateTick(program);
    platform.runWorkers();
    EXPECT_EQ(platform.downloads.size(), 5u);
    EXPECT_EQ(platform.caption(), "20100609023:38016");
}

TEST_F(Refresh, ATickPassesWhileAChainRuns) {
    platform.pages = pageOf;
    onAutoUpdateTick(program);
    platform.runWorkers();
    onAutoUpdateTick(program);
    // Run the chain only to its second step, then tick again and again.
    std::function<void()> first = std::move(platform.queued.front());
    platform.queued.pop_front();
    first();
    onAutoUpdateTick(program);
    onAutoUpdateTick(program);
    EXPECT_EQ(platform.queued.size(), 1u);  // only the chain's own next step
    platform.runWorkers();
    EXPECT_EQ(platform.downloads.size(), 8u);
    onAutoUpdateTick(program);
    EXPECT_EQ(platform.queued.size(), 1u);
}

TEST_F(Refresh, SlowOverlappingTicksRunOneChainAtATime) {
    // Real threads and slow downloads: the window thread ticks far faster than a
    // chain runs. One chain at a time, and every slot always one whole result.
    platform.realThreads = true;
    std::atomic<int> downloading{0}, mostAtOnce{0};
    platform.pages = [&](const std::string& url) {
        const int now = ++downloading;
        int seen = mostAtOnce.load();
        while (now > seen && !mostAtOnce.compare_exchange_weak(seen, now)) {
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        --downloading;
        return std::string(pageOf(url));
    };
    std::atomic<bool> stop{false}, torn{false};
    std::thread reader([&] {
        while (!stop) {
            for (int source = 1; source <= 4; ++source) {
                const SourceResult slot = program.state.slot(source);
                if (!slot.summary.empty() && slot.summary != "-" &&
                    slot.summary.substr(4, 7) != slot.issueKey)
                    torn = true;
            }
        }
    });
    for (int tick = 0; tick < 300; ++tick) {
        onAutoUpdateTick(program);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    while (program.chainWorkers.load() > 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    stop = true;
    reader.join();
    platform.joinThreads();
    EXPECT_EQ(mostAtOnce.load(), 1);
    EXPECT_FALSE(torn);
    EXPECT_GT(platform.downloads.size(), 4u);
    EXPECT_EQ(platform.downloads.size() % 4, 0u);
    EXPECT_EQ(platform.caption(), "20100609023:38016");
}

TEST_F(Refresh, TheMemoryTickTrimsTheWorkingSet) {
    onMemoryTick(program);
    onMemoryTick(program);
    EXPECT_EQ(platform.trims, 2);
}

}  // namespace
