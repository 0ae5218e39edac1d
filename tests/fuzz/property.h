#pragma once
#include <cstdlib>

// A violated property stops the fuzzer, which keeps the input that broke it.
inline void check(bool property) {
    if (!property) std::abort();
}
