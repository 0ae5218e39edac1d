#include "files.h"

#include <windows.h>

#include "common/files.h"

namespace e2e::measure {

std::wstring fullPath(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring out(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, out.data(), nullptr);
    out.resize(length);
    return out;
}

bool makeFolders(const std::wstring& folder) {
    if (CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) return true;
    const std::wstring parent = folderOf(folder);
    if (parent == folder || parent == L".") return false;
    return makeFolders(parent) && (CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
}

bool replaceFile(const std::wstring& path, std::string_view bytes) {
    const std::wstring temporary = path + L".new";
    if (!writeFile(temporary, bytes)) return false;
    // Renaming over a file fails while someone has it open (the reader polls it), on
    // Windows and on Wine alike: try again a moment later.
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        if (GetLastError() != ERROR_ACCESS_DENIED && GetLastError() != ERROR_SHARING_VIOLATION) return false;
        Sleep(1);
    }
    return false;
}

}  // namespace e2e::measure
