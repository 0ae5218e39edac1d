#pragma once
// The few file operations the measurement needs, in Win32 terms (Wine maps them 1:1).

#include <optional>
#include <string>
#include <string_view>

namespace measure {

std::wstring joinPath(const std::wstring& folder, std::wstring_view name);
std::wstring fileNameOf(const std::wstring& path);
std::wstring folderOf(const std::wstring& path);
std::wstring fullPath(const std::wstring& path);
bool fileExists(const std::wstring& path);

// Creates the folder and any missing parents.
bool makeFolders(const std::wstring& folder);
bool writeFile(const std::wstring& path, std::string_view bytes);
// Writes beside the destination, then renames over it: a reader never sees half a file.
bool replaceFile(const std::wstring& path, std::string_view bytes);
// Reads a file to its end, also one that reports no size (Linux /proc files under Wine).
std::optional<std::string> readWholeFile(const std::wstring& path);

}  // namespace measure
