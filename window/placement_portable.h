// Where the six placement buttons put the window on the screen.
#pragma once

enum class Placement { 左上, 上中, 右上, 左下, 下中, 右下 };

struct WindowOrigin {
    int left = 0, top = 0;
    bool operator==(const WindowOrigin&) const = default;
};

// The bottom row keeps this much of the screen free below the window.
inline constexpr int bottomAllowance = 35;

// Left and top for a placement, computed in double precision and cut toward zero.
WindowOrigin placementOrigin(Placement which, int screenWidth, int screenHeight, int windowWidth,
                             int windowHeight);
