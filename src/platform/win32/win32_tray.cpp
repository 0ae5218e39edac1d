#include "platform/win32/win32_tray.h"

#include <shellapi.h>

#include "platform/win32/ansi_text.h"

namespace kestro {
namespace {

constexpr UINT kIconId = 1;
constexpr UINT kCloseCommand = 1;

NOTIFYICONDATAW iconRecord(HWND window) {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = window;
    nid.uID = kIconId;
    return nid;
}

}  // namespace

Win32Tray::Win32Tray(HWND callbackWindow, UINT callbackMessage, HICON icon)
    : window_(callbackWindow), message_(callbackMessage), icon_(icon) {}

bool Win32Tray::add(std::string_view tip) {
    tip_ = win32::ansiToWide(tip);
    wanted_ = true;
    return addIcon();
}

bool Win32Tray::addIcon() {
    NOTIFYICONDATAW nid = iconRecord(window_);
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = message_;
    nid.hIcon = icon_;
    lstrcpynW(nid.szTip, tip_.c_str(), static_cast<int>(std::size(nid.szTip)));
    return Shell_NotifyIconW(NIM_ADD, &nid) != FALSE;
}

void Win32Tray::remove() {
    wanted_ = false;
    NOTIFYICONDATAW nid = iconRecord(window_);
    Shell_NotifyIconW(NIM_DELETE, &nid);
}

void Win32Tray::addAgain() {
    if (wanted_) addIcon();
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
