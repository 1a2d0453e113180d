// The four scrapers. Each cut keeps views into the page; a result is copied once,
// when it is stored, so a page costs time in proportion to its size.
#include "sources/scrapers.h"

#include "core/program.h"
#include "core/refresh.h"
#include "sources/page_cursor.h"
#include "sources/source_sites.h"
#include "sources/text.h"

namespace {

SourceResult makeResult(std::string issue, std::string numbers) {
    SourceResult result;
    result.summary = concatTexts({issue, "-", numbers});
    result.issueKey = std::string(rightBytes(issue, 7));
    result.numbers = std::move(numbers);
    return result;
}

// One row of sources 2 to 4: the issue as a prefix and a cut tail, the numbers as a
// cut. Only the last row's values are turned into texts.
struct Row {
    bool seen = false;
    std::string_view issueTail;
    std::string_view numbers;
};

// Every pass of a row loop tests for the row marker in exact case on what is left.
template <typename CutRow>
Row lastRow(std::string_view page, std::string_view rowMarker, CutRow cutRow) {
    PageCursor cursor(page);
    Row row;
    while (cursor.contains(rowMarker, false)) row = cutRow(cursor);
    return row;
}

}  // namespace

SourceResult cutSource1(std::string_view page) {
    PageCursor cursor(page);
    cursor.skipPast("BonusNumberString\":\"");
    std::string numbers = replaceText(cursor.before("|"), ",", {}, 4);
    cursor.skipPast("IssueNumber\":\"");
    std::string issue = replaceText(cursor.before("\"}"), "-");
    return makeResult(std::move(issue), std::move(numbers));
}

SourceResult cutSource2(std::string_view page) {
    static constexpr std::string_view rowMarker = "row tian=\"1\" expect=\"";
    const Row row = lastRow(page, rowMarker, [](PageCursor& cursor) {
        Row cut;
        cut.seen = true;
        cursor.skipPast(rowMarker);
        cut.issueTail = cursor.before("\"");
        cursor.skipPast("opencode=\"");
        cut.numbers = cursor.before("\"");
        return cut;
    });
    if (!row.seen) return makeResult({}, {});
    return makeResult(concatTexts({"20", row.issueTail}), replaceText(row.numbers, ",", {}, 4));
}

SourceResult cutSource3(std::string_view page) {
    static constexpr std::string_view rowMarker = "rr[";
    const Row row = lastRow(page, rowMarker, [](PageCursor& cursor) {
        Row cut;
        cut.seen = true;
        cursor.skipPast(rowMarker);
        cut.issueTail = leftBytes(rightBytes(cursor.before(";"), 10), 9);
        cursor.skipPast("code_string[");
        cursor.skipPast("=");
        cut.numbers = rightBytes(leftBytes(cursor.before(";"), 6), 5);
        return cut;
    });
    if (!row.seen) return makeResult({}, {});
    return makeResult(concatTexts({"20", row.issueTail}), std::string(row.numbers));
}

SourceResult cutSource4(std::string_view page) {
    static constexpr std::string_view rowMarker = "class=\"yellow bold\">10";
    const Row row = lastRow(page, rowMarker, [](PageCursor& cursor) {
        Row cut;
        cut.seen = true;
        cursor.skipPast(rowMarker);
        cut.issueTail = cursor.before("</td>");
        cursor.skipPast("<td class=\"white enfont red\">");
        cut.numbers = cursor.before("</td>");
        return cut;
    });
    if (!row.seen) return makeResult({}, {});
    return makeResult(concatTexts({"2010", row.issueTail}), std::string(row.numbers));
}

std::string sourceUrl(int source) {
    const SourceSite& site = sourceSites[source - 1];
    return concatTexts({"http://", site.host, site.pathAndQuery});
}

std::string sourceHeading(int source) {
    return concatTexts({sourceSites[source - 1].displayName, "开奖结果"});
}

namespace {

using Cut = SourceResult (*)(std::string_view);

void fetchSource(Program& program, int source, Cut cut) {
    const std::string block = program.platform.downloadPage(sourceUrl(source));
    program.state.storeSlot(source, cut(textFromBytes(block)));
}

}  // namespace

void fetchSource1(Program& program) {
    fetchSource(program, 1, cutSource1);
    startChainStep(program, fetchSource2);
}

void fetchSource2(Program& program) {
    fetchSource(program, 2, cutSource2);
    startChainStep(program, fetchSource3);
}

void fetchSource3(Program& program) {
    fetchSource(program, 3, cutSource3);
    startChainStep(program, fetchSource4);
}

void fetchSource4(Program& program) {
    fetchSource(program, 4, cutSource4);
    showSourceLines(program);
}
