#pragma once
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/child_process.h"
#include "dinput_log.h"
#include "host_log.h"
#include "kestro_process.h"
#include "pad_script.h"
#include "target_log.h"

namespace e2e {

// Longer than a reconnect tick: the first look after the notice finds nothing new.
inline constexpr Millis kListedAfterNotice = 1100ms;

// The controller stand-ins: DirectInput beside every scenario's kestro.exe, where Windows
// looks first; XInput in the system folder, the only place kestro.exe loads it from.
inline const wchar_t* const kDinputDll = L"dinput8.dll";
inline const wchar_t* const kXInputDlls[] = {L"xinput1_4.dll", L"xinput1_3.dll", L"xinput9_1_0.dll"};

struct Paths {
    std::wstring root;      // one folder per scenario goes here
    std::wstring kestro;    // kestro.exe
    std::wstring standins;  // dinput8.dll, the XInput DLLs, fake_host.exe, fake_target.exe
};

// One scenario's world: a fresh folder holding kestro.exe and the DirectInput
// stand-in, all XInput stand-ins in the system folder, the settings and
// controllers it starts with, and every program started for it, all ended
// when the session ends.
class Session {
public:
    Session(const Paths& paths, std::string_view name);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    const std::wstring& folder() const { return folder_; }
    std::wstring inRoot(std::wstring_view name) const;

    // The scenario's kestro.exe is the build variant `program` from beside the real one.
    void useVariant(std::wstring_view program);
    void writeSettings(std::string_view bytes);
    std::optional<std::string> settings() const;
    // Exactly these controllers are attached from now on, with `faults` (the
    // stand-in's "fail" lines) in force. When the set of controllers changes,
    // every top-level window is told, as Windows does on a plug or unplug;
    // a controller plugged in while Kestro runs is listed only
    // kListedAfterNotice after the notice.
    void attach(const std::vector<Pad>& pads, std::string_view faults = {});
    // Takes an XInput stand-in away from the system folder, as on a Windows without it.
    void removeDll(const std::wstring& name);
    // Puts a copy of the stand-in DLL `name` beside kestro.exe.
    void putBesideKestro(const std::wstring& name);

    // slowMs: each command takes that long; broadcast: the host broadcasts a message while it handles one.
    HostLog startHost(unsigned slowMs = 0, bool broadcast = false);
    // Another window of the host stand-in, in front of those before it: titled `title`, of
    // class `className`, answering every WM_COPYDATA with `answer`, logging to `logName`;
    // it closes itself after `lifetimeS` seconds.
    HostLog startWindow(const std::wstring& title, const std::wstring& className, const std::wstring& logName,
                        bool answer = true, unsigned lifetimeS = 180, const std::wstring& mutex = L"");
    // `options` go to fake_target.exe as they are; each target writes its own log.
    TargetLog startTarget(const std::wstring& title, const std::wstring& options = L"",
                          const std::wstring& logName = L"target_log.txt");
    // Started while no other kestro.exe of this session runs: the last one is kept.
    KestroProcess& startKestro();

    HostLog hostLog() const;
    DinputLog dinputLog() const;
    DinputLog xinputLog() const;
    TargetLog targetLog() const;
    ChildProcess& host() { return host_; }

private:
    Paths paths_;
    std::wstring folder_;
    std::vector<std::unique_ptr<KestroProcess>> kestros_;
    std::vector<std::string> attached_;  // the guids of the attached controllers
    ChildProcess host_;
    std::vector<ChildProcess> targets_;
    std::vector<ChildProcess> windows_;
};

}  // namespace e2e
