// The control kinds of the main window, each written once: label, shape box and
// picture button (classes of our own), check box / radio button, spin button and
// the interval box (system classes, the last one painting its own disabled face).
#include "window/controls.h"

#include <commctrl.h>

#include <string>

#include "window/gdi.h"

namespace {
constexpr const char* labelClass = "QuennixLabel";
constexpr const char* shapeBoxClass = "QuennixShapeBox";
constexpr const char* pictureButtonClass = "QuennixPictureButton";

constexpr DWORD childStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

// Each of our own classes keeps a state record in GWLP_USERDATA, handed over
// through CreateWindowEx's parameter and deleted with the window.
template <typename State>
State* stateOf(HWND window) {
    return reinterpret_cast<State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

template <typename State>
State* adoptState(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<State*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        return created;
    }
    return stateOf<State>(window);
}

template <typename State>
void dropState(HWND window) {
    delete stateOf<State>(window);
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}

template <typename State>
HWND createOwn(const char* className, HWND parent, int id, ControlPlace place, std::string_view text,
               DWORD extraStyle, State* state) {
    const std::string caption(text);
    HWND window = CreateWindowExA(0, className, caption.c_str(), childStyle | extraStyle, place.left, place.top,
                                  place.width, place.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), state);
    // Without a window no WM_NCCREATE took the state over.
    if (!window) delete state;
    return window;
}

std::string windowText(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

HFONT fontOr(HFONT font) { return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

// ---- label

struct LabelState {
    LabelLook look;
    HFONT font = nullptr;
};

void paintLabel(HWND window, const LabelState& state) {
    PaintDc paint(window);
    RECT client{};
    GetClientRect(window, &client);
    Brush back(CreateSolidBrush(state.look.back));
    FillRect(paint.get(), &client, back.get());
    Selection font(paint.get(), fontOr(state.font));
    SetTextColor(paint.get(), state.look.text);
    SetBkMode(paint.get(), TRANSPARENT);
    const std::string text = windowText(window);
    RECT textArea = client;
    if (state.look.border) InflateRect(&textArea, -1, -1);
    DrawTextA(paint.get(), text.data(), static_cast<int>(text.size()), &textArea,
              DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_NOPREFIX);
    if (state.look.border) {
        // Drawn over the face rather than as a window frame, so the line is black
        // whatever frame colour the system has.
        Brush line(CreateSolidBrush(RGB(0, 0, 0)));
        FrameRect(paint.get(), &client, line.get());
    }
}

LRESULT CALLBACK labelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LabelState* state = adoptState<LabelState>(window, message, lParam);
    if (!state) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_PAINT: paintLabel(window, *state); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETFONT:
        state->font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam)) InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(state->font);
    case WM_SETTEXT: {
        const LRESULT done = DefWindowProcA(window, message, wParam, lParam);
        InvalidateRect(window, nullptr, FALSE);
        return done;
    }
    case WM_NCDESTROY: dropState<LabelState>(window); break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// ---- shape box

struct ShapeBoxState {
    COLORREF line;
};

void paintShapeBox(HWND window, const ShapeBoxState& state) {
    PaintDc paint(window);
    RECT client{};
    GetClientRect(window, &client);
    FillRect(paint.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
    Brush line(CreateSolidBrush(state.line));
    FrameRect(paint.get(), &client, line.get());
}

LRESULT CALLBACK shapeBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ShapeBoxState* state = adoptState<ShapeBoxState>(window, message, lParam);
    if (!state) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_PAINT: paintShapeBox(window, *state); return 0;
    case WM_ERASEBKGND: return 1;
    // The children's notifications and colour questions go to the main window,
    // which answers every control from its one table.
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT: return SendMessageA(GetAncestor(window, GA_ROOT), message, wParam, lParam);
    case WM_NCDESTROY: dropState<ShapeBoxState>(window); break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// ---- picture button

struct PictureButtonState {
    HBITMAP normal;
    HBITMAP hot;
    bool hovered = false;
    bool tracking = false;
};

void setHovered(HWND window, PictureButtonState& state, bool hovered) {
    if (state.hovered == hovered) return;
    state.hovered = hovered;
    InvalidateRect(window, nullptr, FALSE);
}

bool cursorInside(HWND window, LPARAM lParam) {
    RECT client{};
    GetClientRect(window, &client);
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&client, point) != FALSE;
}

