#include "platform/win32/win32_game_controllers.h"

#ifndef DIRECTINPUT_VERSION
#define DIRECTINPUT_VERSION 0x0800
#endif
#include <dinput.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <string_view>

#include "platform/portable/xinput_mapping.h"
#include "platform/win32/win32_errors.h"

namespace kestro {
namespace {

std::string guidToText(const GUID& guid) {
    char text[40] = {};
    std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned long>(guid.Data1), static_cast<unsigned>(guid.Data2),
                  static_cast<unsigned>(guid.Data3), static_cast<unsigned>(guid.Data4[0]),
                  static_cast<unsigned>(guid.Data4[1]), static_cast<unsigned>(guid.Data4[2]),
                  static_cast<unsigned>(guid.Data4[3]), static_cast<unsigned>(guid.Data4[4]),
                  static_cast<unsigned>(guid.Data4[5]), static_cast<unsigned>(guid.Data4[6]),
                  static_cast<unsigned>(guid.Data4[7]));
    return text;
}

std::optional<unsigned> hexDigit(char c) {
    if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
    return std::nullopt;
}

// Reads `digits` hex digits at `pos` and moves past them.
std::optional<unsigned long> hexField(std::string_view text, std::size_t& pos, std::size_t digits) {
    if (pos + digits > text.size()) return std::nullopt;
    unsigned long value = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        const auto digit = hexDigit(text[pos + i]);
        if (!digit) return std::nullopt;
        value = value * 16 + *digit;
    }
    pos += digits;
    return value;
}

bool expect(std::string_view text, std::size_t& pos, char c) {
    if (pos >= text.size() || text[pos] != c) return false;
    ++pos;
    return true;
}

// Exactly the form guidToText writes; letter case of the digits is free.
std::optional<GUID> textToGuid(std::string_view text) {
    GUID guid{};
    std::size_t pos = 0;
    if (!expect(text, pos, '{')) return std::nullopt;
    const auto data1 = hexField(text, pos, 8);
    if (!data1 || !expect(text, pos, '-')) return std::nullopt;
    const auto data2 = hexField(text, pos, 4);
    if (!data2 || !expect(text, pos, '-')) return std::nullopt;
    const auto data3 = hexField(text, pos, 4);
    if (!data3 || !expect(text, pos, '-')) return std::nullopt;
    guid.Data1 = static_cast<decltype(guid.Data1)>(*data1);
    guid.Data2 = static_cast<WORD>(*data2);
    guid.Data3 = static_cast<WORD>(*data3);
    for (std::size_t i = 0; i < 8; ++i) {
        if (i == 2 && !expect(text, pos, '-')) return std::nullopt;
        const auto byte = hexField(text, pos, 2);
        if (!byte) return std::nullopt;
        guid.Data4[i] = static_cast<BYTE>(*byte);
    }
    if (!expect(text, pos, '}') || pos != text.size()) return std::nullopt;
    return guid;
}

BOOL CALLBACK collectController(LPCDIDEVICEINSTANCEA instance, LPVOID context) {
    auto& found = *static_cast<std::vector<ControllerItem>*>(context);
    const char* name = instance->tszInstanceName;
    const char* end = std::find(name, name + sizeof instance->tszInstanceName, '\0');
    ControllerItem item;
    item.name.assign(name, end);
    item.id = guidToText(instance->guidInstance);
    found.push_back(std::move(item));
    return DIENUM_CONTINUE;
}

void copyState(const DIJOYSTATE& from, JoyState& to) {
    to.lX = from.lX;
    to.lY = from.lY;
    to.lZ = from.lZ;
    to.lRx = from.lRx;
    to.lRy = from.lRy;
    to.lRz = from.lRz;
    for (int i = 0; i < 2; ++i) to.rglSlider[i] = from.rglSlider[i];
    for (int i = 0; i < 4; ++i) to.rgdwPOV[i] = from.rgdwPOV[i];
    for (int i = 0; i < 32; ++i) to.rgbButtons[i] = from.rgbButtons[i];
}

bool isXInputDevice(IDirectInputDevice8A& device) {
    DIPROPGUIDANDPATH property{};
    property.diph.dwSize = sizeof property;
    property.diph.dwHeaderSize = sizeof property.diph;
    property.diph.dwObj = 0;
    property.diph.dwHow = DIPH_DEVICE;
    if (FAILED(device.GetProperty(DIPROP_GUIDANDPATH, &property.diph))) return false;
    const std::size_t length = wcsnlen(property.wszPath, MAX_PATH);
    return isXInputDevicePath(std::wstring_view(property.wszPath, length));
}

XInputPad padFrom(const XINPUT_GAMEPAD& gamepad) {
    XInputPad pad;
    pad.buttons = gamepad.wButtons;
    pad.thumbLX = gamepad.sThumbLX;
    pad.thumbLY = gamepad.sThumbLY;
    pad.thumbRX = gamepad.sThumbRX;
    pad.thumbRY = gamepad.sThumbRY;
    return pad;
}

// True for a success code; a failure is reported first.
bool succeeded(const wchar_t* api, HRESULT result) {
    if (SUCCEEDED(result)) return true;
    win32::reportFailure(api, static_cast<DWORD>(result));
    return false;
}

bool needsAcquire(HRESULT result) { return result == DIERR_INPUTLOST || result == DIERR_NOTACQUIRED; }

}  // namespace

Win32GameControllers::Win32GameControllers(HINSTANCE instance, HWND window)
    : instance_(instance), window_(window) {}

Win32GameControllers::~Win32GameControllers() {
    releaseDevice();
    if (input_) input_->Release();
}

void Win32GameControllers::releaseDevice() {
    if (!device_) return;
    device_->Unacquire();
    device_->Release();
    device_ = nullptr;
}

