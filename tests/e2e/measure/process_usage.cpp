#include "process_usage.h"

#include <psapi.h>

namespace e2e::measure {
namespace {

Usec fileTimeUsec(const FILETIME& time) {
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<Usec>(value.QuadPart / 10);
}

constexpr double kBytesPerMb = 1024.0 * 1024.0;

}  // namespace

CpuSample sampleCpu(HANDLE process, const UnixSide& unix) {
    CpuSample sample;
    FILETIME created, exited, kernel, user;
    if (GetProcessTimes(process, &created, &exited, &kernel, &user))
        sample.windowsCpu = fileTimeUsec(kernel) + fileTimeUsec(user);
    if (unix.process) sample.unixCpu = unixCpuTime(*unix.process);
    if (unix.wineServer) sample.wineServerCpu = unixCpuTime(*unix.wineServer);
    if (unix.process) sample.unixWakeups = unixWakeups(*unix.process);
    if (unix.wineServer) sample.wineServerWakeups = unixWakeups(*unix.wineServer);
    // Last, so the wall time never runs ahead of the figures read.
    sample.at = nowUsec();
    return sample;
}

MemorySample sampleMemory(HANDLE process, const UnixSide& unix) {
    MemorySample sample;
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) {
        sample.privateUsageMb = static_cast<double>(counters.PrivateUsage) / kBytesPerMb;
        sample.workingSetMb = static_cast<double>(counters.WorkingSetSize) / kBytesPerMb;
    }
    if (unix.process) sample.unixMemory = unixMemory(*unix.process);
    return sample;
}

double cpuPercent(Usec cpuBefore, Usec cpuAfter, Usec wallBefore, Usec wallAfter) {
    if (wallAfter <= wallBefore) return 0;
    return 100.0 * static_cast<double>(cpuAfter - cpuBefore) / static_cast<double>(wallAfter - wallBefore);
}

double perSecond(long long countBefore, long long countAfter, Usec wallBefore, Usec wallAfter) {
    if (wallAfter <= wallBefore) return 0;
    return static_cast<double>(countAfter - countBefore) * 1e6 / static_cast<double>(wallAfter - wallBefore);
}

}  // namespace e2e::measure
