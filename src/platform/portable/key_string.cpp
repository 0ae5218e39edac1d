#include "platform/portable/key_string.h"

#include <array>
#include <cstddef>
#include <utility>

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

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (x != b[i]) return false;
    }
    return true;
}

std::optional<std::uint16_t> findNamedKey(std::string_view name) {
    for (const NamedKey& key : kNamedKeys)
        if (equalsIgnoringCase(name, key.name)) return key.virtualKey;
    return std::nullopt;
}

std::optional<int> parseCount(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > kMaxRepeat) return std::nullopt;
    }
    return value;
}

std::uint8_t modifierOf(char c) {
    switch (c) {
        case '+': return kShift;
        case '^': return kCtrl;
        case '%': return kAlt;
        default: return 0;
    }
}

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    std::optional<std::vector<KeyStroke>> run() {
        // A sequence stops at ')', so one left over here was never opened.
        if (!sequence(0, 0) || pos_ != text_.size()) return std::nullopt;
        return std::move(strokes_);
    }

private:
    bool atEnd() const { return pos_ >= text_.size(); }

    // Keys up to the end of the text or the ')' closing the current group.
    bool sequence(std::uint8_t modifiers, int depth) {
        while (!atEnd() && text_[pos_] != ')')
            if (!item(modifiers, depth)) return false;
        return true;
    }

    // One key or group, with any modifier prefixes of its own.
    bool item(std::uint8_t modifiers, int depth) {
        while (!atEnd() && modifierOf(text_[pos_]) != 0) modifiers |= modifierOf(text_[pos_++]);
        if (atEnd()) return false;
        const char c = text_[pos_];
        switch (c) {
            case '(':
                if (depth == kMaxGroupDepth) return false;
                ++pos_;
                if (!sequence(modifiers, depth + 1) || atEnd()) return false;
                ++pos_;  // the ')'
                return true;
            case ')':  // only reached right after a modifier
            case '}':
                return false;
            case '{':
                return braced(modifiers);
            case '~':
                ++pos_;
                return push({KeyStroke::Kind::Named, 0, kEnter, modifiers}, 1);
            default:
                ++pos_;
                return push({KeyStroke::Kind::Character, c, 0, modifiers}, 1);
        }
    }

    // "{x}", "{NAME}", "{x n}" or "{NAME n}". The search for the closing
    // brace skips the first character so that "{}}" means a literal '}'.
    bool braced(std::uint8_t modifiers) {
        const std::size_t start = pos_ + 1;
        if (start >= text_.size()) return false;
        const std::size_t close = text_.find('}', start + 1);
        if (close == std::string_view::npos) return false;
        std::string_view body = text_.substr(start, close - start);
        pos_ = close + 1;

        int count = 1;
        if (const std::size_t space = body.find(' ', 1); space != std::string_view::npos) {
            const std::optional<int> parsed = parseCount(body.substr(space + 1));
            if (!parsed) return false;
            count = *parsed;
            body = body.substr(0, space);
        }
        if (body.size() == 1)
            return push({KeyStroke::Kind::Character, body[0], 0, modifiers}, count);
        const std::optional<std::uint16_t> vk = findNamedKey(body);
        return vk && push({KeyStroke::Kind::Named, 0, *vk, modifiers}, count);
    }

    bool push(const KeyStroke& stroke, int count) {
        strokes_.insert(strokes_.end(), static_cast<std::size_t>(count), stroke);
        return true;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::vector<KeyStroke> strokes_;
};

}  // namespace

std::optional<std::vector<KeyStroke>> parseKeyString(std::string_view text) {
    return Parser(text).run();
}

}  // namespace kestro::keys
