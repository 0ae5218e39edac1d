#include "session.h"

#include <dbt.h>

#include <algorithm>

#include "common/files.h"
#include "common/text.h"
#include "failure.h"
#include "files.h"
#include "start_program.h"
#include "waiting.h"

namespace e2e {

// Stand-ins end on their own after this long, should anything outlive the driver.
constexpr wchar_t kStandinLifetime[] = L"180";

Session::Session(const Paths& paths, std::string_view name) : paths_(paths), folder_(joinPath(paths.root, widen(name))) {
    makeEmptyFolder(folder_);
    copyFileInto(paths_.kestro, folder_);
    copyFileInto(joinPath(paths_.standins, kDinputDll), folder_);
    // Over the system's own, and back where an earlier scenario took one away.
    for (const wchar_t* dll : kXInputDlls) copyFileInto(joinPath(paths_.standins, dll), systemFolder());
}

Session::~Session() {
    // kestro.exe first, so it never sees its host or target vanish.
    for (auto& kestro : kestros_) kestro->process().end();
    host_.end();
    for (auto& target : targets_) target.end();
    for (auto& window : windows_) window.end();
}

std::wstring Session::inRoot(std::wstring_view name) const { return joinPath(paths_.root, name); }

void Session::useVariant(std::wstring_view program) {
    const std::wstring variant = joinPath(folderOf(paths_.kestro), program);
    expect(CopyFileW(variant.c_str(), joinPath(folder_, L"kestro.exe").c_str(), FALSE) != FALSE,
           "cannot copy the build variant " + narrow(variant));
}

void Session::writeSettings(std::string_view bytes) { writeFileAtomically(joinPath(folder_, L"settings.ini"), bytes); }

std::optional<std::string> Session::settings() const { return readFile(joinPath(folder_, L"settings.ini")); }

void Session::removeDll(const std::wstring& name) {
    expect(DeleteFileW(joinPath(systemFolder(), name).c_str()) != FALSE, "cannot remove " + narrow(name));
}

void Session::putBesideKestro(const std::wstring& name) { copyFileInto(joinPath(paths_.standins, name), folder_); }

void Session::attach(const std::vector<Pad>& pads, std::string_view faults) {
    std::vector<std::string> guids;
    for (const Pad& pad : pads) guids.push_back(pad.guid);
    const bool changed = guids != attached_;
    const bool arrives = std::any_of(guids.begin(), guids.end(), [&](const std::string& guid) {
        return std::find(attached_.begin(), attached_.end(), guid) == attached_.end();
    });
    attached_ = std::move(guids);
    // Windows tells every top-level window of each plug and unplug, and may
    // announce a new device node before DirectInput lists the controller.
    const auto notify = [] {
        SendMessageTimeoutW(HWND_BROADCAST, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0, SMTO_ABORTIFHUNG, 2000,
                            nullptr);
    };
    const bool announcedFirst = arrives && !kestros_.empty();
    if (announcedFirst) {
        notify();
        pause(kListedAfterNotice);
    }
    writeFileAtomically(joinPath(folder_, L"dinput_script.txt"), scriptFor(pads) + std::string(faults));
    if (changed && !announcedFirst) notify();
}

HostLog Session::startHost(unsigned slowMs, bool broadcast) {
    std::wstring arguments = L"--log " + quoted(joinPath(folder_, L"host_log.txt")) + L" --lifetime " + kStandinLifetime;
    if (slowMs > 0) arguments += L" --slow " + std::to_wstring(slowMs);
    if (broadcast) arguments += L" --broadcast 1";
    host_ = startProgram(joinPath(paths_.standins, L"fake_host.exe"), arguments, folder_);
    const HostLog log = hostLog();
    require([&] { return log.ready() || !host_.running(); }, 10000ms, "fake_host.exe does not start");
    expect(host_.running(), "fake_host.exe ended at start");
    return log;
}

HostLog Session::startWindow(const std::wstring& title, const std::wstring& className, const std::wstring& logName,
                             bool answer, unsigned lifetimeS, const std::wstring& mutex) {
    std::wstring arguments = L"--title " + quoted(title) + L" --class " + quoted(className) + L" --answer " +
                             (answer ? L"1" : L"0") + L" --log " + quoted(joinPath(folder_, logName)) +
                             L" --lifetime " + std::to_wstring(lifetimeS);
    if (!mutex.empty()) arguments += L" --mutex " + quoted(mutex);
    windows_.push_back(startProgram(joinPath(paths_.standins, L"fake_host.exe"), arguments, folder_));
    const HostLog log(joinPath(folder_, logName));
    require([&] { return log.ready() || !windows_.back().running(); }, 10000ms, "fake_host.exe does not start");
    expect(windows_.back().running(), "fake_host.exe ended at start");
    return log;
}

TargetLog Session::startTarget(const std::wstring& title, const std::wstring& options, const std::wstring& logName) {
    const std::wstring arguments = L"--title " + quoted(title) + L" --log " + quoted(joinPath(folder_, logName)) +
                                   L" --lifetime " + kStandinLifetime + (options.empty() ? L"" : L" " + options);
    ChildProcess& target =
        targets_.emplace_back(startProgram(joinPath(paths_.standins, L"fake_target.exe"), arguments, folder_));
    const TargetLog log(joinPath(folder_, logName));
    require([&] { return log.ready() || !target.running(); }, 10000ms, "fake_target.exe does not start");
    expect(target.running(), "fake_target.exe ended at start");
    return log;
}

KestroProcess& Session::startKestro() {
    kestros_.push_back(std::make_unique<KestroProcess>(joinPath(folder_, L"kestro.exe"), folder_));
    return *kestros_.back();
}

HostLog Session::hostLog() const { return HostLog(joinPath(folder_, L"host_log.txt")); }

DinputLog Session::dinputLog() const { return DinputLog(joinPath(folder_, L"dinput_log.txt")); }

DinputLog Session::xinputLog() const { return DinputLog(joinPath(folder_, L"xinput_log.txt")); }

TargetLog Session::targetLog() const { return TargetLog(joinPath(folder_, L"target_log.txt")); }

}  // namespace e2e
