// The window's pictures: JPEG images held in the program's resources, decoded with
// the system's imaging component (WIC) into bitmaps GDI can draw.
#pragma once

#include <windows.h>

#include "window/gdi.h"

// Decodes the JPEG stored as RCDATA resource id into a 32 bpp top-down DIB section.
// Empty when the resource is missing or cannot be decoded; COM must be initialised
// on the calling thread.
Bitmap loadJpegResource(HINSTANCE instance, int id);

// Width and height of a bitmap, 0 x 0 for none.
SIZE bitmapSize(HBITMAP bitmap);
