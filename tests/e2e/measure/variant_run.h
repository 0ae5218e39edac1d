#pragma once
// Measures one program: starts the host stand-in and the program in a fresh folder, times
// its idle poll ticks, presses the scripted button, then lets it idle until the whole
// polling time has passed and reads its CPU and memory.

#include <memory>
#include <string>
#include <vector>

#include "common/child_process.h"
#include "log_follower.h"
#include "log_lines.h"
#include "options.h"
#include "variant_folder.h"
#include "variant_result.h"

namespace e2e::measure {

class VariantRun {
public:
    VariantRun(const Options& options, const std::wstring& program, int index);
    VariantResult measure();

private:
    bool start();
    bool waitForPolling();
    void timeTicks();
    void pressRepeatedly();
    void pressOnce(std::uint64_t jitterUsec);
    void idleToTheEnd();
    void readUsage(std::optional<CpuSample>& into);

    void pullReads();
    void pullCopies();
    std::vector<double> intervalsBetween(Usec from, Usec to) const;
    bool fail(const std::string& what);

    const Options& options_;
    VariantFolder folder_;
    VariantResult result_;
    std::unique_ptr<ChildProcess> host_;
    std::unique_ptr<ChildProcess> program_;
    LogFollower dinputLog_;
    LogFollower hostLog_;
    std::vector<StateRead> reads_;
    std::vector<CopyDataReceived> copies_;
    std::string pressLog_;  // "<pressed usec> press seen=<usec> received=<usec>" per press
    UnixSide programUnix_;
    UnixSide hostUnix_;
    Usec pollingSince_ = 0;
};

}  // namespace e2e::measure
