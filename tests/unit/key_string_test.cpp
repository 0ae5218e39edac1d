#include "platform/portable/key_string.h"

#include <gtest/gtest.h>

#if __has_include(<iconv.h>)
#include <iconv.h>
#define KESTRO_HAVE_ICONV 1
#endif

#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace kestro::keys {

// Readable failure messages instead of byte dumps.
void PrintTo(const KeyStroke& k, std::ostream* os) {
    if (k.kind == KeyStroke::Kind::Named)
        *os << "VK 0x" << std::hex << k.virtualKey << std::dec;
    else
        *os << "U+" << std::hex << std::uppercase << static_cast<unsigned long>(k.character) << std::dec;
    if (k.modifiers & kShift) *os << "+Shift";
    if (k.modifiers & kCtrl) *os << "+Ctrl";
    if (k.modifiers & kAlt) *os << "+Alt";
}

namespace {

using Strokes = std::vector<KeyStroke>;

constexpr std::uint8_t kNone = 0;
constexpr std::uint16_t kVkEnter = 0x0D, kVkTab = 0x09, kVkLeft = 0x25, kVkF1 = 0x70;

KeyStroke ch(char32_t c, std::uint8_t mods = kNone) {
    return {KeyStroke::Kind::Character, c, 0, mods};
}
// Byte rows are single-byte text; Latin-1 stands for the ANSI code page.
KeyStroke ch(char c, std::uint8_t mods = kNone) {
    return ch(char32_t{static_cast<unsigned char>(c)}, mods);
}
std::u16string latin1(std::string_view bytes) {
    std::u16string out;
    for (char c : bytes) out.push_back(static_cast<unsigned char>(c));
    return out;
}
std::optional<Strokes> parse(std::string_view bytes) { return parseKeyString(latin1(bytes)); }
KeyStroke vk(std::uint16_t code, std::uint8_t mods = kNone) {
    return {KeyStroke::Kind::Named, 0, code, mods};
}
Strokes text(std::string_view s, std::uint8_t mods = kNone) {
    Strokes out;
    for (char c : s) out.push_back(ch(c, mods));
    return out;
}
Strokes repeat(const KeyStroke& k, std::size_t n) { return Strokes(n, k); }

struct Case {
    std::string input;
    std::optional<Strokes> expected;  // nullopt: the text must be rejected
};

void PrintTo(const Case& c, std::ostream* os) { *os << '"' << c.input << '"'; }

class KeyString : public testing::TestWithParam<Case> {};

TEST_P(KeyString, ParsesAsExpected) {
    EXPECT_EQ(parse(GetParam().input), GetParam().expected);
}

const std::uint8_t kShiftCtrl = kShift | kCtrl;
const std::uint8_t kAllThree = kShift | kCtrl | kAlt;

INSTANTIATE_TEST_SUITE_P(PlainTextTypesItself, KeyString, testing::Values(
    Case{"", Strokes{}},
    Case{"abc", text("abc")},
    Case{"Hello World", text("Hello World")},  // case kept, no Shift added
    Case{"  ", text("  ")},
    Case{"a[b]c", text("a[b]c")},
    Case{"12:30 ok?", text("12:30 ok?")},
    Case{"\xC4rger \xE9t\xE9", text("\xC4rger \xE9t\xE9")},
    Case{"~", Strokes{vk(kVkEnter)}},
    Case{"a~b", Strokes{ch('a'), vk(kVkEnter), ch('b')}},
    Case{"~~", Strokes{vk(kVkEnter), vk(kVkEnter)}}));

INSTANTIATE_TEST_SUITE_P(ModifiersApplyToTheNextKeyOnly, KeyString, testing::Values(
    Case{"+a", Strokes{ch('a', kShift)}},
    Case{"^c", Strokes{ch('c', kCtrl)}},
    Case{"%f", Strokes{ch('f', kAlt)}},
    Case{"+ab", Strokes{ch('a', kShift), ch('b')}},
    Case{"x^vy", Strokes{ch('x'), ch('v', kCtrl), ch('y')}},
    Case{"^+a", Strokes{ch('a', kShiftCtrl)}},
    Case{"%^+x", Strokes{ch('x', kAllThree)}},
    Case{"++a", Strokes{ch('a', kShift)}},
    Case{"+A", Strokes{ch('A', kShift)}},
    Case{"+ ", Strokes{ch(' ', kShift)}},
    Case{"+~", Strokes{vk(kVkEnter, kShift)}},
    Case{"+{F1}", Strokes{vk(kVkF1, kShift)}},
    Case{"^%{TAB}a", Strokes{vk(kVkTab, kCtrl | kAlt), ch('a')}},
    Case{"^{+}", Strokes{ch('+', kCtrl)}},
    Case{"%{}}", Strokes{ch('}', kAlt)}},
    Case{"+[", Strokes{ch('[', kShift)}}));

INSTANTIATE_TEST_SUITE_P(ModifiersApplyToAWholeGroup, KeyString, testing::Values(
    Case{"+(ab)", text("ab", kShift)},
    Case{"+(ab)c", Strokes{ch('a', kShift), ch('b', kShift), ch('c')}},
    Case{"^(a{TAB}~)", Strokes{ch('a', kCtrl), vk(kVkTab, kCtrl), vk(kVkEnter, kCtrl)}},
    Case{"+(a^b)", Strokes{ch('a', kShift), ch('b', kShiftCtrl)}},
    Case{"+(a^(bc)d)", Strokes{ch('a', kShift), ch('b', kShiftCtrl), ch('c', kShiftCtrl),
                               ch('d', kShift)}},
    Case{"%(+(x))", Strokes{ch('x', kShift | kAlt)}},
    Case{"^+(ab)", text("ab", kShiftCtrl)},
    Case{"+({a 2})", text("aa", kShift)},
    Case{"+({(}{)})", text("()", kShift)},
    Case{"(ab)", text("ab")},  // a bare group changes nothing
    Case{"()", Strokes{}},
    Case{"a()b", text("ab")},
    Case{"+()", Strokes{}},
    Case{"(())", Strokes{}}));

INSTANTIATE_TEST_SUITE_P(NamedKeysInBraces, KeyString, testing::Values(
    Case{"{BACKSPACE}", Strokes{vk(0x08)}}, Case{"{BS}", Strokes{vk(0x08)}},
    Case{"{BKSP}", Strokes{vk(0x08)}},      Case{"{BREAK}", Strokes{vk(0x03)}},
    Case{"{CAPSLOCK}", Strokes{vk(0x14)}},  Case{"{DELETE}", Strokes{vk(0x2E)}},
    Case{"{DEL}", Strokes{vk(0x2E)}},       Case{"{DOWN}", Strokes{vk(0x28)}},
    Case{"{END}", Strokes{vk(0x23)}},       Case{"{ENTER}", Strokes{vk(0x0D)}},
    Case{"{ESC}", Strokes{vk(0x1B)}},       Case{"{HELP}", Strokes{vk(0x2F)}},
    Case{"{HOME}", Strokes{vk(0x24)}},      Case{"{INSERT}", Strokes{vk(0x2D)}},
    Case{"{INS}", Strokes{vk(0x2D)}},       Case{"{LEFT}", Strokes{vk(0x25)}},
    Case{"{NUMLOCK}", Strokes{vk(0x90)}},   Case{"{PGDN}", Strokes{vk(0x22)}},
    Case{"{PGUP}", Strokes{vk(0x21)}},      Case{"{PRTSC}", Strokes{vk(0x2C)}},
    Case{"{RIGHT}", Strokes{vk(0x27)}},     Case{"{SCROLLLOCK}", Strokes{vk(0x91)}},
    Case{"{TAB}", Strokes{vk(0x09)}},       Case{"{UP}", Strokes{vk(0x26)}},
    Case{"{ADD}", Strokes{vk(0x6B)}},       Case{"{SUBTRACT}", Strokes{vk(0x6D)}},
    Case{"{MULTIPLY}", Strokes{vk(0x6A)}},  Case{"{DIVIDE}", Strokes{vk(0x6F)}},
    Case{"{F1}", Strokes{vk(0x70)}},        Case{"{F2}", Strokes{vk(0x71)}},
    Case{"{F3}", Strokes{vk(0x72)}},        Case{"{F4}", Strokes{vk(0x73)}},
    Case{"{F5}", Strokes{vk(0x74)}},        Case{"{F6}", Strokes{vk(0x75)}},
    Case{"{F7}", Strokes{vk(0x76)}},        Case{"{F8}", Strokes{vk(0x77)}},
    Case{"{F9}", Strokes{vk(0x78)}},        Case{"{F10}", Strokes{vk(0x79)}},
    Case{"{F11}", Strokes{vk(0x7A)}},       Case{"{F12}", Strokes{vk(0x7B)}},
    Case{"{F13}", Strokes{vk(0x7C)}},       Case{"{F14}", Strokes{vk(0x7D)}},
    Case{"{F15}", Strokes{vk(0x7E)}},       Case{"{F16}", Strokes{vk(0x7F)}},
    // Names ignore case.
    Case{"{enter}", Strokes{vk(0x0D)}},     Case{"{Tab}", Strokes{vk(0x09)}},
    Case{"{pGuP}", Strokes{vk(0x21)}},      Case{"{f12}", Strokes{vk(0x7B)}},
    Case{"ab{LEFT}{LEFT}c", Strokes{ch('a'), ch('b'), vk(kVkLeft), vk(kVkLeft), ch('c')}}));

INSTANTIATE_TEST_SUITE_P(BracesTypeSpecialCharactersLiterally, KeyString, testing::Values(
    Case{"{+}", text("+")}, Case{"{^}", text("^")}, Case{"{%}", text("%")},
    Case{"{~}", text("~")}, Case{"{(}", text("(")}, Case{"{)}", text(")")},
    Case{"{[}", text("[")}, Case{"{]}", text("]")}, Case{"{{}", text("{")},
    Case{"{}}", text("}")}, Case{"{a}", text("a")}, Case{"{ }", text(" ")},
    Case{"{\xE9}", text("\xE9")},
    Case{"{}}{{}", text("}{")},
    Case{"{{}{}}", text("{}")},
    Case{"1{+}1=2", text("1+1=2")},
    Case{"50{%} off{~}", text("50% off~")}));

INSTANTIATE_TEST_SUITE_P(RepeatCounts, KeyString, testing::Values(
    Case{"{a 3}", text("aaa")},
    Case{"{TAB 2}", Strokes{vk(kVkTab), vk(kVkTab)}},
    Case{"{left 2}", Strokes{vk(kVkLeft), vk(kVkLeft)}},
    Case{"{a 1}", text("a")},
    Case{"{a 0}", Strokes{}},
    Case{"x{a 0}y", text("xy")},
    Case{"{a 007}", text("aaaaaaa")},
    Case{"+{LEFT 2}", Strokes{vk(kVkLeft, kShift), vk(kVkLeft, kShift)}},
    Case{"{+ 2}", text("++")},
    Case{"{} 2}", text("}}")},
    Case{"{{ 2}", text("{{")},
    Case{"{  3}", text("   ")},
    Case{"{a 1000}", repeat(ch('a'), 1000)},
    Case{"^{F5 1000}", repeat(vk(0x74, kCtrl), 1000)}));

INSTANTIATE_TEST_SUITE_P(InvalidSyntaxIsRejectedWhole, KeyString, testing::Values(
    // Braces
    Case{"{", std::nullopt}, Case{"abc{", std::nullopt}, Case{"{a", std::nullopt},
    Case{"{TAB", std::nullopt}, Case{"}", std::nullopt}, Case{"a}b", std::nullopt},
    Case{"{a}}", std::nullopt}, Case{"{}}}", std::nullopt}, Case{"{{}}", std::nullopt},
    Case{"{}", std::nullopt}, Case{"a{}b", std::nullopt}, Case{"{}a}", std::nullopt},
    // Unknown names, including two characters that are one in UTF-8
    Case{"{FOO}", std::nullopt}, Case{"{ab}", std::nullopt}, Case{"{F0}", std::nullopt},
    Case{"{F17}", std::nullopt}, Case{"{ENTERX}", std::nullopt}, Case{"{TA B}", std::nullopt},
    Case{"{ TAB}", std::nullopt}, Case{"{\xC3\xA9}", std::nullopt},
    // Groups
    Case{"(", std::nullopt}, Case{")", std::nullopt}, Case{"(a", std::nullopt},
    Case{"a)", std::nullopt}, Case{"((a)", std::nullopt}, Case{"(a))", std::nullopt},
    Case{"+(ab", std::nullopt}, Case{")(", std::nullopt},
    // Modifiers with nothing to apply to
    Case{"+", std::nullopt}, Case{"a^", std::nullopt}, Case{"^+%", std::nullopt},
    Case{"+(a%)", std::nullopt}, Case{"^)", std::nullopt}, Case{"+}", std::nullopt},
    // Repeat counts
    Case{"{a x}", std::nullopt}, Case{"{a }", std::nullopt}, Case{"{a -1}", std::nullopt},
    Case{"{a  2}", std::nullopt}, Case{"{a 2 }", std::nullopt}, Case{"{a 2 3}", std::nullopt},
    Case{"{a 2x}", std::nullopt}, Case{"{a 1001}", std::nullopt},
    Case{"{a 99999999999999999999}", std::nullopt}, Case{"{TAB 3", std::nullopt},
    // A valid prefix does not rescue a bad tail
    Case{"hello world{", std::nullopt}, Case{"{TAB}{FOO}", std::nullopt}));

// Key texts in code pages whose trail bytes can look like syntax ("\x83\x5E"
// is タ on code page 932, not a stray Ctrl). iconv decodes them here as
// MultiByteToWideChar does on Windows.
struct EncodedCase {
    const char* codePage;
    std::string bytes;
    std::u32string text;  // the same key text, as characters
    Strokes expected;
};

void PrintTo(const EncodedCase& c, std::ostream* os) {
    *os << c.codePage << " \"" << c.bytes << '"';
}

std::u16string utf16(std::u32string_view text) {
    std::u16string out;
    for (char32_t c : text) {
        if (c < 0x10000) {
            out.push_back(static_cast<char16_t>(c));
        } else {
            out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        }
    }
    return out;
}

Strokes chars(std::u32string_view text, std::uint8_t mods = kNone) {
    Strokes out;
    for (char32_t c : text) out.push_back(ch(c, mods));
    return out;
}

#ifdef KESTRO_HAVE_ICONV
std::optional<std::u16string> decode(const char* codePage, std::string bytes) {
    const iconv_t converter = iconv_open("UTF-16LE", codePage);
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out(bytes.size() * 4, '\0');
    char* in = bytes.data();
    std::size_t inLeft = bytes.size();
    char* next = out.data();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(converter, &in, &inLeft, &next, &outLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
    std::u16string text;
    for (const char* p = out.data(); p + 1 < next; p += 2)
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(p[0]) |
                                             static_cast<unsigned char>(p[1]) << 8));
    return text;
}
#endif

