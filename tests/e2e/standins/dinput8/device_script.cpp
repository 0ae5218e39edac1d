#include "device_script.h"

#include "guid_text.h"

#include <algorithm>
#include <charconv>

namespace dinput_standin {

namespace {

constexpr std::string_view failable_operations[] = {
    "create",  "enum",      "createdevice", "setdataformat", "setcooperativelevel", "acquire",
    "unacquire", "poll",    "getstate",     "getcapabilities", "getdeviceinfo",
};

bool is_space(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view text)
{
    while (!text.empty() && (is_space(text.front()) || text.front() == '\r'))
        text.remove_prefix(1);
    while (!text.empty() && (is_space(text.back()) || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// Takes the next whitespace-separated word off the front of rest.
std::string_view next_word(std::string_view& rest)
{
    rest = trim(rest);
    size_t end = 0;
    while (end < rest.size() && !is_space(rest[end]))
        ++end;
    const auto word = rest.substr(0, end);
    rest.remove_prefix(end);
    return word;
}

std::optional<unsigned short> parse_axis(std::string_view word)
{
    unsigned value = 0;
    const auto [end, status] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || status != std::errc() || end != word.data() + word.size() || value > 65535)
        return std::nullopt;
    return static_cast<unsigned short>(value);
}

std::optional<std::uint32_t> parse_buttons(std::string_view word)
{
    if (word.empty() || word.size() > 32)
        return std::nullopt;
    std::uint32_t buttons = 0;
    for (size_t i = 0; i < word.size(); ++i) {
        if (word[i] == '1')
            buttons |= std::uint32_t{1} << i;
        else if (word[i] != '0')
            return std::nullopt;
    }
    return buttons;
}

std::optional<std::uint32_t> parse_pov(std::string_view word)
{
    int base = 10;
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
        word.remove_prefix(2);
        base = 16;
    }
    std::uint32_t value = 0;
    const auto [end, status] = std::from_chars(word.data(), word.data() + word.size(), value, base);
    if (word.empty() || status != std::errc() || end != word.data() + word.size())
        return std::nullopt;
    return value;
}

std::optional<HRESULT> parse_hresult(std::string_view word)
{
    if (word.size() < 3 || word[0] != '0' || (word[1] != 'x' && word[1] != 'X'))
        return std::nullopt;
    word.remove_prefix(2);
    std::uint32_t value = 0;
    const auto [end, status] = std::from_chars(word.data(), word.data() + word.size(), value, 16);
    if (status != std::errc() || end != word.data() + word.size())
        return std::nullopt;
    return static_cast<HRESULT>(value);
}

std::string parse_device_line(std::string_view rest, DeviceScript& script)
{
    const auto guid = parse_guid(next_word(rest));
    if (!guid)
        return "bad guid";
    const auto x = parse_axis(next_word(rest));
    const auto y = parse_axis(next_word(rest));
    if (!x || !y)
        return "x and y must be 0..65535";
    const auto buttons = parse_buttons(next_word(rest));
    if (!buttons)
        return "buttons must be 1 to 32 characters of 0/1";
    const bool duplicate = std::any_of(script.devices.begin(), script.devices.end(),
                                       [&](const ScriptedDevice& d) { return d.guid == *guid; });
    if (duplicate)
        return "device listed twice";
    ScriptedDevice device;
    device.guid = *guid;
    device.x = *x;
    device.y = *y;
    device.buttons = *buttons;
    // Optional words before the name.
    for (auto ahead = rest;; rest = ahead) {
        const auto word = next_word(ahead);
        if (word == "xinput") {
            device.xinput = true;
        } else if (word.starts_with("pov=")) {
            const auto pov = parse_pov(word.substr(4));
            if (!pov)
                return "pov= must be a 32-bit number";
            device.pov = *pov;
        } else {
            break;
        }
    }
    device.name = std::string(trim(rest));
    script.devices.push_back(std::move(device));
    return {};
}

std::string parse_fail_line(std::string_view rest, DeviceScript& script)
{
    InjectedFailure failure;
    failure.operation = std::string(next_word(rest));
    if (!is_failable_operation(failure.operation))
        return "unknown operation '" + failure.operation + "'";
    for (auto word = next_word(rest); !word.empty(); word = next_word(rest)) {
        if (word.front() == '{') {
            failure.device = parse_guid(word);
            if (!failure.device)
                return "bad guid";
        } else if (const auto code = parse_hresult(word)) {
            failure.code = *code;
        } else {
            return "expected {guid} or 0xHRESULT, got '" + std::string(word) + "'";
        }
    }
    script.failures.push_back(failure);
    return {};
}

}  // namespace

bool is_failable_operation(std::string_view operation)
{
    return std::find(std::begin(failable_operations), std::end(failable_operations), operation) !=
           std::end(failable_operations);
}

DeviceScript parse_device_script(std::string_view text)
{
    DeviceScript script;
    int line_number = 0;
    while (!text.empty()) {
        const auto newline = text.find('\n');
        const auto line = trim(text.substr(0, newline));
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        ++line_number;
        if (line.empty() || line.front() == '#')
            continue;

        auto rest = line;
        const auto keyword = next_word(rest);
        std::string problem;
        if (keyword == "device")
            problem = parse_device_line(rest, script);
        else if (keyword == "fail")
            problem = parse_fail_line(rest, script);
        else
            problem = "unknown keyword '" + std::string(keyword) + "'";
        if (!problem.empty())
            script.problems.push_back("line " + std::to_string(line_number) + ": " + problem);
    }
    return script;
}

}  // namespace dinput_standin
