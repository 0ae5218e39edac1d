#pragma once
#include <windows.h>

#include <string>

#include "platform/tray.h"

namespace kestro {

// The notification-area icon. Its callbacks arrive at `callbackWindow` as
// `callbackMessage` with the mouse message in lParam.
class Win32Tray final : public Tray {
public:
    Win32Tray(HWND callbackWindow, UINT callbackMessage, HICON icon);

    bool add(std::string_view tip) override;
    void remove() override;
    MenuChoice popupMenu() override;

    // Explorer was restarted and lost every icon: put ours back.
    void addAgain();

private:
    bool addIcon();

    HWND window_;
    UINT message_;
    HICON icon_;
    std::wstring tip_;
    bool wanted_ = false;
};

}  // namespace kestro
