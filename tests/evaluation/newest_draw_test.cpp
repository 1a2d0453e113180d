// Choosing and showing the newest draw: key values, issue texts, and the step
// itself against the recording platform.
#include "evaluation/newest_draw.h"

#include <gtest/gtest.h>

#include "core/program.h"
#include "fake_platform.h"

namespace {

TEST(KeyValue, ReadsTheLeadingNumber) {
    struct Case {
        std::string key;
        std::int32_t expected;
    } cases[] = {
        {"0609023", 609023},
        {"", 0},
        {"0609023x", 609023},
        {"x0609023", 0},
        {"  12", 12},
        {"\t\n+7", 7},
        {"-5", -5},
        {"+-5", 0},
        {"--5", 0},
        {"1009023", 1009023},
        // Full-width digits, sign and space read as ASCII ones.
        {"\xA3\xB0\xA3\xB6\xA3\xB0\xA3\xB9\xA3\xB0\xA3\xB2\xA3\xB3", 609023},
        {"\xA3\xAD\xA3\xB3", -3},
        {"\xA1\xA1" "42", 42},
        // Other pairs stop the number or come before it.
        {"12\xB1\xB2" "3", 12},
        {"\xA1\xAB" "5", 0},
        // Wrapping 32-bit arithmetic.
        {"2147483647", 2147483647},
        {"2147483648", -2147483647 - 1},
        {"4294967296", 0},
        {"4294967297", 1},
        {"-2147483648", -2147483647 - 1},
    };
    for (const Case& c : cases) EXPECT_EQ(keyValue(c.key), c.expected) << "'" << c.key << "'";
}

TEST(IssueText, HasElevenDigitsForEveryMonth) {
    EXPECT_EQ(issueText(609023), "20100609023");
    EXPECT_EQ(issueText(101001), "20100101001");
    EXPECT_EQ(issueText(1009023), "20101009023");
    EXPECT_EQ(issueText(1231120), "20101231120");
    EXPECT_EQ(issueText(0), "201000");
    EXPECT_EQ(issueText(-5), "20100-5");
}

struct Selection : ::testing::Test {
    FakePlatform platform;
    Program program{platform};

