#include "options.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <charconv>

namespace standin {

std::optional<std::wstring> Options::value(const std::wstring& name) const
{
    const auto found = values.find(name);
    if (found == values.end())
        return std::nullopt;
    return found->second;
}

unsigned long Options::number(const std::wstring& name, unsigned long fallback)
{
    const auto text = value(name);
    if (!text)
        return fallback;
    std::string digits;
    for (const wchar_t c : *text)
        digits += (c >= L'0' && c <= L'9') ? static_cast<char>(c) : '?';
    unsigned long result = 0;
    const auto [end, status] = std::from_chars(digits.data(), digits.data() + digits.size(), result);
    if (digits.empty() || status != std::errc() || end != digits.data() + digits.size()) {
        error = L"not a whole number: " + name + L" " + *text;
        return fallback;
    }
    return result;
}

Options parse_options(const std::vector<std::wstring>& known_names)
{
    Options options;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (argv == nullptr)
        return options;
    for (int i = 1; i < count; ++i) {
        const std::wstring word = argv[i];
        if (word.rfind(L"--", 0) != 0) {
            options.positional.push_back(word);
            continue;
        }
        if (std::find(known_names.begin(), known_names.end(), word) == known_names.end()) {
            options.error = L"unknown option: " + word;
            break;
        }
        if (i + 1 >= count) {
            options.error = L"missing value after " + word;
            break;
        }
        options.values[word] = argv[++i];
    }
    LocalFree(argv);
    return options;
}

}  // namespace standin
