#pragma once
#include <windows.h>

#include <functional>

#include "platform/dialogs.h"

namespace kestro {

// Message boxes owned by the main window, so they stay above it and block it.
class Win32Dialogs final : public Dialogs {
public:
    explicit Win32Dialogs(HWND owner = nullptr) : owner_(owner) {}

    void messageBox(std::string_view text, std::string_view title) override;

    // Runs before a box opens, so the window behind it shows the current state.
    std::function<void()> beforeShowing;

private:
    HWND owner_;
};

}  // namespace kestro
