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

struct Paths {
    std::wstring root;      // one folder per scenario goes here
    std::wstring kestro;    // kestro.exe
    std::wstring standins;  // dinput8.dll, fake_host.exe, fake_target.exe
};

// One scenario's world: a fresh folder holding kestro.exe and the controller
// stand-in, the settings and controllers it starts with, and every program
// started for it, all ended when the session ends.
class Session {
public:
    Session(const Paths& paths, std::string_view name);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    const std::wstring& folder() const { return folder_; }
    std::wstring inRoot(std::wstring_view name) const;

    void writeSettings(std::string_view bytes);
    std::optional<std::string> settings() const;
    // Exactly these controllers are attached from now on.
    void attach(const std::vector<Pad>& pads);

    HostLog startHost(unsigned slowMs = 0);
    // `options` go to fake_target.exe as they are; each target writes its own log.
    TargetLog startTarget(const std::wstring& title, const std::wstring& options = L"",
                          const std::wstring& logName = L"target_log.txt");
    // Started while no other kestro.exe of this session runs: the last one is kept.
    KestroProcess& startKestro();

    HostLog hostLog() const;
    DinputLog dinputLog() const;
    TargetLog targetLog() const;
    ChildProcess& host() { return host_; }

private:
    Paths paths_;
    std::wstring folder_;
    std::vector<std::unique_ptr<KestroProcess>> kestros_;
    ChildProcess host_;
    std::vector<ChildProcess> targets_;
};

}  // namespace e2e
