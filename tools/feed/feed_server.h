// The feed's HTTP side: one cpp-httplib server on 127.0.0.1 per source that is not
// down, serving its home page, its result page and the fault asked for it.
#pragma once

#include <ctime>
#include <functional>
#include <memory>
#include <string>

#include "feed_options.h"

namespace feed {

class FeedServer {
public:
    using Clock = std::function<std::time_t()>;

    // `clock` tells the time the draws follow; tests hand in a fixed one.
    explicit FeedServer(FeedOptions options, Clock clock = [] { return std::time(nullptr); });
    ~FeedServer();
    FeedServer(const FeedServer&) = delete;
    FeedServer& operator=(const FeedServer&) = delete;

    // Opens the request log, binds every port and serves each on threads of its
    // own. On failure nothing is left running and `error` says what went wrong.
    bool start(std::string& error);
    // Stops every server and waits for them. Answers still being delayed or
    // trickled are cut off rather than waited for.
    void stop();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace feed
