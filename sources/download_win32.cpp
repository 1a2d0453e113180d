// Downloading a page with WinINet: one blocking GET, straight from the server.
#include "sources/download.h"

#include <windows.h>
#include <wininet.h>

// <chrono> itself holds a literal GBK cannot encode; the durations come with <thread>.
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

constexpr const char* userAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

struct UrlParts {
    std::string host;
    INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT;
    std::string pathAndQuery = "/";
};

bool splitUrl(std::string_view url, UrlParts& parts) {
    constexpr std::string_view scheme = "http://";
    if (url.substr(0, scheme.size()) != scheme) return false;
    url.remove_prefix(scheme.size());
    const std::size_t slash = url.find('/');
    std::string_view authority = url.substr(0, slash);
    if (slash != std::string_view::npos) parts.pathAndQuery = std::string(url.substr(slash));
    const std::size_t colon = authority.find(':');
    if (colon != std::string_view::npos) {
        unsigned port = 0;
        for (char c : authority.substr(colon + 1)) {
            if (c < '0' || c > '9' || (port = port * 10 + (c - '0')) > 65535) return false;
        }
        parts.port = static_cast<INTERNET_PORT>(port);
        authority = authority.substr(0, colon);
    }
    parts.host = std::string(authority);
    return !parts.host.empty();
}

// A download given up at its deadline: the watcher closes the download's handles,
// which makes a blocked WinINet call return. Handles are registered as they are
// opened, and whoever comes first, the watcher or the download's own end, closes them.
class Download {
public:
    explicit Download(std::chrono::seconds limit)
        : watcher_([this, limit] {
              std::unique_lock lock(mutex_);
              if (!changed_.wait_for(lock, limit, [this] { return finished_; })) closeAll();
          }) {}
    ~Download() {
        {
            std::lock_guard lock(mutex_);
            if (!finished_) closeAll();
            finished_ = true;
        }
        changed_.notify_one();
        watcher_.join();
    }
    bool expired() {
        std::lock_guard lock(mutex_);
        return closed_;
    }
    // Keeps a new handle for closing; false (and closed at once) after the deadline.
    bool keep(HINTERNET handle) {
        std::lock_guard lock(mutex_);
        if (!handle) return false;
        if (closed_) {
            InternetCloseHandle(handle);
            return false;
        }
        handles_[count_++] = handle;
        return true;
    }

private:
    void closeAll() {
        // Children before their parents.
        while (count_ > 0) InternetCloseHandle(handles_[--count_]);
        closed_ = true;
    }
    std::mutex mutex_;
    std::condition_variable changed_;
    bool finished_ = false;
    bool closed_ = false;
    HINTERNET handles_[3] = {};
    int count_ = 0;
    std::thread watcher_;
};

}  // namespace

std::string downloadPage(std::string_view url) {
    UrlParts parts;
    if (!splitUrl(url, parts)) return {};

    std::string body;
    Download download{std::chrono::seconds(downloadLimitSeconds)};
    HINTERNET session = InternetOpenA(userAgent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    if (!download.keep(session)) return {};
    // The same bound on every wait inside WinINet: Wine does not end a blocked wait
    // for the response when the handle is closed, but it does keep these time-outs.
    HINTERNET connection = InternetConnectA(session, parts.host.c_str(), parts.port, nullptr, nullptr,
                                            INTERNET_SERVICE_HTTP, 0, 0);
    if (!download.keep(connection)) return {};
    const char* acceptTypes[] = {"*/*", nullptr};
    const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                        INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_AUTH | INTERNET_FLAG_NO_COOKIES;
    HINTERNET request = HttpOpenRequestA(connection, "GET", parts.pathAndQuery.c_str(), "HTTP/1.0",
                                         nullptr, acceptTypes, flags, 0);
    if (!download.keep(request)) return {};
    // The same bound on every wait inside WinINet: Wine does not end a blocked wait
    // for the response when the handle is closed, but it does keep these time-outs.
    DWORD limitMs = downloadLimitSeconds * 1000;
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
        InternetSetOptionA(request, option, &limitMs, sizeof limitMs);
    if (!HttpSendRequestA(request, nullptr, 0, nullptr, 0)) return {};

    // Each read takes only what has arrived, so that a server sending a byte at a
    // time cannot hold a read beyond the deadline; Wine's WinINet does not give up a
    // read when its handle is closed from another thread.
    char buffer[16384];
    while (body.size() < downloadLimitBytes && !download.expired()) {
        DWORD available = 0, got = 0;
        if (!InternetQueryDataAvailable(request, &available, 0, 0) || available == 0) break;
        DWORD wanted = available < sizeof buffer ? available : sizeof buffer;
        const std::size_t room = downloadLimitBytes - body.size();
        if (wanted > room) wanted = static_cast<DWORD>(room);
        if (!InternetReadFile(request, buffer, wanted, &got) || got == 0) break;
        body.append(buffer, got);
    }
    return body;
}
