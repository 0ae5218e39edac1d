#include "platform/win32/win32_errors.h"

#include <cwchar>
#include <string>

namespace kestro::win32 {

void reportFailure(const wchar_t* api, DWORD code) {
    wchar_t number[16];
    std::swprintf(number, std::size(number), L"0x%08lX", static_cast<unsigned long>(code));
    std::wstring line = L"Kestro: ";
    line += api;
    line += L" failed (";
    line += number;
    line += L")";

    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    if (length > 0 && text) {
        line += L": ";
        line.append(text, length);  // the system's text ends with a line break
        LocalFree(text);
    } else {
        line += L"\r\n";
    }
    OutputDebugStringW(line.c_str());
}

}  // namespace kestro::win32
