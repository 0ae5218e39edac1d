// The tray and the window's visibility: tray clicks, the tray menu's Close, Minimize, starting hidden.
#include "common/clock.h"
#include "common/files.h"
#include "common/text.h"
#include "failure.h"
#include "scenario_steps.h"
#include "scenarios.h"
#include "tray_icons.h"
#include "window_search.h"
#include "window_text.h"

namespace e2e {
namespace {

constexpr UINT kTrayIconId = 1;

// The shown popup menu of process `pid`, or nullptr.
HWND popupMenuOf(DWORD pid) {
    for (const HWND menu : topLevelWindows(pid, L"#32768"))
        if (IsWindowVisible(menu)) return menu;
    return nullptr;
}

// Picks the first entry of an open popup menu with the keyboard, as a user would.
void chooseFirstEntry(HWND menu) {
    PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_KEYUP, VK_DOWN, 0xC0000001);
    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageW(menu, WM_KEYUP, VK_RETURN, 0xC0000001);
}

// A restarted Explorer has lost every icon and tells the programs so.
void trayIconComesBackWhenTheTaskbarIsRecreated(Session& session) {
    KestroProcess& kestro = startConnected(session, settingsWithPad({"min=True"}));
    const HWND trayOwner = kestro.appWindow();
    require([&] { return trayIconPresent(trayOwner, kTrayIconId); }, 2000ms, "the shell has no tray icon of kestro.exe");

    removeTrayIcon(trayOwner, kTrayIconId);
    expect(!trayIconPresent(trayOwner, kTrayIconId), "the tray icon could not be taken away for the test");
    PostMessageW(trayOwner, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    require([&] { return trayIconPresent(trayOwner, kTrayIconId); }, 2000ms,
            "the tray icon is not added again when the taskbar is re-created");
    kestro.tray(WM_LBUTTONDOWN);
    require([&] { return kestro.visible(); }, 2000ms, "the icon that came back does not show the window");
}

// At logon the taskbar refuses icons for a while and says nothing when it is ready.
void trayIconAddedOnceTheTaskbarIsReady(Session& session) {
    const HostLog starting = session.startWindow(L"", L"Shell_TrayWnd", L"taskbar_log.txt", false, 4);
    KestroProcess& kestro = startConnected(session, settingsWithPad({"min=True"}));
    const HWND trayOwner = kestro.appWindow();
    expect(!starting.messages().empty(), "the starting taskbar was not asked for the icon");
    expect(!trayIconPresent(trayOwner, kTrayIconId), "the starting taskbar took an icon");
    require([&] { return trayIconPresent(trayOwner, kTrayIconId); }, 6000ms,
            "no tray icon after the taskbar became ready");
    kestro.tray(WM_LBUTTONDOWN);
    require([&] { return kestro.visible(); }, 2000ms, "the late icon does not show the window");
}

void trayShowsMenuAndCloses(Session& session) {
    session.startHost();
    KestroProcess& kestro = startConnected(session, settingsWithPad({"min=True"}));
    expect(!kestro.visible(), "min=True, yet the window is shown");
    const auto settings = session.settings();

    kestro.tray(WM_LBUTTONDOWN);
    require([&] { return kestro.visible(); }, 2000ms, "a left press on the tray icon does not show the window");

    const HWND trayOwner = kestro.appWindow();
    expect(trayIconPresent(trayOwner, kTrayIconId), "the shell has no tray icon of kestro.exe");

    kestro.tray(WM_RBUTTONDOWN);
    HWND menu = nullptr;
    require([&] { return (menu = popupMenuOf(kestro.id())) != nullptr; }, 2000ms,
            "a right press on the tray icon opens no menu");
    const std::int64_t chosen = nowUsec();
    chooseFirstEntry(menu);
    expect(kestro.process().waitForExit(3000ms), "choosing Close in the tray menu does not end kestro.exe");
    const double endedMs = millisBetween(chosen, nowUsec());
    expect(kestro.process().exitCode() == 0u,
           "kestro.exe ended with code " + std::to_string(kestro.process().exitCode().value_or(0)) + " after Close");

    expect(!trayIconPresent(trayOwner, kTrayIconId), "the tray icon stays after Close");
    // Nothing else goes with it.
    expect(session.host().running(), "the host program ended with kestro.exe");
    expect(session.settings() == settings, "Close changed settings.ini");
    for (const wchar_t* file : {L"kestro.exe", L"dinput8.dll", L"dinput_script.txt"})
        expect(fileExists(joinPath(session.folder(), file)), "Close removed " + narrow(file));
    expect(endedMs < 3000, "Close took " + std::to_string(int(endedMs)) + " ms");
}

void minimizeAndStartHidden(Session& session) {
    KestroProcess& first = startConnected(session, settingsWithPad());
    expect(first.visible() && !first.checked("startHiddenBox"), "without min=True the window is not shown unticked");

    first.click("minimizeButton");
    require([&] { return !first.visible(); }, 2000ms, "Minimize does not hide the window");
    const std::int64_t hidden = nowUsec();
    require([&] { return session.dinputLog().since(hidden, "getstate").size() >= 4; }, 1000ms,
            "the controller is no longer read while the window is hidden");

    first.tray(WM_LBUTTONDOWN);
    require([&] { return first.visible(); }, 2000ms, "a left press on the tray icon does not show the window");
    // The title bar's minimize button hides to the tray as well.
    PostMessageW(first.mainWindow(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    require([&] { return !first.visible(); }, 2000ms, "the title bar's minimize does not hide the window");
    expect(!IsIconic(first.mainWindow()), "the title bar's minimize left an iconic window rather than hiding it");
    first.tray(WM_LBUTTONDOWN);
    require([&] { return first.visible(); }, 2000ms, "a left press does not show the window again");

    first.click("startHiddenBox");
    require([&] { return session.settings().value_or("").find("min=True\r\n") != std::string::npos; }, 2000ms,
            "ticking Start Minimized does not write min=True");
    first.process().end();

    // Started again with min=True: never shown, Start Minimized ticked.
    KestroProcess& second = session.startKestro();
    const HWND main = second.mainWindow();
    bool shown = false;
    const std::wstring title = kAppTitle;
    waitUntil([&] {
        shown = shown || IsWindowVisible(main);
        return findTopLevel(second.id(), kAppClass, &title) != nullptr;
    }, 5000ms, 5ms);
    second.waitUntilStarted();
    expect(!shown && !second.visible(), "with min=True the window is shown at start");
    expect(second.checked("startHiddenBox"), "with min=True Start Minimized is not ticked");
    second.waitForText("statusLabel", kConnected, 2000ms);
}

}  // namespace

void addTrayScenarios(std::vector<Scenario>& list) {
    list.push_back({"tray_shows_menu_and_closes", trayShowsMenuAndCloses});
    list.push_back({"tray_icon_comes_back", trayIconComesBackWhenTheTaskbarIsRecreated});
    list.push_back({"tray_icon_waits_for_the_taskbar", trayIconAddedOnceTheTaskbarIsReady});
    list.push_back({"minimize_and_start_hidden", minimizeAndStartHidden});
}

}  // namespace e2e