class EncodedKeyString : public testing::TestWithParam<EncodedCase> {};

TEST_P(EncodedKeyString, ParsesToTheSameKeysAsItsUtf16Form) {
#ifdef KESTRO_HAVE_ICONV
    const EncodedCase& c = GetParam();
    const auto decoded = decode(c.codePage, c.bytes);
    ASSERT_TRUE(decoded.has_value()) << "iconv cannot decode " << c.codePage;
    ASSERT_EQ(*decoded, utf16(c.text)) << "the row's bytes are not its text";
    EXPECT_EQ(parseKeyString(*decoded), c.expected);
#else
    GTEST_SKIP() << "no iconv to decode code pages with";
#endif
}

INSTANTIATE_TEST_SUITE_P(TrailBytesAreNeverSyntax, EncodedKeyString, testing::Values(
    EncodedCase{"CP932", "\x83\x5E", U"タ", chars(U"タ")},
    EncodedCase{"CP932", "\x83\x7E", U"ミ", chars(U"ミ")},
    EncodedCase{"CP932", "\x83\x7B\x83\x7D\x83\x5C", U"ボマソ", chars(U"ボマソ")},
    EncodedCase{"CP932", "+\x83\x5E~", U"+タ~", Strokes{ch(U'タ', kShift), vk(kVkEnter)}},
    EncodedCase{"CP932", "{\x83\x7D}", U"{マ}", chars(U"マ")},
    EncodedCase{"CP932", "{\x83\x7E 2}", U"{ミ 2}", chars(U"ミミ")},
    EncodedCase{"CP936", "\x8A\x5E", U"奮", chars(U"奮")},
    EncodedCase{"CP936", "^(\x82\x7D" "a)", U"^(倉a)", chars(U"倉a", kCtrl)},
    EncodedCase{"UTF-8", "\xC3\xA9t\xC3\xA9", U"été", chars(U"été")},
    EncodedCase{"UTF-8", "{\xC3\xA9}", U"{é}", chars(U"é")},
    EncodedCase{"UTF-8", "%\xF0\x9F\x98\x80", U"%\U0001F600", chars(U"\U0001F600", kAlt)},
    EncodedCase{"UTF-8", "{\xF0\x9F\x98\x80 2}", U"{\U0001F600 2}", chars(U"\U0001F600\U0001F600")}));

