#include "platform/win32/ansi_text.h"

#include <windows.h>

#include <climits>

namespace kestro::win32 {

std::wstring ansiToWide(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > static_cast<std::size_t>(INT_MAX)) return {};
    const int inLength = static_cast<int>(bytes.size());
    const int outLength = MultiByteToWideChar(CP_ACP, 0, bytes.data(), inLength, nullptr, 0);
    if (outLength <= 0) return {};
    std::wstring out(static_cast<std::size_t>(outLength), L'\0');
    const int written = MultiByteToWideChar(CP_ACP, 0, bytes.data(), inLength, out.data(), outLength);
    if (written <= 0) return {};
    out.resize(static_cast<std::size_t>(written));
    return out;
}

std::string wideToAnsi(std::wstring_view text) {
    if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return {};
    const int inLength = static_cast<int>(text.size());
    const int outLength =
        WideCharToMultiByte(CP_ACP, 0, text.data(), inLength, nullptr, 0, nullptr, nullptr);
    if (outLength <= 0) return {};
    std::string out(static_cast<std::size_t>(outLength), '\0');
    const int written = WideCharToMultiByte(CP_ACP, 0, text.data(), inLength, out.data(), outLength,
                                            nullptr, nullptr);
    if (written <= 0) return {};
    out.resize(static_cast<std::size_t>(written));
    return out;
}

namespace {

// The bytes of the character whose first byte is `byte` in code page
// `codePage`: up to four in UTF-8 (the system's "Use Unicode UTF-8" option),
// two after a lead byte of a double-byte code page, else one.
std::size_t characterWidth(UINT codePage, BYTE byte) {
    if (codePage == CP_UTF8) {
        if (byte >= 0xF0 && byte <= 0xF4) return 4;
        if (byte >= 0xE0) return byte <= 0xEF ? 3 : 1;
        if (byte >= 0xC2) return 2;
        return 1;
    }
    return IsDBCSLeadByteEx(codePage, byte) ? 2 : 1;
}

}  // namespace

std::string_view ansiPrefix(std::string_view bytes, std::size_t limit) {
    if (bytes.size() <= limit) return bytes;
    // Walk whole characters from the start: a trail byte may look like a
    // lead byte, so the boundary cannot be found by looking backwards.
    const UINT codePage = GetACP();
    std::size_t end = 0;
    while (end < limit) {
        const std::size_t width = characterWidth(codePage, static_cast<BYTE>(bytes[end]));
        if (end + width > limit) break;
        end += width;
    }
    return bytes.substr(0, end);
}

}  // namespace kestro::win32
