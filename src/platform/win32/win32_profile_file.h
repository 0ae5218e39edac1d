#pragma once
#include <string>

#include "platform/profile_file.h"

namespace kestro {

// The settings file through the Windows profile functions. Names and values
// are ANSI bytes; the file is reached by its UTF-16 path, so a program folder
// with characters outside the ANSI code page still works.
class Win32ProfileFile final : public ProfileFile {
public:
    // "settings.ini" in the program's folder.
    Win32ProfileFile();
    explicit Win32ProfileFile(std::wstring path);

    std::string read(std::string_view section, std::string_view key, std::string_view fallback,
                     std::size_t limit) override;
    // A value is cut at its first line break, so it can never add lines to the file.
    bool write(std::string_view section, std::string_view key, std::string_view value) override;
    bool dropByteOrderMark() override;

private:
    std::wstring path_;
};

}  // namespace kestro
