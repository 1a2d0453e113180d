// A small HTTP server on 127.0.0.1 inside the Windows tests: it records each
// request as it arrived and answers with whatever bytes the test hands it.
#pragma once

#include <winsock2.h>

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TestHttpServer {
public:
    // answer gets the request (line and headers) and gives the whole response.
    explicit TestHttpServer(std::function<std::string(const std::string& request)> answer);
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    int port() const { return port_; }
    std::string url(const std::string& pathAndQuery) const;
    std::vector<std::string> requests();

    // A port on which nothing listens.
    static int closedPort();

private:
    void serve();
    std::function<std::string(const std::string&)> answer_;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

std::string httpResponse(int status, const std::string& body, const std::string& extraHeaders = {});
