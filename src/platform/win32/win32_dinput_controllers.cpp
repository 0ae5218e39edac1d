#include "platform/win32/win32_dinput_controllers.h"

#ifndef DIRECTINPUT_VERSION
#define DIRECTINPUT_VERSION 0x0800
#endif
#include <dinput.h>

#include <algorithm>
#include <cwchar>
#include <string_view>

#include "platform/portable/guid_text.h"
#include "platform/portable/xinput_mapping.h"
#include "platform/win32/win32_errors.h"

namespace kestro {
namespace {

std::string idOf(const GUID& g) {
    Guid guid{g.Data1, g.Data2, g.Data3, {}};
    std::copy(std::begin(g.Data4), std::end(g.Data4), guid.data4);
    return guidText(guid);
}

std::optional<GUID> guidOf(const std::string& id) {
    const auto guid = parseGuidText(id);
    if (!guid) return std::nullopt;
    GUID g{guid->data1, guid->data2, guid->data3, {}};
    std::copy(std::begin(guid->data4), std::end(guid->data4), g.Data4);
    return g;
}

BOOL CALLBACK collectController(LPCDIDEVICEINSTANCEA instance, LPVOID context) {
    auto& found = *static_cast<std::vector<ControllerItem>*>(context);
    const char* name = instance->tszInstanceName;
    const char* end = std::find(name, name + sizeof instance->tszInstanceName, '\0');
    found.push_back({std::string(name, end), idOf(instance->guidInstance)});
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

// True for a success code; a failure is reported first.
bool succeeded(const wchar_t* api, HRESULT result) {
    if (SUCCEEDED(result)) return true;
    win32::reportFailure(api, static_cast<DWORD>(result));
    return false;
}

bool needsAcquire(HRESULT result) { return result == DIERR_INPUTLOST || result == DIERR_NOTACQUIRED; }

}  // namespace

DInputControllers::DInputControllers(HINSTANCE instance, HWND window)
    // DirectInput's only root is the module that owns it.
    : instance_(instance ? instance : GetModuleHandleW(nullptr)), window_(window) {}

DInputControllers::~DInputControllers() {
    releaseDevice();
    if (input_) input_->Release();
}

void DInputControllers::releaseDevice() {
    if (!device_) return;
    device_->Unacquire();
    device_->Release();
    device_ = nullptr;
}

bool DInputControllers::listAttached(std::vector<ControllerItem>& attached) {
    // Making the object costs as much as enumerating; one serves the whole
    // run, and a new one is made only after the old one failed.
    if (!input_ || inputFailed_) {
        IDirectInput8A* fresh = nullptr;
        const HRESULT result = DirectInput8Create(instance_, 0x0800, IID_IDirectInput8A,
                                                  reinterpret_cast<void**>(&fresh), nullptr);
        if (!succeeded(L"DirectInput8Create", result) || !fresh) return false;
        if (input_) input_->Release();
        input_ = fresh;
        inputFailed_ = false;
    }
    std::vector<ControllerItem> found;
    const HRESULT result =
        input_->EnumDevices(DI8DEVCLASS_GAMECTRL, collectController, &found, DIEDFL_ATTACHEDONLY);
    if (!succeeded(L"IDirectInput8::EnumDevices", result)) {
        inputFailed_ = true;
        return false;
    }
    listedIds_.clear();
    for (const ControllerItem& item : found) listedIds_.push_back(item.id);
    attached = std::move(found);
    return true;
}

bool DInputControllers::create(const std::string& id) {
    const auto guid = guidOf(id);
    if (!input_ || !guid) return false;
    IDirectInputDevice8A* fresh = nullptr;
    if (!succeeded(L"IDirectInput8::CreateDevice", input_->CreateDevice(*guid, &fresh, nullptr)) || !fresh) {
        inputFailed_ = true;
        return false;
    }
    releaseDevice();
    device_ = fresh;
    deviceId_ = id;
    return true;
}

bool DInputControllers::acquire() {
    // Background and non-exclusive: the controller keeps working while the
    // user types into another program.
    return device_ &&
           succeeded(L"IDirectInputDevice8::SetDataFormat", device_->SetDataFormat(&c_dfDIJoystick)) &&
           succeeded(L"IDirectInputDevice8::SetCooperativeLevel",
                     device_->SetCooperativeLevel(window_, DISCL_BACKGROUND | DISCL_NONEXCLUSIVE)) &&
           succeeded(L"IDirectInputDevice8::Acquire", device_->Acquire());
}

std::optional<int> DInputControllers::xinputPadsBefore() {
    if (!device_ || !isXInputDevice(*device_)) return std::nullopt;
    int before = 0;
    for (const std::string& id : listedIds_) {
        if (id == deviceId_) break;
        const auto guid = guidOf(id);
        IDirectInputDevice8A* other = nullptr;
        if (!guid || FAILED(input_->CreateDevice(*guid, &other, nullptr)) || !other) continue;
        if (isXInputDevice(*other)) ++before;
        other->Release();
    }
    return before;
}

bool DInputControllers::read(JoyState& out) {
    if (!device_) return false;
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
