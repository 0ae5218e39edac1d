#include "tray_icons.h"

#include <shellapi.h>

namespace e2e {

namespace {

NOTIFYICONDATAW iconOf(HWND owner, UINT id) {
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = owner;
    icon.uID = id;
    return icon;
}

}  // namespace

bool trayIconPresent(HWND owner, UINT id) {
    NOTIFYICONDATAW icon = iconOf(owner, id);
    return Shell_NotifyIconW(NIM_MODIFY, &icon) != FALSE;
}

void removeTrayIcon(HWND owner, UINT id) {
    NOTIFYICONDATAW icon = iconOf(owner, id);
    Shell_NotifyIconW(NIM_DELETE, &icon);
}

}  // namespace e2e
