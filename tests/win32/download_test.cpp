// Downloading pages with WinINet against a real server on 127.0.0.1.
#include <gtest/gtest.h>

#include <string>

#include "sources/download.h"
#include "win32/test_http_server.h"

namespace {

using namespace std::string_literals;

TEST(Download, SendsAPlainHttp10GetStraightFromTheServer) {
    TestHttpServer server([](const std::string&) { return httpResponse(200, "page"); });
    // Twice: the second must not be answered from a cache or carry validators.
    EXPECT_EQ(downloadPage(server.url("/fucai/ssc/Trend.aspx?pos=1")), "page");
    EXPECT_EQ(downloadPage(server.url("/fucai/ssc/Trend.aspx?pos=1")), "page");
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    for (const std::string& request : requests) {
        EXPECT_EQ(request.rfind("GET /fucai/ssc/Trend.aspx?pos=1 HTTP/1.0\r\n", 0), 0u) << request;
        EXPECT_NE(request.find("\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n"),
                  std::string::npos)
            << request;
        EXPECT_NE(request.find("\r\nAccept: */*\r\n"), std::string::npos) << request;
        for (const char* header : {"If-Modified-Since", "If-None-Match", "Authorization", "Proxy-Authorization",
                                   "Cookie"})
            EXPECT_EQ(request.find(header), std::string::npos) << header << " in " << request;
    }
}

TEST(Download, FollowsRedirects) {
    TestHttpServer server([](const std::string& request) {
        if (request.rfind("GET /moved", 0) == 0) return httpResponse(302, "moved", "Location: /real\r\n");
        return httpResponse(200, "the real page");
    });
    EXPECT_EQ(downloadPage(server.url("/moved")), "the real page");
    EXPECT_EQ(server.requests().size(), 2u);
}

TEST(Download, ErrorPagesAreThePage) {
    for (int status : {404, 500}) {
        TestHttpServer server([status](const std::string&) { return httpResponse(status, "<h1>error</h1>"); });
        EXPECT_EQ(downloadPage(server.url("/")), "<h1>error</h1>") << status;
    }
}

TEST(Download, NoResponseGivesAnEmptyBlock) {
    EXPECT_EQ(downloadPage("http://127.0.0.1:" + std::to_string(TestHttpServer::closedPort()) + "/"), "");
    EXPECT_EQ(downloadPage("not a url"), "");
}

TEST(Download, ZeroBytesComeBackAsPartOfTheBlock) {
    const std::string body = "ab\0cd\0"s;
    TestHttpServer server([&body](const std::string&) { return httpResponse(200, body); });
    EXPECT_EQ(downloadPage(server.url("/")), body);
}

TEST(Download, StopsReadingAtTheSizeBound) {
    const std::string body(downloadLimitBytes + (3u << 20), 'x');
    TestHttpServer server([&body](const std::string&) { return httpResponse(200, body); });
    const std::string page = downloadPage(server.url("/"));
    EXPECT_EQ(page.size(), downloadLimitBytes);
}

}  // namespace
