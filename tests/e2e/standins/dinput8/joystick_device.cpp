#include "joystick_device.h"

#include "api_charset.h"
#include "call_log.h"
#include "device_identity.h"
#include "guid_text.h"
#include "script_watch.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>

namespace dinput_standin {

namespace {

constexpr LONG unused_axis = 0;
constexpr DWORD centred_pov = 0xFFFFFFFF;

std::string button_text(std::uint32_t buttons)
{
    std::string text(scripted_buttons, '0');
    for (DWORD i = 0; i < scripted_buttons; ++i) {
        if ((buttons >> i) & 1u)
            text[i] = '1';
    }
    return text;
}

// Windows gives DirectInput and HID readers of an Xbox-type pad a pad at rest unless
// their process owns the foreground window; XInput readers get the real input.
bool input_withheld(const ScriptedDevice& device)
{
    if (!device.xinput)
        return false;
    const HWND front = GetForegroundWindow();
    DWORD process = 0;
    return front == nullptr || GetWindowThreadProcessId(front, &process) == 0 ||
           process != GetCurrentProcessId();
}

ScriptedDevice at_rest(ScriptedDevice device)
{
    device.x = 32768;
    device.y = 32767;
    device.buttons = 0;
    device.pov = centred_pov;
    return device;
}

// DIJOYSTATE2 starts with a DIJOYSTATE, so one layout serves both formats.
void write_joystick_state(const ScriptedDevice& device, DWORD size, void* data)
{
    DIJOYSTATE state{};
    state.lX = device.x;
    state.lY = device.y;
    state.lZ = state.lRx = state.lRy = state.lRz = unused_axis;
    for (auto& pov : state.rgdwPOV)
        pov = centred_pov;
    state.rgdwPOV[0] = device.pov;
    for (DWORD i = 0; i < scripted_buttons; ++i)
        state.rgbButtons[i] = ((device.buttons >> i) & 1u) ? 0x80 : 0x00;
    std::memset(data, 0, size);
    std::memcpy(data, &state, sizeof state);
}

bool is_guid_and_path(REFGUID property)
{
    return &property == &DIPROP_GUIDANDPATH;
}

std::string property_text(REFGUID property)
{
    // DIPROP_* are small integers disguised as GUID pointers.
    const auto id = reinterpret_cast<std::uintptr_t>(&property);
    if (id < 0x10000)
        return "prop=" + std::to_string(id);
    return "prop=" + guid_text(property);
}

std::string cooperative_text(HWND window, DWORD flags)
{
    char text[96];
    std::snprintf(text, sizeof text, "hwnd=0x%llX flags=0x%lX%s%s%s%s",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window)),
                  static_cast<unsigned long>(flags), (flags & DISCL_EXCLUSIVE) ? " exclusive" : "",
                  (flags & DISCL_NONEXCLUSIVE) ? " nonexclusive" : "",
                  (flags & DISCL_FOREGROUND) ? " foreground" : "",
                  (flags & DISCL_BACKGROUND) ? " background" : "");
    return text;
}

HRESULT check_cooperative_level(HWND window, DWORD flags)
{
    const bool exclusive = flags & DISCL_EXCLUSIVE;
    const bool nonexclusive = flags & DISCL_NONEXCLUSIVE;
    const bool foreground = flags & DISCL_FOREGROUND;
    const bool background = flags & DISCL_BACKGROUND;
    if (exclusive == nonexclusive || foreground == background)
        return DIERR_INVALIDPARAM;
    if (window == nullptr)
        return (nonexclusive && background) ? DI_OK : E_HANDLE;
    // DirectInput wants the application's top-level window, not a control inside it.
    if (!IsWindow(window) || (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD))
        return E_HANDLE;
    return DI_OK;
}

template <class Api>
class JoystickDevice final : public Api::Device {
public:
    explicit JoystickDevice(const ScriptedDevice& device)
        : guid_(device.guid), subject_(guid_text(device.guid)), last_seen_(device)
    {
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
    {
        if (out == nullptr)
            return done("qi", E_POINTER);
        if (riid == IID_IUnknown || riid == Api::device_iid()) {
            *out = static_cast<typename Api::Device*>(this);
            AddRef();
            return done("qi", DI_OK, "iid=" + guid_text(riid));
        }
        *out = nullptr;
        return done("qi", E_NOINTERFACE, "iid=" + guid_text(riid));
    }

    ULONG STDMETHODCALLTYPE AddRef() override
    {
        const ULONG refs = ++refs_;
        done("addref", DI_OK, "refs=" + std::to_string(refs));
        return refs;
    }

    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG refs = --refs_;
        done("release", DI_OK, "refs=" + std::to_string(refs));
        if (refs == 0)
            delete this;
        return refs;
    }

