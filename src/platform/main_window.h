#pragma once

namespace kestro {

// The program's own window as a whole, and the end of the program.
class MainWindow {
public:
    virtual ~MainWindow() = default;

    virtual void show() = 0;
    virtual void hide() = 0;
    // Raises the window above all others.
    virtual void bringToFront() = 0;
    // Destroys the window and ends the process at once; returns only in tests.
    virtual void quit() = 0;
};

}  // namespace kestro