TEST(KeyStringBytes, EveryNonSyntaxByteTypesItself) {
    const std::string syntax = "+^%~(){}";
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        if (syntax.find(c) != std::string::npos) continue;
        EXPECT_EQ(parse(std::string(1, c)), Strokes{ch(c)}) << "byte " << b;
    }
}

TEST(KeyStringBytes, EveryByteInBracesTypesItself) {
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const std::string input = std::string("{") + c + "}";
        EXPECT_EQ(parse(input), Strokes{ch(c)}) << "byte " << b;
    }
}

TEST(KeyStringGroups, NestingIsBoundedSoHostileTextCannotExhaustTheStack) {
    auto nested = [](int depth) {
        return "+" + std::string(depth, '(') + "a" + std::string(depth, ')');
    };
    EXPECT_EQ(parse(nested(32)), Strokes{ch('a', kShift)});
    EXPECT_EQ(parse(nested(33)), std::nullopt);
    EXPECT_EQ(parse(nested(5000)), std::nullopt);
}

TEST(KeyStringLongInput, FiveThousandPlainCharactersAllArrive) {
    std::string input;
    for (int i = 0; i < 5000; ++i) input += static_cast<char>('a' + i % 26);
    const auto result = parse(input);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, text(input));
}

TEST(KeyStringLongInput, FiveThousandCharactersOfMixedSyntaxStayInOrder) {
    const std::string unit = "ab{TAB}+c{}}";  // 12 bytes, 5 strokes
    const Strokes unitStrokes{ch('a'), ch('b'), vk(kVkTab), ch('c', kShift), ch('}')};
    std::string input;
    Strokes expected;
    while (input.size() + unit.size() <= 5000) {
        input += unit;
        expected.insert(expected.end(), unitStrokes.begin(), unitStrokes.end());
    }
    const std::size_t padding = 5000 - input.size();
    input += std::string(padding, 'z');
    expected.resize(expected.size() + padding, ch('z'));
    ASSERT_EQ(input.size(), 5000u);
    EXPECT_EQ(parse(input), expected);
}

