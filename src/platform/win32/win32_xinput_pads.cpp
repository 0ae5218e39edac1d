#include "platform/win32/win32_xinput_pads.h"

#include <initializer_list>
#include <string>

#include "platform/portable/xinput_mapping.h"

namespace kestro {
namespace {

// From the system folder only: a DLL of the same name beside the program or
// in the current folder must never be taken for XInput.
HMODULE loadFromSystemFolder(const wchar_t* name) {
    const HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Windows 7 without KB2533623 does not know the flag.
    if (module || GetLastError() != ERROR_INVALID_PARAMETER) return module;
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder, length) + L'\\' + name;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace

bool XInputPads::available() {
    if (tried_) return getState_ != nullptr;
    tried_ = true;
    // 1.4 comes with Windows 8 and later, 1.3 with the DirectX runtime, 9.1.0 with Vista and 7.
    for (const wchar_t* name : {L"xinput1_4.dll", L"xinput1_3.dll", L"xinput9_1_0.dll"}) {
        // Held for the life of the process, like the other controller objects.
        const HMODULE module = loadFromSystemFolder(name);
        if (!module) continue;
        getState_ = reinterpret_cast<GetStateFunction>(
            reinterpret_cast<void*>(GetProcAddress(module, "XInputGetState")));
        if (getState_) return true;
        FreeLibrary(module);
    }
    return false;
}

DWORD XInputPads::getState(DWORD slot, XINPUT_STATE& out) {
    return available() ? getState_(slot, &out) : ERROR_DEVICE_NOT_CONNECTED;
}

void XInputPads::follow(std::optional<int> position) {
    position_ = position;
    slot_.reset();
    readsSinceScan_ = 0;
}

bool XInputPads::ready() {
    if (!position_) return false;
    if (slot_) return true;
    // Rare, since a scan asks every empty slot too, which XInput answers slowly.
    constexpr unsigned kReadsBetweenScans = 40;
    if (readsSinceScan_++ % kReadsBetweenScans != 0) return false;
    int connected = 0;
    XINPUT_STATE state{};
    for (DWORD slot = 0; slot < XUSER_MAX_COUNT; ++slot) {
        if (getState(slot, state) != ERROR_SUCCESS) continue;
        if (connected++ == *position_) {
            slot_ = slot;
            return true;
        }
    }
    return false;
}

bool XInputPads::read(JoyState& out) {
    XINPUT_STATE state{};
    if (!slot_ || getState(*slot_, state) != ERROR_SUCCESS) return false;
    const XINPUT_GAMEPAD& g = state.Gamepad;
    out = joyStateFromXInput({g.wButtons, g.sThumbLX, g.sThumbLY, g.sThumbRX, g.sThumbRY});
    return true;
}

}  // namespace kestro
