#pragma once
#include <windows.h>

#include "platform/main_window.h"

namespace kestro {

// The program's main window as a whole.
class Win32MainWindow final : public MainWindow {
public:
    explicit Win32MainWindow(HWND window) : window_(window) {}

    void show() override;
    void hide() override;
    void bringToFront() override;
    void quit() override;

private:
    HWND window_;
};

}  // namespace kestro
