// The one state record the whole program shares: the four sources' latest results
// and the draw on display. Every field is replaced whole under one lock, and
// readers get copies, so no reader ever sees a text that is being replaced.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <string>

struct SourceResult {
    std::string summary;   // the source's line for the window: issue, "-", numbers
    std::string issueKey;  // the issue's 7 rightmost bytes
    std::string numbers;   // the drawn digits, separators removed

    bool operator==(const SourceResult&) const = default;
};

class AppState {
public:
    static constexpr int sourceCount = 4;

    // A copy of slot `source` (1 to 4).
    SourceResult slot(int source) const;
    // Replaces slot `source` with a complete result; ignored once released.
    void storeSlot(int source, SourceResult result);

    std::int32_t shownIssueKey() const;
    void setShownIssueKey(std::int32_t key);
    std::string shownNumbers() const;
    void setShownNumbers(std::string numbers);

    // Ends the life of every text. A worker still running afterwards reads empty
    // texts and its writes go nowhere. Returns false when it had already run.
    bool release();
    bool released() const;

private:
    mutable std::mutex lock_;
    std::array<SourceResult, sourceCount> slots_{};
    std::int32_t shownIssueKey_ = 0;
    std::string shownNumbers_;
    bool released_ = false;
};
