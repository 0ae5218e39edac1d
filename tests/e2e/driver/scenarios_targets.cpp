// Where presses go: keystrokes typed into another program, and a host that answers slowly.
#include "common/clock.h"
#include "common/text.h"
#include "failure.h"
#include "scenario_steps.h"
#include "scenarios.h"
#include "window_search.h"
#include "window_text.h"
#include "waiting.h"

#include <algorithm>

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
    expect(kestro.checked("keystrokeOption") && !kestro.checked("hostOption"), "dashorbit=False is not keystroke mode");
    expect(kestro.enabled("targetTitleBox") && kestro.text("targetTitleBox") == kTargetTitle,
           "the title box does not show the target's title, ready to edit");

    const HWND edit = targetEdit();
    session.attach({kPadA.holding(0)});
    std::wstring text;
    const bool arrived = waitUntil([&] { return (text = textOf(edit)).size() >= 5; }, 2000ms);
    session.attach({kPadA});
    expect(arrived, "pressing button 0 typed \"" + narrow(text) + "\" into the target, expected \"hello\"" +
                        (typed.charsSentToWindow().empty() ? "" : " (the window got \"" + typed.charsSentToWindow() + "\")"));
    holdAndWaitForReads(session, kPadA, 3);
    // A long enough hold may repeat it; nothing else may appear. A repeat typed just
    // before the release may still be on its way into the edit control.
    waitUntil([&] { return (text = textOf(edit)).size() % 5 == 0; }, 1000ms);
    bool onlyHello = !text.empty() && text.size() % 5 == 0;
    for (std::size_t i = 0; onlyHello && i < text.size(); i += 5) onlyHello = text.compare(i, 5, L"hello") == 0;
    expect(onlyHello, "the target holds \"" + narrow(text) + "\", expected \"hello\"");
    expect(typed.charsTypedIntoEdit() == narrow(text), "the target's edit control received \"" +
                                                             typed.charsTypedIntoEdit() + "\" as characters");
}

const std::wstring kFrontTitle = L"Front Window";
// The longest repeat delay, so that a press types its text once.
const std::string kTargetSettings =
    settingsWithPad({"dashorbit=False", "sendtoapp=Notepad Target", "[Notepad Target]", "but0=hello", "delay=50"});

// Presses button 0 until the target's edit holds `expected`, then lets go.
std::wstring pressUntilTyped(Session& session, const std::wstring& expected, Millis timeout = 2000ms) {
    const HWND edit = targetEdit();
    session.attach({kPadA.holding(0)});
    std::wstring text;
    waitUntil([&] { return (text = textOf(edit)).size() >= expected.size(); }, timeout);
    session.attach({kPadA});
    holdAndWaitForReads(session, kPadA, 3);
    return textOf(edit);
}

// Another program's window in front, so Kestro has to take the foreground; Windows lets
// it only after an input event of its own.
TargetLog putAnotherWindowInFront(Session& session) {
    const TargetLog front = session.startTarget(kFrontTitle, L"--watch-keys 1", L"front_log.txt");
    const HWND window = FindWindowW(nullptr, kFrontTitle.c_str());
    require([&] { return window && GetForegroundWindow() == window; }, 2000ms, "the front window never came to the front");
    return front;
}

void activationLeavesNoAltTap(Session& session) {
    const TargetLog target = session.startTarget(kTargetTitle);
    startConnected(session, kTargetSettings);
    const TargetLog front = putAnotherWindowInFront(session);

    const std::wstring text = pressUntilTyped(session, L"hello");
    expect(text == L"hello", "the press typed \"" + narrow(text) + "\" into the target, expected \"hello\"");
    // Releasing a lone Alt opens a window menu, wherever the press and the release landed.
    const std::string altTap = loneAltTap({&front, &target});
    expect(altTap.empty(), altTap);
    expect(front.charsTypedIntoEdit().empty(), "the window in front got \"" + front.charsTypedIntoEdit() + "\"");

    // With the target already in front nothing buys the foreground.
    const std::int64_t second = nowUsec();
    const std::wstring again = pressUntilTyped(session, L"hellohello");
    expect(again == L"hellohello", "a second press left \"" + narrow(again) + "\" in the target");
    expect(target.altPressesSince(second) == 0 && front.altPressesSince(second) == 0,
           "Alt was pressed although the target was in front");
}

