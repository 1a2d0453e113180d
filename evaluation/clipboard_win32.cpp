// The clipboard copy on Windows: a movable, zero-filled block handed over as CF_TEXT.
#include "evaluation/clipboard.h"

#include <windows.h>

#include <cstring>

void copyTextToClipboard(std::string_view text) {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1)) {
        if (void* bytes = GlobalLock(block)) {
            std::memcpy(bytes, text.data(), text.size());
            GlobalUnlock(block);
            // Once handed over the block is the clipboard's; on failure it is still ours.
            if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
        } else {
            GlobalFree(block);
        }
    }
    CloseClipboard();
}
