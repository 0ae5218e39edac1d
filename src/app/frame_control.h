#pragma once
#include <windows.h>

namespace kestro {

// A captioned frame that contains other controls, clips them to itself and
// passes their notifications on to the window that holds the frame.
inline constexpr wchar_t kFrameClass[] = L"KestroFrame";

void registerFrameClass(HINSTANCE instance);

}  // namespace kestro
