// Controller input reaching the host: press, hold and repeat, the no-repeat list, axis thresholds.
#include <algorithm>
#include <cstdio>

#include "../measure/unix_process.h"
#include "common/clock.h"
#include "common/files.h"
#include "failure.h"
#include "scenario_steps.h"
#include "scenarios.h"
#include "screenshot.h"

namespace e2e {
namespace {

void expectAllAre(const std::vector<HostMessage>& messages, const std::string& text, const std::string& what) {
    for (const HostMessage& message : messages) {
        expect(message.tag == 1, what + ": a message has tag " + std::to_string(message.tag) + ", expected 1");
        expect(message.text == text, what + ": the host got " + describe(messages) + ", expected only \"" + text + "\"");
        expect(message.length == text.size(), what + ": a message's length is " + std::to_string(message.length) +
                                                  ", expected " + std::to_string(text.size()));
    }
}

// The CPU time of the session's kestro.exe. Under Wine, GetProcessTimes tells nothing of
// another process; its Linux side does, found by its path without the drive letter.
std::int64_t cpuUsec(Session& session, KestroProcess& kestro) {
    const std::wstring exe = joinPath(session.folder(), L"kestro.exe");
    if (const auto unixProcess = measure::findUnixProcess(exe.substr(2)))
        if (const auto usec = measure::unixCpuTime(*unixProcess)) return *usec;
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(kestro.process().handle(), &created, &exited, &kernel, &user)) return 0;
    const auto usec = [](FILETIME t) { return ((std::int64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10; };
    return usec(kernel) + usec(user);
}

// A Windows that gives no waitable timer: the poll tick runs on a window timer instead,
// and the message loop sleeps between messages rather than spinning.
void pollTickWithoutWaitableTimers(Session& session) {
    session.useVariant(L"kestro-no-waitable-timer.exe");
    session.startHost();
    KestroProcess& kestro = startConnected(session, settingsWithPad({"[DashOrbit]", "but0=play"}));

    const std::int64_t from = nowUsec();
    const std::int64_t cpuFrom = cpuUsec(session, kestro);
    pause(1000ms);
    const double cpuPercent = 100.0 * double(cpuUsec(session, kestro) - cpuFrom) / double(nowUsec() - from);
    const auto reads = session.dinputLog().since(from, "getstate");
    expect(reads.size() >= 20, "only " + std::to_string(reads.size()) + " reads of the pad in 1 s");
    expect(cpuPercent < 10, "kestro.exe used " + std::to_string(int(cpuPercent)) + " % of a core while idle");
    pressOnce(session, 0, "play");
}

void pressHoldAndRepeat(Session& session) {
    const HostLog host = session.startHost();
    KestroProcess& kestro = startConnected(session, settingsWithPad({"[DashOrbit]", "but0=play"}));

    const std::int64_t pressed = nowUsec();
    session.attach({kPadA.holding(0)});
    const auto first = waitForHostMessages(host, pressed, 1, 1000ms);
    expect(!first.empty(), "pressing button 0 sends nothing to the host");
    const double firstMs = millisBetween(pressed, first.front().usec);

    // While the button is held its indicator is green.
    const WindowImage image = saveWindowImage(kestro.mainWindow(), session.inRoot(L"kestro-window.bmp"));
    std::fprintf(stderr, "  (window picture %dx%d taken from %s)\n", image.width, image.height,
                 image.fromScreen ? "the screen" : "PrintWindow");
    expect(image.greenPixels > 0, "the window picture shows no green indicator while button 0 is held");
    expect(image.redPixels > 0, "the window picture shows no red indicators for the released inputs");

    const std::int64_t holdUntil = pressed + 1'000'000;
    if (nowUsec() < holdUntil) pause(Millis((holdUntil - nowUsec()) / 1000));
    const std::int64_t released = nowUsec();
    holdAndWaitForReads(session, kPadA, 4);
    const auto messages = host.messagesSince(pressed);

    expectAllAre(messages, "play", "holding button 0");
    expect(firstMs < 250, "the first message came " + std::to_string(int(firstMs)) + " ms after the press");
    for (const HostMessage& message : messages)
        expect(message.usec < released + 100'000, "a message came " +
                                                      std::to_string(int(millisBetween(released, message.usec))) +
                                                      " ms after the release");
    // Repeats every delay + 1 = 5 polls of 25 ms.
    std::vector<double> gaps;
    for (std::size_t i = 1; i < messages.size(); ++i) gaps.push_back(millisBetween(messages[i - 1].usec, messages[i].usec));
    expect(messages.size() >= 6 && messages.size() <= 10,
           std::to_string(messages.size()) + " messages over a 1 s hold, expected about 9 (one every 125 ms)");
    std::sort(gaps.begin(), gaps.end());
    const double shortest = gaps.front();
    const double median = gaps[gaps.size() / 2];
    expect(shortest >= 95, "two repeats only " + std::to_string(int(shortest)) + " ms apart");
    expect(median >= 110 && median <= 190, "repeats are " + std::to_string(int(median)) + " ms apart, expected 125");
}

void noRepeatList(Session& session) {
    session.startHost();
    startConnected(session,
                   settingsWithPad({"norepeat=mute,power", "[DashOrbit]", "but0=mute", "but1=play", "but2=power"}));
    const auto mute = holdButton(session, 0, 600ms);
    expect(mute.size() == 1, "holding \"mute\" for 600 ms sent " + describe(mute) + ", expected it once");
    expectAllAre(mute, "mute", "holding button 0");
    const auto power = holdButton(session, 2, 600ms);
    expect(power.size() == 1, "holding \"power\" for 600 ms sent " + describe(power) + ", expected it once");
    expectAllAre(power, "power", "holding button 2");
    // The same hold repeats for a text not on the list.
    const auto play = holdButton(session, 1, 600ms);
    expect(play.size() >= 3, "holding \"play\" for 600 ms sent " + describe(play) + ", expected repeats");
    expectAllAre(play, "play", "holding button 1");
}

struct AxisStep {
    int x;
    int y;
    std::string sends;  // empty: nothing
};

void axisThresholds(Session& session) {
    const HostLog host = session.startHost();
    startConnected(session, settingsWithPad({"[DashOrbit]", "up=north", "down=south", "left=west", "right=east"}));
    const AxisStep steps[] = {
        {32767, 1001, ""},  {32767, 1000, "north"}, {32767, 59999, ""}, {32767, 60000, "south"},
        {1001, 32767, ""},  {1000, 32767, "west"},  {59999, 32767, ""}, {60000, 32767, "east"},
        {32767, 0, "north"}, {65535, 32767, "east"},
    };
    for (const AxisStep& step : steps) {
        const std::string where = "x=" + std::to_string(step.x) + " y=" + std::to_string(step.y);
        const std::int64_t moved = nowUsec();
        holdAndWaitForReads(session, kPadA.at(step.x, step.y), 4);
        holdAndWaitForReads(session, kPadA, 2);
        const auto messages = host.messagesSince(moved);
        if (step.sends.empty()) {
            expect(messages.empty(), where + " sent " + describe(messages) + ", expected nothing");
        } else {
            expect(!messages.empty(), where + " sent nothing, expected \"" + step.sends + "\"");
            expectAllAre(messages, step.sends, where);
        }
    }
}

}  // namespace

void addInputScenarios(std::vector<Scenario>& list) {
    list.push_back({"press_hold_and_repeat", pressHoldAndRepeat});
    list.push_back({"no_repeat_list", noRepeatList});
    list.push_back({"axis_thresholds", axisThresholds});
    list.push_back({"poll_tick_without_waitable_timers", pollTickWithoutWaitableTimers});
}

}  // namespace e2e
