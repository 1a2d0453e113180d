// The Windows tests' HTTP server: one connection at a time, Connection: close.
#include "win32/test_http_server.h"

#include <ws2tcpip.h>

namespace {
struct WinsockStarted {
    WinsockStarted() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
};
void startWinsock() { static WinsockStarted started; }

SOCKET listenOnLoopback(int& port) {
    startWinsock();
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(s, 8);
    int size = sizeof address;
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
    port = ntohs(address.sin_port);
    return s;
}
}  // namespace

TestHttpServer::TestHttpServer(std::function<std::string(const std::string&)> answer)
    : answer_(std::move(answer)) {
    listener_ = listenOnLoopback(port_);
    thread_ = std::thread([this] { serve(); });
}

TestHttpServer::~TestHttpServer() {
    closesocket(listener_);
    thread_.join();
}

std::string TestHttpServer::url(const std::string& pathAndQuery) const {
    return "http://127.0.0.1:" + std::to_string(port_) + pathAndQuery;
}

std::vector<std::string> TestHttpServer::requests() {
    std::lock_guard lock(mutex_);
    return requests_;
}

int TestHttpServer::closedPort() {
    int port = 0;
    closesocket(listenOnLoopback(port));
    return port;
}

void TestHttpServer::serve() {
    while (true) {
        SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) return;
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos) {
            const int got = recv(client, buffer, sizeof buffer, 0);
            if (got <= 0) break;
            request.append(buffer, got);
        }
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(request);
        }
        const std::string response = answer_(request);
        for (std::size_t sent = 0; sent < response.size();) {
            const int n = send(client, response.data() + sent, static_cast<int>(response.size() - sent), 0);
            if (n <= 0) break;
            sent += n;
        }
        shutdown(client, SD_SEND);
        // Let the client read to the end before the socket goes.
        while (recv(client, buffer, sizeof buffer, 0) > 0) {
        }
        closesocket(client);
    }
}

std::string httpResponse(int status, const std::string& body, const std::string& extraHeaders) {
    const char* reason = status == 200 ? "OK" : status == 302 ? "Found" : status == 404 ? "Not Found" : "Error";
    return "HTTP/1.0 " + std::to_string(status) + " " + reason + "\r\nContent-Type: text/html\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\n" + extraHeaders + "Connection: close\r\n\r\n" + body;
}
