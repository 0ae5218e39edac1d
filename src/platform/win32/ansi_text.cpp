#include "platform/win32/ansi_text.h"

#include <windows.h>

#include <climits>

#include "platform/portable/code_page_text.h"

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

// Two bytes after a lead byte of a double-byte code page, else one.
std::size_t ansiWidth(unsigned char first) { return IsDBCSLeadByte(first) ? 2 : 1; }

}  // namespace

std::string_view ansiPrefix(std::string_view bytes, std::size_t limit) {
    return codepage::wholeCharacterPrefix(bytes, limit, GetACP() == CP_UTF8 ? codepage::utf8Width : ansiWidth);
}

}  // namespace kestro::win32
