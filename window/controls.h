// The kinds of control the main window is built from: label, check box and radio
// button, shape box, picture button, spin button and the interval edit box.
// Each is a real child window whose window text is its text. Window thread only.
#pragma once

#include <windows.h>

#include <string_view>

// Where a control lies in its parent's client area.
struct ControlPlace {
    int left = 0, top = 0, width = 0, height = 0;
};

// Registers the window classes of the label, the shape box and the picture button.
// Call once per process before creating any of them.
void registerControlClasses(HINSTANCE instance);

// A label: one line, left-aligned, vertically centred, cut at its edges, on its own
// background colour, optionally inside a 1-pixel black border.
struct LabelLook {
    COLORREF text = RGB(0, 0, 0);
    COLORREF back = RGB(255, 255, 255);
    bool border = false;
};
HWND createLabel(HWND parent, int id, ControlPlace place, std::string_view text, LabelLook look);
// Recolours a label's text and redraws it at once.
void setLabelTextColour(HWND label, COLORREF colour);
LabelLook labelLook(HWND label);

// A shape box: the button-face colour with a 1-pixel outline in its line colour.
// It holds child controls and hands their notifications (WM_COMMAND, WM_NOTIFY,
// WM_CTLCOLOR*) to the main window, so one procedure answers every control.
HWND createShapeBox(HWND parent, int id, ControlPlace place, COLORREF line);
// Recolours the outline and redraws it at once; the face keeps the button-face colour.
void setShapeBoxLineColour(HWND box, COLORREF colour);
COLORREF shapeBoxLineColour(HWND box);

// A picture button: its normal image, the hot image while the mouse is over it or
// the left button is held down on it; WM_COMMAND BN_CLICKED to the parent when the
// left button is released over it. The images stay owned by the caller.
HWND createPictureButton(HWND parent, int id, ControlPlace place, HBITMAP normal, HBITMAP hot);
// Whether it shows its hot image now.
bool pictureButtonHot(HWND button);

// A check box or radio button (BUTTON, BS_AUTOCHECKBOX / BS_AUTORADIOBUTTON); its
// colours come from the parent's answer to WM_CTLCOLORSTATIC. groupStart sets WS_GROUP.
enum class TickKind { checkBox, radioButton };
HWND createTickBox(HWND parent, int id, ControlPlace place, std::string_view text, TickKind kind,
                   bool groupStart);

// A vertical up-down control without a buddy: WM_NOTIFY UDN_DELTAPOS to the parent
// with iDelta +1 for the upper arrow and -1 for the lower one.
HWND createSpinButton(HWND parent, int id, ControlPlace place);

// The disabled single-line box with centred text and a sunken edge. A disabled EDIT
// draws its text grey whatever colours its parent gives, so this one paints its own
// face while disabled, in the text and background colours given here.
HWND createIntervalBox(HWND parent, int id, ControlPlace place, std::string_view text, COLORREF textColour,
                       COLORREF back);
