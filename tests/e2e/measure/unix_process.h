#pragma once
// Under Wine, GetProcessTimes and GetProcessMemoryInfo report next to nothing for another
// process (no user/kernel time, PrivateUsage 0). Wine maps Z: to the Linux root, so the
// Linux process behind a Windows one can be read from /proc instead. On Windows none of
// this exists and every lookup gives nullopt.

#include <optional>
#include <string>

#include "clock.h"

namespace e2e::measure {

struct UnixMemory {
    double privateMb = 0;   // RssAnon + VmSwap: what Wine itself calls a process's private bytes
    double residentMb = 0;  // VmRSS, shared libraries included
};

// The Linux process whose command line contains `marker` (case-insensitive), e.g. a
// folder path only that process was started with.
std::optional<int> findUnixProcess(const std::wstring& marker);
// The wineserver of this program's own Wine prefix (the one with the same WINEPREFIX).
std::optional<int> findOwnWineServer();

// User + system time so far, at the kernel's 10 ms resolution.
std::optional<Usec> unixCpuTime(int pid);
std::optional<UnixMemory> unixMemory(int pid);
// Its open file descriptors: the nearest Linux figure to a Windows handle count.
std::optional<int> unixOpenFiles(int pid);
// Voluntary context switches of all its threads so far: how often it went to sleep and
// was woken, a steadier measure of a timer's cost than CPU time at 10 ms resolution.
std::optional<long long> unixWakeups(int pid);

}  // namespace e2e::measure