void typingWaitsForTheFocus(Session& session) {
    const TargetLog target = session.startTarget(kTargetTitle, L"--focus-delay 150");
    startConnected(session, kTargetSettings);
    putAnotherWindowInFront(session);

    const std::int64_t pressed = nowUsec();
    const std::wstring text = pressUntilTyped(session, L"hello");
    expect(text == L"hello", "the target whose focus came back late holds \"" + narrow(text) + "\", expected \"hello\"");
    expect(target.keysSentToWindowSince(pressed) == 0,
           std::to_string(target.keysSentToWindowSince(pressed)) + " keys reached the target before its focus was back");
}

void hungTargetDoesNotFreeze(Session& session) {
    const TargetLog target = session.startTarget(kTargetTitle);
    startConnected(session, kTargetSettings);
    const HWND window = FindWindowW(nullptr, kTargetTitle.c_str());
    const std::int64_t start = nowUsec();
    PostMessageW(window, WM_APP, 5000, 0);
    require([&] { return target.firstSince(start, "hang ms=").has_value(); }, 2000ms, "the target never started to hang");

    session.attach({kPadA.holding(0)});
    require([&] { return target.firstSince(start, "hang done").has_value(); }, 8000ms, "the target never recovered");
    holdAndWaitForReads(session, kPadA, 3);
    const auto reads = session.dinputLog().since(start, "getstate");
    double longestGapMs = 0;
    for (std::size_t i = 1; i < reads.size(); ++i)
        longestGapMs = std::max(longestGapMs, millisBetween(reads[i - 1].usec, reads[i].usec));
    expect(longestGapMs <= 3000, "the controller was not read for " + std::to_string(int(longestGapMs)) +
                                     " ms while the target hung");

    const HWND edit = targetEdit();
    session.attach({kPadA.holding(0)});
    const bool typed = waitUntil([&] { return textOf(edit).ends_with(L"hello"); }, 3000ms);
    session.attach({kPadA});
    expect(typed, "a press after the target recovered left \"" + narrow(textOf(edit)) + "\" in it");
}

// Caps Lock, toggled on for the life of this object, the way a user presses it.
class CapsLockOn {
public:
    CapsLockOn() { press(); }
    ~CapsLockOn() { press(); }
    CapsLockOn(const CapsLockOn&) = delete;
    CapsLockOn& operator=(const CapsLockOn&) = delete;

private:
    static void press() {
        INPUT caps[2]{};
        caps[0].type = caps[1].type = INPUT_KEYBOARD;
        caps[0].ki.wVk = caps[1].ki.wVk = VK_CAPITAL;
        caps[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, caps, sizeof(INPUT));
    }
};

// With Caps Lock on, "Hello" must not arrive as "hELLO".
void capsLockKeepsLetterCase(Session& session) {
    const TargetLog target = session.startTarget(kTargetTitle);
    startConnected(session, settingsWithPad({"dashorbit=False", "sendtoapp=Notepad Target", "[Notepad Target]",
                                             "but0=Hello", "delay=50"}));
    const HWND window = FindWindowW(nullptr, kTargetTitle.c_str());
    SetForegroundWindow(window);
    require([&] { return GetForegroundWindow() == window; }, 2000ms, "the target never came to the front");
    const CapsLockOn capsLock;
    require([&] { return target.firstSince(0, "edit keyup vk=0x14").has_value(); }, 2000ms,
            "the target never got the Caps Lock press");

    const std::wstring text = pressUntilTyped(session, L"Hello");
    expect(text == L"Hello", "with Caps Lock on the press typed \"" + narrow(text) + "\"");
}

// A key held down for the life of this object, as the user holds it.
class KeyHeld {
public:
    explicit KeyHeld(WORD key) : key_(key) { send(0); }
    ~KeyHeld() { send(KEYEVENTF_KEYUP); }
    KeyHeld(const KeyHeld&) = delete;
    KeyHeld& operator=(const KeyHeld&) = delete;

private:
    void send(DWORD flags) const {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key_;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key_, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = flags;
        SendInput(1, &input, sizeof input);
    }
    WORD key_;
};

