#pragma once
// What a process has used, as Windows reports it and, under Wine, as Linux does.

#include <windows.h>

#include <optional>

#include "clock.h"
#include "unix_process.h"

namespace e2e::measure {

struct CpuSample {
    Usec at = 0;
    Usec windowsCpu = 0;          // GetProcessTimes kernel + user
    std::optional<Usec> unixCpu;  // the Linux process behind it, under Wine
    std::optional<Usec> wineServerCpu;
    std::optional<long long> unixWakeups;
    std::optional<long long> wineServerWakeups;
};

struct MemorySample {
    double privateUsageMb = 0;  // GetProcessMemoryInfo PrivateUsage
    double workingSetMb = 0;
    std::optional<UnixMemory> unixMemory;
};

// The Linux side of a Windows process, when there is one.
struct UnixSide {
    std::optional<int> process;
    std::optional<int> wineServer;
};

CpuSample sampleCpu(HANDLE process, const UnixSide& unix);
MemorySample sampleMemory(HANDLE process, const UnixSide& unix);

// CPU used between two samples as a percentage of one core over the wall time between them.
double cpuPercent(Usec cpuBefore, Usec cpuAfter, Usec wallBefore, Usec wallAfter);
double perSecond(long long countBefore, long long countAfter, Usec wallBefore, Usec wallAfter);

}  // namespace e2e::measure
