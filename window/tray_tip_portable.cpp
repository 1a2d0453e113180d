// Cutting the caption for the tray tip without splitting a GBK character.
#include "window/tray_tip_portable.h"

std::string trayTip(std::string_view caption) {
    std::size_t end = 0;
    while (end < caption.size()) {
        const std::size_t next = end + (static_cast<unsigned char>(caption[end]) >= 0x80 ? 2 : 1);
        if (next > trayTipLimit || next > caption.size()) break;
        end = next;
    }
    return std::string(caption.substr(0, end));
}
