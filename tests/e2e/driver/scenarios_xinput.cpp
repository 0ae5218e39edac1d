// Xbox-type pads, which Windows serves to DirectInput only while the reader has the focus:
// read through XInput with kestro.exe in the tray and another program in front; and the
// D-pad as the four directions on request.
#include "common/clock.h"
#include "common/text.h"
#include "failure.h"
#include "scenario_steps.h"
#include "scenarios.h"

namespace e2e {
namespace {

const std::wstring kFrontTitle = L"Notepad Target";

// Another program's window in front, so that kestro.exe (started hidden) has no focus.
void putAnotherWindowInFront(Session& session, KestroProcess& kestro) {
    session.startTarget(kFrontTitle);
    const HWND front = FindWindowW(nullptr, kFrontTitle.c_str());
    require([&] { return GetForegroundWindow() == front; }, 3000ms, "the other window does not come to the front");
    DWORD owner = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &owner);
    expect(owner != kestro.id(), "kestro.exe owns the foreground window");
}

// Waits until kestro.exe has read `pad` `count` times since `usec`, in whatever way it reads it.
void waitForReadsOf(Session& session, const Pad& pad, std::int64_t usec, std::size_t count) {
    const auto reads = [&] {
        std::size_t n = 0;
        for (const auto& call : session.xinputLog().since(usec, "xinputgetstate")) n += call.device == pad.guid;
        for (const auto& call : session.dinputLog().since(usec, "getstate")) n += call.device == pad.guid;
        return n;
    };
    require([&] { return reads() >= count; }, 2000ms, "kestro.exe does not read " + pad.name);
}

// `pads[which]` in the state `pressed` for two reads, then released for two; what the
// host received meanwhile.
std::vector<HostMessage> tap(Session& session, std::vector<Pad> pads, std::size_t which, const Pad& pressed) {
    const std::int64_t start = nowUsec();
    const Pad released = pads[which];
    pads[which] = pressed;
    session.attach(pads);
    waitForReadsOf(session, pressed, nowUsec(), 2);
    pads[which] = released;
    session.attach(pads);
    waitForReadsOf(session, released, nowUsec(), 2);
    return session.hostLog().messagesSince(start);
}

void expectTexts(const std::vector<HostMessage>& messages, const std::vector<std::string>& texts,
                 const std::string& what) {
    bool same = messages.size() == texts.size();
    for (std::size_t i = 0; same && i < texts.size(); ++i) same = messages[i].text == texts[i];
    std::string wanted;
    for (const auto& text : texts) wanted += (wanted.empty() ? "" : ", ") + text;
    expect(same, what + " sent " + describe(messages) + ", expected " + wanted);
}

void xinputPadInTheBackground(Session& session) {
    session.startHost();
    // A DirectInput pad first, then two Xbox pads: the saved one is the second Xbox pad,
    // so it is read from the second connected XInput slot.
    const std::vector<Pad> pads = {kPadA, kXboxOne, kXboxTwo};
    KestroProcess& kestro = startConnected(
        session,
        iniLines({"[settings]", "kestro=" + kXboxTwo.name, "min=True", "dpad=True", "hibernation=1", "[DashOrbit]",
                  "but0=play", "up=north", "left=west"}),
        pads);
    putAnotherWindowInFront(session, kestro);

    expectTexts(tap(session, pads, 2, kXboxTwo.holding(0)), {"play"}, "a press of the Xbox pad in the background");
    const std::int64_t otherPressed = nowUsec();
    session.attach({kPadA, kXboxOne.holding(0), kXboxTwo});
    waitForReadsOf(session, kXboxTwo, nowUsec(), 4);
    session.attach(pads);
    waitForReadsOf(session, kXboxTwo, nowUsec(), 2);
    expectTexts(session.hostLog().messagesSince(otherPressed), {}, "a press of the other Xbox pad");

    const std::int64_t held = nowUsec();
    session.attach({kPadA, kXboxOne, kXboxTwo.holding(0)});
    pause(600ms);
    session.attach(pads);
    waitForReadsOf(session, kXboxTwo, nowUsec(), 2);
    const auto repeats = session.hostLog().messagesSince(held);
    expect(repeats.size() >= 4 && repeats.size() <= 7,
           "holding the Xbox pad's A for 600 ms sent " + describe(repeats) + ", expected about 5 (one every 125 ms)");

    expectTexts(tap(session, pads, 2, kXboxTwo.pointing(27000)), {"west"}, "the Xbox pad's D-pad left");
    expectTexts(tap(session, pads, 2, kXboxTwo.pointing(31500)), {"north", "west"}, "the Xbox pad's D-pad up-left");

    // The first Xbox pad leaves; the second keeps its XInput slot, the second one, and is
    // now the first Xbox pad DirectInput lists. Taken up afresh after a resume, it is
    // still read from the first connected slot.
    const std::vector<Pad> left = {kPadA, kXboxTwo};
    session.attach(left);
    waitForReadsOf(session, kXboxTwo, nowUsec(), 2);
    kestro.power(4);  // PBT_APMSUSPEND
    const std::int64_t resumed = nowUsec();
    kestro.power(7);  // PBT_APMRESUMESUSPEND
    require([&] { return !session.dinputLog().since(resumed, "acquire").empty(); }, 3000ms,
            "the Xbox pad is not taken up again after the resume");
    kestro.waitForText("statusLabel", kConnected, 1000ms);
    expectTexts(tap(session, left, 1, kXboxTwo.holding(0)), {"play"}, "a press after the other Xbox pad left");
}

void xinputPadUnplugAndReplug(Session& session) {
    // Only the oldest XInput is in the system folder: the program falls back to it,
    // and never takes a newer one from beside itself.
    session.removeDll(L"xinput1_4.dll");
    session.removeDll(L"xinput1_3.dll");
    session.putBesideKestro(L"xinput1_4.dll");
    session.startHost();
    KestroProcess& kestro = startConnected(
        session, iniLines({"[settings]", "kestro=" + kXboxOne.name, "min=True", "[DashOrbit]", "but0=play"}),
        {kXboxOne});
    putAnotherWindowInFront(session, kestro);
    expect(!session.xinputLog().since(0, "load", "event", "module=xinput9_1_0.dll").empty(),
           "kestro.exe did not load xinput9_1_0.dll");
    expect(session.xinputLog().since(0, "load", "event", "module=xinput1_4.dll").empty(),
           "kestro.exe loaded the xinput1_4.dll beside it");
    expectTexts(tap(session, {kXboxOne}, 0, kXboxOne.holding(0)), {"play"}, "a press of the Xbox pad");

    session.attach({});
    kestro.waitForText("statusLabel", kUnplugged, 1000ms);
    session.attach({kXboxOne});
    kestro.waitForText("statusLabel", kConnected, 3000ms);
    expectTexts(tap(session, {kXboxOne}, 0, kXboxOne.holding(0)), {"play"}, "a press after plugging it back in");
}

void dpadOfADirectInputPad(Session& session) {
    session.startHost();
    const std::initializer_list<std::string_view> mappings = {"[DashOrbit]", "up=north", "down=south", "left=west",
                                                              "right=east"};
    KestroProcess& first = startConnected(session, settingsWithPad({"dpad=True"}) + iniLines(mappings));
    expectTexts(tap(session, {kPadA}, 0, kPadA.pointing(0)), {"north"}, "the hat up");
    expectTexts(tap(session, {kPadA}, 0, kPadA.pointing(13500)), {"south", "east"}, "the hat down-right");
    expectTexts(tap(session, {kPadA}, 0, kPadA.pointing(0xFFFF)), {}, "a hat centred as 0xFFFF");
    first.process().end();

    // Without the key the hat is ignored and the stick works as before.
    startConnected(session, settingsWithPad() + iniLines(mappings));
    expectTexts(tap(session, {kPadA}, 0, kPadA.pointing(27000)), {}, "the hat left without dpad=True");
    expectTexts(tap(session, {kPadA}, 0, kPadA.at(0, 32767)), {"west"}, "the stick left");
}

}  // namespace

void addXInputScenarios(std::vector<Scenario>& list) {
    list.push_back({"xinput_pad_in_the_background", xinputPadInTheBackground});
    list.push_back({"xinput_pad_unplug_and_replug", xinputPadUnplugAndReplug});
    list.push_back({"dpad_of_a_directinput_pad", dpadOfADirectInputPad});
}

}  // namespace e2e