// With the user holding Shift, "a1" must not arrive as "A!", and Shift is down again afterwards.
void heldShiftIsLetGoWhileTyping(Session& session) {
    const TargetLog target = session.startTarget(kTargetTitle);
    startConnected(session, settingsWithPad({"dashorbit=False", "sendtoapp=Notepad Target", "[Notepad Target]",
                                             "but0=a1", "delay=50"}));
    const HWND window = FindWindowW(nullptr, kTargetTitle.c_str());
    SetForegroundWindow(window);
    require([&] { return GetForegroundWindow() == window; }, 2000ms, "the target never came to the front");
    const KeyHeld shift(VK_LSHIFT);
    require([&] { return target.firstSince(0, "edit keydown vk=0x10").has_value(); }, 2000ms,
            "the target never got the Shift press");
    // Held a moment before the press, as a user holds it: Wine answers GetAsyncKeyState
    // from a copy up to 50 ms old.
    holdAndWaitForReads(session, kPadA, 3);

    const std::wstring text = pressUntilTyped(session, L"a1");
    expect(text == L"a1", "with Shift held the press typed \"" + narrow(text) + "\"");
    expect((GetAsyncKeyState(VK_LSHIFT) & 0x8000) != 0, "Shift is no longer down after the press");
}

// Code page 932: the trail bytes of タ ミ マ are ^ ~ }, which must not be read as syntax.
void doubleByteKeyText(Session& session) {
    session.startTarget(kTargetTitle);
    startConnected(session, settingsWithPad({"dashorbit=False", "sendtoapp=Notepad Target", "[Notepad Target]",
                                             "but0=\x83\x5E\x83\x7E{\x83\x7D}~", "delay=50"}));
    const std::wstring expected = L"\u30BF\u30DF\u30DE\r\n";
    const std::wstring text = pressUntilTyped(session, expected);
    expect(text == expected, "the code page 932 key text typed \"" + narrow(text) + "\", expected \"" +
                                 narrow(expected) + "\"");
}

void slowHostDoesNotFreeze(Session& session) {
    const HostLog host = session.startHost(3000);
    KestroProcess& kestro = startConnected(session, settingsWithPad({"[DashOrbit]", "but0=play", "but1=next"}));

    const std::int64_t pressed = nowUsec();
    session.attach({kPadA.holding(0)});
    const auto received = waitForHostMessages(host, pressed, 1, 1500ms);
    session.attach({kPadA});
    expect(!received.empty() && received.front().text == "play", "the slow host never received \"play\"");

    // The host sits on that message for 3 s; Kestro answers messages sent to it while
    // it waits, and gives up the send after 2 s.
    const auto answer = askText(kestro.control("statusLabel"), 2500ms);
    const double answeredMs = millisBetween(received.front().usec, nowUsec());
    expect(answer.has_value(), "the window does not answer while the host is slow");
    expect(answeredMs < 2600, "the window answered " + std::to_string(int(answeredMs)) +
                                  " ms after the host got the press, expected within the 2 s send timeout");
    expect(*answer == kConnected, "the status label reads \"" + narrow(*answer) + "\" during the slow send");
    // Polling goes on once the send timed out, while the host is still busy.
    require([&] { return session.dinputLog().since(received.front().usec, "getstate").size() >= 4; }, 2600ms,
            "the controller is not read after the send timed out");
    expect(host.slowAnswersDone() == 0, "the host was not slow for as long as the test needs");

    require([&] { return host.slowAnswersDone() >= 1; }, 3000ms, "the slow host never finishes its answer");
    const auto later = pressOnce(session, 1, "next");
    expect(later.tag == 1 && later.length == 4, "the press after the host recovered arrived mangled");
}

// A host that broadcasts a message to every top-level window while it handles a command
// (as programs do when a setting changes) needs Kestro to answer it while the send waits.
void hostBroadcastingWhileHandling(Session& session) {
    const HostLog host = session.startHost(0, true);
    startConnected(session, settingsWithPad({"[DashOrbit]", "but0=play", "but1=next"}));
    pressOnce(session, 0, "play");
    pressOnce(session, 1, "next");
    require([&] { return host.broadcastMillis().size() >= 2; }, 3000ms, "the host did not finish its broadcasts");
    for (const long ms : host.broadcastMillis())
        expect(ms < 1000, "a broadcast took " + std::to_string(ms) + " ms: Kestro did not answer while it waited");
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
    list.push_back({"host_broadcasting_while_handling", hostBroadcastingWhileHandling});
    list.push_back({"activation_leaves_no_alt_tap", activationLeavesNoAltTap});
    list.push_back({"typing_waits_for_the_focus", typingWaitsForTheFocus});
    list.push_back({"hung_target_does_not_freeze", hungTargetDoesNotFreeze});
    list.push_back({"caps_lock_keeps_letter_case", capsLockKeepsLetterCase});
    list.push_back({"held_shift_is_let_go_while_typing", heldShiftIsLetGoWhileTyping});
    list.push_back({"double_byte_key_text", doubleByteKeyText, 932});
}

}  // namespace e2e
