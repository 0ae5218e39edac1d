// settings.ini: saving from the window, choosing the controller, and files that make no sense.
#include <cstdint>

#include "common/clock.h"
#include "common/text.h"
#include "failure.h"
#include "files.h"
#include "message_boxes.h"
#include "scenario_steps.h"
#include "scenarios.h"
#include "window_search.h"

namespace e2e {
namespace {

const std::wstring kSetupMessage = L"Please insert your gamepad and select it from the drop downlist, then save";

void expectSettings(const Session& session, const std::string& expected, const std::string& when) {
    const auto written = session.settings();
    expect(written.has_value(), "no settings.ini " + when);
    expect(*written == expected, "settings.ini " + when + " holds \"" + printable(*written, 2000) + "\", expected \"" +
                                     printable(expected, 2000) + "\"");
}

void saveSettings(Session& session) {
    session.startHost();
    KestroProcess& kestro = startConnected(session, settingsWithPad());
    kestro.setText("buttonKey(3)", L"vol+");
    kestro.setText("buttonKey(9)", L"{ENTER}");
    kestro.setText("upKey", L"north");
    kestro.typeOverCombo("delayBox", L"7");
    kestro.click("saveButton");
    answerMessageBox(kestro.id(), L"Saved", L"updated settings.ini", 3000ms);

    expectSettings(session,
                   iniLines({"[settings]", "kestro=" + kPadA.name, "dashorbit=True", "sendtoapp=DashOrbit",
                             "[DashOrbit]", "but0=blank", "but1=blank", "but2=blank", "but3=vol+", "but4=blank",
                             "but5=blank", "but6=blank", "but7=blank", "but8=blank", "but9={ENTER}", "delay=7",
                             "up=north", "down=blank", "left=blank", "right=blank"}),
                   "after Save Settings");
    // Saving reloads the file and searches again for the saved controller.
    kestro.waitForText("statusLabel", kConnected, 2000ms);
    expect(kestro.text("controllerBox") == widen(kPadA.name), "The device box does not name the controller after saving");
    expect(kestro.text("buttonKey(3)") == L"vol+" && kestro.text("upKey") == L"north",
           "the key boxes lost their texts when the saved file was read back");
    expect(kestro.text("delayBox") == L"7", "the delay box lost the saved delay 7");
    pressOnce(session, 3, "vol+");
}

void chooseControllerByTyping(Session& session) {
    session.startHost();
    session.attach({kPadA});
    KestroProcess& kestro = session.startKestro();
    answerMessageBox(kestro.id(), L"Gamepad setup", kSetupMessage, 5000ms);
    kestro.waitUntilStarted();
    // The first search lists the attached controller without taking it up.
    const std::int64_t started = nowUsec();
    require([&] { return !session.dinputLog().since(started, "enum").empty(); }, 2500ms, "no search for controllers");
    require([&] { return kestro.text("controllerBox").empty(); }, 1000ms, "The device box is not emptied by the first search");
    expect(kestro.text("statusLabel") == L"Unplugged", "a controller was taken up with none saved");

    kestro.typeIntoCombo("controllerBox", widen(kPadA.name));
    const std::wstring typed = kestro.text("controllerBox");
    expect(typed == widen(kPadA.name), "typing \"" + kPadA.name + "\" into the device box leaves \"" + narrow(typed) + "\"");
    const auto written = session.settings();
    expect(written && written->find("kestro=" + kPadA.name + "\r\n") != std::string::npos,
           "typing into the device box does not write the name to settings.ini");

    kestro.click("saveButton");
    answerMessageBox(kestro.id(), L"Saved", L"updated settings.ini", 3000ms);
    kestro.waitForText("statusLabel", kConnected, 2000ms);
}

std::string repeated(char c, std::size_t count = 5000) { return std::string(count, c); }

void badSettingsLongValues(Session& session) {
    session.writeSettings(iniLines({"[settings]", "kestro=" + repeated('K'), "min=" + repeated('M'),
                                    "sendtoapp=" + repeated('S'), "Dashorbit=" + repeated('D'),
                                    "norepeat=" + repeated('N'), "hibernation=" + repeated('9'), "[DashOrbit]",
                                    "but0=" + repeated('B'), "up=" + repeated('U'), "delay=" + repeated('7')}));
    KestroProcess& kestro = session.startKestro();
    kestro.waitUntilStarted();
    expect(kestro.visible(), "min=<5000 characters> hides the window; only \"True\" should");
    expect(!kestro.checked("startHiddenBox"), "Start Minimized is ticked without min=True");
    // Values are read up to 199 characters.
    expect(kestro.text("buttonKey(0)") == widen(repeated('B', 199)), "the key box of button 0 does not show the first 199 characters");
    expect(kestro.text("upKey") == widen(repeated('U', 199)), "textup does not show the first 199 characters");
    expect(kestro.text("targetTitleBox") == widen(repeated('S', 199)), "the title box does not show the first 199 characters");
    expect(kestro.checked("hostOption") && !kestro.enabled("targetTitleBox"), "a Dashorbit value of no meaning is not host mode");
    // 199 sevens are a number, though a huge one: the delay shows it.
    expect(kestro.text("delayBox").starts_with(L"7.77777777777777"), "the delay box reads \"" + narrow(kestro.text("delayBox")) +
                                                                       "\" for a 199-digit delay");
    const std::int64_t started = nowUsec();
    require([&] { return !session.dinputLog().since(started, "enum").empty(); }, 2500ms, "no search for controllers");
    pause(300ms);
    expect(kestro.process().running(), "kestro.exe ended after its first search");
    expect(kestro.text("statusLabel") == L"Unplugged", "the status label changed with no controller attached");
}

// Bytes of every value, with section and key marks among them, from a fixed seed.
std::string garbage(std::size_t size, std::uint32_t seed) {
    std::string bytes;
    for (std::size_t i = 0; i < size; ++i) {
        seed = seed * 1664525u + 1013904223u;
        bytes += static_cast<char>(seed >> 24);
    }
    return bytes;
}

void badSettingsBinary(Session& session) {
    const std::string variants[] = {
        garbage(4096, 1),
        // Looks like UTF-16 to the profile functions.
        std::string("\xFF\xFE", 2) + garbage(4096, 2),
        "[settings]\r\nkestro=" + garbage(300, 3) + "\r\n[DashOrbit]\r\nbut0=" + garbage(300, 4) + "\r\n",
    };
    int variant = 0;
    for (const std::string& bytes : variants) {
        std::string which = "garbage file ";
        which += std::to_string(++variant);
        session.writeSettings(bytes);
        KestroProcess& kestro = session.startKestro();
        kestro.mainWindow();
        // Without a readable controller name the setup box comes before start-up ends.
        const std::wstring box = L"Gamepad setup";
        const std::wstring started = kAppTitle;
        require(
            [&] {
                return findMessageBox(kestro.id(), box) || findTopLevel(kestro.id(), kAppClass, &started) ||
                       !kestro.process().running();
            },
            5000ms, which + ": start-up neither ends nor asks for a controller");
        if (findMessageBox(kestro.id(), box)) answerMessageBox(kestro.id(), box, kSetupMessage, 1000ms);
        kestro.waitUntilStarted();
        const std::int64_t searched = nowUsec();
        require([&] { return !session.dinputLog().since(searched, "enum").empty() || !kestro.process().running(); },
                2500ms, which + ": no search for controllers");
        pause(300ms);
        expect(kestro.process().running(), which + ": kestro.exe ended");
        expect(kestro.visible(), which + ": the window is not shown");
        expect(kestro.text("statusLabel") == L"Unplugged", which + ": the status label changed with no controller attached");
        kestro.process().end();
    }
}

void badSettingsWords(Session& session) {
    session.startHost();
    KestroProcess& kestro = startConnected(
        session, settingsWithPad({"hibernation=soon", "Dashorbit=maybe", "[DashOrbit]", "delay=fast", "but0=play"}));
    expect(kestro.text("delayBox") == L"4", "the delay box reads \"" + narrow(kestro.text("delayBox")) + "\" for delay=fast");
    expect(kestro.checked("hostOption") && !kestro.checked("keystrokeOption") && !kestro.enabled("targetTitleBox"),
           "Dashorbit=maybe is not host mode");

    // The default delay: a repeat every 5 polls.
    const auto messages = holdButton(session, 0, 700ms);
    expect(messages.size() >= 4 && messages.size() <= 7,
           "holding button 0 for 700 ms sent " + describe(messages) + ", expected about 6 (one every 125 ms)");

    // The default resume wait of 5 s.
    kestro.power(4);
    kestro.power(7);
    const std::int64_t resumed = nowUsec();
    const DinputLog log = session.dinputLog();
    require([&] { return !log.since(resumed, "acquire").empty(); }, 7000ms, "no new start after resuming");
    const double waitedMs = millisBetween(resumed, log.since(resumed, "acquire").front().usec);
    expect(waitedMs > 4800 && waitedMs < 6000,
           "taken up again " + std::to_string(int(waitedMs)) + " ms after resuming, expected after 5 s");
}

}  // namespace

void addSettingsScenarios(std::vector<Scenario>& list) {
    list.push_back({"save_settings", saveSettings});
    list.push_back({"choose_controller_by_typing", chooseControllerByTyping});
    list.push_back({"bad_settings_long_values", badSettingsLongValues});
    list.push_back({"bad_settings_binary", badSettingsBinary});
    list.push_back({"bad_settings_words", badSettingsWords});
}

}  // namespace e2e
