#include "platform/win32/win32_tray.h"

#include <shellapi.h>

#include "platform/win32/ansi_text.h"
#include "platform/win32/win32_errors.h"

namespace kestro {
namespace {

constexpr UINT kIconId = 1;
constexpr UINT kCloseCommand = 1;
// Every 2 s for a minute: longer than a slow logon takes to start the taskbar.
constexpr UINT kRetryMs = 2000;
constexpr int kRetries = 30;

NOTIFYICONDATAW iconRecord(HWND window) {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = window;
    nid.uID = kIconId;
    return nid;
}

}  // namespace

Win32Tray::Win32Tray(HWND callbackWindow, UINT callbackMessage, UINT_PTR retryTimer, HICON icon)
    : window_(callbackWindow), message_(callbackMessage), retryTimer_(retryTimer), icon_(icon) {}

bool Win32Tray::add(std::string_view tip) {
    tip_ = win32::ansiToWide(tip);
    wanted_ = true;
    offer();
    return shown_;
}

void Win32Tray::addAgain() {
    if (!wanted_) return;
    shown_ = false;
    offer();
}

void Win32Tray::retry() {
    if (wanted_ && !shown_ && retriesLeft_ > 0) {
        --retriesLeft_;
        shown_ = addIcon();
        if (!shown_ && retriesLeft_ == 0) win32::reportLastError(L"Shell_NotifyIconW (the shell never took the icon)");
    }
    if (!wanted_ || shown_ || retriesLeft_ == 0) KillTimer(window_, retryTimer_);
}

void Win32Tray::offer() {
    shown_ = addIcon();
    retriesLeft_ = shown_ ? 0 : kRetries;
    if (!shown_) SetTimer(window_, retryTimer_, kRetryMs, nullptr);
}

bool Win32Tray::addIcon() {
    NOTIFYICONDATAW nid = iconRecord(window_);
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = message_;
    nid.hIcon = icon_;
    lstrcpynW(nid.szTip, tip_.c_str(), static_cast<int>(std::size(nid.szTip)));
    if (Shell_NotifyIconW(NIM_ADD, &nid)) return true;
    // A time-out may still have added it, and then a second add is refused.
    return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

void Win32Tray::remove() {
    wanted_ = false;
    KillTimer(window_, retryTimer_);
    NOTIFYICONDATAW nid = iconRecord(window_);
    Shell_NotifyIconW(NIM_DELETE, &nid);
}

Tray::MenuChoice Win32Tray::popupMenu() {
    const HMENU menu = CreatePopupMenu();
    if (!menu) return MenuChoice::None;
    AppendMenuW(menu, MF_STRING, kCloseCommand, L"Close");
    POINT at{};
    GetCursorPos(&at);
    // The menu only closes on a click elsewhere when its owner is in front.
    SetForegroundWindow(window_);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr));
    PostMessageW(window_, WM_NULL, 0, 0);
    DestroyMenu(menu);
    return chosen == kCloseCommand ? MenuChoice::Close : MenuChoice::None;
}

}  // namespace kestro
