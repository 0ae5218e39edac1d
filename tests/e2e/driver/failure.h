#pragma once
#include <stdexcept>
#include <string>

namespace e2e {

// A scenario stops at its first broken expectation; the reason is its FAIL line.
class Failure : public std::runtime_error {
public:
    explicit Failure(const std::string& reason) : std::runtime_error(reason) {}
};

[[noreturn]] void fail(const std::string& reason);

// Fails with `reason` unless `ok`.
void expect(bool ok, const std::string& reason);

}  // namespace e2e
