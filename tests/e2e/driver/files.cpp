#include "files.h"

#include <windows.h>

#include <filesystem>

#include "common/files.h"
#include "common/text.h"
#include "failure.h"

namespace e2e {

void makeEmptyFolder(const std::wstring& path) {
    std::error_code error;
    std::filesystem::remove_all(std::filesystem::path(path), error);
    std::filesystem::create_directories(std::filesystem::path(path), error);
    expect(!error && std::filesystem::is_directory(std::filesystem::path(path)),
           "cannot make the folder " + narrow(path));
}

void ensureFolder(const std::wstring& path) { expect(makeFolders(path), "cannot make the folder " + narrow(path)); }

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
    expect(replaceFile(path, bytes), "cannot write " + narrow(path));
}

}  // namespace e2e
