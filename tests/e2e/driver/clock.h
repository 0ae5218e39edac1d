#pragma once
#include <cstdint>

namespace e2e {

// Microseconds on the same system-wide clock the stand-ins stamp their log lines
// with, so the driver can compare its own moments with theirs.
std::int64_t nowUsec();

}  // namespace e2e
