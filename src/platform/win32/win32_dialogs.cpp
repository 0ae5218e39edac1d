#include "platform/win32/win32_dialogs.h"

#include <string>

#include "platform/win32/ansi_text.h"
#include "platform/win32/win32_errors.h"

namespace kestro {

void Win32Dialogs::messageBox(std::string_view text, std::string_view title) {
    const std::wstring wideText = win32::ansiToWide(text);
    const std::wstring wideTitle = win32::ansiToWide(title);
    if (beforeShowing) beforeShowing();
    if (!MessageBoxW(owner_, wideText.c_str(), wideTitle.c_str(), MB_OK | MB_SETFOREGROUND))
        win32::reportLastError(L"MessageBoxW");
}

}  // namespace kestro
