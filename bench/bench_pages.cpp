// Building the benchmarks' pages. Feed pages end with the last draw of 2010, so that
// as many rows as can carry the issue year source 4 reads ("10"): 43,800 of a
// 100,000-row page; the older rows are scanned past like any other markup.
#include "bench_pages.h"

#include <algorithm>
#include <cctype>

#include "feed_draws.h"
#include "feed_pages.h"

namespace {

const feed::DrawNumber newestDraw{{2010, 12, 31}, 120};
constexpr std::uint64_t drawsStream = 20100609;

// Whole copies of `unit` up to `size` bytes.
std::string repeated(std::string_view unit, std::size_t size) {
    std::string page;
    page.reserve(size);
    while (page.size() + unit.size() <= size) page.append(unit);
    return page;
}

std::string upperCase(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

std::string tableLine(std::size_t k) {
    const std::string number = std::to_string(100000000 + k * 7919 % 900000000);
    const std::string digits = number.substr(number.size() - 5);
    std::string line = "<tr><td class=\"issue\">" + number + "</td><td class=\"code\">" + digits + "</td>";
    for (char digit : digits) line += std::string("<td class=\"ball\">") + digit + "</td>";
    return line + "</tr>\n";
}

// Two-byte characters whose second bytes run through both halves of the trail range,
// 0x40 to 0x7E (letters and punctuation when read alone) and 0xA1 to 0xFE.
std::string pairRun(std::size_t bytes, std::size_t k) {
    std::string run;
    for (; run.size() + 2 <= bytes; ++k) {
        run += static_cast<char>(0xB0 + k % 0x47);
        run += static_cast<char>(k % 2 == 0 ? 0x40 + k * 7 % 63 : 0xA1 + k * 5 % 94);
    }
    return run;
}

std::string textPage(std::size_t size, bool withPairs) {
    std::string page;
    page.reserve(size + 256);
    for (std::size_t k = 0; page.size() < size; ++k) {
        const std::string line = tableLine(k);
        page += line;
        if (withPairs) page += pairRun(line.size(), k);
    }
    return page;
}

constexpr std::string_view row2 = "row tian=\"1\" expect=\"";
constexpr std::string_view row3 = "rr[";
constexpr std::string_view row4 = "class=\"yellow bold\">10";
constexpr char lead = '\xB1';

// Every row marker but the last in another letter case: the loop test, exact in case,
// sees the last one only, while the cuts stop at each folded one in turn.
std::string otherCaseRows(std::string_view rowMarker, std::size_t size) {
    return repeated(upperCase(rowMarker), size - rowMarker.size()) + std::string(rowMarker);
}
// One row marker behind an even run of lead bytes, so it starts a character.
std::string rowBehindLeadBytes(std::string_view rowMarker, std::size_t size) {
    const std::size_t run = (size - rowMarker.size()) / 2 * 2;
    return std::string(run, lead) + std::string(rowMarker);
}
// Rows in lead-byte runs: an even run keeps every marker on a character boundary,
// an odd one pairs the last lead byte with the next marker's first byte.
std::string rowsInLeadRuns(std::string_view rowMarker, std::size_t run, std::size_t size) {
    return repeated(std::string(rowMarker) + std::string(run, lead), size);
}

}  // namespace

FeedPage feedPage(int source, int rows) {
    const std::vector<feed::Draw> draws = feed::lastDraws(newestDraw, drawsStream, rows);
    const std::string issue = feed::issueText(newestDraw);
    const std::string& digits = draws.back().digits;
    return {feed::sourcePage(source, draws), {issue + "-" + digits, issue.substr(issue.size() - 7), digits}};
}

std::string asciiPage(std::size_t size) { return textPage(size, false); }
std::string gbkPage(std::size_t size) { return textPage(size, true); }

const std::vector<HostileCase>& hostileCases() {
    static const std::vector<HostileCase> cases{
        {1, "numbers-markers", [](std::size_t size) { return repeated("BonusNumberString\":\"", size); }},
        // Every entry one byte short of the marker, in mixed case.
        {1, "near-miss-markers", [](std::size_t size) { return repeated("bOnUsNuMbErStRiNg\":", size); }},
        {1, "lead-bytes", [](std::size_t size) { return std::string(size, lead); }},
        // Every '|' is the second byte of a pair, so the numbers cut runs to the end.
        {1, "pipes-in-pairs",
         [](std::size_t size) { return "BonusNumberString\":\"" + repeated("\xB1|", size - 20); }},
        // Every '}' a candidate for the issue's closing "\"}", which is looked for by its '}'.
        {1, "braces-issue",
         [](std::size_t size) {
             const std::string head = "{\"BonusNumberString\":\"1,2,3,4,5|\",\"IssueNumber\":\"";
             return head + std::string(size - head.size(), '}');
         }},
        {1, "hyphen-issue",
         [](std::size_t size) {
             const std::string head = "{\"BonusNumberString\":\"1,2,3,4,5|\",\"IssueNumber\":\"";
             return head + std::string(size - head.size() - 2, '-') + "\"}";
         }},

        {2, "row-markers", [](std::size_t size) { return repeated(row2, size); }},
        {2, "other-case-rows", [](std::size_t size) { return otherCaseRows(row2, size); }},
        {2, "near-miss-rows", [](std::size_t size) { return repeated("row tian=\"2\" expect=\"", size); }},
        {2, "lead-bytes", [](std::size_t size) { return rowBehindLeadBytes(row2, size); }},
        {2, "rows-in-even-lead-runs", [](std::size_t size) { return rowsInLeadRuns(row2, 62, size); }},
        {2, "rows-in-odd-lead-runs", [](std::size_t size) { return rowsInLeadRuns(row2, 61, size); }},

        {3, "row-markers", [](std::size_t size) { return repeated(row3, size); }},
        {3, "other-case-rows", [](std::size_t size) { return otherCaseRows(row3, size); }},
        {3, "first-byte-flood", [](std::size_t size) { return std::string(size, 'r'); }},
        // "rr[" is looked for by its '['.
        {3, "bracket-flood", [](std::size_t size) { return std::string(size, '['); }},
        {3, "lead-bytes", [](std::size_t size) { return rowBehindLeadBytes(row3, size); }},
        {3, "rows-in-even-lead-runs", [](std::size_t size) { return rowsInLeadRuns(row3, 62, size); }},
        {3, "rows-in-odd-lead-runs", [](std::size_t size) { return rowsInLeadRuns(row3, 61, size); }},

        {4, "row-markers", [](std::size_t size) { return repeated(row4, size); }},
        {4, "other-case-rows", [](std::size_t size) { return otherCaseRows(row4, size); }},
        // Issue cells of another year: the marker but for its last byte.
        {4, "near-miss-rows", [](std::size_t size) { return repeated("class=\"yellow bold\">11", size); }},
        {4, "lead-bytes", [](std::size_t size) { return rowBehindLeadBytes(row4, size); }},
        {4, "rows-in-even-lead-runs", [](std::size_t size) { return rowsInLeadRuns(row4, 62, size); }},
        {4, "rows-in-odd-lead-runs", [](std::size_t size) { return rowsInLeadRuns(row4, 61, size); }},
    };
    return cases;
}
