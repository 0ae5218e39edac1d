#pragma once
// Everything measured for one program, raw, for the report to summarise.

#include <optional>
#include <string>
#include <vector>

#include "process_usage.h"

namespace e2e::measure {

struct VariantResult {
    std::wstring program;
    std::string problem;  // empty when every figure could be measured

    int tickSeconds = 0;
    std::vector<double> tickIntervalsMs;  // between reads in the idle stretch at the start
    std::vector<double> runIntervalsMs;   // between all reads, presses included

    int pressesTried = 0;
    int pressesMissed = 0;             // no WM_COPYDATA within the wait
    int releasesUnseen = 0;            // the next press may then have been a repeat, not a press
    std::vector<double> latenciesMs;   // script renamed -> host received
    std::vector<double> tickWaitsMs;   // script renamed -> first read that saw the button
    std::vector<double> deliveriesMs;  // that read -> host received

    std::optional<CpuSample> cpuAtStart;  // polling just began
    std::optional<CpuSample> cpuAtQuiet;  // presses over, nothing more happens
    std::optional<CpuSample> cpuAtEnd;
    std::optional<MemorySample> memory;
    std::optional<MemorySample> hostMemory;  // fake_host.exe: a minimal window program, for scale
};

}  // namespace e2e::measure
