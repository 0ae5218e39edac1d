#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace e2e {

// An empty folder at `path`: whatever an earlier run left there is removed first.
void makeEmptyFolder(const std::wstring& path);

// Creates the folder (and its parents) unless it exists; keeps what is in it.
void ensureFolder(const std::wstring& path);

void copyFileInto(const std::wstring& file, const std::wstring& folder);

// Writes to a temporary name and renames it over `path`, so a reader polling the
// file (the controller stand-in) never sees half of it.
void writeFileAtomically(const std::wstring& path, std::string_view bytes);

// The file's bytes, or nullopt when it does not exist. Opened with full sharing, so
// files the programs under test keep open can be read while they run.
std::optional<std::string> readFile(const std::wstring& path);

bool fileExists(const std::wstring& path);

std::wstring joinPath(const std::wstring& folder, std::wstring_view name);
std::wstring folderOfThisProgram();

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);

// Shows control characters and bytes beyond ASCII as \xHH, for failure messages.
std::string printable(std::string_view bytes, std::size_t limit = 160);

}  // namespace e2e
