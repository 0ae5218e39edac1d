#pragma once
#include <windows.h>

#include <string>

#include "waiting.h"

namespace e2e {

// The shown message box ("#32770") of process `pid` with this title, or nullptr.
HWND findMessageBox(DWORD pid, const std::wstring& title);

// Any shown message box of `pid`, or nullptr.
HWND anyMessageBox(DWORD pid);

// The box's message: the texts of its static controls.
std::wstring messageOf(HWND box);

// Waits for the box, checks its message and answers OK; fails the scenario when the
// box does not come, says something else, or stays after the answer.
void answerMessageBox(DWORD pid, const std::wstring& title, const std::wstring& message, Millis timeout);

}  // namespace e2e
