// Serving the pages. Each request computes its page from the clock, so every
// answer shows the draws of the moment it was asked for.
#include "feed_server.h"

#include <httplib.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <fstream>
#include <mutex>
#include <thread>

namespace feed {

namespace {

constexpr const char* loopback = "127.0.0.1";
// Enough threads that a few trickling or delayed answers leave room for the rest.
constexpr std::size_t threadsPerServer = 16;
constexpr std::size_t hugeChunkSize = std::size_t{64} << 10;

// Headers cpp-httplib adds to every request itself; the client never sent them.
bool isAddedHeader(const std::string& name) {
    return name == "REMOTE_ADDR" || name == "REMOTE_PORT" || name == "LOCAL_ADDR" || name == "LOCAL_PORT";
}

}  // namespace

struct FeedServer::Impl {
    FeedOptions options;
    Clock clock;
    std::time_t start = 0;
    std::atomic<bool> stopping{false};
    std::array<std::unique_ptr<httplib::Server>, sourceCount> servers;
    std::array<std::thread, sourceCount> threads;
    std::array<std::atomic<bool>, sourceCount> finished{};
    std::mutex logLock;
    std::ofstream log;

    int port(int source) const { return options.portBase + source - 1; }

    // Sleeps in short steps so that stop() never waits for a delayed answer;
    // false when the feed is stopping.
    bool pause(double seconds) {
        using std::chrono::steady_clock;
        const auto until = steady_clock::now() + std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
        while (!stopping) {
            const steady_clock::duration left = until - steady_clock::now();
            if (left <= steady_clock::duration::zero()) return true;
            std::this_thread::sleep_for(std::min<steady_clock::duration>(left, std::chrono::milliseconds(50)));
        }
        return false;
    }

    void logRequest(const httplib::Request& request) {
        std::string entry = request.method + " " + request.target + " " + request.version + "\n";
        for (const auto& [name, value] : request.headers)
            if (!isAddedHeader(name)) entry += name + ": " + value + "\n";
        entry += "\n";
        const std::lock_guard<std::mutex> hold(logLock);
        log << entry;
        log.flush();
    }

    std::vector<Draw> draws(int source) const {
        return lastDraws(newestDrawOf(options, source, start, clock()), options.seed);
    }

    void serveRealPage(int source, httplib::Response& response) {
        response.set_content(sourcePage(source, draws(source)), std::string(sourceContentType(source)));
    }

    void serveResult(int source, const httplib::Request& request, httplib::Response& response) {
        const Fault& fault = options.fault(source);
        const std::string type(sourceContentType(source));
        switch (fault.kind) {
        case FaultKind::none:
        case FaultKind::down: serveRealPage(source, response); return;
        case FaultKind::empty: response.set_content("", type); return;
        case FaultKind::status500:
            response.status = 500;
            response.set_content(serverErrorPage(), "text/html; charset=gbk");
            return;
        case FaultKind::garbage: response.set_content(garbagePage(), "text/html; charset=gbk"); return;
        case FaultKind::nul: response.set_content(sourcePageWithZeroByte(source, draws(source)), type); return;
        case FaultKind::redirect:
            response.set_redirect("http://" + std::string(loopback) + ":" + std::to_string(port(source)) + "/r" +
                                  request.target);
            return;
        case FaultKind::slow:
            if (pause(fault.slowSeconds)) serveRealPage(source, response);
            else response.status = 503;
            return;
        case FaultKind::trickle: {
            auto page = std::make_shared<std::string>(sourcePage(source, draws(source)));
            response.set_content_provider(
                page->size(), type, [this, page](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                    if (offset > 0 && !pause(1)) return false;
                    return sink.is_writable() && sink.write(page->data() + offset, 1);
                });
            return;
        }
        case FaultKind::huge: {
            auto page = std::make_shared<std::string>(sourcePage(source, draws(source)));
            response.set_content_provider(
                hugePageSize, type, [this, page](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                    if (stopping) return false;
                    const std::string chunk = hugePageChunk(*page, offset, hugeChunkSize);
                    return sink.write(chunk.data(), chunk.size());
                });
            return;
        }
        }
    }

