#include "platform/portable/ini_file_profile.h"

#include <fstream>
#include <optional>
#include <system_error>
#include <utility>

#include "platform/portable/ini_text.h"

namespace kestro {
namespace {

namespace fs = std::filesystem;

// The file's bytes; empty when it does not exist, nullopt when it exists but
// cannot be read (so a write never replaces settings it could not see).
std::optional<std::string> readBytes(const fs::path& file) {
    std::error_code ec;
    if (!fs::exists(file, ec)) return ec ? std::nullopt : std::optional<std::string>(std::string());
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text;
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return std::nullopt;
    return text;
}

// Removes the file again when it was created but not written in full; what
// could not even be opened is not ours to remove.
bool writeBytes(const fs::path& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out.fail()) return true;
    std::error_code ec;
    fs::remove(file, ec);
    return false;
}

}  // namespace

IniFileProfile::IniFileProfile(std::filesystem::path file) : file_(std::move(file)) {}

std::string IniFileProfile::read(std::string_view section, std::string_view key,
                                 std::string_view fallback, std::size_t limit) {
    return ini::readValue(readBytes(file_).value_or(std::string()), section, key, fallback, limit);
}

bool IniFileProfile::write(std::string_view section, std::string_view key, std::string_view value) {
    // Names writeValue refuses leave any text unchanged, which shows on an empty one.
    if (ini::writeValue({}, section, key, value).empty()) return false;
    std::optional<std::string> text = readBytes(file_);
    if (!text) return false;

    std::string updated = ini::writeValue(*text, section, key, value);
    if (updated == *text) return true;
    return replaceWith(updated);
}

bool IniFileProfile::dropByteOrderMark() {
    std::optional<std::string> text = readBytes(file_);
    if (!text || !text->starts_with(ini::kUtf8ByteOrderMark)) return true;
    return replaceWith(text->substr(ini::kUtf8ByteOrderMark.size()));
}

// Writes beside the file and moves it into place, so the old settings stay
// whole until the new ones are.
bool IniFileProfile::replaceWith(const std::string& text) {
    fs::path temporary = file_;
    temporary += ".tmp";
    if (!writeBytes(temporary, text)) return false;
    std::error_code ec;
    fs::rename(temporary, file_, ec);
    if (ec) {
        fs::remove(temporary, ec);
        return false;
    }
    return true;
}

}  // namespace kestro
