// The main window: its layout table, the creation of every control from its row,
// and the window procedure that hands each event to its handler.
#include "window/main_window.h"

#include <commctrl.h>

#include <functional>
#include <string>
#include <string_view>

#include "core/program.h"
#include "core/refresh.h"
#include "resource_ids.h"
#include "sources/scrapers.h"
#include "window/appearance.h"
#include "window/colour_picker.h"
#include "window/controls.h"
#include "window/placement_portable.h"
#include "window/skin.h"

namespace {
enum class Kind { balloon, checkBox, radioButton, label, pictureButton, colourPicker, shapeBox, spinButton, editBox };
enum class FontKind { gui, digits, interval };
enum class Art { none, minimise, close };

// Stands for the system's button-face colour (COLOR_BTNFACE) in a row.
constexpr COLORREF buttonFace = 0xFF000000;
// The parent of the controls that stand directly on the window.
constexpr Control onWindow = static_cast<Control>(-1);

using Handler = void (*)(MainWindow& window, Control control, int direction);

struct ControlRow {
    Control name;
    Kind kind;
    Control parent;
    int left, top, width, height;
    const char* text;
    int sourceHeading;  // 1 to 4: the text is that source's heading
    COLORREF colour;    // text colour; a shape box's line colour; a colour picker's colour
    COLORREF back;
    FontKind font;
    bool border;
    bool groupStart;
    Art art;
    Handler handler;
};

HWND windowOf(MainWindow& window) { return window.handle(); }

void onStayOnTop(MainWindow& window, Control control, int) {
    onStayOnTopClicked(windowOf(window), SendMessageA(window.control(control), BM_GETCHECK, 0, 0) == BST_CHECKED);
}
void onMinimise(MainWindow& window, Control, int) { onMinimiseButtonClicked(windowOf(window)); }
void onClose(MainWindow& window, Control, int) { onCloseButtonClicked(window.program()); }
void onPlacement(MainWindow& window, Control control, int) {
    const int which = static_cast<int>(control) - static_cast<int>(Control::左上单选框);
    onPlacementClicked(windowOf(window), static_cast<Placement>(which));
}
void onColourChosen(MainWindow& window, Control control, int) {
    const COLORREF colour = colourPickerColour(window.control(control));
    setLabelTextColour(window.control(Control::标签开奖号码), colour);
    setShapeBoxLineColour(window.control(Control::外形框1), colour);
}
void onSpin(MainWindow& window, Control, int direction) { onIntervalSpin(window.program(), direction); }

constexpr COLORREF black = RGB(0, 0, 0);
constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF barGrey = RGB(236, 236, 236);
constexpr COLORREF magenta = RGB(255, 0, 255);
constexpr COLORREF green = RGB(0, 128, 0);
constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF headingBlue = RGB(0, 136, 255);

using enum Control;
using enum Kind;
using F = FontKind;

// Every control of the window, in stacking order: an earlier row lies on top of a
// later one where they overlap. Left and top are measured in the parent.
constexpr ControlRow layout[controlCount] = {
    // name          kind        parent   left top  w    h    text  src colour back  font  border group art  handler
    {气球提示框, balloon, 外形框4, 387, 3, 40, 32, "", 0, black, barGrey, F::gui, false, false, Art::none, nullptr},
    {选择框1, checkBox, 外形框4, 379, 11, 56, 20, "最前面", 0, black, barGrey, F::gui, false, false, Art::none, onStayOnTop},
    {标签10, label, 外形框4, 10, 10, 56, 20, "调整位置：", 0, black, barGrey, F::gui, false, false, Art::none, nullptr},
    {图形按钮_最小化, pictureButton, onWindow, 454, 1, 26, 17, "", 0, black, buttonFace, F::gui, false, false, Art::minimise, onMinimise},
    {图形按钮_关闭, pictureButton, onWindow, 478, 1, 37, 17, "", 0, black, buttonFace, F::gui, false, false, Art::close, onClose},
    {左上单选框, radioButton, 外形框4, 70, 12, 45, 20, "左上", 0, black, barGrey, F::gui, false, true, Art::none, onPlacement},
    {上中单选框, radioButton, 外形框4, 122, 10, 45, 22, "上中", 0, black, barGrey, F::gui, false, false, Art::none, onPlacement},
    {右上单选框, radioButton, 外形框4, 174, 10, 45, 22, "右上", 0, black, barGrey, F::gui, false, false, Art::none, onPlacement},
    {左下单选框, radioButton, 外形框4, 226, 10, 45, 22, "左下", 0, black, barGrey, F::gui, false, false, Art::none, onPlacement},
    {下中单选框, radioButton, 外形框4, 277, 10, 45, 22, "下中", 0, black, barGrey, F::gui, false, false, Art::none, onPlacement},
    {右下单选框, radioButton, 外形框4, 328, 10, 45, 22, "右下", 0, black, barGrey, F::gui, false, false, Art::none, onPlacement},
    // The group of the six radio buttons ends at the control after them.
    {颜色选择器1, colourPicker, 外形框4, 440, 8, 32, 28, "", 0, black, buttonFace, F::gui, false, true, Art::none, onColourChosen},
    {外形框4, shapeBox, onWindow, 13, 221, 488, 40, "", 0, RGB(0, 96, 192), buttonFace, F::gui, false, false, Art::none, nullptr},
    {选择框_复制开奖, checkBox, 外形框2, 225, 7, 95, 20, "复制开奖内容", 0, magenta, buttonFace, F::gui, false, false, Art::none, nullptr},
    {选择框_报奖, checkBox, 外形框2, 139, 7, 70, 20, "是否报号", 0, magenta, buttonFace, F::gui, false, false, Art::none, nullptr},
    {标签_五星单双形态, label, 外形框3, 165, 25, 150, 20, "五星单双形态：", 0, green, buttonFace, F::gui, false, false, Art::none, nullptr},
    {标签_五星大小形态, label, 外形框3, 5, 25, 150, 20, "五星大小形态：", 0, green, buttonFace, F::gui, false, false, Art::none, nullptr},
    {标签_后三形态, label, 外形框3, 220, 5, 100, 20, "后三形态：", 0, green, buttonFace, F::gui, false, false, Art::none, nullptr},
    {标签_中三形态, label, 外形框3, 110, 5, 100, 20, "中三形态：", 0, green, buttonFace, F::gui, false, false, Art::none, nullptr},
    {标签_前三形态, label, 外形框3, 5, 5, 100, 20, "前三形态：", 0, green, buttonFace, F::gui, false, false, Art::none, nullptr},
    {外形框3, shapeBox, onWindow, 13, 129, 330, 50, "", 0, green, buttonFace, F::gui, false, false, Art::none, nullptr},
    {标签9, label, 外形框2, 60, 7, 64, 20, "秒检查一次", 0, magenta, buttonFace, F::gui, false, false, Art::none, nullptr},
    {调节器1, spinButton, 外形框2, 38, 7, 20, 20, "", 0, black, buttonFace, F::gui, false, false, Art::none, onSpin},
    {编辑框_时间, editBox, 外形框2, 7, 7, 32, 20, "0", 0, magenta, white, F::interval, false, false, Art::none, nullptr},
    {外形框2, shapeBox, onWindow, 13, 182, 330, 33, "", 0, magenta, buttonFace, F::gui, false, false, Art::none, nullptr},
    {标签开奖号码, label, onWindow, 15, 42, 325, 78, "", 0, black, buttonFace, F::digits, false, false, Art::none, nullptr},
    {外形框1, shapeBox, onWindow, 13, 41, 330, 85, "", 0, black, buttonFace, F::gui, false, false, Art::none, nullptr},
    {标签8, label, onWindow, 351, 195, 150, 20, "", 0, red, buttonFace, F::gui, true, false, Art::none, nullptr},
    {标签7, label, onWindow, 351, 150, 150, 20, "", 0, red, buttonFace, F::gui, true, false, Art::none, nullptr},
    {标签6, label, onWindow, 351, 105, 150, 20, "", 0, red, buttonFace, F::gui, true, false, Art::none, nullptr},
    {标签5, label, onWindow, 351, 60, 150, 20, "", 0, red, buttonFace, F::gui, true, false, Art::none, nullptr},
    {标签4, label, onWindow, 351, 176, 150, 20, "", 4, white, headingBlue, F::gui, true, false, Art::none, nullptr},
    {标签3, label, onWindow, 351, 131, 150, 20, "", 3, white, headingBlue, F::gui, true, false, Art::none, nullptr},
    {标签2, label, onWindow, 351, 86, 150, 20, "", 2, white, headingBlue, F::gui, true, false, Art::none, nullptr},
    {标签1, label, onWindow, 351, 41, 150, 20, "", 1, white, headingBlue, F::gui, true, false, Art::none, nullptr},
};

constexpr bool layoutInControlOrder() {
    for (int row = 0; row < controlCount; ++row)
        if (static_cast<int>(layout[row].name) != row) return false;
    return true;
}
static_assert(layoutInControlOrder(), "the layout rows follow enum class Control");

COLORREF resolved(COLORREF colour) { return colour == buttonFace ? GetSysColor(COLOR_BTNFACE) : colour; }

std::string rowText(const ControlRow& row) {
    return row.sourceHeading ? sourceHeading(row.sourceHeading) : std::string(row.text);
}

ControlPlace placeOf(const ControlRow& row) { return {row.left, row.top, row.width, row.height}; }
}  // namespace

