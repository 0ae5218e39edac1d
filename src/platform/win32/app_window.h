#pragma once
#include <windows.h>

namespace kestro {

// What arrives at the hidden application window.
class AppWindowEvents {
public:
    virtual ~AppWindowEvents() = default;
    virtual void onTrayCallback(UINT mouseMessage) = 0;
    virtual void onTaskbarCreated() = 0;
    virtual void onComeForward() = 0;
};

// The message the tray icon's callbacks arrive as.
inline constexpr UINT kTrayCallbackMessage = WM_APP + 1;

// A hidden top-level window that carries the application title, by which a
// second instance finds this one, and receives the tray icon's callbacks.
// It is created untitled; the title is set once start-up has passed the
// single-instance check.
HWND createAppWindow(HINSTANCE instance, AppWindowEvents& events);

}  // namespace kestro
