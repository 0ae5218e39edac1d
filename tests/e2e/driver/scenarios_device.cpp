// The controller going away and coming back: unplugging, and the system suspending and resuming.
#include "common/clock.h"
#include "common/text.h"
#include "failure.h"
#include "scenario_steps.h"
#include "scenarios.h"

namespace e2e {
namespace {

constexpr WPARAM kSuspend = 4;           // PBT_APMSUSPEND
constexpr WPARAM kResumeSuspend = 7;     // PBT_APMRESUMESUSPEND
constexpr WPARAM kResumeAutomatic = 18;  // PBT_APMRESUMEAUTOMATIC

void unplugAndReplug(Session& session) {
    session.startHost();
    KestroProcess& kestro = startConnected(session, settingsWithPad({"[DashOrbit]", "but0=play"}));
    pressOnce(session, 0, "play");

    const std::int64_t unplugged = nowUsec();
    session.attach({});
    kestro.waitForText("lblOutput", kUnplugged, 1000ms);
    expect(kestro.text("Combo2").empty(), "Combo2 still names the unplugged controller");
    // Searching once a second, and no longer reading the lost device.
    const DinputLog log = session.dinputLog();
    require([&] { return log.since(unplugged, "enum").size() >= 3; }, 3500ms,
            "fewer than 3 searches for controllers in the seconds after unplugging");
    const auto searches = log.since(unplugged, "enum");
    const double gapMs = millisBetween(searches[searches.size() - 2].usec, searches.back().usec);
    expect(gapMs > 800 && gapMs < 1500, "searches are " + std::to_string(int(gapMs)) + " ms apart, expected 1 s");
    expect(log.since(searches.front().usec + 1, "getstate").empty(), "the lost controller is still read");

    session.attach({kPadA});
    kestro.waitForText("lblOutput", kConnected, 2000ms);
    expect(kestro.text("Combo2") == widen(kPadA.name), "Combo2 does not name the controller plugged in again");
    pressOnce(session, 0, "play");
}

// Resumes with `event` and checks that the controller is taken up again after the
// one-second wait, not before, and that presses reach the host again.
void resumeAfterSuspend(Session& session, KestroProcess& kestro, WPARAM event) {
    const std::string name = "resume " + std::to_string(event);
    kestro.power(kSuspend);
    const std::int64_t suspended = nowUsec();
    pause(100ms);  // a read already under way may still finish
    const DinputLog log = session.dinputLog();
    const std::int64_t quiet = nowUsec();
    session.attach({kPadA.holding(0)});
    pause(400ms);
    expect(log.since(quiet, "getstate").empty(), "the controller is still read after the suspend");
    expect(session.hostLog().messagesSince(suspended).empty(), "a press after the suspend reached the host");
    session.attach({kPadA});

    kestro.power(event);
    const std::int64_t resumed = nowUsec();
    require([&] { return !log.since(resumed, "acquire").empty(); }, 3000ms,
            "the controller is not taken up again after " + name);
    const double waitedMs = millisBetween(resumed, log.since(resumed, "acquire").front().usec);
    expect(waitedMs > 850 && waitedMs < 2000,
           "taken up again " + std::to_string(int(waitedMs)) + " ms after " + name + ", expected after 1 s");
    kestro.waitForText("lblOutput", kConnected, 1000ms);
    pressOnce(session, 0, "play");
}

void suspendAndResume(Session& session) {
    session.startHost();
    KestroProcess& kestro =
        startConnected(session, settingsWithPad({"hibernation=1", "[DashOrbit]", "but0=play"}));
    resumeAfterSuspend(session, kestro, kResumeSuspend);
    resumeAfterSuspend(session, kestro, kResumeAutomatic);
}

}  // namespace

void addDeviceScenarios(std::vector<Scenario>& list) {
    list.push_back({"unplug_and_replug", unplugAndReplug});
    list.push_back({"suspend_and_resume", suspendAndResume});
}

}  // namespace e2e
