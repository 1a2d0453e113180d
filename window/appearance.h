// What the user does with the window itself: on top, minimise into the
// notification area and back, and the six placements. Window thread only.
#pragma once

#include <windows.h>

#include "window/placement_portable.h"
#include "window/tray.h"

// Keeps the window above others while the check box is ticked, without moving,
// sizing or activating it.
void onStayOnTopClicked(HWND window, bool ticked);
void onMinimiseButtonClicked(HWND window);
// Every change of the window's position: once it is minimised, the icon takes the
// caption of this moment as its tip and the window hides with its taskbar button
// (unless the notification area refused the icon).
void onWindowMoved(HWND window, TrayIcon& tray, UINT trayCallbackMessage);
// A left or right button release on the icon brings the window back where it was.
void onTrayIconEvent(HWND window, int kind);
// Moves the window to a placement, keeping its size.
void onPlacementClicked(HWND window, Placement which);
