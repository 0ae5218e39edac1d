#include "report.h"

#include <cstdio>
#include <string>

#include "common/files.h"
#include "common/text.h"
#include "statistics.h"

namespace e2e::measure {
namespace {

// The figures as reported: under Wine the Linux side is the truthful one, because Wine
// gives no CPU time and no private bytes for another process.
struct Usage {
    std::optional<double> cpuPercent;
    const char* cpuSource = "na";
    std::optional<double> windowsCpuPercent;
    std::optional<double> quietCpuPercent;
    std::optional<double> quietServerPercent;
    std::optional<double> quietWakeups;        // per second
    std::optional<double> quietServerWakeups;  // per second
    double quietSeconds = 0;
    double wallSeconds = 0;
    std::optional<double> privateMb;
    const char* privateSource = "na";
};

Usage usageOf(const VariantResult& r) {
    Usage u;
    if (!r.cpuAtStart || !r.cpuAtEnd) return u;
    const CpuSample& a = *r.cpuAtStart;
    const CpuSample& e = *r.cpuAtEnd;
    u.wallSeconds = static_cast<double>(e.at - a.at) / 1e6;
    u.windowsCpuPercent = cpuPercent(a.windowsCpu, e.windowsCpu, a.at, e.at);
    if (a.unixCpu && e.unixCpu) {
        u.cpuPercent = cpuPercent(*a.unixCpu, *e.unixCpu, a.at, e.at);
        u.cpuSource = "linux_proc";
    } else {
        u.cpuPercent = u.windowsCpuPercent;
        u.cpuSource = "GetProcessTimes";
    }
    if (r.cpuAtQuiet) {
        const CpuSample& q = *r.cpuAtQuiet;
        u.quietSeconds = static_cast<double>(e.at - q.at) / 1e6;
        u.quietCpuPercent = q.unixCpu && e.unixCpu ? cpuPercent(*q.unixCpu, *e.unixCpu, q.at, e.at)
                                                   : cpuPercent(q.windowsCpu, e.windowsCpu, q.at, e.at);
        if (q.wineServerCpu && e.wineServerCpu)
            u.quietServerPercent = cpuPercent(*q.wineServerCpu, *e.wineServerCpu, q.at, e.at);
        if (q.unixWakeups && e.unixWakeups) u.quietWakeups = perSecond(*q.unixWakeups, *e.unixWakeups, q.at, e.at);
        if (q.wineServerWakeups && e.wineServerWakeups)
            u.quietServerWakeups = perSecond(*q.wineServerWakeups, *e.wineServerWakeups, q.at, e.at);
    }
    if (r.memory) {
        if (r.memory->unixMemory) {
            u.privateMb = r.memory->unixMemory->privateMb;
            u.privateSource = "linux_rss_anon";
        } else {
            u.privateMb = r.memory->privateUsageMb;
            u.privateSource = "PrivateUsage";
        }
    }
    return u;
}

std::string number(std::optional<double> value, int decimals = 2) {
    if (!value) return "na";
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, *value);
    return text;
}

void printSpread(const char* label, const std::vector<double>& values) {
    const Spread s = spreadOf(values);
    if (s.count == 0) {
        std::printf("  %-30s no data\n", label);
        return;
    }
    std::printf("  %-30s mean %6.2f ms   sd %5.2f ms   worst %6.2f ms   (%zu intervals)\n", label, s.mean,
                s.standardDeviation, s.worst, s.count);
}

void printRanks(const char* label, const std::vector<double>& values, const std::string& note) {
    const Ranks r = ranksOf(values);
    if (r.count == 0) {
        std::printf("  %-30s no data\n", label);
        return;
    }
    std::printf("  %-30s median %6.2f ms   p95 %6.2f ms   worst %6.2f ms%s\n", label, r.median, r.percentile95, r.worst,
                note.c_str());
}

}  // namespace

