#pragma once
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// Which window a title names, among the top-level windows on screen.
namespace kestro::titles {

// The window among `windows` (their titles, front to back) whose whole title
// equals `title`, else the first whose title begins with it, letter case
// ignored; nullopt if none. An empty title names none, since every title
// begins with it. A window's title may be given cut off one character past
// `title`'s length: that still tells a longer title from an equal one.
std::optional<std::size_t> matchingWindow(std::u16string_view title, std::span<const std::u16string> windows);

}  // namespace kestro::titles
