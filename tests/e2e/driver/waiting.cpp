#include "waiting.h"

#include <thread>

#include "failure.h"

namespace e2e {

bool waitUntil(const std::function<bool()>& ready, Millis timeout, Millis step) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (ready()) return true;
        std::this_thread::sleep_for(step);
    }
    return ready();
}

void require(const std::function<bool()>& ready, Millis timeout, const std::string& reason) {
    if (!waitUntil(ready, timeout)) fail(reason + " (waited " + std::to_string(timeout.count()) + " ms)");
}

void pause(Millis duration) { std::this_thread::sleep_for(duration); }

}  // namespace e2e
