#include "script_watch.h"

#include "call_log.h"
#include "common/files.h"
#include "guid_text.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <utility>

namespace dinput_standin {

namespace {

struct ScriptWatch {
    std::mutex mutex;
    std::wstring path = e2e::joinPath(e2e::folderOfThisProgram(), L"dinput_script.txt");
    std::optional<std::string> last_text;  // nullopt until the first read
    DeviceScript script;
    std::vector<std::pair<GUID, unsigned>> unplugs;
};

ScriptWatch& watch()
{
    static ScriptWatch instance;
    return instance;
}

// The file's bytes; "" when it does not exist (nothing plugged in), nullopt when it
// exists but could not be read this time (keep what we had).
std::optional<std::string> read_script_file(const std::wstring& path)
{
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return std::string();
        return std::nullopt;
    }
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != FALSE) && got > 0)
        text.append(buffer, got);
    CloseHandle(file);
    if (!ok)
        return std::nullopt;
    return text;
}

bool lists(const std::vector<ScriptedDevice>& devices, const GUID& guid)
{
    return std::any_of(devices.begin(), devices.end(),
                       [&](const ScriptedDevice& d) { return d.guid == guid; });
}

void note_plugging(ScriptWatch& w, const DeviceScript& before, const DeviceScript& after)
{
    for (const auto& old_device : before.devices) {
        if (lists(after.devices, old_device.guid))
            continue;
        log_event("unplug", guid_text(old_device.guid), {});
        auto entry = std::find_if(w.unplugs.begin(), w.unplugs.end(),
                                  [&](const auto& e) { return e.first == old_device.guid; });
        if (entry == w.unplugs.end())
            w.unplugs.emplace_back(old_device.guid, 1u);
        else
            ++entry->second;
    }
    for (const auto& new_device : after.devices) {
        if (!lists(before.devices, new_device.guid))
            log_event("plug", guid_text(new_device.guid), new_device.name);
    }
}

}  // namespace

void refresh_script()
{
    auto& w = watch();
    std::lock_guard lock(w.mutex);
    auto text = read_script_file(w.path);
    if (!text || text == w.last_text)
        return;

    DeviceScript fresh = parse_device_script(*text);
    log_event("script", {},
              "devices=" + std::to_string(fresh.devices.size()) +
                  " failures=" + std::to_string(fresh.failures.size()) +
                  " problems=" + std::to_string(fresh.problems.size()));
    for (const auto& problem : fresh.problems)
        log_event("scriptproblem", {}, problem);
    note_plugging(w, w.script, fresh);
    w.script = std::move(fresh);
    w.last_text = std::move(text);
}

std::vector<ScriptedDevice> attached_devices()
{
    auto& w = watch();
    std::lock_guard lock(w.mutex);
    return w.script.devices;
}

std::optional<ScriptedDevice> attached_device(const GUID& guid)
{
    auto& w = watch();
    std::lock_guard lock(w.mutex);
    for (const auto& device : w.script.devices) {
        if (device.guid == guid)
            return device;
    }
    return std::nullopt;
}

unsigned unplug_count(const GUID& guid)
{
    auto& w = watch();
    std::lock_guard lock(w.mutex);
    for (const auto& [device, count] : w.unplugs) {
        if (device == guid)
            return count;
    }
    return 0;
}

std::optional<HRESULT> injected_failure(std::string_view operation, const GUID* device)
{
    auto& w = watch();
    std::lock_guard lock(w.mutex);
    for (const auto& failure : w.script.failures) {
        if (failure.operation != operation)
            continue;
        if (!failure.device || (device != nullptr && *failure.device == *device))
            return failure.code;
    }
    return std::nullopt;
}

}  // namespace dinput_standin
