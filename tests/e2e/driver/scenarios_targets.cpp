// Where presses go: keystrokes typed into another program, and a host that answers slowly.
#include "common/clock.h"
#include "common/text.h"
#include "failure.h"
#include "scenario_steps.h"
#include "scenarios.h"
#include "window_search.h"
#include "window_text.h"

namespace e2e {
namespace {

const std::wstring kTargetTitle = L"Notepad Target";

// The target's edit control, where focused typing lands.
HWND targetEdit() {
    const HWND target = FindWindowW(nullptr, kTargetTitle.c_str());
    expect(target != nullptr, "the keystroke target's window is gone");
    const HWND edit = findDescendantByClass(target, L"Edit");
    expect(edit != nullptr, "the keystroke target has no edit control");
    return edit;
}

void keystrokesIntoTarget(Session& session) {
    const TargetLog typed = session.startTarget(kTargetTitle);
    KestroProcess& kestro = startConnected(
        session, settingsWithPad({"dashorbit=False", "sendtoapp=Notepad Target", "[Notepad Target]", "but0=hello"}));
    expect(kestro.checked("Option2") && !kestro.checked("Option1"), "dashorbit=False is not keystroke mode");
    expect(kestro.enabled("txtapp") && kestro.text("txtapp") == kTargetTitle,
           "txtapp does not show the target's title, ready to edit");

    const HWND edit = targetEdit();
    session.attach({kPadA.holding(0)});
    std::wstring text;
    const bool arrived = waitUntil([&] { return (text = textOf(edit)).size() >= 5; }, 2000ms);
    session.attach({kPadA});
    expect(arrived, "pressing button 0 typed \"" + narrow(text) + "\" into the target, expected \"hello\"" +
                        (typed.charsSentToWindow().empty() ? "" : " (the window got \"" + typed.charsSentToWindow() + "\")"));
    holdAndWaitForReads(session, kPadA, 3);
    text = textOf(edit);
    // A long enough hold may repeat it; nothing else may appear.
    bool onlyHello = !text.empty() && text.size() % 5 == 0;
    for (std::size_t i = 0; onlyHello && i < text.size(); i += 5) onlyHello = text.compare(i, 5, L"hello") == 0;
    expect(onlyHello, "the target holds \"" + narrow(text) + "\", expected \"hello\"");
    expect(typed.charsTypedIntoEdit() == narrow(text), "the target's edit control received \"" +
                                                             typed.charsTypedIntoEdit() + "\" as characters");
}

void slowHostDoesNotFreeze(Session& session) {
    const HostLog host = session.startHost(3000);
    KestroProcess& kestro = startConnected(session, settingsWithPad({"[DashOrbit]", "but0=play", "but1=next"}));

    const std::int64_t pressed = nowUsec();
    session.attach({kPadA.holding(0)});
    const auto received = waitForHostMessages(host, pressed, 1, 1500ms);
    session.attach({kPadA});
    expect(!received.empty() && received.front().text == "play", "the slow host never received \"play\"");

    // The host sits on that message for 3 s; Kestro gives up after 2 s and answers again.
    const auto answer = askText(kestro.control("lblOutput"), 2500ms);
    const double answeredMs = millisBetween(received.front().usec, nowUsec());
    expect(answer.has_value(), "the window does not answer while the host is slow");
    expect(answeredMs < 2600, "the window answered " + std::to_string(int(answeredMs)) +
                                  " ms after the host got the press, expected within the 2 s send timeout");
    expect(*answer == kConnected, "lblOutput reads \"" + narrow(*answer) + "\" after the slow send");
    // Polling goes on while the host is still busy.
    const std::int64_t after = nowUsec();
    require([&] { return session.dinputLog().since(after, "getstate").size() >= 4; }, 1000ms,
            "the controller is not read after the send timed out");
    expect(host.slowAnswersDone() == 0, "the host was not slow for as long as the test needs");

    require([&] { return host.slowAnswersDone() >= 1; }, 3000ms, "the slow host never finishes its answer");
    const auto later = pressOnce(session, 1, "next");
    expect(later.tag == 1 && later.length == 4, "the press after the host recovered arrived mangled");
}

// Explorer titles a folder window with the folder's name: with the host's own folder
// open, a window "DashOrbit" of class CabinetWClass lies in front of the host.
void hostBehindAFolderWindow(Session& session) {
    const HostLog host = session.startHost();
    const HostLog folder = session.startWindow(L"DashOrbit", L"CabinetWClass", L"folder_log.txt");
    startConnected(session, settingsWithPad({"[DashOrbit]", "but0=play", "but1=next"}));
    pressOnce(session, 0, "play");
    pressOnce(session, 1, "next");
    pressOnce(session, 0, "play");
    expect(host.messages().size() >= 3, "the host received " + describe(host.messages()));
    expect(folder.messages().empty(), "the folder window received " + describe(folder.messages()));
}

}  // namespace

void addTargetScenarios(std::vector<Scenario>& list) {
    list.push_back({"keystrokes_into_target", keystrokesIntoTarget});
    list.push_back({"slow_host_does_not_freeze", slowHostDoesNotFreeze});
    list.push_back({"host_behind_a_folder_window", hostBehindAFolderWindow});
}

}  // namespace e2e
