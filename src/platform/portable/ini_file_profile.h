#pragma once
#include <filesystem>

#include "platform/profile_file.h"

namespace kestro {

// A settings file on disk with the Windows profile-file rules, for platforms
// without the Windows profile functions and for tests. Every call reads the
// file afresh; a write replaces the whole file at once, so a failed write
// leaves the old file intact.
class IniFileProfile final : public ProfileFile {
public:
    explicit IniFileProfile(std::filesystem::path file);

    std::string read(std::string_view section, std::string_view key, std::string_view fallback,
                     std::size_t limit) override;
    bool write(std::string_view section, std::string_view key, std::string_view value) override;
    bool dropByteOrderMark() override;

private:
    bool replaceWith(const std::string& text);

    std::filesystem::path file_;
};

}  // namespace kestro
