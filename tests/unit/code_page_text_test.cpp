#include "platform/portable/code_page_text.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string_view>

namespace kestro::codepage {
namespace {

// Code page 932 (Shift JIS): lead bytes 81-9F and E0-FC.
std::size_t shiftJisWidth(unsigned char first) {
    return (first >= 0x81 && first <= 0x9F) || (first >= 0xE0 && first <= 0xFC) ? 2 : 1;
}

TEST(WholeCharacterPrefix, AUtf8CharacterIsNeverCut) {
    const std::string_view ete = "\xC3\xA9t\xC3\xA9";  // été
    EXPECT_EQ(wholeCharacterPrefix(ete, 1, utf8Width), "");
    EXPECT_EQ(wholeCharacterPrefix(ete, 2, utf8Width), "\xC3\xA9");
    EXPECT_EQ(wholeCharacterPrefix(ete, 4, utf8Width), "\xC3\xA9t");
    EXPECT_EQ(wholeCharacterPrefix("a\xF0\x9F\x98\x80", 4, utf8Width), "a");  // a and a four-byte emoji
    EXPECT_EQ(wholeCharacterPrefix("\xE3\x82\xBF\xE3\x83\x9F", 5, utf8Width), "\xE3\x82\xBF");  // タミ
}

TEST(WholeCharacterPrefix, ADoubleByteCharacterIsNeverCutEvenWhenItsTrailByteLooksLikeALead) {
    // ャ is 83 83: its trail byte is a lead byte too, so only a walk from the start finds タ's start.
    const std::string_view text = "\x83\x83\x83\x5E";  // ャタ
    EXPECT_EQ(wholeCharacterPrefix(text, 3, shiftJisWidth), "\x83\x83");
    EXPECT_EQ(wholeCharacterPrefix(text, 4, shiftJisWidth), text);
    EXPECT_EQ(wholeCharacterPrefix("a\x83\x5E", 2, shiftJisWidth), "a");
}

}  // namespace
}  // namespace kestro::codepage
