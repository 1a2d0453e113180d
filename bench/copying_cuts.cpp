// The copying baseline: byte loops and copies, one step of the cutting rules at a time.
// Deliberately slow (every takeAfter copies the rest of the page); never used by the program.
#include "copying_cuts.h"

namespace copying {

namespace {

bool isLead(char c) { return static_cast<unsigned char>(c) >= 0x80; }
char fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }
long long length(const Text& text) { return static_cast<long long>(text.size()); }

SourceResult outcome(const Text& issue, const Text& numbers) {
    SourceResult result;
    result.summary = concatTexts({issue, "-", numbers});
    result.issueKey = rightBytes(issue, 7);
    result.numbers = numbers;
    return result;
}

}  // namespace

long long findText(const Text& text, const Text& marker, bool ignoreCase) {
    if (marker.empty()) return text.empty() ? -1 : 1;
    std::size_t at = 0;
    while (text.size() - at >= marker.size()) {
        bool match = true;
        for (std::size_t i = 0; i < marker.size() && match; ++i)
            match = ignoreCase ? fold(text[at + i]) == fold(marker[i]) : text[at + i] == marker[i];
        if (match) return static_cast<long long>(at) + 1;
        if (isLead(text[at])) {
            if (at + 1 == text.size()) return -1;
            at += 2;
        } else {
            at += 1;
        }
    }
    return -1;
}

Text leftBytes(const Text& text, long long count) {
    if (count <= 0) return {};
    if (count >= length(text)) return text;
    return text.substr(0, static_cast<std::size_t>(count));
}

Text rightBytes(const Text& text, long long count) {
    if (count <= 0) return {};
    if (count >= length(text)) return text;
    return text.substr(text.size() - static_cast<std::size_t>(count));
}

Text concatTexts(std::initializer_list<Text> parts) {
    Text joined;
    for (const Text& part : parts) joined += part;
    return joined;
}

Text replaceText(const Text& text, const Text& subtext, const Text& replacement, long long maxCount) {
    if (text.empty() || subtext.empty() || maxCount == 0) return text;
    Text result;
    std::size_t at = 0;
    long long replaced = 0;
    while (text.size() - at >= subtext.size()) {
        if (text.compare(at, subtext.size(), subtext) == 0) {
            result += replacement;
            at += subtext.size();
            if (++replaced == maxCount) break;
        } else if (isLead(text[at])) {
            // A lead byte with nothing behind it is dropped and ends the scan.
            if (at + 1 == text.size()) return result;
            result += text.substr(at, 2);
            at += 2;
        } else {
            result += text[at];
            at += 1;
        }
    }
    result += text.substr(at);
    return result;
}

Text takeAfter(const Text& text, const Text& marker) {
    const long long at = findText(text, marker, true);
    const Text head = leftBytes(text, at - 1);
    return rightBytes(text, length(text) - length(head) - length(marker));
}

Text takeBefore(const Text& text, const Text& marker) {
    return leftBytes(text, findText(text, marker, true) - 1);
}

SourceResult cutSource1(const Text& page) {
    Text rest = takeAfter(page, "BonusNumberString\":\"");
    Text numbers = takeBefore(rest, "|");
    numbers = replaceText(numbers, ",", "", 4);
    rest = takeAfter(rest, "IssueNumber\":\"");
    Text issue = takeBefore(rest, "\"}");
    issue = replaceText(issue, "-");
    return outcome(issue, numbers);
}

SourceResult cutSource2(const Text& page) {
    const Text rowMarker = "row tian=\"1\" expect=\"";
    Text rest = page, issue, numbers;
    while (findText(rest, rowMarker, false) != -1) {
        rest = takeAfter(rest, rowMarker);
        issue = concatTexts({"20", takeBefore(rest, "\"")});
        rest = takeAfter(rest, "opencode=\"");
        numbers = takeBefore(rest, "\"");
        numbers = replaceText(numbers, ",", "", 4);
    }
    return outcome(issue, numbers);
}

SourceResult cutSource3(const Text& page) {
    const Text rowMarker = "rr[";
    Text rest = page, issue, numbers;
    while (findText(rest, rowMarker, false) != -1) {
        rest = takeAfter(rest, rowMarker);
        const Text t = takeBefore(rest, ";");
        issue = concatTexts({"20", leftBytes(rightBytes(t, 10), 9)});
        rest = takeAfter(rest, "code_string[");
        rest = takeAfter(rest, "=");
        const Text u = takeBefore(rest, ";");
        numbers = rightBytes(leftBytes(u, 6), 5);
    }
    return outcome(issue, numbers);
}

SourceResult cutSource4(const Text& page) {
    const Text rowMarker = "class=\"yellow bold\">10";
    Text rest = page, issue, numbers;
    while (findText(rest, rowMarker, false) != -1) {
        rest = takeAfter(rest, rowMarker);
        issue = concatTexts({"2010", takeBefore(rest, "</td>")});
        rest = takeAfter(rest, "<td class=\"white enfont red\">");
        numbers = takeBefore(rest, "</td>");
    }
    return outcome(issue, numbers);
}

}  // namespace copying
