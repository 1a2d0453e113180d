// Ten thousand refreshes against the feed's pages leave the heap as they found it:
// every allocation of a chain is given back, whatever the draw on display does.
#include <gtest/gtest.h>

#include <malloc.h>

#include <array>
#include <atomic>
#include <cstdlib>
#include <deque>
#include <map>
#include <new>

#include "core/program.h"
#include "core/refresh.h"
#include "feed_pages.h"
#include "sources/scrapers.h"

namespace {
std::atomic<long long> liveBytes{0};

void* allocate(std::size_t size) {
    void* block = std::malloc(size ? size : 1);
    if (!block) throw std::bad_alloc();
    liveBytes += static_cast<long long>(malloc_usable_size(block));
    return block;
}
void release(void* block) noexcept {
    if (!block) return;
    liveBytes -= static_cast<long long>(malloc_usable_size(block));
    std::free(block);
}
}  // namespace

// Every allocation of the test program is counted.
void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* block) noexcept { release(block); }
void operator delete[](void* block) noexcept { release(block); }
void operator delete(void* block, std::size_t) noexcept { release(block); }
void operator delete[](void* block, std::size_t) noexcept { release(block); }

namespace {

// A platform that keeps only the current state of what it is told, so that its own
// bookkeeping does not grow with the number of refreshes.
class SteadyPlatform : public Platform {
public:
    std::map<int, std::string> texts;
    std::string windowCaption, lastNotice, lastCopy;
    std::deque<std::function<void()>> queued;
    const std::string* pages = nullptr;  // the four pages of this refresh

    std::string controlText(Control c) override { return texts[static_cast<int>(c)]; }
    void setControlText(Control c, std::string_view text) override { texts[static_cast<int>(c)].assign(text); }
    void setCaption(std::string_view text) override { windowCaption.assign(text); }
    bool isTicked(Control) override { return true; }
    Bounds controlBounds(Control) override { return {387, 3, 40, 32}; }
    ScreenSize screenSize() override { return {1024, 768}; }
    void popNotice(int, int, std::string_view text) override { lastNotice.assign(text); }
    bool startWorker(std::function<void()> routine) override {
        queued.push_back(std::move(routine));
        return true;
    }
    std::string downloadPage(std::string_view url) override {
        for (int source = 1; source <= 4; ++source)
            if (url == sourceUrl(source)) return pages[source - 1];
        return {};
    }
    void copyToClipboard(std::string_view text) override { lastCopy.assign(text); }
    void runWorkers() {
        while (!queued.empty()) {
            std::function<void()> next = std::move(queued.front());
            queued.pop_front();
            next();
        }
    }
};

TEST(Memory, TenThousandRefreshesLeaveTheHeapAsTheyFoundIt) {
    // Ten draws in turn: the display changes at every refresh, and falls back once a cycle.
    constexpr int cycle = 10;
    std::vector<std::array<std::string, 4>> pageSets;
    const feed::DrawNumber first{{2010, 6, 9}, 23};
    for (int i = 0; i < cycle; ++i) {
        const auto draws = feed::lastDraws(feed::stepDraws(first, i), 2010);
        pageSets.push_back({feed::sourcePage(1, draws), feed::sourcePage(2, draws), feed::sourcePage(3, draws),
                            feed::sourcePage(4, draws)});
    }
    SteadyPlatform platform;
    Program program(platform);
    auto refresh = [&](int i) {
        platform.pages = pageSets[i % cycle].data();
        onAutoUpdateTick(program);
        platform.runWorkers();
    };
    for (int i = 0; i < 2 * cycle; ++i) refresh(i);
    ASSERT_FALSE(platform.lastCopy.empty());
    const long long settled = liveBytes.load();
    for (int i = 0; i < 10000; ++i) refresh(i);
    EXPECT_EQ(liveBytes.load(), settled);
    // The last refresh showed the cycle's last draw.
    EXPECT_EQ(platform.windowCaption.substr(0, 12), "20100609032:");
}

}  // namespace
