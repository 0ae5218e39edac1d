// The long run: the same kestro.exe unplugged and plugged back in, suspended and resumed,
// again and again, with a press after each recovery. Not a scenario: it takes minutes.
#include "soak.h"

#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>

#include "../measure/log_follower.h"
#include "../measure/unix_process.h"
#include "common/clock.h"
#include "common/files.h"
#include "common/log_line.h"
#include "failure.h"
#include "scenario_steps.h"

namespace e2e {
namespace {

constexpr WPARAM kSuspend = 4;        // PBT_APMSUSPEND
constexpr WPARAM kResumeSuspend = 7;  // PBT_APMRESUMESUSPEND
constexpr Millis kRecoveryDeadline = 3000ms;

// The controller stand-in's log, read once front to back as the run goes (a long run's
// log has tens of thousands of lines), counting the DirectInput objects on the way.
class DinputTail {
public:
    explicit DinputTail(const std::wstring& path) : follower_(path) {}

    // The first call from now on that `wanted` accepts; the calls before it are passed over.
    DinputCall waitFor(const std::function<bool(const DinputCall&)>& wanted, Millis timeout, const std::string& what) {
        std::optional<DinputCall> found;
        require([&] {
            takeNewLines();
            for (; !found && !pending_.empty(); pending_.pop_front())
                if (wanted(pending_.front())) found = pending_.front();
            return found.has_value();
        }, timeout, what);
        return *found;
    }
    // DirectInput objects and devices made, and let go (released to no references).
    int inputsMade = 0, inputsFreed = 0, devicesMade = 0, devicesFreed = 0;

    void takeNewLines() {
        for (const std::string& line : follower_.newLines()) {
            const auto stamped = splitStamp(line);
            if (!stamped) continue;
            DinputCall call = dinputCallOf(stamped->usec, stamped->rest);
            if (call.result == "ok") {
                if (call.operation == "create") ++inputsMade;
                if (call.operation == "createdevice") ++devicesMade;
                if (call.operation == "release" && call.details == "refs=0")
                    ++(call.device == "-" ? inputsFreed : devicesFreed);
            }
            pending_.push_back(std::move(call));
        }
    }

private:
    measure::LogFollower follower_;
    std::deque<DinputCall> pending_;
};

std::function<bool(const DinputCall&)> okCall(std::string_view operation, std::int64_t since,
                                              std::string details = {}) {
    return [=](const DinputCall& call) {
        return call.usec >= since && call.operation == operation && call.result == "ok" &&
               call.details.starts_with(details);
    };
}

// From `since` (the pad listed again, or the resume) to the first read after Kestro
// acquired the pad afresh, and to the host receiving the press made once it is read.
struct Recovery {
    double toReadMs = 0;
    double toPressMs = 0;
};

Recovery recoverAndPress(Session& session, DinputTail& tail, std::int64_t since, const std::string& cycle) {
    const DinputCall acquired = tail.waitFor(okCall("acquire", since), kRecoveryDeadline, cycle + ": not acquired again");
    const DinputCall read = tail.waitFor(okCall("getstate", acquired.usec), kRecoveryDeadline, cycle + ": not read again");
    expect(millisBetween(since, read.usec) < double(kRecoveryDeadline.count()), cycle + ": read again too late");
    const HostMessage press = pressOnce(session, 0, "play");
    // Unplugging before the release is read would leave the input latched as held.
    const std::int64_t released = nowUsec();
    tail.waitFor(okCall("getstate", released, stateDetails(kPadA.x, kPadA.y, 0)), 2000ms, cycle + ": release not read");
    return {millisBetween(since, read.usec), millisBetween(since, press.usec)};
}

// Wine fills PagefileUsage (from the Linux process's RssAnon + VmSwap) but leaves
// PrivateUsage 0, and its GetProcessHandleCount gives 0 for every process, so the
// Linux process's open files stand in for the handles.
struct Usage {
    double commitMb = 0, residentMb = 0;
    int openFiles = 0;
};

Usage usageOf(HANDLE process, std::optional<int> unixProcess) {
    Usage usage;
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(process, &counters, sizeof counters))
        usage.commitMb = double(counters.PagefileUsage) / (1024.0 * 1024.0);
    if (!unixProcess) return usage;
    if (const auto memory = measure::unixMemory(*unixProcess)) usage.residentMb = memory->residentMb;
    usage.openFiles = measure::unixOpenFiles(*unixProcess).value_or(0);
    return usage;
}

void printTimes(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    if (!ms.empty()) std::printf("%s: median %.0f ms, worst %.0f ms\n", what, ms[ms.size() / 2], ms.back());
}

}  // namespace