    HRESULT STDMETHODCALLTYPE GetCapabilities(LPDIDEVCAPS caps) override
    {
        refresh_script();
        if (const auto failure = injected_failure("getcapabilities", &guid_))
            return done("getcapabilities", *failure, "injected");
        if (caps == nullptr ||
            (caps->dwSize != sizeof(DIDEVCAPS) && caps->dwSize != sizeof(DIDEVCAPS_DX3)))
            return done("getcapabilities", DIERR_INVALIDPARAM);
        const bool attached = attached_device(guid_).has_value();
        DIDEVCAPS full{};
        full.dwSize = caps->dwSize;
        full.dwFlags = attached ? DIDC_ATTACHED : 0;
        full.dwDevType = gamepad_device_type;
        full.dwAxes = scripted_axes;
        full.dwButtons = scripted_buttons;
        full.dwPOVs = 1;
        std::memcpy(caps, &full, caps->dwSize);
        return done("getcapabilities", DI_OK, attached ? "attached=1" : "attached=0");
    }

    HRESULT STDMETHODCALLTYPE EnumObjects(typename Api::EnumObjectsCallback, LPVOID, DWORD) override
    {
        return done("enumobjects", E_NOTIMPL);
    }

    HRESULT STDMETHODCALLTYPE GetProperty(REFGUID property, LPDIPROPHEADER header) override
    {
        if (!is_guid_and_path(property))
            return done("getproperty", E_NOTIMPL, property_text(property));
        // The header as DirectInput checks it for a device-wide property.
        if (header == nullptr || header->dwSize != sizeof(DIPROPGUIDANDPATH) ||
            header->dwHeaderSize != sizeof(DIPROPHEADER) || header->dwObj != 0 ||
            header->dwHow != DIPH_DEVICE)
            return done("getproperty", DIERR_INVALIDPARAM, "prop=guidandpath");
        refresh_script();
        if (const auto device = attached_device(guid_))
            last_seen_ = *device;
        auto& result = *reinterpret_cast<DIPROPGUIDANDPATH*>(header);
        result.guidClass = hid_class_guid;
        const std::wstring path = device_path(last_seen_);
        std::fill(std::begin(result.wszPath), std::end(result.wszPath), L'\0');
        std::copy(path.begin(), path.end(), result.wszPath);
        return done("getproperty", DI_OK, "prop=guidandpath" + std::string(last_seen_.xinput ? " xinput" : ""));
    }

    HRESULT STDMETHODCALLTYPE SetProperty(REFGUID property, LPCDIPROPHEADER) override
    {
        return done("setproperty", E_NOTIMPL, property_text(property));
    }

    HRESULT STDMETHODCALLTYPE Acquire() override
    {
        refresh_script();
        std::lock_guard lock(mutex_);
        if (const auto failure = injected_failure("acquire", &guid_))
            return done("acquire", *failure, "injected");
        if (data_size_ == 0)
            return done("acquire", DIERR_INVALIDPARAM, "no data format");
        if (!attached_device(guid_))
            return done("acquire", DIERR_UNPLUGGED);
        const unsigned unplugs = unplug_count(guid_);
        if (acquired_ && unplugs == acquired_at_unplugs_)
            return done("acquire", DI_NOEFFECT);
        acquired_ = true;
        acquired_at_unplugs_ = unplugs;
        return done("acquire", DI_OK);
    }

    HRESULT STDMETHODCALLTYPE Unacquire() override
    {
        std::lock_guard lock(mutex_);
        if (const auto failure = injected_failure("unacquire", &guid_))
            return done("unacquire", *failure, "injected");
        const bool was_acquired = acquired_;
        acquired_ = false;
        return done("unacquire", was_acquired ? DI_OK : DI_NOEFFECT);
    }

