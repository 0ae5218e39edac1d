#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "waiting.h"

namespace e2e {

// How long a window may take to answer before the scenario calls it frozen.
inline constexpr Millis kAnswerTimeout = 3000ms;

// The window's text through WM_GETTEXT, answered by its own thread; nullopt when it
// does not answer within `timeout`.
std::optional<std::wstring> askText(HWND window, Millis timeout = kAnswerTimeout);

// As askText, but a window that does not answer fails the scenario.
std::wstring textOf(HWND window);

// WM_SETTEXT, as typing a whole new text would; an edit control reports EN_CHANGE.
void replaceText(HWND window, const std::wstring& text);

// WM_CHAR for every character, each answered before the next is sent.
void typeChars(HWND edit, const std::wstring& text);

// BM_GETCHECK of a check box or option button.
bool isChecked(HWND button);

// Sends `message` and fails the scenario when the window does not answer in time.
LRESULT sendOrFail(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Millis timeout = kAnswerTimeout);

}  // namespace e2e
