#pragma once
#include <string>
#include <string_view>

namespace e2e {

// An empty folder at `path`: whatever an earlier run left there is removed first.
void makeEmptyFolder(const std::wstring& path);

// Creates the folder (and its parents) unless it exists; keeps what is in it.
void ensureFolder(const std::wstring& path);

void copyFileInto(const std::wstring& file, const std::wstring& folder);

// The system folder as this program sees it: SysWOW64 for a 32-bit program on a
// 64-bit Windows, as for a kestro.exe of the same build.
std::wstring systemFolder();

// Writes to a temporary name and renames it over `path`, so a reader polling the
// file (the controller stand-in) never sees half of it.
void writeFileAtomically(const std::wstring& path, std::string_view bytes);

// Shows control characters and bytes beyond ASCII as \xHH, for failure messages.
std::string printable(std::string_view bytes, std::size_t limit = 160);

}  // namespace e2e
