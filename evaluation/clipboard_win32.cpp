// The clipboard copy on Windows: a movable, zero-filled block handed over as CF_TEXT.
#include "evaluation/clipboard.h"

#include <windows.h>

#include <cstring>
#include <utility>

namespace {

// The clipboard opened for this thread, closed again however the copy ends.
class OpenClipboardScope {
public:
    OpenClipboardScope() : open_(OpenClipboard(nullptr) != FALSE) {}
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    ~OpenClipboardScope() {
        if (open_) CloseClipboard();
    }
    bool open() const { return open_; }

private:
    bool open_;
};

// A global memory block, freed unless the clipboard has taken it.
class GlobalBlock {
public:
    explicit GlobalBlock(std::size_t size) : block_(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size)) {}
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    ~GlobalBlock() {
        if (block_) GlobalFree(block_);
    }
    HGLOBAL get() const { return block_; }
    HGLOBAL release() { return std::exchange(block_, nullptr); }

private:
    HGLOBAL block_;
};

}  // namespace

void copyTextToClipboard(std::string_view text) {
    // Held open by another window: skipped, the next announcement tries again.
    const OpenClipboardScope clipboard;
    if (!clipboard.open()) return;
    EmptyClipboard();
    GlobalBlock block(text.size() + 1);
    if (!block.get()) return;
    void* bytes = GlobalLock(block.get());
    if (!bytes) return;
    // The block was zero-filled, so the text ends with its zero byte.
    std::memcpy(bytes, text.data(), text.size());
    GlobalUnlock(block.get());
    // Once handed over the block is the clipboard's; on failure it is still ours.
    if (SetClipboardData(CF_TEXT, block.get())) block.release();
}
