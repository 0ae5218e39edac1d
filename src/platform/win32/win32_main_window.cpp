#include "platform/win32/win32_main_window.h"

namespace kestro {

void Win32MainWindow::show() { ShowWindow(window_, SW_SHOW); }

void Win32MainWindow::hide() { ShowWindow(window_, SW_HIDE); }

void Win32MainWindow::bringToFront() {
    if (IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
    SetForegroundWindow(window_);
    BringWindowToTop(window_);
}

void Win32MainWindow::quit() {
    DestroyWindow(window_);
    ExitProcess(0);
}

}  // namespace kestro
