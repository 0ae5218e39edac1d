#pragma once
#include <windows.h>

// Twips to pixels for the monitor a window is on (15 twips a pixel at 96 DPI).
namespace kestro::win32 {

// The window's DPI; the system DPI on Windows without per-monitor support.
UINT dpiOf(HWND window);

inline int twipsToPixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

// The outer size of a window with this style whose client area is `client`.
RECT outerRect(RECT client, DWORD style, DWORD exStyle, UINT dpi);

// The message font at this DPI; the caller deletes it.
HFONT messageFont(UINT dpi);

}  // namespace kestro::win32