MainWindow::MainWindow(HINSTANCE instance, Program& program) : instance_(instance), program_(program) {}

MainWindow::~MainWindow() {
    if (created_ && IsWindow(created_)) DestroyWindow(created_);
}

bool MainWindow::create() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = mainWindowClass;
    RegisterClassExA(&windowClass);  // fails harmlessly when a window was made before
    registerControlClasses(instance_);
    loadArtwork();

    const int left = (GetSystemMetrics(SM_CXSCREEN) - mainWindowWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - mainWindowHeight) / 2;
    // No caption and no frame: the window cannot be dragged, and its outer size is
    // its client size. The system menu and minimise box let the taskbar minimise it.
    HWND window = CreateWindowExA(WS_EX_APPWINDOW, mainWindowClass, "Quennix",
                                  WS_POPUP | WS_MINIMIZEBOX | WS_SYSMENU | WS_CLIPCHILDREN, left, top, mainWindowWidth,
                                  mainWindowHeight, nullptr, nullptr, instance_, this);
    if (!window) return false;

    bigIcon_.reset(static_cast<HICON>(LoadImageA(instance_, "DEFAULT_ICON", IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                 GetSystemMetrics(SM_CYICON), 0)));
    smallIcon_.reset(static_cast<HICON>(LoadImageA(instance_, "DEFAULT_ICON", IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));

    createControls();
    balloon_.create(window);
    setTimerPeriod(program_, Timer::时钟_内存优化, 2000);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return true;
}

