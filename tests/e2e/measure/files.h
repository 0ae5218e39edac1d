#pragma once
// The file operations only the measurement needs, beyond common/files.h.

#include <string>
#include <string_view>

namespace e2e::measure {

std::wstring fullPath(const std::wstring& path);
// Creates the folder and any missing parents.
bool makeFolders(const std::wstring& folder);
// Writes beside the destination, then renames over it: a reader never sees half a file.
bool replaceFile(const std::wstring& path, std::string_view bytes);

}  // namespace e2e::measure
