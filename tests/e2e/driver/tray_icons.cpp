#include "tray_icons.h"

#include <shellapi.h>

namespace e2e {

bool trayIconPresent(HWND owner, UINT id) {
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = owner;
    icon.uID = id;
    icon.uFlags = 0;
    return Shell_NotifyIconW(NIM_MODIFY, &icon) != FALSE;
}

}  // namespace e2e
