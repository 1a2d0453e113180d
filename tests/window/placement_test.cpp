// The placement formulas and the tray tip, natively.
#include "window/placement_portable.h"

#include <gtest/gtest.h>

#include "window/tray_tip_portable.h"

namespace {

TEST(Placement, SixPlacesOnAScreen) {
    struct Case {
        Placement which;
        int screenWidth, screenHeight;
        WindowOrigin expected;
    } cases[] = {
        {Placement::左上, 1024, 768, {0, 0}},
        {Placement::上中, 1024, 768, {254, 0}},
        {Placement::右上, 1024, 768, {508, 0}},
        {Placement::左下, 1024, 768, {0, 435}},
        {Placement::下中, 1024, 768, {254, 435}},
        {Placement::右下, 1024, 768, {508, 435}},
        // Halves are cut toward zero, also below zero.
        {Placement::上中, 1365, 768, {424, 0}},
        {Placement::上中, 501, 768, {-7, 0}},
        {Placement::右上, 500, 768, {-16, 0}},
        {Placement::左下, 1024, 300, {0, -33}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(placementOrigin(c.which, c.screenWidth, c.screenHeight, 516, 298), c.expected)
            << static_cast<int>(c.which) << " on " << c.screenWidth << "x" << c.screenHeight;
}

TEST(TrayTip, KeepsAtMost62BytesAndWholeCharacters) {
    EXPECT_EQ(trayTip("Quennix"), "Quennix");
    EXPECT_EQ(trayTip(""), "");
    const std::string ascii(70, 'a');
    EXPECT_EQ(trayTip(ascii), std::string(62, 'a'));
    // 61 ASCII bytes and a pair: the pair would end at byte 63, so it goes.
    EXPECT_EQ(trayTip(std::string(61, 'a') + "\xB1\xB2"), std::string(61, 'a'));
    EXPECT_EQ(trayTip(std::string(60, 'a') + "\xB1\xB2" "b"), std::string(60, 'a') + "\xB1\xB2");
    // A lone lead byte at the very end has no second byte to keep it company.
    EXPECT_EQ(trayTip("ab\xB1"), "ab");
    std::string chinese;
    for (int i = 0; i < 40; ++i) chinese += "开";
    EXPECT_EQ(trayTip(chinese).size(), 62u);
}

}  // namespace
