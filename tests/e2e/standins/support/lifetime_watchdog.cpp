#include "lifetime_watchdog.h"

#include <chrono>
#include <thread>

namespace standin {

void start_lifetime_watchdog(HWND window, unsigned long seconds)
{
    std::thread([window, seconds] {
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
        PostMessageW(window, WM_CLOSE, 0, 0);
        std::this_thread::sleep_for(std::chrono::seconds(5));
        ExitProcess(3);
    }).detach();
}

}  // namespace standin
