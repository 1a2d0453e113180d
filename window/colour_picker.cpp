// The colour picker and its drop-down palette.
#include "window/colour_picker.h"

#include <commdlg.h>

#include "window/gdi.h"

namespace {

constexpr char pickerClass[] = "QuennixColourPicker";
constexpr int swatch = 20, gap = 3, margin = 4;
// The entry below the grid that opens the system dialog.
constexpr int moreEntry = paletteCount;
constexpr int moreHeight = 22;

// Registers one of the picker's window classes; each is registered once, at first use.
bool registerClass(const char* name, WNDPROC procedure, LPCSTR cursor, UINT style) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, cursor);
    windowClass.lpszClassName = name;
    windowClass.style = style;
    return RegisterClassA(&windowClass) != 0;
}

struct Picker {
    COLORREF colour;
    bool pressed = false;
};

Picker* pickerOf(HWND window) { return reinterpret_cast<Picker*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

void notifyChosen(HWND picker, COLORREF colour) {
    Picker* state = pickerOf(picker);
    if (!state) return;
    state->colour = colour;
    InvalidateRect(picker, nullptr, TRUE);
    SendMessageA(GetParent(picker), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(picker), colourChosenCode),
                 reinterpret_cast<LPARAM>(picker));
}

// The dialog has no owner to lift it above a main window kept on top, where it
// would open underneath; then it goes into the top band itself.
UINT_PTR CALLBACK onColourDialogMessage(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG) return 0;
    const HWND root = reinterpret_cast<HWND>(reinterpret_cast<const CHOOSECOLORA*>(lParam)->lCustData);
    if (GetWindowLongA(root, GWL_EXSTYLE) & WS_EX_TOPMOST)
        SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return TRUE;  // the dialog sets the focus as it would without us
}

void chooseWithDialog(HWND picker) {
    static COLORREF customColours[16] = {};
    CHOOSECOLORA choice{};
    choice.lStructSize = sizeof choice;
    // No owner: the main window stays usable while the dialog is open, so its close
    // button and Esc still end the program.
    choice.hwndOwner = nullptr;
    choice.rgbResult = pickerOf(picker)->colour;
    choice.lpCustColors = customColours;
    choice.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK;
    choice.lpfnHook = onColourDialogMessage;
    choice.lCustData = reinterpret_cast<LPARAM>(GetAncestor(picker, GA_ROOT));
    // The window may have been closed while the dialog was open (Esc, the close
    // button): then the picker is gone and nobody is told anything.
    if (ChooseColorA(&choice) && IsWindow(picker)) notifyChosen(picker, choice.rgbResult);
}

// --- the palette: a popup below the picker, with the mouse captured so that a
// click anywhere else closes it.
struct Palette {
    HWND picker;
    int selected;
};

}  // namespace

RECT paletteEntryRect(int entry) {
    if (entry == moreEntry) {
        const int top = margin + (paletteCount / paletteColumns) * (swatch + gap);
        return {margin, top, margin + paletteColumns * (swatch + gap) - gap, top + moreHeight};
    }
    const int column = entry % paletteColumns, row = entry / paletteColumns;
    const int left = margin + column * (swatch + gap), top = margin + row * (swatch + gap);
    return {left, top, left + swatch, top + swatch};
}

