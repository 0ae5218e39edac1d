#include "files.h"

#include <windows.h>

#include <cstdio>
#include <filesystem>

#include "common/files.h"
#include "common/text.h"
#include "failure.h"
#include "waiting.h"

namespace e2e {

void makeEmptyFolder(const std::wstring& path) {
    std::error_code error;
    std::filesystem::remove_all(std::filesystem::path(path), error);
    std::filesystem::create_directories(std::filesystem::path(path), error);
    expect(!error && std::filesystem::is_directory(std::filesystem::path(path)),
           "cannot make the folder " + narrow(path));
}

void ensureFolder(const std::wstring& path) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path), error);
    expect(std::filesystem::is_directory(std::filesystem::path(path)), "cannot make the folder " + narrow(path));
}

void copyFileInto(const std::wstring& file, const std::wstring& folder) {
    const std::filesystem::path from(file);
    const std::wstring to = joinPath(folder, from.filename().wstring());
    expect(CopyFileW(file.c_str(), to.c_str(), FALSE) != FALSE, "cannot copy " + narrow(file));
}

std::wstring systemFolder() {
    wchar_t path[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    expect(length > 0 && length < MAX_PATH, "GetSystemDirectoryW failed");
    return std::wstring(path, length);
}

void writeFileAtomically(const std::wstring& path, std::string_view bytes) {
    const std::wstring temporary = path + L".new";
    expect(writeFile(temporary, bytes), "cannot write " + narrow(temporary));
    // Wine now and then refuses the rename while a stand-in is reading the old file; a
    // moment later it goes through.
    const bool renamed = waitUntil(
        [&] { return MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE; }, 200ms, 5ms);
    expect(renamed, "cannot rename " + narrow(temporary));
}

std::string printable(std::string_view bytes, std::size_t limit) {
    std::string out;
    for (const char c : bytes.substr(0, limit)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            out += c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        }
    }
    if (bytes.size() > limit) out += "...(" + std::to_string(bytes.size()) + " bytes)";
    return out;
}

}  // namespace e2e
