#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

// One WM_COPYDATA as the host stand-in received it.
struct HostMessage {
    std::int64_t usec = 0;
    unsigned long tag = 0;
    std::size_t length = 0;
    std::string text;
};

// host_log.txt, written by fake_host.exe.
class HostLog {
public:
    explicit HostLog(std::wstring path) : path_(std::move(path)) {}

    std::vector<HostMessage> messages() const;
    // Messages received at or after `usec`.
    std::vector<HostMessage> messagesSince(std::int64_t usec) const;
    bool ready() const;
    // How many slow answers have finished.
    int slowAnswersDone() const;
    // How long each broadcast made while handling a command took, in ms.
    std::vector<long> broadcastMillis() const;

private:
    std::wstring path_;
};

// "3 x play" style summary for failure messages.
std::string describe(const std::vector<HostMessage>& messages);

}  // namespace e2e
