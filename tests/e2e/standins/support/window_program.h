#pragma once
// What the window stand-ins (fake_host, fake_target) have in common: one top-level window
// of their own class, a log that says "ready" once the window is up and "exit" when the
// message loop ends, and a lifetime after which they end by themselves.

#include <windows.h>

#include <string>
#include <string_view>

#include "line_log.h"

namespace standin {

// Writes "<program>: <error>" to stderr; returns 2, the exit code of a bad start.
int fail_usage(const char* program, const std::wstring& error);

// Registers the window class and creates the window (not shown yet); nullptr on failure.
HWND create_main_window(HINSTANCE instance, const wchar_t* class_name, WNDPROC window_proc,
                        HBRUSH background, const wchar_t* title, int width, int height);

// The tail of every stand-in window procedure: WM_CLOSE and WM_DESTROY end the message
// loop, everything else gets the default handling.
LRESULT end_or_default(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Starts the lifetime watchdog, logs "ready pid=<pid> hwnd=0x<window><details>", runs the
// message loop until the window closes, then logs "exit". Returns the exit code, 0.
int run_window(HWND window, LineLog& log, unsigned long lifetime_s, std::string_view ready_details);

}  // namespace standin
