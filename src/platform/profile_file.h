#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace kestro {

// The program's settings file ("settings.ini" beside the program), with the
// Windows profile-file rules: section and key names ignore letter case.
class ProfileFile {
public:
    virtual ~ProfileFile() = default;

    // The value of `key` in `section`, cut to `limit` bytes; `fallback` when the
    // file, section or key is missing. A key with an empty value reads empty.
    virtual std::string read(std::string_view section, std::string_view key,
                             std::string_view fallback, std::size_t limit) = 0;
    // Creates or replaces the value. False when the file could not be written.
    virtual bool write(std::string_view section, std::string_view key, std::string_view value) = 0;
    // The profile functions take a UTF-8 byte-order mark for part of the first
    // line, which hides the first section: a file that begins with one is
    // rewritten without it, every other byte as it was. False only when it
    // began with one and could not be rewritten.
    virtual bool dropByteOrderMark() = 0;
};

}  // namespace kestro
