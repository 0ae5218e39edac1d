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

// replaceFile, failing the scenario when it cannot.
void writeFileAtomically(const std::wstring& path, std::string_view bytes);

}  // namespace e2e