namespace {

SIZE paletteSize() {
    const RECT last = paletteEntryRect(moreEntry);
    return {last.right + margin, last.bottom + margin};
}

int entryAt(POINT point) {
    for (int entry = 0; entry <= moreEntry; ++entry) {
        const RECT place = paletteEntryRect(entry);
        if (PtInRect(&place, point)) return entry;
    }
    return -1;
}

void paintPalette(HWND window, const Palette& palette) {
    PaintDc paint(window);
    HDC dc = paint.get();
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
    for (int entry = 0; entry < paletteCount; ++entry) {
        RECT place = paletteEntryRect(entry);
        Brush fill(CreateSolidBrush(paletteColours[entry]));
        FillRect(dc, &place, fill.get());
        FrameRect(dc, &place, GetSysColorBrush(COLOR_BTNSHADOW));
    }
    RECT more = paletteEntryRect(moreEntry);
    Selection font(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_MENUTEXT));
    DrawTextA(dc, "其他颜色...", -1, &more, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    RECT focus = paletteEntryRect(palette.selected);
    InflateRect(&focus, 2, 2);
    FrameRect(dc, &focus, GetSysColorBrush(COLOR_HIGHLIGHT));
    FrameRect(dc, &client, GetSysColorBrush(COLOR_BTNSHADOW));
}

void closePalette(HWND window) {
    if (GetCapture() == window) ReleaseCapture();
    DestroyWindow(window);
}

// Confirms an entry: a preset colour, or the dialog for the last one.
void confirm(HWND window, Palette& palette, int entry) {
    const HWND picker = palette.picker;
    closePalette(window);
    if (entry == moreEntry) chooseWithDialog(picker);
    else if (entry >= 0 && entry < paletteCount) notifyChosen(picker, paletteColours[entry]);
}

LRESULT CALLBACK paletteProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* palette = reinterpret_cast<Palette*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrA(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
            break;
        case WM_PAINT:
            paintPalette(window, *palette);
            return 0;
        case WM_MOUSEMOVE: {
            const int entry = entryAt({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            if (entry >= 0 && entry != palette->selected) {
                palette->selected = entry;
                InvalidateRect(window, nullptr, FALSE);
            }
            return 0;
        }
        case WM_LBUTTONUP: {
            const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            RECT client;
            GetClientRect(window, &client);
            if (!PtInRect(&client, point)) {
                closePalette(window);
                return 0;
            }
            const int entry = entryAt(point);
            if (entry >= 0) confirm(window, *palette, entry);
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN: {
            const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            RECT client;
            GetClientRect(window, &client);
            if (!PtInRect(&client, point)) closePalette(window);
            return 0;
        }
        case WM_KEYDOWN:
            switch (wParam) {
                case VK_ESCAPE: closePalette(window); return 0;
                case VK_RETURN:
                case VK_SPACE: confirm(window, *palette, palette->selected); return 0;
                case VK_LEFT: palette->selected = palette->selected > 0 ? palette->selected - 1 : moreEntry; break;
                case VK_RIGHT: palette->selected = palette->selected < moreEntry ? palette->selected + 1 : 0; break;
                case VK_UP:
                    palette->selected = palette->selected == moreEntry ? paletteCount - 1
                                        : palette->selected >= paletteColumns ? palette->selected - paletteColumns
                                                                              : moreEntry;
                    break;
                case VK_DOWN:
                    palette->selected = palette->selected == moreEntry ? 0
                                        : palette->selected + paletteColumns < paletteCount
                                            ? palette->selected + paletteColumns
                                            : moreEntry;
                    break;
                default: return 0;
            }
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != window) DestroyWindow(window);
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) PostMessageA(window, WM_CLOSE, 0, 0);
            return 0;
        case WM_NCDESTROY:
            delete palette;
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void openPalette(HWND picker) {
    static const bool registered = registerClass(colourPaletteClass, paletteProcedure, IDC_ARROW, CS_DROPSHADOW);
    (void)registered;
    RECT button;
    GetWindowRect(picker, &button);
    const SIZE size = paletteSize();
    // Below the button, or above it where the screen ends; and from its left edge,
    // or ending at its right edge when the window stands at the screen's right side.
    int top = button.bottom;
    if (top + size.cy > GetSystemMetrics(SM_CYSCREEN)) top = button.top - size.cy;
    int left = button.left;
    if (left + size.cx > GetSystemMetrics(SM_CXSCREEN)) left = button.right - size.cx;
    int selected = moreEntry;
    for (int entry = 0; entry < paletteCount; ++entry)
        if (paletteColours[entry] == pickerOf(picker)->colour) selected = entry;
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, colourPaletteClass, nullptr, WS_POPUP, left, top,
                                  size.cx, size.cy, GetAncestor(picker, GA_ROOT), nullptr, GetModuleHandleA(nullptr),
                                  new Palette{picker, selected});
    if (!window) return;
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(window);
    SetCapture(window);
}

void paintPicker(HWND window) {
    PaintDc paint(window);
    HDC dc = paint.get();
    RECT client;
    GetClientRect(window, &client);
    const Picker& picker = *pickerOf(window);
    DrawFrameControl(dc, &client, DFC_BUTTON, DFCS_BUTTONPUSH | (picker.pressed ? DFCS_PUSHED : 0));
    RECT face = client;
    InflateRect(&face, -5, -5);
    if (picker.pressed) OffsetRect(&face, 1, 1);
    Brush fill(CreateSolidBrush(picker.colour));
    FillRect(dc, &face, fill.get());
    FrameRect(dc, &face, GetSysColorBrush(COLOR_BTNTEXT));
}

LRESULT CALLBACK pickerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrA(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
            break;
        case WM_PAINT:
            paintPicker(window);
            return 0;
        case WM_LBUTTONDOWN:
            pickerOf(window)->pressed = true;
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_LBUTTONUP:
            if (pickerOf(window)->pressed) {
                pickerOf(window)->pressed = false;
                InvalidateRect(window, nullptr, FALSE);
                openPalette(window);
            }
            return 0;
        case WM_NCDESTROY:
            delete pickerOf(window);
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HWND createColourPicker(HWND parent, int id, int left, int top, int width, int height, COLORREF initial) {
    static const bool registered = registerClass(pickerClass, pickerProcedure, IDC_HAND, 0);
    (void)registered;
    return CreateWindowExA(0, pickerClass, nullptr, WS_CHILD | WS_VISIBLE, left, top, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                           new Picker{initial});
}

COLORREF colourPickerColour(HWND picker) {
    const Picker* state = pickerOf(picker);
    return state ? state->colour : RGB(0, 0, 0);
}
