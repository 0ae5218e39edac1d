#include "platform/portable/key_string.h"

#include <array>
#include <cstddef>
#include <utility>

#include "platform/portable/ascii_case.h"

namespace kestro::keys {
namespace {

struct NamedKey {
    std::string_view name;
    std::uint16_t virtualKey;
};

constexpr std::uint16_t kEnter = 0x0D;

constexpr std::array<NamedKey, 44> kNamedKeys{{
    {"BACKSPACE", 0x08},  {"BS", 0x08},         {"BKSP", 0x08},       {"BREAK", 0x03},
    {"CAPSLOCK", 0x14},   {"DELETE", 0x2E},     {"DEL", 0x2E},        {"DOWN", 0x28},
    {"END", 0x23},        {"ENTER", kEnter},    {"ESC", 0x1B},        {"HELP", 0x2F},
    {"HOME", 0x24},       {"INSERT", 0x2D},     {"INS", 0x2D},        {"LEFT", 0x25},
    {"NUMLOCK", 0x90},    {"PGDN", 0x22},       {"PGUP", 0x21},       {"PRTSC", 0x2C},
    {"RIGHT", 0x27},      {"SCROLLLOCK", 0x91}, {"TAB", 0x09},        {"UP", 0x26},
    {"ADD", 0x6B},        {"SUBTRACT", 0x6D},   {"MULTIPLY", 0x6A},   {"DIVIDE", 0x6F},
    {"F1", 0x70},         {"F2", 0x71},         {"F3", 0x72},         {"F4", 0x73},
    {"F5", 0x74},         {"F6", 0x75},         {"F7", 0x76},         {"F8", 0x77},
    {"F9", 0x78},         {"F10", 0x79},        {"F11", 0x7A},        {"F12", 0x7B},
    {"F13", 0x7C},        {"F14", 0x7D},        {"F15", 0x7E},        {"F16", 0x7F},
}};

// A repeat count is only a convenience; anything larger is almost surely a
// typo and would flood the target window.
constexpr int kMaxRepeat = 1000;

// Groups nest, but hostile text must not be able to exhaust the stack.
constexpr int kMaxGroupDepth = 32;

std::optional<std::uint16_t> findNamedKey(std::u16string_view name) {
    for (const NamedKey& key : kNamedKeys)
        if (ascii::sameIgnoringCase(name, key.name)) return key.virtualKey;
    return std::nullopt;
}

std::optional<int> parseCount(std::u16string_view digits) {
    if (digits.empty()) return std::nullopt;
    int value = 0;
    for (char16_t c : digits) {
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > kMaxRepeat) return std::nullopt;
    }
    return value;
}

std::uint8_t modifierOf(char16_t c) {
    switch (c) {
        case u'+': return kShift;
        case u'^': return kCtrl;
        case u'%': return kAlt;
        default: return 0;
    }
}

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The UTF-16 units of the character that starts at `pos`: two for a
// surrogate pair, else one.
std::size_t widthAt(std::u16string_view text, std::size_t pos) {
    return isHighSurrogate(text[pos]) && pos + 1 < text.size() && isLowSurrogate(text[pos + 1]) ? 2 : 1;
}

char32_t characterAt(std::u16string_view text, std::size_t pos) {
    if (widthAt(text, pos) == 1) return text[pos];
    return 0x10000 + ((char32_t{text[pos]} - 0xD800) << 10) + (char32_t{text[pos + 1]} - 0xDC00);
}

class Parser {
public:
    explicit Parser(std::u16string_view text) : text_(text) {}

    std::optional<std::vector<KeyStroke>> run() {
        // A sequence stops at ')', so one left over here was never opened.
        if (!sequence(0, 0) || pos_ != text_.size()) return std::nullopt;
        return std::move(strokes_);
    }

private:
    bool atEnd() const { return pos_ >= text_.size(); }

    // Keys up to the end of the text or the ')' closing the current group.
    bool sequence(std::uint8_t modifiers, int depth) {
        while (!atEnd() && text_[pos_] != u')')
            if (!item(modifiers, depth)) return false;
        return true;
    }

    // One key or group, with any modifier prefixes of its own.
    bool item(std::uint8_t modifiers, int depth) {
        while (!atEnd() && modifierOf(text_[pos_]) != 0) modifiers |= modifierOf(text_[pos_++]);
        if (atEnd()) return false;
        switch (text_[pos_]) {
            case u'(':
                if (depth == kMaxGroupDepth) return false;
                ++pos_;
                if (!sequence(modifiers, depth + 1) || atEnd()) return false;
                ++pos_;  // the ')'
                return true;
            case u')':  // only reached right after a modifier
            case u'}':
                return false;
            case u'{':
                return braced(modifiers);
            case u'~':
                ++pos_;
                return push({KeyStroke::Kind::Named, 0, kEnter, modifiers}, 1);
            default: {
                const char32_t c = characterAt(text_, pos_);
                pos_ += widthAt(text_, pos_);
                return push({KeyStroke::Kind::Character, c, 0, modifiers}, 1);
            }
        }
    }

    // "{x}", "{NAME}", "{x n}" or "{NAME n}". The search for the closing
    // brace skips the first character so that "{}}" means a literal '}'.
    bool braced(std::uint8_t modifiers) {
        const std::size_t start = pos_ + 1;
        if (start >= text_.size()) return false;
        const std::size_t first = widthAt(text_, start);
        const std::size_t close = text_.find(u'}', start + first);
        if (close == std::u16string_view::npos) return false;
        std::u16string_view body = text_.substr(start, close - start);
        pos_ = close + 1;

        int count = 1;
        if (const std::size_t space = body.find(u' ', first); space != std::u16string_view::npos) {
            const std::optional<int> parsed = parseCount(body.substr(space + 1));
            if (!parsed) return false;
            count = *parsed;
            body = body.substr(0, space);
        }
        if (body.size() == first)
            return push({KeyStroke::Kind::Character, characterAt(body, 0), 0, modifiers}, count);
        const std::optional<std::uint16_t> vk = findNamedKey(body);
        return vk && push({KeyStroke::Kind::Named, 0, *vk, modifiers}, count);
    }

    bool push(const KeyStroke& stroke, int count) {
        strokes_.insert(strokes_.end(), static_cast<std::size_t>(count), stroke);
        return true;
    }

    std::u16string_view text_;
    std::size_t pos_ = 0;
    std::vector<KeyStroke> strokes_;
};

}  // namespace

std::optional<std::vector<KeyStroke>> parseKeyString(std::u16string_view text) {
    return Parser(text).run();
}

}  // namespace kestro::keys
