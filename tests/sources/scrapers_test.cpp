// The four scrapers on small page fragments: the worked examples, failed and
// broken pages, and the traps of letter case and look-alike markers.
#include "sources/scrapers.h"

#include <gtest/gtest.h>

#include <string>

#include "sources/text.h"

namespace {

using namespace std::string_literals;
using Cut = SourceResult (*)(std::string_view);

struct ScrapeCase {
    const char* what;
    Cut cut;
    std::string page;
    SourceResult expected;
};

const SourceResult theDraw{"20100609023-38016", "0609023", "38016"};
const SourceResult nothing{"-", "", ""};

void expectCases(const std::vector<ScrapeCase>& cases) {
    for (const ScrapeCase& c : cases) {
        const SourceResult got = c.cut(c.page);
        EXPECT_EQ(got.summary, c.expected.summary) << c.what;
        EXPECT_EQ(got.issueKey, c.expected.issueKey) << c.what;
        EXPECT_EQ(got.numbers, c.expected.numbers) << c.what;
    }
}

TEST(Scrapers, WorkedExamples) {
    expectCases({
        {"source 1", cutSource1, R"({"BonusNumberString":"3,8,0,1,6|","IssueNumber":"20100609-023"})", theDraw},
        {"source 2", cutSource2,
         R"(<row tian="1" expect="100609022" opencode="4,4,7,0,2" /><row tian="1" expect="100609023" opencode="3,8,0,1,6" />)",
         theDraw},
        {"source 3", cutSource3,
         R"(rr[0]="100609022";code_string[0]="44702";rr[1]="100609023";code_string[1]="38016";)", theDraw},
        {"source 4", cutSource4, R"(<td class="yellow bold">100609023</td><td class="white enfont red">38016</td>)",
         theDraw},
    });
}

TEST(Scrapers, EmptyAndMarkerlessPagesGiveADash) {
    expectCases({
        {"source 1 empty", cutSource1, "", nothing},
        {"source 2 empty", cutSource2, "", nothing},
        {"source 3 empty", cutSource3, "", nothing},
        {"source 4 empty", cutSource4, "", nothing},
        {"source 2 error page", cutSource2, "<html><body><h1>500 Internal Server Error</h1></body></html>", nothing},
        {"source 3 error page", cutSource3, "<html><body>Not Found</body></html>", nothing},
        {"source 4 error page", cutSource4, "<html><body>Not Found</body></html>", nothing},
    });
}

TEST(Scrapers, SourceOneWithoutItsMarkersDropsTheMarkersLength) {
    expectCases({
        // No BonusNumberString: 20 bytes go, then the numbers run up to the first '|'.
        {"no numbers marker", cutSource1, "01234567890123456789ab,c|d\"IssueNumber\":\"2010-1\"}",
         {"20101-abc", "20101", "abc"}},
        // No IssueNumber either: 14 more bytes go, then up to "}.
        {"no markers", cutSource1, "01234567890123456789|ABCDEFGHIJKLM12-34\"}x", {"1234-", "1234", ""}},
        {"no markers, no ends", cutSource1, "short page", nothing},
        // Only the first entry counts; a page that lists the issue first takes a later one.
        {"issue ahead of numbers", cutSource1,
         R"({"IssueNumber":"20100609-022"},{"BonusNumberString":"1,2,3,4,5,6|","IssueNumber":"20100609-0-23"})",
         {"20100609023-12345,6", "0609023", "12345,6"}},
    });
}

TEST(Scrapers, EmptyRowsStillCount) {
    expectCases({
        {"source 2 empty values", cutSource2, R"(<row tian="1" expect="" opencode="" />)", {"20-", "20", ""}},
        {"source 4 empty values", cutSource4, R"(<td class="yellow bold">10</td><td class="white enfont red"></td>)",
         {"2010-", "2010", ""}},
        // Short cells are taken whole by the slices.
        {"source 3 short values", cutSource3, R"(rr[0]="1";code_string[0]="1";)",
         {R"(200]="1"-"1")", R"(00]="1")", R"("1")"}},
    });
}

TEST(Scrapers, PagesEndAtAZeroByte) {
    const std::string page2 = R"(<row tian="1" expect="100609023" opencode="3,8,0,1,6" />)"s + '\0' +
                              R"(<row tian="1" expect="100609024" opencode="1,1,1,1,1" />)";
    // The scrapers see the page text, which ends at the zero byte.
    expectCases({{"source 2 zero byte", cutSource2, std::string(textFromBytes(page2)), theDraw}});
}

TEST(Scrapers, LetterCaseAndLookAlikeRows) {
    expectCases({
        // The loop tests exact case but the cut folds: the pass cuts at the earlier ROW,
        // and its opencode cut then takes the exact row's digits.
        {"source 2 case trap", cutSource2,
         R"(<ROW TIAN="1" EXPECT="100609011" /><row tian="1" expect="100609023" opencode="3,8,0,1,6" />)",
         {"20100609011-38016", "0609011", "38016"}},
        {"source 2 other tian", cutSource2,
         R"(<row tian="1" expect="100609023" opencode="3,8,0,1,6" /><row tian="2" expect="100609024" opencode="9,9,9,9,9" />)",
         theDraw},
        {"source 2 no commas", cutSource2, R"(<row tian="1" expect="100609023" opencode="38016" />)", theDraw},
        // arr[ holds rr[, so it is a row too.
        {"source 3 arr", cutSource3,
         R"(rr[0]="100609023";code_string[0]="38016";var arr[2]="x";)", {R"(202]="x"-)", R"(02]="x")", ""}},
        {"source 4 issue of 11", cutSource4,
         R"(<td class="yellow bold">100609023</td><td class="white enfont red">38016</td><td class="yellow bold">110101001</td><td class="white enfont red">99999</td>)",
         theDraw},
        {"source 4 only 11", cutSource4,
         R"(<td class="yellow bold">110101001</td><td class="white enfont red">99999</td>)", nothing},
    });
}

// The rows of sources 2 to 4 read literally with the plain text operations, each
// cut a fresh scan of the rest of the page.
SourceResult plainRows(std::string_view page, std::string_view rowMarker, std::string_view issuePrefix,
                       std::string_view (*issueCut)(std::string_view&), std::string (*numbersCut)(std::string_view&)) {
    std::string issue, numbers;
    while (findText(page, rowMarker, false) != -1) {
        page = takeAfter(page, rowMarker);
        issue = concatTexts({issuePrefix, issueCut(page)});
        numbers = numbersCut(page);
    }
    return {concatTexts({issue, "-", numbers}), std::string(rightBytes(issue, 7)), numbers};
}

SourceResult plainSource2(std::string_view page) {
    return plainRows(
        page, "row tian=\"1\" expect=\"", "20", [](std::string_view& p) { return takeBefore(p, "\""); },
        [](std::string_view& p) {
            p = takeAfter(p, "opencode=\"");
            return replaceText(takeBefore(p, "\""), ",", {}, 4);
        });
}

SourceResult plainSource3(std::string_view page) {
    return plainRows(
        page, "rr[", "20", [](std::string_view& p) { return leftBytes(rightBytes(takeBefore(p, ";"), 10), 9); },
        [](std::string_view& p) {
            p = takeAfter(takeAfter(p, "code_string["), "=");
            return std::string(rightBytes(leftBytes(takeBefore(p, ";"), 6), 5));
        });
}

SourceResult plainSource4(std::string_view page) {
    return plainRows(
        page, "class=\"yellow bold\">10", "2010", [](std::string_view& p) { return takeBefore(p, "</td>"); },
        [](std::string_view& p) {
            p = takeAfter(p, "<td class=\"white enfont red\">");
            return std::string(takeBefore(p, "</td>"));
        });
}

std::string repeated(std::string_view piece, int times) {
    std::string page;
    for (int i = 0; i < times; ++i) page += piece;
    return page;
}

TEST(Scrapers, MatchAPlainReadingOnHostilePages) {
    // Row markers whose later markers are missing, pairs that hide a marker's first
    // byte, markers in other cases: the scrapers must give what the literal reading gives.
    const std::string pages[] = {
        repeated("row tian=\"1\" expect=\"", 2000),
        repeated("row tian=\"1\" expect=\"1\xB1\"", 1000) + "opencode=\"1,2\"",
        repeated("rr[", 3000),
        repeated("rr[\xB1;code_string[=\x81;", 800),
        repeated("class=\"yellow bold\">10", 2000),
        repeated("class=\"yellow bold\">10\xB0</td><TD CLASS=\"white enfont red\">5", 700) + "</td>",
        repeated("\xB1\xB2 rr[9]=\"100609001\";code_string[9]=\"12345\";", 500),
    };
    for (const std::string& page : pages) {
        const std::string head = page.substr(0, 40);
        EXPECT_EQ(cutSource2(page), plainSource2(page)) << head;
        EXPECT_EQ(cutSource3(page), plainSource3(page)) << head;
        EXPECT_EQ(cutSource4(page), plainSource4(page)) << head;
    }
}

TEST(Sources, UrlsAndHeadings) {
    EXPECT_EQ(sourceUrl(1), "http://127.0.0.1:8081/haoma/cqssc/freelist/120.aspx");
    EXPECT_EQ(sourceUrl(2), "http://127.0.0.1:8082/static/public/ssc/xml/historyopen.xml");
    EXPECT_EQ(sourceUrl(3), "http://127.0.0.1:8083/fucai/ssc/Trend.aspx?pos=1");
    EXPECT_EQ(sourceUrl(4), "http://127.0.0.1:8084/zs/CQSSC/5x_chzs.aspx?record=100");
    for (int source = 1; source <= 4; ++source) EXPECT_NE(sourceHeading(source).find("开奖结果"), std::string::npos);
}

}  // namespace