// Strings drawn from syntax-heavy pieces, so a good share of them parse.
std::string randomKeyString(std::mt19937& rng) {
    static const char* const pieces[] = {
        "a", "Z", " ", "\xE9", "+", "^", "%", "~", "(", ")", "{", "}", "[", "]",
        "{TAB}", "{a 2}", "{}}", "{{}", "{F1}", "{FOO}", "{a 0}", "{ 1}", "{BS"};
    const std::size_t pieceCount = sizeof(pieces) / sizeof(pieces[0]);
    std::string s;
    const unsigned length = rng() % 12;
    for (unsigned i = 0; i < length; ++i) {
        if (rng() % 8 == 0)
            s += static_cast<char>(rng() % 256);  // raw garbage byte
        else
            s += pieces[rng() % pieceCount];
    }
    return s;
}

Strokes withModifier(Strokes strokes, std::uint8_t mods) {
    for (KeyStroke& k : strokes) k.modifiers |= mods;
    return strokes;
}

TEST(KeyStringRandomInput, ValidPiecesConcatenateToTheConcatenationOfTheirStrokes) {
    std::mt19937 rng(20240611u);
    int validPairs = 0;
    for (int i = 0; i < 4000; ++i) {
        const std::string a = randomKeyString(rng);
        const std::string b = randomKeyString(rng);
        const auto pa = parse(a);
        const auto pb = parse(b);
        if (!pa || !pb) continue;
        ++validPairs;
        Strokes expected = *pa;
        expected.insert(expected.end(), pb->begin(), pb->end());
        ASSERT_EQ(parse(a + b), expected) << "a=\"" << a << "\" b=\"" << b << '"';
    }
    EXPECT_GT(validPairs, 200);  // otherwise the property was hardly exercised
}

