#pragma once
// Paths and whole-file reads and writes, in Win32 terms (Wine maps them 1:1).

#include <optional>
#include <string>
#include <string_view>

namespace e2e {

std::wstring joinPath(const std::wstring& folder, std::wstring_view name);
// The part after the last slash; all of `path` when it has none.
std::wstring fileNameOf(const std::wstring& path);
// The part before the last slash, without it; "." when there is none.
std::wstring folderOf(const std::wstring& path);
// The running executable's folder. Inside a DLL this is still the host program's folder,
// which is where the controller stand-in finds its script and writes its log.
std::wstring folderOfThisProgram();

bool fileExists(const std::wstring& path);

// The file's bytes, or nullopt when it cannot be opened. Opened with full sharing, so files
// other programs keep open can be read while they run; read to the end, so files that
// report no size (Linux /proc files under Wine) come whole too.
std::optional<std::string> readFile(const std::wstring& path);
// Creates or truncates the file; false unless every byte was written.
bool writeFile(const std::wstring& path, std::string_view bytes);
// Writes beside the destination, then renames over it: a reader polling the
// file (the controller stand-in) never sees half of it.
bool replaceFile(const std::wstring& path, std::string_view bytes);

std::wstring fullPath(const std::wstring& path);
// Creates the folder and any missing parents; true when it exists afterwards.
bool makeFolders(const std::wstring& folder);

}  // namespace e2e
