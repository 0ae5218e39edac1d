// Starting: the first run, the single-instance rule, connecting to the saved controller.
#include "common/clock.h"
#include "common/files.h"
#include "common/text.h"
#include "failure.h"
#include "files.h"
#include "message_boxes.h"
#include "scenario_steps.h"
#include "scenarios.h"
#include "start_program.h"
#include "window_search.h"
#include "window_text.h"
#include "shell/layout.h"

namespace e2e {
namespace {

const std::wstring kSetupMessage = L"Please insert your gamepad and select it from the drop downlist, then save";

void firstRunWithoutSettings(Session& session) {
    KestroProcess& kestro = session.startKestro();
    const HWND main = kestro.mainWindow();
    require([&] { return findMessageBox(kestro.id(), L"Gamepad setup") != nullptr; }, 5000ms,
            "no \"Gamepad setup\" box on the first run");
    expect(IsWindowVisible(main), "the main window is hidden behind the \"Gamepad setup\" box");
    answerMessageBox(kestro.id(), L"Gamepad setup", kSetupMessage, 1000ms);
    kestro.waitUntilStarted();

    const std::string expected = "[settings]\r\ndashorbit=True\r\n";
    const auto written = session.settings();
    expect(written.has_value(), "no settings.ini after the first run");
    expect(*written == expected, "settings.ini holds \"" + printable(*written) + "\", expected \"" +
                                     printable(expected) + "\"");

    // With nothing attached, the first search leaves the window as it was.
    const std::int64_t started = nowUsec();
    require([&] { return !session.dinputLog().since(started, "enum").empty(); }, 2500ms,
            "no search for controllers after start-up");
    expect(kestro.text("statusLabel") == L"Unplugged", "the status label changed with no controller attached");
    expect(kestro.text("controllerBox") == L"none found", "The device box changed with no controller attached");
    expect(kestro.text("delayBox") == L"4", "the delay box does not show the default delay 4");
    expect(kestro.checked("hostOption") && !kestro.enabled("targetTitleBox"), "the first run is not in host mode");
    expect(session.settings() == expected, "settings.ini changed after the first search");
}

// Another launch of the scenario's kestro.exe, watched until it ends (at most 5 s).
struct SecondLaunch {
    ChildProcess process;
    bool ended = false;
    bool showedWindow = false;
};

SecondLaunch launchSecond(Session& session) {
    SecondLaunch second{startProgram(joinPath(session.folder(), L"kestro.exe"), L"", session.folder())};
    second.ended = waitUntil(
        [&] {
            for (const HWND window : topLevelWindows(second.process.id()))
                if (IsWindowVisible(window)) second.showedWindow = true;
            return !second.process.running();
        },
        5000ms, 5ms);
    return second;
}

void secondInstanceEndsAtOnce(Session& session) {
    // Started hidden, so the second launch's call to come forward can be seen.
    session.attach({kPadA});
    session.writeSettings(settingsWithPad({"min=True"}));
    KestroProcess& first = session.startKestro();
    first.waitUntilStarted();
    expect(!first.visible(), "min=True, yet the first instance shows its window");

    // Any other program may carry the same title, and this one lies in front.
    session.startWindow(L"Kestro v3.0", L"SomeOtherProgram", L"same_title_log.txt");

    const std::int64_t launched = nowUsec();
    SecondLaunch second = launchSecond(session);
    const double tookMs = millisBetween(launched, nowUsec());
    expect(second.ended, "the second kestro.exe is still running after 5 s");
    expect(!second.showedWindow, "the second kestro.exe showed a window");
    expect(second.process.exitCode() == 0u,
           "the second kestro.exe ended with code " + std::to_string(second.process.exitCode().value_or(0)));
    expect(tookMs < 3000, "the second kestro.exe took " + std::to_string(int(tookMs)) + " ms to end");

    expect(first.process().running(), "the first instance ended when the second started");
    expect(topLevelWindows(first.id(), kMainClass).size() == 1, "the first instance no longer has one main window");
    require([&] { return first.visible(); }, 2000ms, "the first instance does not come forward for the second launch");
}

// Notepad's "UTF-8 with BOM": Windows reads the mark as part of the first line.
void settingsWithAByteOrderMarkConnect(Session& session) {
    const std::string bom = "\xEF\xBB\xBF";
    KestroProcess& kestro = startConnected(session, bom + settingsWithPad({"min=True"}));
    expect(!kestro.visible(), "min=True in the marked file, yet the window is shown");
    expect(findMessageBox(kestro.id(), L"Gamepad setup") == nullptr, "the \"Gamepad setup\" box came up");
    const std::string file = session.settings().value_or("");
    expect(!file.starts_with(bom), "settings.ini still begins with the byte-order mark");
    expect(file.starts_with(settingsWithPad({"min=True"})), "settings.ini holds \"" + printable(file) + "\"");
    expect(file.find("[settings]", 1) == std::string::npos, "settings.ini has a second [settings]: \"" + printable(file) + "\"");
}

// The first instance runs as administrator: the second may not open its mutex.
void secondInstanceOfAnElevatedOneEnds(Session& session) {
    session.startWindow(L"Kestro v3.0", L"KestroApplication", L"elevated_log.txt", true, 180,
                        L"Local\\Kestro v3.0 single instance");
    session.attach({kPadA});
    session.writeSettings(settingsWithPad());
    SecondLaunch second = launchSecond(session);
    if (!second.ended) second.process.end();
    expect(second.ended, "kestro.exe runs beside an instance whose mutex it may not open");
    expect(!second.showedWindow, "kestro.exe showed a window beside the running instance");
}

void savedControllerConnects(Session& session) {
    // Two attached; the saved one is the second listed.
    session.attach({kPadB, kPadA});
    session.writeSettings(settingsWithPad());
    const std::int64_t launched = nowUsec();
    KestroProcess& kestro = session.startKestro();
    kestro.waitForText("statusLabel", kConnected, 3000ms);
    const double connectedMs = millisBetween(launched, nowUsec());
    expect(connectedMs < 2500, "connecting took " + std::to_string(int(connectedMs)) + " ms from the launch");
    expect(kestro.text("controllerBox") == widen(kPadA.name), "The device box reads \"" + narrow(kestro.text("controllerBox")) +
                                                           "\", expected the saved controller's name");
    const HWND combo = kestro.control("controllerBox");
    expect(sendOrFail(combo, CB_GETCOUNT, 0, 0) == 2, "The device box does not list both attached controllers");
    expect(sendOrFail(combo, CB_GETCURSEL, 0, 0) == 1, "The device box does not select the saved controller's entry");

    // Polled every 25 ms: about 20 reads in half a second.
    const std::int64_t from = nowUsec();
    pause(500ms);
    const auto reads = session.dinputLog().since(from, "getstate");
    expect(reads.size() >= 10, "only " + std::to_string(reads.size()) + " reads of the pad in 500 ms");
    for (const auto& read : reads)
        expect(read.device == kPadA.guid, "kestro.exe reads " + read.device + ", not the saved controller");
}

// Where a control lies in its container's client area, in pixels.
RECT placeInContainer(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Checks every control of a started kestro.exe against the table at `dpi`.
void checkLayout(KestroProcess& kestro, int dpi) {
    const HWND main = kestro.mainWindow();
    const auto px = [dpi](int twips) { return MulDiv(twips, dpi, 1440); };
    const auto closeTo = [](long a, int b) { return a >= b - 1 && a <= b + 1; };

    wchar_t caption[128] = {};
    GetWindowTextW(main, caption, 128);
    expect(std::wstring(caption) == kMainCaption, "the window's caption is \"" + narrow(caption) + "\"");
    RECT client;
    GetClientRect(main, &client);
    expect(closeTo(client.right, px(kestro::layout::kClientWidth)) && closeTo(client.bottom, px(kestro::layout::kClientHeight)),
           "the client area is " + std::to_string(client.right) + " x " + std::to_string(client.bottom) + " pixels");

    for (const auto& c : kestro::layout::controls()) {
        const std::string name(c.name);
        const HWND control = kestro.control(c.name);
        const HWND container = c.container.empty() ? main : kestro.control(c.container);
        expect(GetParent(control) == container, name + " is not inside " + (c.container.empty() ? "the window" : std::string(c.container)));
        const RECT r = placeInContainer(control);
        // A combo box's closed height is its font's; its window also holds the drop-down list.
        const bool heightFixed = c.kind != kestro::layout::Kind::ComboBox;
        expect(closeTo(r.left, px(c.left)) && closeTo(r.top, px(c.top)) && closeTo(r.right - r.left, px(c.width)) &&
                   (!heightFixed || closeTo(r.bottom - r.top, px(c.height))),
               name + " lies at " + std::to_string(r.left) + "," + std::to_string(r.top) + " size " +
                   std::to_string(r.right - r.left) + " x " + std::to_string(r.bottom - r.top) + " pixels, not where the table puts it");
    }
    const RECT sendTo = placeInContainer(kestro.control("targetFrame"));
    expect(sendTo.left >= client.right, "the \"Send to\" frame is inside the visible client area");
}

int screenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

void windowFollowsTheLayoutTable(Session& session) {
    session.attach({kPadA});
    session.writeSettings(settingsWithPad());
    KestroProcess& kestro = session.startKestro();
    kestro.waitUntilStarted();
    checkLayout(kestro, screenDpi());
}

// Wine takes the display's DPI from this value when a program starts.
void setLogPixels(DWORD dpi) {
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
}

void windowScalesWithTheDisplay(Session& session) {
    const int usual = screenDpi();
    session.attach({kPadA});
    session.writeSettings(settingsWithPad());
    setLogPixels(144);
    struct Restore {
        DWORD dpi;
        ~Restore() { setLogPixels(dpi); }
    } restore{static_cast<DWORD>(usual)};
    KestroProcess& kestro = session.startKestro();
    kestro.waitUntilStarted();
    checkLayout(kestro, 144);
}

}  // namespace

void addStartupScenarios(std::vector<Scenario>& list) {
    list.push_back({"first_run_without_settings", firstRunWithoutSettings});
    list.push_back({"second_instance_ends_at_once", secondInstanceEndsAtOnce});
    list.push_back({"second_instance_beside_an_elevated_one", secondInstanceOfAnElevatedOneEnds});
    list.push_back({"saved_controller_connects", savedControllerConnects});
    list.push_back({"settings_with_a_byte_order_mark", settingsWithAByteOrderMarkConnect});
    list.push_back({"window_follows_the_layout_table", windowFollowsTheLayoutTable});
    list.push_back({"window_scales_with_the_display", windowScalesWithTheDisplay});
}

}  // namespace e2e
