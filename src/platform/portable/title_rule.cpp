#include "platform/portable/title_rule.h"

#include "platform/portable/ascii_case.h"

namespace kestro::titles {

std::optional<std::size_t> matchingWindow(std::u16string_view title, std::span<const std::u16string> windows) {
    if (title.empty()) return std::nullopt;
    std::optional<std::size_t> prefix;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        if (!ascii::startsIgnoringCase(windows[i], title)) continue;
        if (windows[i].size() == title.size()) return i;
        if (!prefix) prefix = i;
    }
    return prefix;
}

}  // namespace kestro::titles
