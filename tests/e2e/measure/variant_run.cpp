#include "variant_run.h"

#include <random>

#include "common/files.h"
#include "common/text.h"

namespace e2e::measure {
namespace {

constexpr Usec kSecond = 1'000'000;
constexpr Usec kHostReadyWait = 20 * kSecond;
// Wine starts a process in a second or two; the program waits one more before polling.
constexpr Usec kPollingWait = 40 * kSecond;
constexpr Usec kPressWait = 2 * kSecond;
constexpr Usec kReleaseWait = 1 * kSecond;
// Between a release and the next press: several ticks, so the release is seen, and a
// spread of four ticks so that presses land at every phase of the tick.
constexpr std::uint64_t kGapMinUsec = 100'000;
constexpr std::uint64_t kGapMaxUsec = 200'000;
// The host closes itself if this program dies without ending it.
constexpr wchar_t kHostLifetimeSeconds[] = L"600";

std::wstring folderFor(const Options& options, const std::wstring& program, int index) {
    std::wstring stem = fileNameOf(program);
    if (const auto dot = stem.rfind(L'.'); dot != std::wstring::npos) stem.resize(dot);
    return joinPath(options.workFolder,
                    std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(index) + L"-" + stem);
}

// The Linux process of a program started here: its command line names a file in this
// run's folder. Without the drive letter, the path matches Wine's Z:\... form and the
// Linux form alike.
UnixSide unixSideOf(const std::wstring& pathInFolder) {
    const bool hasDrive = pathInFolder.size() > 2 && pathInFolder[1] == L':';
    return UnixSide{findUnixProcess(hasDrive ? pathInFolder.substr(2) : pathInFolder), findOwnWineServer()};
}

}  // namespace

VariantRun::VariantRun(const Options& options, const std::wstring& program, int index)
    : options_(options),
      folder_(folderFor(options, program, index), program),
      dinputLog_(folder_.dinputLog()),
      hostLog_(folder_.hostLog()) {
    result_.program = program;
    result_.tickSeconds = options.tickSeconds;
}

bool VariantRun::fail(const std::string& what) {
    if (result_.problem.empty()) result_.problem = what;
    return false;
}

VariantResult VariantRun::measure() {
    if (start() && waitForPolling()) {
        timeTicks();
        pressRepeatedly();
        idleToTheEnd();
    }
    program_.reset();
    host_.reset();
    // Kept with the stand-in logs, to look into odd figures afterwards.
    if (!pressLog_.empty()) writeFile(joinPath(folder_.path(), L"press_log.txt"), pressLog_);
    return result_;
}

bool VariantRun::start() {
    if (!folder_.prepare(options_.standinsFolder)) return fail(folder_.problem());
    const std::wstring hostProgram = joinPath(options_.standinsFolder, L"fake_host.exe");
    host_ = std::make_unique<ChildProcess>(
        hostProgram, L"--log " + quoted(folder_.hostLog()) + L" --lifetime " + kHostLifetimeSeconds, folder_.path());
    if (!host_->started())
        return fail("cannot start " + narrow(hostProgram) + " (error " + std::to_string(host_->startError()) + ")");
    const Usec deadline = nowUsec() + kHostReadyWait;
    bool ready = false;
    while (!ready && nowUsec() < deadline && host_->running()) {
        for (const std::string& line : hostLog_.newLines()) ready = ready || isHostReady(line);
        if (!ready) Sleep(20);
    }
    if (!ready) return fail("fake_host.exe never logged ready");

    program_ = std::make_unique<ChildProcess>(folder_.programCopy(), L"", folder_.path());
    if (!program_->started())
        return fail("cannot start " + narrow(folder_.programCopy()) + " (error " +
                    std::to_string(program_->startError()) + ")");
    return true;
}

bool VariantRun::waitForPolling() {
    const Usec deadline = nowUsec() + kPollingWait;
    while (nowUsec() < deadline && program_->running()) {
        pullReads();
        for (const StateRead& read : reads_) {
            if (!read.succeeded) continue;
            pollingSince_ = read.at;
            programUnix_ = unixSideOf(folder_.programCopy());
            hostUnix_ = unixSideOf(folder_.hostLog());
            readUsage(result_.cpuAtStart);
            return true;
        }
        Sleep(50);
    }
    if (!program_->running()) return fail("the program ended before it polled");
    return fail("no successful getstate in dinput_log.txt within " + std::to_string(kPollingWait / kSecond) +
                " s: the program never polled the scripted pad");
}

void VariantRun::timeTicks() {
    const Usec end = pollingSince_ + options_.tickSeconds * kSecond;
    sleepUntil(end);
    pullReads();
    result_.tickIntervalsMs = intervalsBetween(pollingSince_, end);
    if (result_.tickIntervalsMs.empty()) fail("no poll ticks while idle");
}

void VariantRun::pressRepeatedly() {
    std::mt19937_64 random(static_cast<std::uint64_t>(nowUsec()));
    std::uniform_int_distribution<std::uint64_t> gap(kGapMinUsec, kGapMaxUsec);
    for (int i = 0; i < options_.presses && program_->running(); ++i) pressOnce(gap(random));
    if (result_.latenciesMs.empty()) fail("no press reached the host");
}

void VariantRun::pressOnce(std::uint64_t gapUsec) {
    ++result_.pressesTried;
    pullCopies();
    const std::size_t copiesBefore = copies_.size();
    if (!folder_.setButtonDown(true)) {
        fail("cannot rewrite dinput_script.txt (error " + std::to_string(GetLastError()) + ")");
        return;
    }
    const Usec pressedAt = nowUsec();
    std::optional<Usec> receivedAt;
    while (!receivedAt && nowUsec() < pressedAt + kPressWait) {
        Sleep(1);
        pullCopies();
        for (std::size_t i = copiesBefore; i < copies_.size() && !receivedAt; ++i)
            if (copies_[i].at >= pressedAt) receivedAt = copies_[i].at;
    }
    if (!folder_.setButtonDown(false))
        fail("cannot rewrite dinput_script.txt (error " + std::to_string(GetLastError()) + ")");
    const Usec releasedAt = nowUsec();

    pullReads();
    std::optional<Usec> seenAt;
    for (const StateRead& read : reads_)
        if (!seenAt && read.at >= pressedAt && read.firstButtonDown) seenAt = read.at;
    if (receivedAt) {
        result_.latenciesMs.push_back(usecToMs(*receivedAt - pressedAt));
        if (seenAt && *seenAt <= *receivedAt) {
            result_.tickWaitsMs.push_back(usecToMs(*seenAt - pressedAt));
            result_.deliveriesMs.push_back(usecToMs(*receivedAt - *seenAt));
        }
    } else {
        ++result_.pressesMissed;
    }
    pressLog_ += std::to_string(pressedAt) + " press seen=" + (seenAt ? std::to_string(*seenAt) : "none") +
                 " received=" + (receivedAt ? std::to_string(*receivedAt) : "none") + "\n";

    sleepUntil(releasedAt + static_cast<Usec>(gapUsec));
    // The next press must find the button up, or it is only a held button to the program.
    const Usec deadline = nowUsec() + kReleaseWait;
    for (;;) {
        pullReads();
        bool released = false;
        for (auto read = reads_.rbegin(); read != reads_.rend() && read->at > releasedAt && !released; ++read)
            released = read->succeeded && !read->firstButtonDown;
        if (released) return;
        if (nowUsec() >= deadline) break;
        Sleep(10);
    }
    ++result_.releasesUnseen;
}

void VariantRun::idleToTheEnd() {
    readUsage(result_.cpuAtQuiet);
    // One long sleep: this program stays out of the way while the other one idles.
    sleepUntil(pollingSince_ + options_.totalSeconds * kSecond);
    readUsage(result_.cpuAtEnd);
    result_.memory = sampleMemory(program_->handle(), programUnix_);
    result_.hostMemory = sampleMemory(host_->handle(), hostUnix_);
    pullReads();
    result_.runIntervalsMs = intervalsBetween(pollingSince_, result_.cpuAtEnd->at);
    if (!program_->running()) fail("the program ended during the measurement");
}

void VariantRun::readUsage(std::optional<CpuSample>& into) {
    into = sampleCpu(program_->handle(), programUnix_);
}

void VariantRun::pullReads() {
    for (const std::string& line : dinputLog_.newLines())
        if (const auto read = parseStateRead(line)) reads_.push_back(*read);
}

void VariantRun::pullCopies() {
    for (const std::string& line : hostLog_.newLines())
        if (const auto copy = parseCopyData(line)) copies_.push_back(*copy);
}

std::vector<double> VariantRun::intervalsBetween(Usec from, Usec to) const {
    std::vector<double> intervals;
    std::optional<Usec> previous;
    for (const StateRead& read : reads_) {
        if (read.at < from || read.at > to) continue;
        if (previous) intervals.push_back(usecToMs(read.at - *previous));
        previous = read.at;
    }
    return intervals;
}

}  // namespace e2e::measure
