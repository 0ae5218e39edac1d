#include "dinput_log.h"

#include "log_lines.h"

namespace e2e {
namespace {

std::string nextWord(std::string_view& rest) {
    const std::size_t space = rest.find(' ');
    const std::string word(rest.substr(0, space));
    rest.remove_prefix(space == std::string_view::npos ? rest.size() : space + 1);
    return word;
}

}  // namespace

DinputCall dinputCallOf(std::int64_t usec, std::string_view rest) {
    DinputCall call;
    call.usec = usec;
    call.operation = nextWord(rest);
    call.device = nextWord(rest);
    call.result = nextWord(rest);
    call.details = std::string(rest);
    return call;
}

std::vector<DinputCall> DinputLog::calls() const {
    std::vector<DinputCall> found;
    for (const LogLine& line : readLogLines(path_)) found.push_back(dinputCallOf(line.usec, line.rest));
    return found;
}

std::vector<DinputCall> DinputLog::since(std::int64_t usec, std::string_view operation, std::string_view result,
                                         std::string_view detail) const {
    std::vector<DinputCall> found;
    for (DinputCall& call : calls())
        if (call.usec >= usec && call.operation == operation && call.result == result &&
            call.details.find(detail) != std::string::npos)
            found.push_back(std::move(call));
    return found;
}

std::optional<std::int64_t> DinputLog::firstSince(std::int64_t usec, std::string_view operation,
                                                  std::string_view result) const {
    const auto found = since(usec, operation, result);
    if (found.empty()) return std::nullopt;
    return found.front().usec;
}

std::string stateDetails(int x, int y, std::uint32_t buttons) {
    std::string pressed(32, '0');
    for (std::size_t i = 0; i < 10; ++i)
        if ((buttons >> i) & 1u) pressed[i] = '1';
    return "x=" + std::to_string(x) + " y=" + std::to_string(y) + " buttons=" + pressed;
}

}  // namespace e2e
