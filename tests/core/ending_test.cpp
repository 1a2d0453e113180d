// The end may come at any moment: while a download hangs, or while a draw is being
// put on the clipboard. The state is released once, and the workers still running
// touch nothing after it.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "core/program.h"
#include "core/refresh.h"
#include "fake_platform.h"
#include "sources/scrapers.h"

namespace {

// Holds a worker inside one platform call until the test lets it go on.
struct Gate {
    std::mutex mutex;
    std::condition_variable changed;
    bool entered = false, open = false;

    void hold() {
        std::unique_lock lock(mutex);
        entered = true;
        changed.notify_all();
        changed.wait(lock, [this] { return open; });
    }
    void waitEntered() {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return entered; });
    }
    void release() {
        std::lock_guard lock(mutex);
        open = true;
        changed.notify_all();
    }
};

const char* page =
    R"(<row tian="1" expect="100609023" opencode="3,8,0,1,6" /><td class="yellow bold">100609023</td><td class="white enfont red">38016</td>rr[0]="100609023";code_string[0]="38016";)";

class HeldPlatform : public FakePlatform {
public:
    Gate download, clipboardGate;
    bool holdDownload = false, holdClipboard = false;
    std::string downloadPage(std::string_view url) override {
        std::string body = FakePlatform::downloadPage(url);
        if (holdDownload && url == sourceUrl(2)) download.hold();
        return body;
    }
    void copyToClipboard(std::string_view text) override {
        if (holdClipboard) clipboardGate.hold();
        FakePlatform::copyToClipboard(text);
    }
};

struct Ending : ::testing::Test {
    HeldPlatform platform;
    Program program{platform};
    int releases = 0;
    void SetUp() override {
        platform.realThreads = true;
        platform.pages = [](const std::string&) { return std::string(page); };
        program.afterRelease = [this] { ++releases; };
    }
};

TEST_F(Ending, WhileADownloadHangs) {
    platform.holdDownload = true;
    onAutoUpdateTick(program);
    platform.download.waitEntered();
    endProgram(program, 0);
    EXPECT_EQ(platform.exitCodes, std::vector<int>{0});
    EXPECT_EQ(releases, 1);
    // The download comes back after the end: its chain runs on into released state.
    platform.download.release();
    while (program.chainWorkers.load() > 0) std::this_thread::yield();
    platform.joinThreads();
    for (int source = 1; source <= 4; ++source) EXPECT_EQ(program.state.slot(source), SourceResult{});
    EXPECT_EQ(program.state.shownIssueKey(), 0);
    EXPECT_EQ(releases, 1);
}

TEST_F(Ending, WhileADrawIsPutOnTheClipboard) {
    platform.holdClipboard = true;
    platform.ticked = {Control::选择框_报奖, Control::选择框_复制开奖};
    onAutoUpdateTick(program);
    platform.clipboardGate.waitEntered();
    EXPECT_EQ(program.state.shownNumbers(), "38016");
    releaseAtEnd(program);  // the window's teardown, the second way of ending
    EXPECT_TRUE(program.state.released());
    EXPECT_EQ(program.state.shownNumbers(), "");
    platform.clipboardGate.release();
    while (program.chainWorkers.load() > 0) std::this_thread::yield();
    platform.joinThreads();
    EXPECT_EQ(releases, 1);
    EXPECT_EQ(program.state.shownNumbers(), "");
    // A tick after the end starts nothing.
    const int started = platform.workersStarted;
    onAutoUpdateTick(program);
    EXPECT_EQ(platform.workersStarted, started);
}

}  // namespace