int runSoak(const Paths& paths, int cycles) {
    const unsigned lifetimeS = 120 + 10 * unsigned(cycles);
    Session session(paths, "soak");
    DinputTail tail(joinPath(session.folder(), L"dinput_log.txt"));
    std::vector<Recovery> replugs, resumes;
    std::vector<std::int64_t> cycleStarts;  // each cycle ends with one press
    std::string failure;
    Usage start, end;
    try {
        session.startWindow(L"DashOrbit", L"KestroStandinDashOrbit", L"host_log.txt", true, lifetimeS);
        KestroProcess& kestro =
            startConnected(session, settingsWithPad({"hibernation=0", "norepeat=play", "[DashOrbit]", "but0=play"}));
        const auto unixProcess = measure::findUnixProcess(joinPath(session.folder(), L"kestro.exe").substr(2));
        start = usageOf(kestro.process().handle(), unixProcess);
        for (int i = 1; i <= cycles; ++i) {
            const std::string n = std::to_string(i);
            cycleStarts.push_back(nowUsec());
            session.attach({});
            kestro.waitForText("statusLabel", kUnplugged, kRecoveryDeadline);
            session.attach({kPadA});  // announced first, then listed, as Windows may
            replugs.push_back(recoverAndPress(session, tail, nowUsec(), "re-plug " + n));

            cycleStarts.push_back(nowUsec());
            kestro.power(kSuspend);
            const std::int64_t resumed = nowUsec();
            kestro.power(kResumeSuspend);
            resumes.push_back(recoverAndPress(session, tail, resumed, "resume " + n));
        }
        end = usageOf(kestro.process().handle(), unixProcess);
    } catch (const std::exception& error) {
        failure = error.what();
    }
    tail.takeNewLines();

    // A press's messages are those that came in its cycle.
    const auto messages = session.hostLog().messages();
    int missed = 0, doubled = 0;
    for (std::size_t i = 0; i < cycleStarts.size(); ++i) {
        const std::int64_t next = i + 1 < cycleStarts.size() ? cycleStarts[i + 1] : INT64_MAX;
        const auto got = std::count_if(messages.begin(), messages.end(),
                                       [&](const HostMessage& m) { return m.usec >= cycleStarts[i] && m.usec < next; });
        missed += got == 0;
        doubled += got > 1;
    }
    std::printf("soak: %d of %d unplug/re-plug and %d of %d suspend/resume cycles recovered (hibernation=0)\n",
                int(replugs.size()), cycles, int(resumes.size()), cycles);
    const auto times = [](const std::vector<Recovery>& list, double Recovery::*field) {
        std::vector<double> ms;
        for (const Recovery& r : list) ms.push_back(r.*field);
        return ms;
    };
    for (const auto& [what, list] : {std::pair{"re-plug (pad listed again)", &replugs}, {"resume broadcast", &resumes}}) {
        printTimes((std::string(what) + " to the first read after re-acquiring").c_str(), times(*list, &Recovery::toReadMs));
        printTimes((std::string(what) + " to the press received").c_str(), times(*list, &Recovery::toPressMs));
    }
    std::printf("presses: %d, host messages: %d, missed: %d, doubled: %d\n", int(cycleStarts.size()),
                int(messages.size()), missed, doubled);
    std::printf("commit (PagefileUsage): %.2f MB at start, %.2f MB at end; resident %.2f / %.2f MB\n",
                start.commitMb, end.commitMb, start.residentMb, end.residentMb);
    std::printf("open files of the Linux process (handles stand-in): %d at start, %d at end\n", start.openFiles,
                end.openFiles);
    std::printf("DirectInput objects: %d made, %d released; devices: %d made, %d released\n", tail.inputsMade,
                tail.inputsFreed, tail.devicesMade, tail.devicesFreed);
    const auto addFailure = [&](const std::string& reason) { failure += (failure.empty() ? "" : "; ") + reason; };
    // Only the device and the DirectInput object in use may still be held.
    if (tail.inputsMade - tail.inputsFreed > 1 || tail.devicesMade - tail.devicesFreed > 1)
        addFailure("DirectInput objects are not released");
    if (missed + doubled > 0) addFailure("a press was missed or doubled");
    if (!failure.empty()) {
        std::printf("FAIL soak: %s\n", failure.c_str());
        return 1;
    }
    std::printf("PASS soak\n");
    return 0;
}

}  // namespace e2e
