#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// Top-level windows of process `pid`, shown or not; all classes when `className` is empty.
std::vector<HWND> topLevelWindows(DWORD pid, std::wstring_view className = {});

// The first top-level window of `pid` with that class (and caption, when given), or nullptr.
HWND findTopLevel(DWORD pid, std::wstring_view className, const std::wstring* caption = nullptr);

// A window anywhere below `root` whose control identifier is `id`, or nullptr.
HWND findDescendantById(HWND root, int id);

// The first window anywhere below `root` with that class, or nullptr.
HWND findDescendantByClass(HWND root, std::wstring_view className);

std::vector<HWND> descendants(HWND root);

std::wstring classOf(HWND window);

// The caption the system keeps for the window; no message reaches its owner.
std::wstring storedCaption(HWND window);

}  // namespace e2e
