// The tray tip: the caption cut to 62 bytes at a whole GBK character, natively.
#include "window/tray_tip_portable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string times(int count, const std::string& piece) {
    std::string text;
    for (int i = 0; i < count; ++i) text += piece;
    return text;
}

TEST(TrayTip, KeepsAtMost62BytesAndWholeCharacters) {
    const std::string kai = "开";  // a pair whose second byte is above 0x7F too
    const std::string low = "\x81\x40";  // a pair whose second byte is ASCII
    struct Case {
        std::string caption, tip;
    } cases[] = {
        {"Quennix", "Quennix"},
        {"", ""},
        {std::string(62, 'a'), std::string(62, 'a')},
        {std::string(70, 'a'), std::string(62, 'a')},
        // The pair would end at byte 63, so all of it goes.
        {std::string(61, 'a') + kai, std::string(61, 'a')},
        {std::string(60, 'a') + kai + "b", std::string(60, 'a') + kai},
        {"a" + times(31, kai), "a" + times(30, kai)},
        // Byte 62 ends a pair: it stays, though it is above 0x7F.
        {times(31, kai) + "b", times(31, kai)},
        {times(40, kai), times(31, kai)},
        {"a" + times(31, low), "a" + times(30, low)},
        {times(31, low) + "b", times(31, low)},
        // A lone lead byte at the very end has no second byte to keep it company.
        {"ab\xB1", "ab"},
    };
    for (const Case& c : cases) {
        const std::string tip = trayTip(c.caption);
        EXPECT_EQ(tip, c.tip) << c.caption.size() << " bytes: " << c.caption;
        EXPECT_LE(tip.size(), 62u);
    }
}

}  // namespace
