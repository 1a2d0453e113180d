// A recording stand-in for the machine, for the native tests: control texts that
// round-trip, settable check boxes, bounds and screen, and lists of what the
// program asked for (notices, clipboard copies, timers, shell, exits). Workers are
// queued and run when the test says so, unless a test asks for real threads.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "core/platform.h"

class FakePlatform : public Platform {
public:
    struct Notice {
        int x, y;
        std::string text;
    };
    struct TimerCall {
        Timer timer;
        std::int32_t period;  // 0 for a stop
    };

    // --- window and controls
    std::string controlText(Control control) override {
        std::lock_guard lock(mutex);
        const auto found = texts.find(control);
        return found == texts.end() ? std::string() : found->second;
    }
    void setControlText(Control control, std::string_view text) override {
        std::lock_guard lock(mutex);
        texts[control] = std::string(text);
        textWrites.push_back(control);
    }
    std::string caption() override {
        std::lock_guard lock(mutex);
        return windowCaption;
    }
    void setCaption(std::string_view text) override {
        std::lock_guard lock(mutex);
        windowCaption = std::string(text);
        ++captionWrites;
    }
    bool isTicked(Control control) override {
        std::lock_guard lock(mutex);
        ++tickReads[control];
        if (tickAnswers.count(control) && !tickAnswers[control].empty()) {
            const bool answer = tickAnswers[control].front();
            tickAnswers[control].pop_front();
            return answer;
        }
        return ticked.count(control) > 0;
    }
    Bounds controlBounds(Control control) override {
        std::lock_guard lock(mutex);
        return bounds[control];
    }
    Bounds windowBounds() override {
        std::lock_guard lock(mutex);
        return window;
    }
    ScreenSize screenSize() override {
        std::lock_guard lock(mutex);
        return screen;
    }
    void popNotice(int x, int y, std::string_view text) override {
        std::lock_guard lock(mutex);
        notices.push_back({x, y, std::string(text)});
    }

    // --- timers, threads, the outside
    void startTimer(Timer timer, std::int32_t period) override {
        std::lock_guard lock(mutex);
        timerCalls.push_back({timer, period});
    }
    void stopTimer(Timer timer) override {
        std::lock_guard lock(mutex);
        timerCalls.push_back({timer, 0});
    }
    bool startWorker(std::function<void()> routine) override {
        std::lock_guard lock(mutex);
        if (failWorkerStarts) return false;
        ++workersStarted;
        if (realThreads) {
            threads.emplace_back(std::move(routine));
            return true;
        }
        queued.push_back(std::move(routine));
        return true;
    }
    std::string downloadPage(std::string_view url) override {
        std::function<std::string(const std::string&)> answer;
        {
            std::lock_guard lock(mutex);
            downloads.push_back(std::string(url));
            answer = pages;
        }
        return answer ? answer(std::string(url)) : std::string();
    }
    void copyToClipboard(std::string_view text) override {
        std::lock_guard lock(mutex);
        clipboard.push_back(std::string(text));
    }
    void openInShell(std::string_view address) override {
        std::lock_guard lock(mutex);
        opened.push_back(std::string(address));
    }
    void trimWorkingSet() override {
        std::lock_guard lock(mutex);
        ++trims;
    }
    void exitProcess(int code) override {
        std::lock_guard lock(mutex);
        exitCodes.push_back(code);
    }

    // Runs queued workers, and the workers they start, until none is left.
    // Returns how many ran.
    int runWorkers() {
        int ran = 0;
        while (true) {
            std::function<void()> next;
            {
                std::lock_guard lock(mutex);
                if (queued.empty()) return ran;
                next = std::move(queued.front());
                queued.pop_front();
            }
            next();
            ++ran;
        }
    }
    // Waits for the real threads started so far, and those they start.
    void joinThreads() {
        while (true) {
            std::vector<std::thread> running;
            {
                std::lock_guard lock(mutex);
                running.swap(threads);
            }
            if (running.empty()) return;
            for (std::thread& thread : running) thread.join();
        }
    }
    ~FakePlatform() override { joinThreads(); }

    std::mutex mutex;
    std::map<Control, std::string> texts;
    std::vector<Control> textWrites;
    std::string windowCaption = "Quennix";
    int captionWrites = 0;
    std::set<Control> ticked;
    std::map<Control, std::deque<bool>> tickAnswers;  // answers given first, one per read
    std::map<Control, int> tickReads;
    std::map<Control, Bounds> bounds;
    Bounds window;
    ScreenSize screen{1024, 768};
    std::vector<Notice> notices;
    std::vector<TimerCall> timerCalls;
    bool failWorkerStarts = false;
    bool realThreads = false;
    int workersStarted = 0;
    std::deque<std::function<void()>> queued;
    std::vector<std::thread> threads;
    std::function<std::string(const std::string& url)> pages;
    std::vector<std::string> downloads;
    std::vector<std::string> clipboard;
    std::vector<std::string> opened;
    int trims = 0;
    std::vector<int> exitCodes;
};
