#pragma once
// Command-line parsing for the GUI stand-ins: "--name value" pairs plus positional words.

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace standin {

struct Options {
    std::map<std::wstring, std::wstring> values;
    std::vector<std::wstring> positional;
    std::wstring error;  // empty when the command line made sense

    std::optional<std::wstring> value(const std::wstring& name) const;
    // The option as a whole number, fallback when absent; sets error when malformed.
    unsigned long number(const std::wstring& name, unsigned long fallback);
};

// Parses this process's command line; every name in known_names takes one value.
Options parse_options(const std::vector<std::wstring>& known_names);

}  // namespace standin
