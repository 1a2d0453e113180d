// The placement formulas: corners and centres of the top and bottom rows.
#include "window/placement_portable.h"

#include <cmath>

namespace {
int cutTowardZero(double value) { return static_cast<int>(std::trunc(value)); }
}  // namespace

WindowOrigin placementOrigin(Placement which, int screenWidth, int screenHeight, int windowWidth,
                             int windowHeight) {
    const double width = screenWidth, height = screenHeight;
    const double centred = (width - windowWidth) / 2, right = width - windowWidth;
    const double bottom = height - windowHeight - bottomAllowance;
    switch (which) {
        case Placement::左上: return {0, 0};
        case Placement::上中: return {cutTowardZero(centred), 0};
        case Placement::右上: return {cutTowardZero(right), 0};
        case Placement::左下: return {0, cutTowardZero(bottom)};
        case Placement::下中: return {cutTowardZero(centred), cutTowardZero(bottom)};
        case Placement::右下: return {cutTowardZero(right), cutTowardZero(bottom)};
    }
    return {};
}
