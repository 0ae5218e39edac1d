#include "window_text.h"

#include "common/text.h"
#include "failure.h"
#include "window_search.h"

namespace e2e {

std::optional<std::wstring> askText(HWND window, Millis timeout) {
    // Far beyond any text the program shows; the bad-settings values stop at 199.
    std::wstring text(65536, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                             static_cast<UINT>(timeout.count()), &copied))
        return std::nullopt;
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::wstring textOf(HWND window) {
    const auto text = askText(window);
    if (!text) fail("no answer to WM_GETTEXT from a " + narrow(classOf(window)) + " window");
    return *text;
}

LRESULT sendOrFail(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Millis timeout) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, static_cast<UINT>(timeout.count()),
                             &result))
        fail("no answer to message 0x" + std::to_string(message) + " from a " + narrow(classOf(window)) + " window");
    return static_cast<LRESULT>(result);
}

void replaceText(HWND window, const std::wstring& text) {
    sendOrFail(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void typeChars(HWND edit, const std::wstring& text) {
    for (const wchar_t c : text) sendOrFail(edit, WM_CHAR, c, 1);
}

bool isChecked(HWND button) { return sendOrFail(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

}  // namespace e2e