    HRESULT STDMETHODCALLTYPE GetDeviceState(DWORD size, LPVOID data) override
    {
        refresh_script();
        std::lock_guard lock(mutex_);
        if (const auto failure = injected_failure("getstate", &guid_))
            return done("getstate", *failure, "injected");
        const auto device = attached_device(guid_);
        if (const HRESULT lost = check_input(device.has_value()); FAILED(lost))
            return done("getstate", lost);
        if (data == nullptr || size != data_size_)
            return done("getstate", DIERR_INVALIDPARAM, "size=" + std::to_string(size));
        last_seen_ = *device;
        const bool withheld = input_withheld(*device);
        const ScriptedDevice seen = withheld ? at_rest(*device) : *device;
        write_joystick_state(seen, size, data);
        return done("getstate", DI_OK,
                    "x=" + std::to_string(seen.x) + " y=" + std::to_string(seen.y) +
                        " buttons=" + button_text(seen.buttons) + " pov=" + std::to_string(seen.pov) +
                        (withheld ? " withheld" : ""));
    }

    HRESULT STDMETHODCALLTYPE GetDeviceData(DWORD, LPDIDEVICEOBJECTDATA, LPDWORD, DWORD) override
    {
        return done("getdevicedata", E_NOTIMPL);
    }

    HRESULT STDMETHODCALLTYPE SetDataFormat(LPCDIDATAFORMAT format) override
    {
        std::lock_guard lock(mutex_);
        if (const auto failure = injected_failure("setdataformat", &guid_))
            return done("setdataformat", *failure, "injected");
        if (format == nullptr || format->dwSize != sizeof(DIDATAFORMAT))
            return done("setdataformat", DIERR_INVALIDPARAM);
        if (acquired_)
            return done("setdataformat", DIERR_ACQUIRED);
        const std::string size_text = "size=" + std::to_string(format->dwDataSize);
        // Only the joystick layouts are emulated; anything else would be read wrongly.
        if (format->dwDataSize != sizeof(DIJOYSTATE) && format->dwDataSize != sizeof(DIJOYSTATE2))
            return done("setdataformat", DIERR_UNSUPPORTED, size_text);
        data_size_ = format->dwDataSize;
        return done("setdataformat", DI_OK, size_text);
    }