bool Win32GameControllers::createRoot() {
    // DirectInput's only root is the module that owns it.
    if (!instance_) instance_ = GetModuleHandleW(nullptr);
    rootCreated_ = instance_ != nullptr;
    return rootCreated_;
}

bool Win32GameControllers::createInput() {
    if (!rootCreated_) return false;
    // Making the object costs as much as enumerating; one serves the whole
    // run, and a new one is made only after the old one failed.
    if (input_ && !inputFailed_) return true;
    IDirectInput8A* fresh = nullptr;
    const HRESULT result = DirectInput8Create(instance_, 0x0800, IID_IDirectInput8A,
                                              reinterpret_cast<void**>(&fresh), nullptr);
    if (!succeeded(L"DirectInput8Create", result) || !fresh) return false;
    if (input_) input_->Release();
    input_ = fresh;
    inputFailed_ = false;
    return true;
}

bool Win32GameControllers::enumerateAttached() {
    if (!input_) return false;
    std::vector<ControllerItem> found;
    const HRESULT result =
        input_->EnumDevices(DI8DEVCLASS_GAMECTRL, collectController, &found, DIEDFL_ATTACHEDONLY);
    if (!succeeded(L"IDirectInput8::EnumDevices", result)) {
        inputFailed_ = true;
        return false;
    }
    snapshot_ = std::move(found);
    return true;
}

bool Win32GameControllers::count(std::int32_t& n) {
    n = static_cast<std::int32_t>(snapshot_.size());
    return true;
}

bool Win32GameControllers::item(std::int32_t index, ControllerItem& out) {
    if (index < 1 || static_cast<std::size_t>(index) > snapshot_.size()) return false;
    out = snapshot_[static_cast<std::size_t>(index) - 1];
    return true;
}

bool Win32GameControllers::createDevice(const std::string& id) {
    if (!input_) return false;
    const auto guid = textToGuid(id);
    if (!guid) return false;
    IDirectInputDevice8A* fresh = nullptr;
    if (!succeeded(L"IDirectInput8::CreateDevice", input_->CreateDevice(*guid, &fresh, nullptr)) || !fresh) {
        inputFailed_ = true;
        return false;
    }
    const bool xinputPad = xinput_.available() && isXInputDevice(*fresh);
    releaseDevice();
    device_ = fresh;
    xinputPad_.reset();
    if (xinputPad) xinputPad_ = xinputPadsBefore(id);
    return true;
}

int Win32GameControllers::xinputPadsBefore(const std::string& id) {
    int before = 0;
    for (const ControllerItem& item : snapshot_) {
        if (item.id == id) break;
        const auto guid = textToGuid(item.id);
        IDirectInputDevice8A* other = nullptr;
        if (!guid || FAILED(input_->CreateDevice(*guid, &other, nullptr)) || !other) continue;
        if (isXInputDevice(*other)) ++before;
        other->Release();
    }
    return before;
}

bool Win32GameControllers::setJoystickFormat() {
    return device_ && succeeded(L"IDirectInputDevice8::SetDataFormat", device_->SetDataFormat(&c_dfDIJoystick));
}

bool Win32GameControllers::acquire() {
    if (!device_) return false;
    // Background and non-exclusive: the controller keeps working while the
    // user types into another program.
    if (!succeeded(L"IDirectInputDevice8::SetCooperativeLevel",
                   device_->SetCooperativeLevel(window_, DISCL_BACKGROUND | DISCL_NONEXCLUSIVE)) ||
        !succeeded(L"IDirectInputDevice8::Acquire", device_->Acquire()))
        return false;
    xinputSlot_.reset();
    readsSinceScan_ = 0;
    return true;
}

bool Win32GameControllers::findXInputSlot() {
    // Rare, since a scan asks every empty slot too, which XInput answers slowly.
    constexpr unsigned kReadsBetweenScans = 40;
    if (readsSinceScan_++ % kReadsBetweenScans != 0) return false;
    // XInput numbers its slots in the order the pads arrived and keeps a
    // pad's slot when others leave, so count connected slots, not slots.
    int connected = 0;
    XINPUT_STATE state{};
    for (DWORD slot = 0; slot < XUSER_MAX_COUNT; ++slot) {
        if (xinput_.getState(slot, state) != ERROR_SUCCESS) continue;
        if (connected++ == *xinputPad_) {
            xinputSlot_ = slot;
            return true;
        }
    }
    return false;
}

bool Win32GameControllers::readXInput(JoyState& out) {
    XINPUT_STATE state{};
    if (xinput_.getState(*xinputSlot_, state) != ERROR_SUCCESS) return false;
    out = joyStateFromXInput(padFrom(state.Gamepad));
    return true;
}

bool Win32GameControllers::readState(JoyState& out) {
    if (!device_) return false;
    // XInput may take up a pad a moment after DirectInput lists it; until then
    // the DirectInput read stands in, and tells an unplugged pad.
    if (xinputPad_ && (xinputSlot_ || findXInputSlot())) return readXInput(out);
    DIJOYSTATE raw{};
    // Devices that need no polling say so with a success code; a lost
    // device shows up again in the read below.
    device_->Poll();
    HRESULT result = device_->GetDeviceState(sizeof raw, &raw);
    if (needsAcquire(result)) {
        // Another program or a power change may have taken the device;
        // one new attempt tells that apart from an unplugged controller.
        if (FAILED(device_->Acquire())) return false;
        device_->Poll();
        result = device_->GetDeviceState(sizeof raw, &raw);
    }
    if (!succeeded(L"IDirectInputDevice8::GetDeviceState", result)) return false;
    copyState(raw, out);
    return true;
}

}  // namespace kestro
