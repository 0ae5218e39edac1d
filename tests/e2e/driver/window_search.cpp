#include "window_search.h"

namespace e2e {
namespace {

struct TopLevelSearch {
    DWORD pid;
    std::wstring_view className;
    std::vector<HWND> found;
};

BOOL CALLBACK visitTopLevel(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<TopLevelSearch*>(context);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == search.pid && (search.className.empty() || classOf(window) == search.className))
        search.found.push_back(window);
    return TRUE;
}

BOOL CALLBACK collectChild(HWND window, LPARAM context) {
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> topLevelWindows(DWORD pid, std::wstring_view className) {
    TopLevelSearch search{pid, className, {}};
    EnumWindows(visitTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND findTopLevel(DWORD pid, std::wstring_view className, const std::wstring* caption) {
    for (const HWND window : topLevelWindows(pid, className))
        if (!caption || storedCaption(window) == *caption) return window;
    return nullptr;
}

std::vector<HWND> descendants(HWND root) {
    std::vector<HWND> found;
    EnumChildWindows(root, collectChild, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND findDescendantById(HWND root, int id) {
    for (const HWND window : descendants(root))
        if (GetDlgCtrlID(window) == id) return window;
    return nullptr;
}

HWND findDescendantByClass(HWND root, std::wstring_view className) {
    for (const HWND window : descendants(root))
        if (classOf(window) == className) return window;
    return nullptr;
}

std::wstring classOf(HWND window) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, 256);
    return std::wstring(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::wstring storedCaption(HWND window) {
    wchar_t text[512] = {};
    const int length = InternalGetWindowText(window, text, 512);
    return std::wstring(text, static_cast<std::size_t>(length > 0 ? length : 0));
}

}  // namespace e2e