void paintPictureButton(HWND window, const PictureButtonState& state) {
    PaintDc paint(window);
    RECT client{};
    GetClientRect(window, &client);
    HBITMAP image = state.hovered ? state.hot : state.normal;
    if (!image) {
        FillRect(paint.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    MemoryDc source(paint.get());
    Selection selected(source.get(), image);
    BitBlt(paint.get(), 0, 0, client.right, client.bottom, source.get(), 0, 0, SRCCOPY);
}

void onPictureButtonReleased(HWND window, PictureButtonState& state, LPARAM lParam) {
    if (GetCapture() != window) return;
    const bool inside = cursorInside(window, lParam);
    ReleaseCapture();
    // The click may hide the window (minimise) or end the program; the hot image
    // would otherwise stay until the mouse next moves over the button.
    setHovered(window, state, false);
    if (inside)
        SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
                     reinterpret_cast<LPARAM>(window));
}

LRESULT CALLBACK pictureButtonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    PictureButtonState* state = adoptState<PictureButtonState>(window, message, lParam);
    if (!state) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_PAINT: paintPictureButton(window, *state); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEMOVE:
        if (!state->tracking) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
            state->tracking = TrackMouseEvent(&track) != FALSE;
        }
        setHovered(window, *state, cursorInside(window, lParam));
        return 0;
    case WM_MOUSELEAVE:
        state->tracking = false;
        // While the button holds the capture, the hot image follows the mouse moves.
        if (GetCapture() != window) setHovered(window, *state, false);
        return 0;
    case WM_LBUTTONDOWN:
        SetCapture(window);
        setHovered(window, *state, true);
        return 0;
    case WM_LBUTTONUP: onPictureButtonReleased(window, *state, lParam); return 0;
    case WM_CAPTURECHANGED:
        if (!state->tracking) setHovered(window, *state, false);
        return 0;
    case WM_NCDESTROY: dropState<PictureButtonState>(window); break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// ---- interval box

struct IntervalLook {
    COLORREF text;
    COLORREF back;
};

void paintDisabledEdit(HWND edit, const IntervalLook& look) {
    PaintDc paint(edit);
    RECT client{};
    GetClientRect(edit, &client);
    Brush back(CreateSolidBrush(look.back));
    FillRect(paint.get(), &client, back.get());
    Selection font(paint.get(), fontOr(reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0))));
    SetTextColor(paint.get(), look.text);
    SetBkMode(paint.get(), TRANSPARENT);
    const std::string text = windowText(edit);
    DrawTextA(paint.get(), text.data(), static_cast<int>(text.size()), &client,
              DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
}

LRESULT CALLBACK intervalBoxProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR data) {
    auto* look = reinterpret_cast<IntervalLook*>(data);
    switch (message) {
    case WM_PAINT:
        if (IsWindowEnabled(edit)) break;
        paintDisabledEdit(edit, *look);
        return 0;
    case WM_ERASEBKGND:
        if (IsWindowEnabled(edit)) break;
        return 1;
    case WM_NCDESTROY:
        RemoveWindowSubclass(edit, intervalBoxProcedure, id);
        delete look;
        break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

HINSTANCE instanceOf(HWND window) { return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)); }
HMENU idMenu(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }
}  // namespace

