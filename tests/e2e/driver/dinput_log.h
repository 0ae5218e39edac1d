#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// One DirectInput call as the controller stand-in logged it:
// "<usec> <operation> <device or -> <result> [details]".
struct DinputCall {
    std::int64_t usec = 0;
    std::string operation;
    std::string device;
    std::string result;
    std::string details;
};

// One line's call, from the part after its time stamp.
DinputCall dinputCallOf(std::int64_t usec, std::string_view rest);

// dinput_log.txt beside kestro.exe.
class DinputLog {
public:
    explicit DinputLog(std::wstring path) : path_(std::move(path)) {}

    std::vector<DinputCall> calls() const;
    // Calls of `operation` with `result` at or after `usec`, whose details contain `detail`.
    std::vector<DinputCall> since(std::int64_t usec, std::string_view operation, std::string_view result = "ok",
                                  std::string_view detail = {}) const;
    std::optional<std::int64_t> firstSince(std::int64_t usec, std::string_view operation,
                                           std::string_view result = "ok") const;

private:
    std::wstring path_;
};

// The details a successful state read logs for these axes and buttons 0..9.
std::string stateDetails(int x, int y, std::uint32_t buttons);

}  // namespace e2e