    void route(int source, const httplib::Request& request, httplib::Response& response) {
        const std::string_view path = request.path;
        if (path == "/") {
            response.set_content(homePage(source, port(source)), "text/html; charset=gbk");
        } else if (path == sourcePath(source)) {
            serveResult(source, request, response);
        } else if (options.fault(source).kind == FaultKind::redirect && path.starts_with("/r") &&
                   path.substr(2) == sourcePath(source)) {
            serveRealPage(source, response);
        } else {
            response.status = 404;
            response.set_content(notFoundPage(), "text/html; charset=gbk");
        }
    }

    std::unique_ptr<httplib::Server> makeServer(int source) {
        auto server = std::make_unique<httplib::Server>();
        server->new_task_queue = [] { return new httplib::ThreadPool(threadsPerServer); };
        // cpp-httplib's default adds SO_REUSEPORT, with which a second feed binds the
        // same ports without complaint and the kernel deals requests to both at random.
        // An idle kept-alive connection holds up stop() for as long as this.
        server->set_keep_alive_timeout(1);
        server->set_socket_options([](socket_t sock) {
            int yes = 1;
            setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        });
        if (log.is_open())
            server->set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
                logRequest(request);
                return httplib::Server::HandlerResponse::Unhandled;
            });
        server->Get(".*", [this, source](const httplib::Request& request, httplib::Response& response) {
            route(source, request, response);
        });
        return server;
    }

    void stopAll() {
        stopping = true;
        for (auto& server : servers)
            if (server) server->stop();
        for (auto& thread : threads)
            if (thread.joinable()) thread.join();
        for (auto& server : servers) server.reset();
    }
};

FeedServer::FeedServer(FeedOptions options, Clock clock) : impl_(std::make_unique<Impl>()) {
    impl_->options = std::move(options);
    impl_->clock = std::move(clock);
}

FeedServer::~FeedServer() { stop(); }

bool FeedServer::start(std::string& error) {
    Impl& impl = *impl_;
    error.clear();
    impl.stopping = false;
    impl.start = impl.options.startAt.value_or(impl.clock());
    if (!impl.options.logFile.empty()) {
        impl.log.open(impl.options.logFile, std::ios::app | std::ios::binary);
        if (!impl.log) {
            error = "cannot open the request log " + impl.options.logFile;
            return false;
        }
    }
    for (int source = 1; source <= sourceCount && error.empty(); ++source) {
        if (impl.options.fault(source).kind == FaultKind::down) continue;
        auto server = impl.makeServer(source);
        if (!server->bind_to_port(loopback, impl.port(source))) {
            error = "cannot listen on " + std::string(loopback) + ":" + std::to_string(impl.port(source)) +
                    " for source " + std::to_string(source) + " (port in use?)";
            break;
        }
        impl.servers[static_cast<std::size_t>(source - 1)] = std::move(server);
    }
    // Even after a failed bind the ports bound so far are served briefly: only the
    // loop of a running server closes its socket.
    for (std::size_t slot = 0; slot < sourceCount; ++slot) {
        if (!impl.servers[slot]) continue;
        impl.finished[slot] = false;
        impl.threads[slot] = std::thread([&impl, slot] {
            impl.servers[slot]->listen_after_bind();
            impl.finished[slot] = true;
        });
    }
    // stop() only reaches a server whose loop has begun; one stopped earlier would
    // go on listening and its thread would never end.
    for (std::size_t slot = 0; slot < sourceCount; ++slot)
        while (impl.servers[slot] && !impl.servers[slot]->is_running() && !impl.finished[slot])
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (error.empty()) return true;
    stop();
    return false;
}

void FeedServer::stop() {
    impl_->stopAll();
    if (impl_->log.is_open()) impl_->log.close();
}

}  // namespace feed
