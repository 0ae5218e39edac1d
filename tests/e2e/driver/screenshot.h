#pragma once
#include <windows.h>

#include <string>

namespace e2e {

struct WindowImage {
    int width = 0;
    int height = 0;
    int greenPixels = 0;  // pure green: a held input's indicator
    int redPixels = 0;    // pure red: released indicators
    bool fromScreen = false;
};

// Saves the window as it looks now to a 24-bit BMP. Asks the window to paint
// itself first (PrintWindow); when that gives no indicators, copies it from the
// screen instead.
WindowImage saveWindowImage(HWND window, const std::wstring& path);

}  // namespace e2e
