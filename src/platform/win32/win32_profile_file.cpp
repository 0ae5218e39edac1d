#include "platform/win32/win32_profile_file.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/portable/ini_text.h"
#include "platform/win32/ansi_text.h"
#include "platform/win32/win32_errors.h"

namespace kestro {
namespace {

constexpr wchar_t kFileName[] = L"settings.ini";

// Far beyond any value the program keeps; bounds the read buffer.
constexpr std::size_t kMaxValueChars = 65535;

// Long paths may exceed MAX_PATH, but never this.
constexpr DWORD kMaxPathChars = 32768;

std::wstring fileBesideProgram() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const auto size = static_cast<DWORD>(path.size());
        const DWORD got = GetModuleFileNameW(nullptr, path.data(), size);
        if (got == 0) return {};
        if (got < size) {
            path.resize(got);
            break;
        }
        if (size >= kMaxPathChars) return {};
        path.resize(static_cast<std::size_t>(size) * 2);
    }
    // Without a folder the profile functions would look in the Windows folder.
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    path.resize(slash + 1);
    return path + kFileName;
}

// Far beyond any settings file the program writes; a larger one is left alone.
constexpr DWORD kMaxFileBytes = 1 << 20;


// The whole file; nullopt when it is missing, too large or unreadable.
std::optional<std::string> readWholeFile(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<std::string> bytes;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart <= kMaxFileBytes) {
        std::string buffer(static_cast<std::size_t>(size.QuadPart), '\0');
        DWORD got = 0;
        if (ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got == buffer.size())
            bytes = std::move(buffer);
    }
    CloseHandle(file);
    return bytes;
}

bool writeNewFile(const std::wstring& path, std::string_view bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    const bool written = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) &&
                         put == bytes.size() && FlushFileBuffers(file);
    CloseHandle(file);
    if (!written) DeleteFileW(path.c_str());
    return written;
}

// Such a name would be cut short or would break the file into extra lines.
bool isUnsafeName(std::string_view name) {
    return name.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

Win32ProfileFile::Win32ProfileFile() : path_(fileBesideProgram()) {}

Win32ProfileFile::Win32ProfileFile(std::wstring path) : path_(std::move(path)) {}

std::string Win32ProfileFile::read(std::string_view section, std::string_view key,
                                   std::string_view fallback, std::size_t limit) {
    if (path_.empty() || isUnsafeName(section) || isUnsafeName(key))
        return std::string(win32::ansiPrefix(fallback, limit));

    const std::wstring wideSection = win32::ansiToWide(section);
    const std::wstring wideKey = win32::ansiToWide(key);
    const std::wstring wideFallback = win32::ansiToWide(fallback);
    // An ANSI byte never becomes more than one UTF-16 unit, so `limit` units
    // hold at least `limit` bytes' worth; the byte cut comes afterwards.
    const std::size_t capacity = std::min(limit, kMaxValueChars) + 1;
    std::wstring value(capacity, L'\0');
    const DWORD got =
        GetPrivateProfileStringW(wideSection.c_str(), wideKey.c_str(), wideFallback.c_str(),
                                 value.data(), static_cast<DWORD>(capacity), path_.c_str());
    value.resize(std::min<std::size_t>(got, capacity - 1));
    return std::string(win32::ansiPrefix(win32::wideToAnsi(value), limit));
}

bool Win32ProfileFile::write(std::string_view section, std::string_view key, std::string_view value) {
    if (path_.empty() || isUnsafeName(section) || isUnsafeName(key)) return false;
    const std::string_view oneLine = value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));

    const std::wstring wideSection = win32::ansiToWide(section);
    const std::wstring wideKey = win32::ansiToWide(key);
    const std::wstring wideValue = win32::ansiToWide(oneLine);
    const BOOL written = WritePrivateProfileStringW(wideSection.c_str(), wideKey.c_str(),
                                                    wideValue.c_str(), path_.c_str());
    // The profile functions may keep the file in a cache; push it to disk
    // so that a crash or another reader never sees an older file.
    if (!written) {
        win32::reportLastError(L"WritePrivateProfileStringW");
        return false;
    }
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path_.c_str());
    return true;
}

bool Win32ProfileFile::dropByteOrderMark() {
    if (path_.empty()) return true;
    const std::optional<std::string> bytes = readWholeFile(path_);
    if (!bytes || !bytes->starts_with(ini::kUtf8ByteOrderMark)) return true;
    // Written beside the file and moved into place, so the settings are never half there.
    const std::wstring temporary = path_ + L".tmp";
    if (!writeNewFile(temporary, std::string_view(*bytes).substr(ini::kUtf8ByteOrderMark.size()))) {
        win32::reportLastError(L"writing settings.ini without its byte-order mark");
        return false;
    }
    if (MoveFileExW(temporary.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    win32::reportLastError(L"MoveFileExW (settings.ini without its byte-order mark)");
    DeleteFileW(temporary.c_str());
    return false;
}

}  // namespace kestro
