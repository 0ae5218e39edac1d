#include "platform/portable/title_rule.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestro::titles {
namespace {

struct Case {
    const char* story;
    std::u16string title;
    std::vector<std::u16string> windows;  // front to back
    std::optional<std::size_t> expected;
};
void PrintTo(const Case& c, std::ostream* os) { *os << c.story; }

class TitleRule : public testing::TestWithParam<Case> {};

TEST_P(TitleRule, NamesTheWindow) { EXPECT_EQ(matchingWindow(GetParam().title, GetParam().windows), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(FrontToBack, TitleRule, testing::Values(
    Case{"the whole title wins over a prefix in front of it", u"notepad", {u"Notepad - notes.txt", u"NOTEPAD"}, 1},
    Case{"else the frontmost title that begins with it", u"Note", {u"Mail", u"Notepad - a", u"Notes"}, 1},
    Case{"a shorter title is no match", u"Notepad2", {u"Notepad"}, std::nullopt},
    Case{"an empty title names no window", u"", {u"Notepad"}, std::nullopt}));

}  // namespace
}  // namespace kestro::titles
