// The shared state record: one lock, whole-field replacement, copies handed out.
#include "core/app_state.h"

#include <utility>

SourceResult AppState::slot(int source) const {
    std::lock_guard guard(lock_);
    if (source < 1 || source > sourceCount) return {};
    return slots_[source - 1];
}

void AppState::storeSlot(int source, SourceResult result) {
    std::string oldSummary, oldKey, oldNumbers;  // released outside the lock
    {
        std::lock_guard guard(lock_);
        if (released_ || source < 1 || source > sourceCount) return;
        SourceResult& target = slots_[source - 1];
        oldSummary = std::exchange(target.summary, std::move(result.summary));
        oldKey = std::exchange(target.issueKey, std::move(result.issueKey));
        oldNumbers = std::exchange(target.numbers, std::move(result.numbers));
    }
}

std::int32_t AppState::shownIssueKey() const {
    std::lock_guard guard(lock_);
    return shownIssueKey_;
}

void AppState::setShownIssueKey(std::int32_t key) {
    std::lock_guard guard(lock_);
    if (!released_) shownIssueKey_ = key;
}

std::string AppState::shownNumbers() const {
    std::lock_guard guard(lock_);
    return shownNumbers_;
}

void AppState::setShownNumbers(std::string numbers) {
    std::string old;
    std::lock_guard guard(lock_);
    if (released_) return;
    old = std::exchange(shownNumbers_, std::move(numbers));
}

bool AppState::release() {
    std::array<SourceResult, sourceCount> oldSlots;
    std::string oldNumbers;
    {
        std::lock_guard guard(lock_);
        if (released_) return false;
        released_ = true;
        oldSlots = std::exchange(slots_, {});
        oldNumbers = std::exchange(shownNumbers_, {});
    }
    return true;
}

bool AppState::released() const {
    std::lock_guard guard(lock_);
    return released_;
}
