#pragma once
#include <windows.h>

namespace e2e {

// Whether the shell still has the notification-area icon `id` of window `owner`.
// Asked by modifying nothing in it: the shell refuses that only for an icon it no longer has.
bool trayIconPresent(HWND owner, UINT id);

// Takes the icon away, as a crashing Explorer would.
void removeTrayIcon(HWND owner, UINT id);

}  // namespace e2e
