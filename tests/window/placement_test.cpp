// The placement formulas, natively.
#include "window/placement_portable.h"

#include <gtest/gtest.h>

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

}  // namespace
