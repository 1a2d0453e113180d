// The colour picker: a small button showing its colour; a click drops down a
// palette of preset colours with an entry that opens the system colour dialog.
#pragma once

#include <windows.h>

// Confirming a colour sends the parent WM_COMMAND with MAKEWPARAM(id,
// colourChosenCode) and lParam = the picker, also for the colour it already had.
// Esc, a click outside the palette or Cancel in the dialog send nothing.
inline constexpr WORD colourChosenCode = 0x0A01;

HWND createColourPicker(HWND parent, int id, int left, int top, int width, int height, COLORREF initial);
COLORREF colourPickerColour(HWND picker);

// The palette's preset colours, in the order of its grid (row by row).
inline constexpr int paletteColumns = 4;
inline constexpr COLORREF paletteColours[] = {
    RGB(0, 0, 0),     RGB(128, 128, 128), RGB(192, 0, 0),   RGB(255, 0, 0),
    RGB(255, 128, 0), RGB(255, 192, 0),   RGB(0, 128, 0),   RGB(0, 176, 80),
    RGB(0, 112, 192), RGB(0, 0, 255),     RGB(0, 32, 96),   RGB(112, 48, 160),
    RGB(255, 0, 255), RGB(153, 51, 0),    RGB(0, 128, 128), RGB(255, 255, 255),
};
inline constexpr int paletteCount = sizeof paletteColours / sizeof paletteColours[0];
// The class of the drop-down palette window, for whoever needs to find it.
inline constexpr char colourPaletteClass[] = "QuennixColourPalette";
// Where an entry lies in the palette's client area: the preset colours 0 to
// paletteCount - 1, then paletteCount for the entry that opens the system dialog.
RECT paletteEntryRect(int entry);
