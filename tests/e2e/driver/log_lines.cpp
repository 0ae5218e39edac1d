#include "log_lines.h"

#include <charconv>

#include "common/files.h"
#include "common/log_line.h"

namespace e2e {

std::vector<LogLine> readLogLines(const std::wstring& path) {
    std::vector<LogLine> lines;
    const auto bytes = readFile(path);
    if (!bytes) return lines;
    std::string_view rest = *bytes;
    for (std::size_t newline; (newline = rest.find('\n')) != std::string_view::npos; rest.remove_prefix(newline + 1)) {
        if (const auto stamped = splitStamp(rest.substr(0, newline)))
            lines.push_back(LogLine{stamped->usec, std::string(stamped->rest)});
    }
    return lines;
}

std::string fieldOf(std::string_view rest, std::string_view name, bool toEnd) {
    // A field starts the line or follows a space.
    std::size_t at = 0;
    for (;; ++at) {
        at = rest.find(name, at);
        if (at == std::string_view::npos) return {};
        const std::size_t after = at + name.size();
        if ((at == 0 || rest[at - 1] == ' ') && after < rest.size() && rest[after] == '=') break;
    }
    const std::size_t start = at + name.size() + 1;
    if (toEnd) return std::string(rest.substr(start));
    const std::size_t end = rest.find(' ', start);
    return std::string(rest.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

std::string unescape(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\') {
            out += '\\';
            ++i;
        } else if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x') {
            unsigned value = 0;
            std::from_chars(text.data() + i + 2, text.data() + i + 4, value, 16);
            out += static_cast<char>(value);
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace e2e
