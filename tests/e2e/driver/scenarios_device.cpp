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
    kestro.waitForText("statusLabel", kUnplugged, 1000ms);
    expect(kestro.text("controllerBox").empty(), "The device box still names the unplugged controller");
    // While nothing changes the search is cheap: the reconnect tick enumerates
    // the controllers only every five seconds, not every second.
    const DinputLog log = session.dinputLog();
    // The lost-device procedure looks once, and the unplug notice makes the next three ticks look.
    require([&] { return log.since(unplugged, "enum").size() >= 4; }, 5000ms,
            "fewer than 4 searches in the seconds after unplugging");
    const std::int64_t quiet = log.since(unplugged, "enum").back().usec + 1;
    pause(6000ms);
    const auto searches = log.since(quiet, "enum").size();
    expect(searches >= 1 && searches <= 2,
           std::to_string(searches) + " enumerations in 6 s with nothing plugged, expected 1 or 2");
    expect(log.since(quiet, "getstate").empty(), "the lost controller is still read");

    // The system's device-change notice comes before DirectInput lists the
    // pad; the ticks after it keep looking until it is there.
    session.attach({kPadA});
    const std::int64_t listed = nowUsec();
    kestro.waitForText("statusLabel", kConnected, 3000ms);
    expect(millisBetween(listed, nowUsec()) < 2500, "the plugged-in controller is taken up late");
    expect(kestro.text("controllerBox") == widen(kPadA.name), "The device box does not name the controller plugged in again");
    pressOnce(session, 0, "play");
}

// A controller that stays attached but cannot be read for a while (a device
// reset, a wireless reconnect) is read again by itself once it can be.
void readFailureOfAnAttachedController(Session& session) {
    session.startHost();
    KestroProcess& kestro = startConnected(session, settingsWithPad({"[DashOrbit]", "but0=play"}));
    session.attach({kPadA}, "fail getstate " + kPadA.guid + " 0x8007001E\n");
    kestro.waitForText("statusLabel", kUnplugged, 1000ms);
    pause(1500ms);
    expect(kestro.text("statusLabel") == kUnplugged, "connected again while the controller cannot be read");

    const std::int64_t cleared = nowUsec();
    session.attach({kPadA});
    kestro.waitForText("statusLabel", kConnected, 3000ms);
    expect(millisBetween(cleared, nowUsec()) < 2500, "the readable controller is taken up late");
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
    kestro.waitForText("statusLabel", kConnected, 1000ms);
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
    list.push_back({"read_failure_of_an_attached_controller", readFailureOfAnAttachedController});
    list.push_back({"suspend_and_resume", suspendAndResume});
}

}  // namespace e2e
