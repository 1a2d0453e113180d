// One tick of the auto-update timer with the real window and real workers: the
// four pages come from a server on 127.0.0.1, and the window ends up showing the
// source lines, the newest draw, its patterns, its notice and its clipboard copy.
#include <gtest/gtest.h>

#include "win32/test_http_server.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "core/program.h"
#include "core/refresh.h"
#include "window/main_window.h"
#include "window/win32_platform.h"
#include "win32/plain_window.h"

namespace {

std::string pageFor(const std::string& request) {
    if (request.find("/haoma/") != std::string::npos)
        return R"({"list":[{"BonusNumberString":"3,8,0,1,6|","IssueNumber":"20100609-023"}]})";
    if (request.find("/static/") != std::string::npos)
        return R"(<row tian="1" expect="100609022" opencode="4,4,7,0,2" /><row tian="1" expect="100609023" opencode="3,8,0,1,6" />)";
    if (request.find("/fucai/") != std::string::npos) return "";  // this source has nothing
    return R"(<td class="yellow bold">100609022</td><td class="white enfont red">44702</td>)";
}

// The real platform, with every download sent to the test server instead.
class ServedPlatform : public Win32Platform {
public:
    explicit ServedPlatform(TestHttpServer& server) : server_(server) {}
    std::string downloadPage(std::string_view url) override {
        const std::size_t path = url.find('/', std::string_view("http://").size());
        return Win32Platform::downloadPage(server_.url(std::string(url.substr(path))));
    }
    void openInShell(std::string_view) override {}
    int notices = 0;
    int noticeX = 0, noticeY = 0;
    void popNotice(int x, int y, std::string_view text) override {
        ++notices;
        noticeX = x;
        noticeY = y;
        Win32Platform::popNotice(x, y, text);
    }

private:
    TestHttpServer& server_;
};

using plain::pumpUntil;
using plain::textOf;

std::string clipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
            text = bytes;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

TEST(RefreshWindow, ATickFillsTheWindowAndAnnouncesTheDraw) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    TestHttpServer server([](const std::string& request) { return httpResponse(200, pageFor(request)); });
    ServedPlatform platform(server);
    // Workers may outlive the test's window by a moment; the program must outlive them.
    static Program* program = nullptr;
    program = new Program(platform);
    MainWindow window(GetModuleHandleA(nullptr), *program);
    platform.attach(window);
    ASSERT_TRUE(window.create());
    SendMessageA(window.control(Control::选择框_报奖), BM_CLICK, 0, 0);
    SendMessageA(window.control(Control::选择框_复制开奖), BM_CLICK, 0, 0);

    onAutoUpdateTick(*program);
    ASSERT_TRUE(pumpUntil([&] { return textOf(window.handle()) != "Quennix" && program->chainWorkers == 0; }, 20000));

    EXPECT_EQ(textOf(window.handle()), "20100609023:38016");
    EXPECT_EQ(textOf(window.control(Control::标签开奖号码)), "38016");
    EXPECT_EQ(textOf(window.control(Control::标签5)), "20100609023-38016");
    EXPECT_EQ(textOf(window.control(Control::标签6)), "20100609023-38016");
    EXPECT_EQ(textOf(window.control(Control::标签7)), "-");
    EXPECT_EQ(textOf(window.control(Control::标签8)), "20100609022-44702");
    EXPECT_EQ(textOf(window.control(Control::标签_前三形态)), "前三形态:组六");
    EXPECT_EQ(textOf(window.control(Control::标签_中三形态)), "中三形态:组六");
    EXPECT_EQ(textOf(window.control(Control::标签_后三形态)), "后三形态:组六");
    EXPECT_EQ(textOf(window.control(Control::标签_五星大小形态)), "五星大小形态：小大小小大");
    EXPECT_EQ(textOf(window.control(Control::标签_五星单双形态)), "五星单双形态：单双双单双");
    // The notice points at the bottom-right corner, the balloon control's height above it.
    EXPECT_EQ(platform.notices, 1);
    EXPECT_EQ(platform.noticeX, 1024);
    EXPECT_EQ(platform.noticeY, 768 - 32);
    EXPECT_EQ(clipboardText(), "重庆彩〖20100609023〗期开奖号为【38016】");
    EXPECT_EQ(server.requests().size(), 4u);

    // The same draw again: nothing more is shown or announced.
    onAutoUpdateTick(*program);
    ASSERT_TRUE(pumpUntil([&] { return server.requests().size() == 8u && program->chainWorkers == 0; }, 20000));
    EXPECT_EQ(platform.notices, 1);
    DestroyWindow(window.handle());
    pumpUntil([] { return false; }, 100);
}

}  // namespace