    void sources(const char* key1, const char* key2, const char* key3, const char* key4) {
        const char* keys[] = {key1, key2, key3, key4};
        for (int source = 1; source <= 4; ++source)
            program.state.storeSlot(source, {std::string(keys[source - 1]) + "-summary", keys[source - 1],
                                             std::string("n") + std::to_string(source)});
    }
};

TEST_F(Selection, ShowsTheGreatestKeyFromTheLowestSourceHoldingIt) {
    sources("0609022", "0609023", "", "0609023");
    selectNewestDraw(program);
    EXPECT_EQ(program.state.shownIssueKey(), 609023);
    EXPECT_EQ(program.state.shownNumbers(), "n2");
    EXPECT_EQ(platform.controlText(Control::标签开奖号码), "n2");
    EXPECT_EQ(platform.caption(), "20100609023:n2");
    // The analysis runs on a worker; nothing is announced with the box unticked.
    EXPECT_EQ(platform.queued.size(), 1u);
    EXPECT_TRUE(platform.notices.empty());
    platform.runWorkers();
    EXPECT_EQ(platform.controlText(Control::标签_前三形态), "前三形态:组三");
}

TEST_F(Selection, AnEqualKeyChangesNothing) {
    sources("0609023", "", "", "");
    selectNewestDraw(program);
    platform.runWorkers();
    const int writes = static_cast<int>(platform.textWrites.size());
    // A source's digits changed, but the key did not: the display stays.
    sources("0609023", "", "", "");
    program.state.storeSlot(1, {"x", "0609023", "99999"});
    platform.ticked.insert(Control::选择框_报奖);
    selectNewestDraw(program);
    EXPECT_EQ(static_cast<int>(platform.textWrites.size()), writes);
    EXPECT_EQ(platform.captionWrites, 1);
    EXPECT_TRUE(platform.queued.empty());
    EXPECT_TRUE(platform.notices.empty());
    EXPECT_EQ(program.state.shownNumbers(), "n1");
}

TEST_F(Selection, FallsBackToASmallerKeyAndAnnouncesIt) {
    platform.ticked.insert(Control::选择框_报奖);
    platform.bounds[Control::气球提示框] = {387, 3, 40, 32};
    sources("0609023", "", "", "");
    selectNewestDraw(program);
    sources("0609022", "", "", "");
    selectNewestDraw(program);
    EXPECT_EQ(program.state.shownIssueKey(), 609022);
    EXPECT_EQ(platform.caption(), "20100609022:n1");
    ASSERT_EQ(platform.notices.size(), 2u);
    EXPECT_EQ(platform.notices[1].text, "重庆彩〖20100609022〗期开奖号为【n1】\r\n未复制");
}

// The analysis is started before the draw is announced, and the announcement
// names the lottery in GBK.
TEST(SelectionOrder, StartsTheAnalysisThenAnnouncesTheDraw) {
    struct Recording : FakePlatform {
        int workersAtNotice = -1;
        void popNotice(int x, int y, std::string_view text) override {
            {
                std::lock_guard lock(mutex);
                workersAtNotice = workersStarted;
            }
            FakePlatform::popNotice(x, y, text);
        }
    } platform;
    Program program(platform);
    platform.ticked.insert(Control::选择框_报奖);
    program.state.storeSlot(2, {"-", "0609023", "38016"});
    selectNewestDraw(program);
    EXPECT_EQ(platform.workersAtNotice, 1);
    ASSERT_EQ(platform.notices.size(), 1u);
    EXPECT_EQ(platform.notices[0].text,
              "\xD6\xD8\xC7\xEC\xB2\xCA\xA1\xBC" "20100609023" "\xA1\xBD\xC6\xDA\xBF\xAA\xBD\xB1\xBA\xC5"
              "\xCE\xAA\xA1\xBE" "38016" "\xA1\xBF\r\n\xCE\xB4\xB8\xB4\xD6\xC6");
}

TEST_F(Selection, AllSourcesFailingAfterADrawShowsTheEmptyDraw) {
    sources("0609023", "", "", "");
    selectNewestDraw(program);
    for (int source = 1; source <= 4; ++source) program.state.storeSlot(source, {"-", "", ""});
    selectNewestDraw(program);
    EXPECT_EQ(program.state.shownIssueKey(), 0);
    EXPECT_EQ(platform.controlText(Control::标签开奖号码), "");
    EXPECT_EQ(platform.caption(), "201000:");
}

TEST_F(Selection, NothingHappensWhileEverySourceGivesZero) {
    sources("", "abc", "-", "");
    selectNewestDraw(program);
    EXPECT_EQ(platform.caption(), "Quennix");
    EXPECT_TRUE(platform.textWrites.empty());
    EXPECT_TRUE(platform.queued.empty());
}

TEST_F(Selection, ARewrittenSlotKeepsTheShownNumbers) {
    sources("0609022", "", "", "");
    selectNewestDraw(program);
    // Between the choice and the second read a later chain rewrote every slot.
    for (int source = 1; source <= 4; ++source) program.state.storeSlot(source, {"x", "0609024", "77777"});
    showDraw(program, 609023);
    EXPECT_EQ(program.state.shownIssueKey(), 609023);
    EXPECT_EQ(program.state.shownNumbers(), "n1");
    EXPECT_EQ(platform.caption(), "20100609023:n1");
}

TEST_F(Selection, EmptyDigitsEmptyTheLabel) {
    program.state.storeSlot(3, {"20100609023-", "0609023", ""});
    selectNewestDraw(program);
    EXPECT_EQ(platform.controlText(Control::标签开奖号码), "");
    EXPECT_EQ(platform.caption(), "20100609023:");
}

}  // namespace
