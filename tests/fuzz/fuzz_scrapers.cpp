// Fuzz target: the four scrapers on any page. No crash and no sanitizer report,
// every field a text without zero bytes, the key at most seven bytes and taken
// from the summary's issue, and each scraper giving what a literal reading of its
// cuts with the plain text operations gives, row loop and all.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "sources/scrapers.h"
#include "sources/text.h"

namespace {

SourceResult outcome(std::string_view issue, std::string_view numbers) {
    return {concatTexts({issue, "-", numbers}), std::string(rightBytes(issue, 7)), std::string(numbers)};
}

SourceResult literal1(std::string_view page) {
    page = takeAfter(page, "BonusNumberString\":\"");
    const std::string numbers = replaceText(takeBefore(page, "|"), ",", "", 4);
    page = takeAfter(page, "IssueNumber\":\"");
    const std::string issue = replaceText(takeBefore(page, "\"}"), "-", "", noLimit);
    return outcome(issue, numbers);
}

SourceResult literal2(std::string_view page) {
    std::string issue, numbers;
    while (findText(page, "row tian=\"1\" expect=\"", false) != -1) {
        page = takeAfter(page, "row tian=\"1\" expect=\"");
        issue = concatTexts({"20", takeBefore(page, "\"")});
        page = takeAfter(page, "opencode=\"");
        numbers = replaceText(takeBefore(page, "\""), ",", "", 4);
    }
    return outcome(issue, numbers);
}

SourceResult literal3(std::string_view page) {
    std::string issue, numbers;
    while (findText(page, "rr[", false) != -1) {
        page = takeAfter(page, "rr[");
        const std::string_view t = takeBefore(page, ";");
        issue = concatTexts({"20", leftBytes(rightBytes(t, 10), 9)});
        page = takeAfter(page, "code_string[");
        page = takeAfter(page, "=");
        const std::string_view u = takeBefore(page, ";");
        numbers = std::string(rightBytes(leftBytes(u, 6), 5));
    }
    return outcome(issue, numbers);
}

SourceResult literal4(std::string_view page) {
    std::string issue, numbers;
    while (findText(page, "class=\"yellow bold\">10", false) != -1) {
        page = takeAfter(page, "class=\"yellow bold\">10");
        issue = concatTexts({"2010", takeBefore(page, "</td>")});
        page = takeAfter(page, "<td class=\"white enfont red\">");
        numbers = std::string(takeBefore(page, "</td>"));
    }
    return outcome(issue, numbers);
}

void checkFields(const SourceResult& result) {
    for (const std::string* field : {&result.summary, &result.issueKey, &result.numbers})
        fuzzCheck(field->find('\0') == std::string::npos, "a field holds a zero byte");
    fuzzCheck(result.issueKey.size() <= 7, "the key is longer than seven bytes");
    // summary is issue "-" numbers, and the key is the issue's last seven bytes.
    const std::string_view summary = result.summary;
    const std::string tail = concatTexts({"-", result.numbers});
    fuzzCheck(summary.size() >= tail.size() && summary.substr(summary.size() - tail.size()) == tail,
              "the summary does not end in the numbers");
    const std::string_view issue = summary.substr(0, summary.size() - tail.size());
    fuzzCheck(result.issueKey == rightBytes(issue, 7), "the key is not the end of the summary's issue");
}

using Cut = SourceResult (*)(std::string_view);
struct Scraper {
    Cut cut;
    Cut literal;
    const char* rule;
};
constexpr Scraper scrapers[] = {
    {cutSource1, literal1, "source 1 differs from its literal reading"},
    {cutSource2, literal2, "source 2 differs from its literal reading"},
    {cutSource3, literal3, "source 3 differs from its literal reading"},
    {cutSource4, literal4, "source 4 differs from its literal reading"},
};

}  // namespace

// Input: a downloaded page, zero bytes and all.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view page = textFromBytes(InputReader(data, size).rest());
    for (const Scraper& scraper : scrapers) {
        const SourceResult result = scraper.cut(page);
        checkFields(result);
        fuzzCheck(result == scraper.literal(page), scraper.rule);
    }
    return 0;
}