TEST(KeyStringRandomInput, WrappingValidTextInAModifiedGroupModifiesEveryStroke) {
    std::mt19937 rng(7u);
    int valid = 0;
    for (int i = 0; i < 4000; ++i) {
        const std::string s = randomKeyString(rng);
        const auto plain = parse(s);
        if (!plain) continue;
        ++valid;
        ASSERT_EQ(parse("%(" + s + ")"), withModifier(*plain, kAlt)) << '"' << s << '"';
    }
    EXPECT_GT(valid, 500);
}

TEST(KeyStringRandomInput, ArbitraryBytesNeverCrashAndNeverHalfParse) {
    std::mt19937 rng(99u);
    int valid = 0;
    for (int i = 0; i < 4000; ++i) {
        std::string s(rng() % 40, '\0');
        for (char& c : s) c = static_cast<char>(rng() % 256);
        const auto result = parse(s);
        if (!result) continue;
        ++valid;
        // Without braces every byte but a modifier or parenthesis is exactly one stroke.
        if (s.find('{') == std::string::npos) {
            std::size_t keys = 0;
            for (char c : s)
                if (std::string_view("+^%()").find(c) == std::string_view::npos) ++keys;
            EXPECT_EQ(result->size(), keys) << '"' << s << '"';
        }
        // A dangling brace spoils the whole text, however much of it was fine.
        EXPECT_EQ(parse(s + "{"), std::nullopt) << '"' << s << '"';
        EXPECT_EQ(parse(s + "+"), std::nullopt) << '"' << s << '"';
    }
    EXPECT_GT(valid, 500);
}

}  // namespace
}  // namespace kestro::keys
