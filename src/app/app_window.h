#pragma once
#include <windows.h>

#include "platform/win32/win32_instance.h"

namespace kestro {

// What arrives at the hidden application window.
class AppWindowEvents {
public:
    virtual ~AppWindowEvents() = default;
    virtual void onTrayCallback(UINT mouseMessage) = 0;
    virtual void onTaskbarCreated() = 0;
    // The tray icon's retry timer fired.
    virtual void onTrayRetry() = 0;
    virtual void onComeForward() = 0;
};

// The message the tray icon's callbacks arrive as.
inline constexpr UINT kTrayCallbackMessage = WM_APP + 1;
// The window timer that retries adding a tray icon the shell refused.
inline constexpr UINT_PTR kTrayRetryTimer = 1;

// A hidden top-level window that carries the application title, by which a
// second instance finds this one, and receives the tray icon's callbacks
// and its retry timer.
// It is created untitled; the title is set once start-up has passed the
// single-instance check.
HWND createAppWindow(HINSTANCE instance, AppWindowEvents& events);

}  // namespace kestro
