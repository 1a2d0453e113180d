// Result pages of the four kinds. The program cuts rows with fixed markers, so each
// marker appears once a row and nowhere else, and the text between a row's markers
// holds none of the bytes the cuts stop at.
#include "feed_pages.h"

#include <algorithm>
#include <array>

namespace feed {

namespace {

struct SourceInfo {
    std::string_view path;
    std::string_view query;
    std::string_view contentType;
    std::string_view name;
};

constexpr std::array<SourceInfo, sourceCount> sources{{
    {"/haoma/cqssc/freelist/120.aspx", "", "text/plain; charset=gbk", "一号源"},
    {"/static/public/ssc/xml/historyopen.xml", "", "text/xml; charset=gb2312", "二号源"},
    {"/fucai/ssc/Trend.aspx", "pos=1", "text/html; charset=gbk", "三号源"},
    {"/zs/CQSSC/5x_chzs.aspx", "record=100", "text/html; charset=gbk", "四号源"},
}};

const SourceInfo& info(int source) { return sources.at(static_cast<std::size_t>(source - 1)); }

// A page cut into the markup ahead of the rows, the rows in the order they appear,
// and the markup behind them.
struct PageParts {
    std::string head;
    std::vector<std::string> rows;
    std::string tail;
};

std::string commaDigits(std::string_view digits) {
    std::string text;
    for (char digit : digits) {
        if (!text.empty()) text += ',';
        text += digit;
    }
    return text;
}

int digitSum(std::string_view digits) {
    int sum = 0;
    for (char digit : digits) sum += digit - '0';
    return sum;
}

std::string rangeText(const std::vector<Draw>& draws) {
    if (draws.empty()) return "暂无数据";
    return "第" + shortIssueText(draws.front().number) + "期至第" + shortIssueText(draws.back().number) + "期";
}

// The newest entry first: the program takes the first entry only. IssueNumber is
// each entry's last field because the issue cut stops at the entry's closing brace.
PageParts jsonListParts(const std::vector<Draw>& draws) {
    PageParts parts;
    parts.head = "{\"success\":true,\"lottery\":\"cqssc\",\"name\":\"重庆时时彩\",\"title\":\"最近开奖号码\","
                 "\"total\":" + std::to_string(draws.size()) + ",\"list\":[\n";
    for (auto draw = draws.rbegin(); draw != draws.rend(); ++draw) {
        std::string row = parts.rows.empty() ? "" : ",\n";
        row += "{\"OpenTime\":\"" + drawTimeText(draw->number) + "\",\"BonusNumberString\":\"" +
               commaDigits(draw->digits) + "|\",\"IssueNumber\":\"" + hyphenIssueText(draw->number) + "\"}";
        parts.rows.push_back(std::move(row));
    }
    parts.tail = "\n]}\n";
    return parts;
}

PageParts xmlHistoryParts(const std::vector<Draw>& draws) {
    PageParts parts;
    parts.head = "<?xml version=\"1.0\" encoding=\"gb2312\"?>\n"
                 "<xml lottery=\"cqssc\" name=\"重庆时时彩历史开奖\" total=\"" + std::to_string(draws.size()) + "\">\n";
    for (const Draw& draw : draws)
        parts.rows.push_back("<row tian=\"1\" expect=\"" + shortIssueText(draw.number) + "\" opencode=\"" +
                             commaDigits(draw.digits) + "\" opentime=\"" + drawTimeText(draw.number) + "\" />\n");
    parts.tail = "</xml>\n";
    return parts;
}

// The table is drawn ahead of the script and holds no array text: every "rr[" the
// program finds must open one row of the script, and each row's issue cut runs to
// the ';' that ends its rr[...] statement.
PageParts trendScriptParts(const std::vector<Draw>& draws) {
    PageParts parts;
    parts.head = "<html>\n<head>\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\" />\n"
                 "<title>重庆时时彩走势图 - 万位走势</title>\n</head>\n<body>\n"
                 "<h1>重庆时时彩 万位走势图</h1>\n<p>最近" + std::to_string(draws.size()) + "期，" +
                 rangeText(draws) + "</p>\n"
                 "<table class=\"trend\" border=\"1\">\n<tr><th>期号</th><th>开奖号码</th><th>万位</th></tr>\n";
    for (const Draw& draw : draws)
        parts.head += "<tr><td>" + shortIssueText(draw.number) + "</td><td>" + draw.digits + "</td><td>" +
                      draw.digits.substr(0, 1) + "</td></tr>\n";
    parts.head += "</table>\n<script type=\"text/javascript\">\n"
                  "var rr = new Array();\nvar code_string = new Array();\n";
    for (std::size_t i = 0; i < draws.size(); ++i) {
        const std::string index = std::to_string(i);
        parts.rows.push_back("rr[" + index + "]=\"" + shortIssueText(draws[i].number) + "\";code_string[" + index +
                             "]=\"" + draws[i].digits + "\";\n");
    }
    parts.tail = "</script>\n</body>\n</html>\n";
    return parts;
}

// Only the issue cells carry "yellow bold" and only the number cells "white enfont
// red"; the issue cell closes right after its digits.
PageParts trendTableParts(const std::vector<Draw>& draws) {
    PageParts parts;
    parts.head = "<html>\n<head>\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\" />\n"
                 "<title>重庆时时彩五星综合走势图</title>\n</head>\n<body>\n"
                 "<div class=\"title\">重庆时时彩 五星综合走势 " + rangeText(draws) + "</div>\n"
                 "<table id=\"chartsTable\" class=\"chart\" cellpadding=\"0\" cellspacing=\"0\">\n"
                 "<tr class=\"head\"><td>期号</td><td>开奖号码</td><td>万位</td><td>千位</td><td>百位</td>"
                 "<td>十位</td><td>个位</td><td>和值</td></tr>\n";
    for (const Draw& draw : draws) {
        std::string row = "<tr><td class=\"yellow bold\">" + shortIssueText(draw.number) +
                          "</td><td class=\"white enfont red\">" + draw.digits + "</td>";
        for (char digit : draw.digits) row += std::string("<td class=\"ball\">") + digit + "</td>";
        row += "<td class=\"sum\">" + std::to_string(digitSum(draw.digits)) + "</td></tr>\n";
        parts.rows.push_back(std::move(row));
    }
    parts.tail = "</table>\n</body>\n</html>\n";
    return parts;
}

PageParts pageParts(int source, const std::vector<Draw>& draws) {
    switch (source) {
    case 1: return jsonListParts(draws);
    case 2: return xmlHistoryParts(draws);
    case 3: return trendScriptParts(draws);
    default: return trendTableParts(draws);
    }
}

constexpr std::size_t noZeroByte = static_cast<std::size_t>(-1);

std::string joined(const PageParts& parts, std::size_t zeroByteBeforeRow) {
    std::string page = parts.head;
    for (std::size_t i = 0; i < parts.rows.size(); ++i) {
        if (i == zeroByteBeforeRow) page += '\0';
        page += parts.rows[i];
    }
    if (zeroByteBeforeRow == parts.rows.size()) page += '\0';
    return page + parts.tail;
}

std::string htmlPage(std::string_view title, std::string_view body) {
    return "<html>\n<head>\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\" />\n<title>" +
           std::string(title) + "</title>\n</head>\n<body>\n" + std::string(body) + "</body>\n</html>\n";
}

// One line of the huge body's filler: markup, and none of the rows' markers.
constexpr std::string_view fillerLine = "<div class=\"pad\">                                                  </div>\n";

}  // namespace

std::string_view sourcePath(int source) { return info(source).path; }
std::string_view sourceQuery(int source) { return info(source).query; }
std::string_view sourceContentType(int source) { return info(source).contentType; }
std::string_view sourceName(int source) { return info(source).name; }

std::string sourcePage(int source, const std::vector<Draw>& lastDraws) {
    const PageParts parts = pageParts(source, lastDraws);
    return joined(parts, noZeroByte);
}

std::string sourcePageWithZeroByte(int source, const std::vector<Draw>& lastDraws) {
    const PageParts parts = pageParts(source, lastDraws);
    return joined(parts, parts.rows.size() / 2);
}

std::string garbagePage() {
    return htmlPage("系统维护", "<h1>系统维护中</h1>\n<p>开奖数据正在更新，请稍后再试。</p>\n"
                                "<p>Service temporarily unavailable, please come back later.</p>\n");
}

std::string homePage(int source, int port) {
    std::string link(sourcePath(source));
    if (!sourceQuery(source).empty()) link += "?" + std::string(sourceQuery(source));
    return htmlPage("Quennix 本地开奖源",
                    "<h1>Quennix 本地开奖源</h1>\n<p>这里是" + std::string(sourceName(source)) + "（端口 " +
                        std::to_string(port) + "），播放2010年重庆时时彩的开奖结果。</p>\n<p><a href=\"" + link +
                        "\">最近开奖结果</a></p>\n");
}

std::string notFoundPage() {
    return htmlPage("404 - 找不到文件", "<h1>404 - 找不到文件或目录。</h1>\n<p>The page you asked for is not here.</p>\n");
}

std::string serverErrorPage() {
    return htmlPage("500 - 内部服务器错误",
                    "<h1>500 - 内部服务器错误。</h1>\n<p>Server Error: the result list could not be read.</p>\n");
}

std::string hugePageChunk(std::string_view page, std::size_t offset, std::size_t maxLength) {
    const std::size_t end = std::min(hugePageSize, offset + std::min(maxLength, hugePageSize));
    std::string chunk;
    if (offset >= end) return chunk;
    chunk.reserve(end - offset);
    std::size_t at = offset;
    if (at < page.size()) {
        const std::size_t take = std::min(page.size(), end) - at;
        chunk.append(page.substr(at, take));
        at += take;
    }
    while (at < end) {
        const std::size_t inLine = (at - page.size()) % fillerLine.size();
        const std::size_t take = std::min(fillerLine.size() - inLine, end - at);
        chunk.append(fillerLine.substr(inLine, take));
        at += take;
    }
    return chunk;
}

}  // namespace feed
