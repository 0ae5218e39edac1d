#include "platform/portable/ini_text.h"

#include <optional>
#include <vector>

#include "platform/portable/ascii_case.h"

namespace kestro::ini {
namespace {

// One line of the text: its content is [begin, end), its line break [end, next).
struct Line {
    std::size_t begin, end, next;
};

std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            lines.push_back({pos, text.size(), text.size()});
            break;
        }
        std::size_t next = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        lines.push_back({pos, end, next});
        pos = next;
    }
    return lines;
}

std::string_view trim(std::string_view s) {
    std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// The section name of a header line ("[name]", up to its last ']'); nullopt
// for any other line. `line` is already trimmed.
std::optional<std::string_view> sectionName(std::string_view line) {
    if (!line.starts_with('[')) return std::nullopt;
    std::size_t close = line.rfind(']');
    if (close == 0 || close == std::string_view::npos) return std::nullopt;
    return trim(line.substr(1, close - 1));
}

// A "key = value" line; a line without '=' is a key without a value.
struct Entry {
    std::string_view key;
    std::optional<std::string_view> value;
};

Entry parseEntry(std::string_view line) {
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return {line, std::nullopt};
    return {trim(line.substr(0, eq)), trim(line.substr(eq + 1))};
}

// Where `key` of `section` lives: the first section of that name and the first
// key of that name in it. Sections and keys with empty names never match, as
// with the Windows functions.
struct Location {
    bool sectionFound = false;
    std::size_t lastNonBlank = 0;        // index of the section's last non-blank line
    std::optional<std::size_t> keyLine;  // index of the key's line
    Entry entry;
};

Location locate(std::string_view text, const std::vector<Line>& lines, std::string_view section,
                std::string_view key) {
    Location found;
    if (section.empty() || key.empty()) return found;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = trim(text.substr(lines[i].begin, lines[i].end - lines[i].begin));
        if (auto name = sectionName(line)) {
            if (found.sectionFound) break;  // later sections of the same name are not consulted
            if (ascii::sameIgnoringCase(*name, section)) {
                found.sectionFound = true;
                found.lastNonBlank = i;
            }
            continue;
        }
        if (!found.sectionFound || line.empty()) continue;
        found.lastNonBlank = i;
        if (found.keyLine) continue;
        Entry entry = parseEntry(line);
        if (ascii::sameIgnoringCase(entry.key, key)) {
            found.keyLine = i;
            found.entry = entry;
        }
    }
    return found;
}

// Names that could not be read back once written are refused.
bool writableNames(std::string_view section, std::string_view key) {
    return !section.empty() && !key.empty() && section.find_first_of("\r\n") == std::string_view::npos &&
           key.find_first_of("\r\n=") == std::string_view::npos && !key.starts_with('[');
}

}  // namespace

std::string readValue(std::string_view text, std::string_view section, std::string_view key,
                      std::string_view fallback, std::size_t limit) {
    Location found = locate(text, splitLines(text), trim(section), trim(key));
    if (!found.keyLine || !found.entry.value) {
        std::size_t kept = fallback.find_last_not_of(' ');
        fallback = fallback.substr(0, kept == std::string_view::npos ? 0 : kept + 1);
        return std::string(fallback.substr(0, limit));
    }
    std::string_view value = *found.entry.value;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value.substr(0, limit));
}

std::string writeValue(std::string_view text, std::string_view section, std::string_view key,
                       std::string_view value) {
    section = trim(section);
    key = trim(key);
    if (!writableNames(section, key)) return std::string(text);
    value = value.substr(0, value.find_first_of("\r\n"));  // a value never adds lines

    const std::string_view eol = text.find("\r\n") != std::string_view::npos ? "\r\n"
                                 : text.find('\n') != std::string_view::npos ? "\n"
                                                                             : "\r\n";
    const std::vector<Line> lines = splitLines(text);
    const Location found = locate(text, lines, section, key);
    std::string result;
    result.reserve(text.size() + section.size() + key.size() + value.size() + 16);

    if (found.keyLine) {
        if (found.entry.value == value) return std::string(text);  // leave the line as it is
        const Line& line = lines[*found.keyLine];
        result.append(text.substr(0, line.begin));
        result.append(found.entry.key).append("=").append(value);
        result.append(text.substr(line.end));
    } else if (found.sectionFound) {
        const Line& after = lines[found.lastNonBlank];
        result.append(text.substr(0, after.next));
        if (after.next == after.end) result.append(eol);  // it was the last line, unterminated
        result.append(key).append("=").append(value).append(eol);
        result.append(text.substr(after.next));
    } else {
        result.append(text);
        if (!text.empty()) {
            if (text.back() != '\n' && text.back() != '\r') result.append(eol);
            result.append(eol);
        }
        result.append("[").append(section).append("]").append(eol);
        result.append(key).append("=").append(value).append(eol);
    }
    return result;
}

}  // namespace kestro::ini