void printTable(const VariantResult& r) {
    const Usage u = usageOf(r);
    std::printf("\n== %s   (%s)\n", narrow(fileNameOf(r.program)).c_str(), narrow(r.program).c_str());
    const std::string tickLabel = "poll tick, first " + std::to_string(r.tickSeconds) + " s idle";
    printSpread(tickLabel.c_str(), r.tickIntervalsMs);
    char runLabel[64];
    std::snprintf(runLabel, sizeof runLabel, "poll tick, whole %.0f s", u.wallSeconds);
    printSpread(runLabel, r.runIntervalsMs);
    const std::string pressNote =
        "   (" + std::to_string(r.latenciesMs.size()) + " of " + std::to_string(r.pressesTried) + " presses received" +
        (r.releasesUnseen ? ", " + std::to_string(r.releasesUnseen) + " releases unseen" : "") + ")";
    printRanks("press -> host received", r.latenciesMs, pressNote);
    printRanks("  of it: wait for the tick", r.tickWaitsMs, "");
    printRanks("  of it: tick -> host", r.deliveriesMs, "");
    if (u.cpuPercent) {
        std::printf("  %-30s %s %% of one core (%s); GetProcessTimes gives %s %%\n",
                    ("CPU over " + number(u.wallSeconds, 1) + " s polling").c_str(), number(u.cpuPercent).c_str(),
                    u.cpuSource, number(u.windowsCpuPercent).c_str());
        std::printf("  %-30s %s %%; its wineserver (whole prefix) %s %%\n",
                    ("CPU idle, last " + number(u.quietSeconds, 1) + " s").c_str(), number(u.quietCpuPercent).c_str(),
                    number(u.quietServerPercent).c_str());
        if (u.quietWakeups)
            std::printf("  %-30s %s /s; its wineserver %s /s (voluntary context switches)\n", "wakeups while idle",
                        number(u.quietWakeups, 1).c_str(), number(u.quietServerWakeups, 1).c_str());
    }
    if (r.memory) {
        const auto& m = *r.memory;
        std::printf("  %-30s %s MB (%s); PrivateUsage %s MB, working set %s MB", "private memory",
                    number(u.privateMb).c_str(), u.privateSource, number(m.privateUsageMb).c_str(),
                    number(m.workingSetMb).c_str());
        if (m.unixMemory) std::printf(", Linux resident %s MB", number(m.unixMemory->residentMb).c_str());
        std::printf("\n");
    }
    if (r.hostMemory && r.hostMemory->unixMemory)
        std::printf("  %-30s %s MB private (Linux RssAnon), for scale\n", "fake_host.exe (empty window)",
                    number(r.hostMemory->unixMemory->privateMb).c_str());
    if (!r.problem.empty()) std::printf("  PROBLEM: %s\n", r.problem.c_str());
}

void printMachineLines(const std::vector<VariantResult>& results) {
    std::printf("\n");
    for (const VariantResult& r : results) {
        const Usage u = usageOf(r);
        const Spread tick = spreadOf(r.tickIntervalsMs);
        const Spread run = spreadOf(r.runIntervalsMs);
        const Ranks latency = ranksOf(r.latenciesMs);
        const auto present = [](std::size_t count, double value) {
            return count ? std::optional<double>(value) : std::nullopt;
        };
        std::printf(
            "KESTRO_MEASURE program=%s status=%s tick_count=%zu tick_mean_ms=%s tick_sd_ms=%s tick_worst_ms=%s "
            "run_tick_count=%zu run_tick_mean_ms=%s run_tick_sd_ms=%s run_tick_worst_ms=%s presses=%d received=%zu "
            "latency_median_ms=%s latency_p95_ms=%s latency_worst_ms=%s cpu_pct=%s cpu_source=%s cpu_wall_s=%s "
            "idle_cpu_pct=%s idle_wineserver_cpu_pct=%s idle_wakeups_per_s=%s idle_wineserver_wakeups_per_s=%s "
            "private_mb=%s private_source=%s\n",
            narrow(fileNameOf(r.program)).c_str(), r.problem.empty() ? "ok" : "broken", tick.count,
            number(present(tick.count, tick.mean), 3).c_str(),
            number(present(tick.count, tick.standardDeviation), 3).c_str(),
            number(present(tick.count, tick.worst), 3).c_str(), run.count,
            number(present(run.count, run.mean), 3).c_str(),
            number(present(run.count, run.standardDeviation), 3).c_str(),
            number(present(run.count, run.worst), 3).c_str(), r.pressesTried, latency.count,
            number(present(latency.count, latency.median), 3).c_str(),
            number(present(latency.count, latency.percentile95), 3).c_str(),
            number(present(latency.count, latency.worst), 3).c_str(), number(u.cpuPercent, 3).c_str(), u.cpuSource,
            number(u.cpuPercent ? std::optional<double>(u.wallSeconds) : std::nullopt, 1).c_str(),
            number(u.quietCpuPercent, 3).c_str(), number(u.quietServerPercent, 3).c_str(),
            number(u.quietWakeups, 1).c_str(), number(u.quietServerWakeups, 1).c_str(), number(u.privateMb, 2).c_str(),
            u.privateSource);
    }
}

}  // namespace e2e::measure
