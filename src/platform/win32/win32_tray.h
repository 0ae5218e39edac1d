#pragma once
#include <windows.h>

#include <string>

#include "platform/tray.h"

namespace kestro {

// The notification-area icon. Its callbacks arrive at `callbackWindow` as
// `callbackMessage` with the mouse message in lParam. At logon the shell
// often refuses an icon (a time-out while the taskbar starts) and announces
// nothing when it is ready, so a refused icon is offered again on the
// window timer `retryTimer` of `callbackWindow` for a while.
class Win32Tray final : public Tray {
public:
    Win32Tray(HWND callbackWindow, UINT callbackMessage, UINT_PTR retryTimer, HICON icon);

    bool add(std::string_view tip) override;
    void remove() override;
    MenuChoice popupMenu() override;

    // Explorer was restarted and lost every icon: put ours back.
    void addAgain();
    // The retry timer fired.
    void retry();

private:
    void offer();
    bool addIcon();

    HWND window_;
    UINT message_;
    UINT_PTR retryTimer_;
    HICON icon_;
    std::wstring tip_;
    bool wanted_ = false;
    bool shown_ = false;
    int retriesLeft_ = 0;
};

}  // namespace kestro
