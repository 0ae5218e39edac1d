#pragma once
#include "platform/main_window.h"

namespace kestro::fakes {

// The window's visibility and place in the window order; quitting is recorded, not done.
class FakeMainWindow final : public MainWindow {
public:
    bool shown = false;
    bool inFront = false;
    bool quitted = false;

    void show() override { shown = true; }
    void hide() override {
        shown = false;
        inFront = false;
    }
    void bringToFront() override { inFront = shown; }
    void quit() override { quitted = true; }
};

}  // namespace kestro::fakes
