// quennix-feed: serves the four sources' result pages on loopback until SIGINT or
// SIGTERM, or answers --help and --print-current at once.
#include <csignal>
#include <cstdio>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include <pthread.h>

#include "feed_server.h"
#include "feed_options.h"

namespace {

std::string sourceLine(const feed::FeedOptions& options, int source) {
    const int port = options.portBase + source - 1;
    const feed::Fault& fault = options.fault(source);
    std::string line = "source " + std::to_string(source) + ": ";
    if (fault.kind == feed::FaultKind::down) return line + "down (port " + std::to_string(port) + " not opened)";
    line += "http://127.0.0.1:" + std::to_string(port) + std::string(feed::sourcePath(source));
    if (!feed::sourceQuery(source).empty()) line += "?" + std::string(feed::sourceQuery(source));
    std::string notes;
    if (options.lagOf(source) > 0) notes += "lag " + std::to_string(options.lagOf(source));
    if (fault.kind != feed::FaultKind::none) {
        if (!notes.empty()) notes += ", ";
        notes += "fault " + std::string(feed::faultName(fault.kind));
        if (fault.kind == feed::FaultKind::slow) {
            char seconds[32];
            std::snprintf(seconds, sizeof seconds, "=%g", fault.slowSeconds);
            notes += seconds;
        }
    }
    return notes.empty() ? line : line + " (" + notes + ")";
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const feed::ParsedOptions parsed = feed::parseOptions(args);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "quennix-feed: %s\n(quennix-feed --help lists the options)\n", parsed.error.c_str());
        return 2;
    }
    const feed::FeedOptions& options = parsed.options;
    if (options.help) {
        std::fputs(feed::helpText().c_str(), stdout);
        return 0;
    }
    if (options.printCurrent) {
        const std::time_t now = std::time(nullptr);
        std::fputs(feed::currentDrawsText(options, options.startAt.value_or(now), now).c_str(), stdout);
        return 0;
    }

    // Blocked before any server thread exists, so every thread inherits the mask and
    // the signals reach only the sigwait below.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    feed::FeedServer server(options);
    std::string error;
    if (!server.start(error)) {
        std::fprintf(stderr, "quennix-feed: %s\n", error.c_str());
        return 1;
    }
    for (int source = 1; source <= feed::sourceCount; ++source)
        std::printf("%s\n", sourceLine(options, source).c_str());
    std::fflush(stdout);

    int signal = 0;
    sigwait(&stopSignals, &signal);
    server.stop();
    return 0;
}