    HRESULT STDMETHODCALLTYPE SetEventNotification(HANDLE) override
    {
        return done("seteventnotification", E_NOTIMPL);
    }

    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD flags) override
    {
        std::lock_guard lock(mutex_);
        const std::string details = cooperative_text(window, flags);
        if (const auto failure = injected_failure("setcooperativelevel", &guid_))
            return done("setcooperativelevel", *failure, details + " injected");
        if (acquired_)
            return done("setcooperativelevel", DIERR_ACQUIRED, details);
        return done("setcooperativelevel", check_cooperative_level(window, flags), details);
    }

    HRESULT STDMETHODCALLTYPE GetObjectInfo(typename Api::ObjectInstancePtr, DWORD, DWORD) override
    {
        return done("getobjectinfo", E_NOTIMPL);
    }

    HRESULT STDMETHODCALLTYPE GetDeviceInfo(typename Api::DeviceInstancePtr info) override
    {
        refresh_script();
        std::lock_guard lock(mutex_);
        if (const auto failure = injected_failure("getdeviceinfo", &guid_))
            return done("getdeviceinfo", *failure, "injected");
        using Instance = typename Api::DeviceInstance;
        // The full record, or the shorter DirectX 3 one that ends before guidFFDriver.
        if (info == nullptr || (info->dwSize != sizeof(Instance) &&
                                info->dwSize != offsetof(Instance, guidFFDriver)))
            return done("getdeviceinfo", DIERR_INVALIDPARAM);
        if (const auto device = attached_device(guid_))
            last_seen_ = *device;
        Instance full{};
        fill_device_instance(last_seen_, full);
        full.dwSize = info->dwSize;
        std::memcpy(info, &full, info->dwSize);
        return done("getdeviceinfo", DI_OK);
    }

    HRESULT STDMETHODCALLTYPE RunControlPanel(HWND, DWORD) override
    {
        return done("runcontrolpanel", E_NOTIMPL);
    }

    HRESULT STDMETHODCALLTYPE Initialize(HINSTANCE, DWORD, REFGUID) override
    {
        return done("initialize", DI_OK);
    }

    HRESULT STDMETHODCALLTYPE CreateEffect(REFGUID, LPCDIEFFECT, LPDIRECTINPUTEFFECT* effect,
                                           LPUNKNOWN) override
    {
        if (effect != nullptr)
            *effect = nullptr;
        return done("createeffect", E_NOTIMPL);
    }

    HRESULT STDMETHODCALLTYPE EnumEffects(typename Api::EnumEffectsCallback, LPVOID, DWORD) override
    {
        return done("enumeffects", E_NOTIMPL);
    }

    HRESULT STDMETHODCALLTYPE GetEffectInfo(typename Api::EffectInfoPtr, REFGUID) override
    {
        return done("geteffectinfo", E_NOTIMPL);
    }

    HRESULT STDMETHODCALLTYPE GetForceFeedbackState(LPDWORD) override
    {
        return done("getforcefeedbackstate", E_NOTIMPL);
    }

    HRESULT STDMETHODCALLTYPE SendForceFeedbackCommand(DWORD) override
    {
        return done("sendforcefeedbackcommand", E_NOTIMPL);
    }

    HRESULT STDMETHODCALLTYPE EnumCreatedEffectObjects(LPDIENUMCREATEDEFFECTOBJECTSCALLBACK, LPVOID,
                                                       DWORD) override
    {
        return done("enumcreatedeffectobjects", E_NOTIMPL);
    }

    HRESULT STDMETHODCALLTYPE Escape(LPDIEFFESCAPE) override { return done("escape", E_NOTIMPL); }

    HRESULT STDMETHODCALLTYPE Poll() override
    {
        refresh_script();
        std::lock_guard lock(mutex_);
        if (const auto failure = injected_failure("poll", &guid_))
            return done("poll", *failure, "injected");
        if (const HRESULT lost = check_input(attached_device(guid_).has_value()); FAILED(lost))
            return done("poll", lost);
        // Like a HID gamepad, which needs no polling.
        return done("poll", DI_NOEFFECT);
    }

    HRESULT STDMETHODCALLTYPE SendDeviceData(DWORD, LPCDIDEVICEOBJECTDATA, LPDWORD, DWORD) override
    {
        return done("senddevicedata", E_NOTIMPL);
    }

    HRESULT STDMETHODCALLTYPE EnumEffectsInFile(typename Api::Text, LPDIENUMEFFECTSINFILECALLBACK,
                                                LPVOID, DWORD) override
    {
        return done("enumeffectsinfile", E_NOTIMPL);
    }

    HRESULT STDMETHODCALLTYPE WriteEffectToFile(typename Api::Text, DWORD, LPDIFILEEFFECT,
                                                DWORD) override
    {
        return done("writeeffecttofile", E_NOTIMPL);
    }

    HRESULT STDMETHODCALLTYPE BuildActionMap(typename Api::ActionFormatPtr, typename Api::Text,
                                             DWORD) override
    {
        return done("buildactionmap", E_NOTIMPL);
    }

    HRESULT STDMETHODCALLTYPE SetActionMap(typename Api::ActionFormatPtr, typename Api::Text,
                                           DWORD) override
    {
        return done("setactionmap", E_NOTIMPL);
    }

    HRESULT STDMETHODCALLTYPE GetImageInfo(typename Api::ImageInfoHeaderPtr) override
    {
        return done("getimageinfo", E_NOTIMPL);
    }

private:
    ~JoystickDevice() = default;

    // Unplugged: input lost for as long as it is gone, and the acquisition with it.
    // Back again: still lost once if it was acquired before the unplug, then not acquired
    // until the program acquires it again - the order a real device goes through.
    HRESULT check_input(bool attached)
    {
        if (!attached) {
            acquired_ = false;
            return DIERR_INPUTLOST;
        }
        if (acquired_ && unplug_count(guid_) != acquired_at_unplugs_) {
            acquired_ = false;
            return DIERR_INPUTLOST;
        }
        return acquired_ ? DI_OK : DIERR_NOTACQUIRED;
    }

    HRESULT done(std::string_view operation, HRESULT result, std::string_view details = {})
    {
        log_call(operation, subject_, result, details);
        return result;
    }

    std::atomic<ULONG> refs_{1};
    const GUID guid_;
    const std::string subject_;
    std::mutex mutex_;
    ScriptedDevice last_seen_;  // for GetDeviceInfo after an unplug
    DWORD data_size_ = 0;       // 0 until SetDataFormat
    bool acquired_ = false;
    unsigned acquired_at_unplugs_ = 0;
};

}  // namespace

template <class Api>
typename Api::Device* new_joystick_device(const ScriptedDevice& device)
{
    return new JoystickDevice<Api>(device);
}

template AnsiApi::Device* new_joystick_device<AnsiApi>(const ScriptedDevice&);
template WideApi::Device* new_joystick_device<WideApi>(const ScriptedDevice&);

}  // namespace dinput_standin