void MainWindow::loadArtwork() {
    skin_ = loadJpegResource(instance_, IDR_SKIN);
    minimiseNormal_ = loadJpegResource(instance_, IDR_MIN_NORMAL);
    minimiseHot_ = loadJpegResource(instance_, IDR_MIN_HOT);
    closeNormal_ = loadJpegResource(instance_, IDR_CLOSE_NORMAL);
    closeHot_ = loadJpegResource(instance_, IDR_CLOSE_HOT);
    digitsFont_.reset(CreateFontA(-91, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Verdana"));
    intervalFont_.reset(CreateFontA(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, ""));
}

void MainWindow::createControls() {
    // A box's children need the box first, and the boxes come after their children
    // in the table: the boxes are made in a first round.
    for (int row = 0; row < controlCount; ++row)
        if (layout[row].kind == Kind::shapeBox) controls_[row] = createControl(row);
    for (int row = 0; row < controlCount; ++row)
        if (layout[row].kind != Kind::shapeBox) controls_[row] = createControl(row);
    stackInLayoutOrder();
}

HWND MainWindow::createControl(int row) {
    const ControlRow& r = layout[row];
    HWND parent = r.parent == onWindow ? created_ : controls_[static_cast<int>(r.parent)];
    const int id = firstControlId + row;
    const ControlPlace place = placeOf(r);
    const std::string text = rowText(r);
    HWND control = nullptr;
    switch (r.kind) {
    case Kind::balloon:
        // The notices are popped by the balloon object; this placeholder only keeps
        // the control's place and size, which the announcement reads.
        control = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_CLIPSIBLINGS, place.left, place.top, place.width,
                                  place.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_,
                                  nullptr);
        break;
    case Kind::checkBox: control = createTickBox(parent, id, place, text, TickKind::checkBox, r.groupStart); break;
    case Kind::radioButton: control = createTickBox(parent, id, place, text, TickKind::radioButton, r.groupStart); break;
    case Kind::label:
        control = createLabel(parent, id, place, text, {resolved(r.colour), resolved(r.back), r.border});
        break;
    case Kind::pictureButton:
        control = r.art == Art::minimise ? createPictureButton(parent, id, place, minimiseNormal_.get(), minimiseHot_.get())
                                         : createPictureButton(parent, id, place, closeNormal_.get(), closeHot_.get());
        break;
    case Kind::colourPicker:
        control = createColourPicker(parent, id, place.left, place.top, place.width, place.height, r.colour);
        if (control && r.groupStart)
            SetWindowLongPtrA(control, GWL_STYLE, GetWindowLongPtrA(control, GWL_STYLE) | WS_GROUP);
        break;
    case Kind::shapeBox: control = createShapeBox(parent, id, place, resolved(r.colour)); break;
    case Kind::spinButton: control = createSpinButton(parent, id, place); break;
    case Kind::editBox: control = createIntervalBox(parent, id, place, text, resolved(r.colour), resolved(r.back)); break;
    }
    if (!control) return nullptr;
    const HFONT font = r.font == FontKind::digits     ? digitsFont_.get()
                       : r.font == FontKind::interval ? intervalFont_.get()
                                                      : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (r.kind == Kind::checkBox || r.kind == Kind::radioButton || r.kind == Kind::editBox)
        backBrushes_[row].reset(CreateSolidBrush(resolved(r.back)));
    return control;
}

void MainWindow::stackInLayoutOrder() {
    // A new window goes on top of its siblings; bringing the rows to the top from
    // the last to the first leaves the first row uppermost.
    for (int row = controlCount - 1; row >= 0; --row)
        if (controls_[row])
            SetWindowPos(controls_[row], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

int MainWindow::rowOf(HWND control) const {
    const int row = GetDlgCtrlID(control) - firstControlId;
    if (row < 0 || row >= controlCount || controls_[row] != control) return -1;
    return row;
}

LRESULT CALLBACK MainWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->created_ = window;
        self->window_ = window;
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        self->onFinalDestroy();
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return self->onMessage(message, wParam, lParam);
}

LRESULT MainWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: onPaint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_COMMAND: onCommand(wParam, lParam); return 0;
    case WM_NOTIFY: return onNotify(lParam);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: return onControlColour(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_TIMER: onTimer(wParam); return 0;
    case WM_MOVE: onWindowMoved(created_, tray_, WM_APP_TRAY); return 0;
    case WM_SYSCOMMAND: return onSystemCommand(wParam, lParam);
    case WM_APP_TRAY: onTrayIconEvent(created_, trayEventKind(lParam)); return 0;
    case WM_APP_RUN: onRun(lParam); return 0;
    case WM_DESTROY: onDestroy(); return 0;
    }
    return DefWindowProcA(created_, message, wParam, lParam);
}

void MainWindow::onPaint() {
    PaintDc paint(created_);
    RECT client{};
    GetClientRect(created_, &client);
    FillRect(paint.get(), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const SIZE size = bitmapSize(skin_.get());
    if (size.cx <= 0 || size.cy <= 0) return;
    MemoryDc source(paint.get());
    Selection selected(source.get(), skin_.get());
    // The skin repeats from the top-left corner; at the window's own size it lies there once.
    for (int top = 0; top < client.bottom; top += size.cy)
        for (int left = 0; left < client.right; left += size.cx)
            BitBlt(paint.get(), left, top, size.cx, size.cy, source.get(), 0, 0, SRCCOPY);
}

void MainWindow::onCommand(WPARAM wParam, LPARAM lParam) {
    const int row = rowOf(reinterpret_cast<HWND>(lParam));
    if (row < 0 || !layout[row].handler) return;
    const WORD expected = layout[row].kind == Kind::colourPicker ? colourChosenCode : WORD{BN_CLICKED};
    if (HIWORD(wParam) == expected) layout[row].handler(*this, layout[row].name, 0);
}

LRESULT MainWindow::onNotify(LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    const int row = rowOf(header->hwndFrom);
    if (row < 0 || layout[row].kind != Kind::spinButton || header->code != UDN_DELTAPOS) return 0;
    const auto* change = reinterpret_cast<const NMUPDOWN*>(lParam);
    if (change->iDelta != 0) layout[row].handler(*this, layout[row].name, change->iDelta > 0 ? 1 : -1);
    // Refusing the change keeps the spinner in the middle of its range, so neither
    // arrow ever meets an end and stops reporting.
    return TRUE;
}

LRESULT MainWindow::onControlColour(UINT message, HDC dc, HWND control) {
    const int row = rowOf(control);
    if (row < 0 || !backBrushes_[row])
        return DefWindowProcA(created_, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    SetTextColor(dc, resolved(layout[row].colour));
    SetBkColor(dc, resolved(layout[row].back));
    return reinterpret_cast<LRESULT>(backBrushes_[row].get());
}

void MainWindow::onTimer(WPARAM id) {
    if (id == timerId(Timer::时钟_内存优化)) onMemoryTick(program_);
    if (id == timerId(Timer::时钟_自动更新)) onAutoUpdateTick(program_);
}

LRESULT MainWindow::onSystemCommand(WPARAM wParam, LPARAM lParam) {
    // Only the placement buttons move the window, so the system menu's Move is refused.
    if ((wParam & 0xFFF0) == SC_MOVE) return 0;
    return DefWindowProcA(created_, WM_SYSCOMMAND, wParam, lParam);
}

void MainWindow::onRun(LPARAM task) {
    if (window_.load()) (*reinterpret_cast<const std::function<void()>*>(task))();
}

void MainWindow::onDestroy() {
    // From here on calls from workers find no window and return their defaults.
    window_ = nullptr;
    tray_.remove();
    PostQuitMessage(0);
}

void MainWindow::onFinalDestroy() {
    SetWindowLongPtrA(created_, GWLP_USERDATA, 0);
    created_ = nullptr;
    controls_ = {};
    for (Brush& brush : backBrushes_) brush.reset();
    bigIcon_.reset();
    smallIcon_.reset();
}

namespace {
// Esc closes the window from every message loop of the window thread, the colour
// dialog's included, so a hook sees the key rather than our own loop alone.
thread_local HWND escapeClosesThis = nullptr;

LRESULT CALLBACK watchEscape(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE && escapeClosesThis) {
        MSG* message = reinterpret_cast<MSG*>(lParam);
        if (message->message == WM_KEYDOWN && message->wParam == VK_ESCAPE && message->hwnd &&
            GetAncestor(message->hwnd, GA_ROOT) == escapeClosesThis) {
            message->message = WM_NULL;
            DestroyWindow(escapeClosesThis);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
}  // namespace

int runMessageLoop(MainWindow& window) {
    escapeClosesThis = window.handle();
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, watchEscape, nullptr, GetCurrentThreadId());
    MSG message{};
    int exitCode = 0;
    while (true) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            exitCode = got == 0 ? static_cast<int>(message.wParam) : 0;
            break;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
        // A window closed inside a modal loop (the colour dialog's) may leave its quit
        // message with that loop; the window's end is the loop's end all the same.
        if (!window.handle()) break;
    }
    if (hook) UnhookWindowsHookEx(hook);
    escapeClosesThis = nullptr;
    return exitCode;
}