void registerControlClasses(HINSTANCE instance) {
    struct Kind {
        const char* name;
        WNDPROC procedure;
    };
    for (const Kind& kind : {Kind{labelClass, labelProcedure}, Kind{shapeBoxClass, shapeBoxProcedure},
                             Kind{pictureButtonClass, pictureButtonProcedure}}) {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = kind.procedure;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.lpszClassName = kind.name;
        RegisterClassExA(&windowClass);
    }
}

HWND createLabel(HWND parent, int id, ControlPlace place, std::string_view text, LabelLook look) {
    return createOwn(labelClass, parent, id, place, text, 0, new LabelState{look});
}

void setLabelTextColour(HWND label, COLORREF colour) {
    if (auto* state = stateOf<LabelState>(label)) {
        state->look.text = colour;
        InvalidateRect(label, nullptr, FALSE);
        UpdateWindow(label);
    }
}

LabelLook labelLook(HWND label) {
    const auto* state = stateOf<LabelState>(label);
    return state ? state->look : LabelLook{};
}

HWND createShapeBox(HWND parent, int id, ControlPlace place, COLORREF line) {
    return createOwn(shapeBoxClass, parent, id, place, {}, WS_CLIPCHILDREN, new ShapeBoxState{line});
}

void setShapeBoxLineColour(HWND box, COLORREF colour) {
    if (auto* state = stateOf<ShapeBoxState>(box)) {
        state->line = colour;
        // Only the outline changes; the children cover the rest and stay as they are.
        InvalidateRect(box, nullptr, FALSE);
        UpdateWindow(box);
    }
}

COLORREF shapeBoxLineColour(HWND box) {
    const auto* state = stateOf<ShapeBoxState>(box);
    return state ? state->line : CLR_INVALID;
}

HWND createPictureButton(HWND parent, int id, ControlPlace place, HBITMAP normal, HBITMAP hot) {
    return createOwn(pictureButtonClass, parent, id, place, {}, 0, new PictureButtonState{normal, hot});
}

bool pictureButtonHot(HWND button) {
    const auto* state = stateOf<PictureButtonState>(button);
    return state && state->hovered;
}

HWND createTickBox(HWND parent, int id, ControlPlace place, std::string_view text, TickKind kind,
                   bool groupStart) {
    const std::string caption(text);
    const DWORD style = childStyle | WS_TABSTOP | (groupStart ? WS_GROUP : 0) |
                        (kind == TickKind::radioButton ? BS_AUTORADIOBUTTON : BS_AUTOCHECKBOX);
    return CreateWindowExA(0, "BUTTON", caption.c_str(), style, place.left, place.top, place.width, place.height,
                           parent, idMenu(id), instanceOf(parent), nullptr);
}

HWND createSpinButton(HWND parent, int id, ControlPlace place) {
    HWND spin = CreateWindowExA(0, UPDOWN_CLASSA, "", childStyle, place.left, place.top, place.width, place.height,
                                parent, idMenu(id), instanceOf(parent), nullptr);
    if (!spin) return nullptr;
    // The default range runs downwards, which makes the upper arrow report -1.
    SendMessageA(spin, UDM_SETRANGE32, 0, 100);
    SendMessageA(spin, UDM_SETPOS32, 0, 50);
    // Some up-down implementations narrow a control without a buddy at creation.
    SetWindowPos(spin, nullptr, place.left, place.top, place.width, place.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return spin;
}

HWND createIntervalBox(HWND parent, int id, ControlPlace place, std::string_view text, COLORREF textColour,
                       COLORREF back) {
    const std::string caption(text);
    HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", caption.c_str(),
                                childStyle | WS_DISABLED | ES_CENTER | ES_AUTOHSCROLL, place.left, place.top,
                                place.width, place.height, parent, idMenu(id), instanceOf(parent), nullptr);
    if (!edit) return nullptr;
    auto* look = new IntervalLook{textColour, back};
    if (!SetWindowSubclass(edit, intervalBoxProcedure, 1, reinterpret_cast<DWORD_PTR>(look))) delete look;
    return edit;
}
