#include "direct_input.h"

#include "api_charset.h"
#include "call_log.h"
#include "device_identity.h"
#include "guid_text.h"
#include "joystick_device.h"
#include "script_watch.h"

#include <atomic>
#include <cstdio>
#include <string>

namespace dinput_standin {

namespace {

// Scripted devices are gamepads, so they show up for "all", "game controllers" and
// "gamepads", never for keyboards, mice or other classes.
bool lists_gamepads(DWORD device_type)
{
    return device_type == DI8DEVCLASS_ALL || device_type == DI8DEVCLASS_GAMECTRL ||
           device_type == DI8DEVTYPE_GAMEPAD;
}

std::string hex(DWORD value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%lX", static_cast<unsigned long>(value));
    return text;
}

template <class Api>
class DirectInput final : public Api::DirectInput {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
    {
        if (out == nullptr)
            return done("qi", {}, E_POINTER);
        if (riid == IID_IUnknown || riid == Api::direct_input_iid()) {
            *out = static_cast<typename Api::DirectInput*>(this);
            AddRef();
            return done("qi", {}, DI_OK, "iid=" + guid_text(riid));
        }
        *out = nullptr;
        return done("qi", {}, E_NOINTERFACE, "iid=" + guid_text(riid));
    }

    ULONG STDMETHODCALLTYPE AddRef() override
    {
        const ULONG refs = ++refs_;
        done("addref", {}, DI_OK, "refs=" + std::to_string(refs));
        return refs;
    }

    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG refs = --refs_;
        done("release", {}, DI_OK, "refs=" + std::to_string(refs));
        if (refs == 0)
            delete this;
        return refs;
    }

    HRESULT STDMETHODCALLTYPE CreateDevice(REFGUID guid, typename Api::Device** out,
                                           LPUNKNOWN outer) override
    {
        refresh_script();
        const std::string subject = guid_text(guid);
        if (out == nullptr)
            return done("createdevice", subject, E_POINTER);
        *out = nullptr;
        if (const auto failure = injected_failure("createdevice", &guid))
            return done("createdevice", subject, *failure, "injected");
        if (outer != nullptr)
            return done("createdevice", subject, DIERR_NOAGGREGATION);
        const auto device = attached_device(guid);
        if (!device)
            return done("createdevice", subject, DIERR_DEVICENOTREG);
        *out = new_joystick_device<Api>(*device);
        return done("createdevice", subject, DI_OK, std::string("api=") + Api::label);
    }

    HRESULT STDMETHODCALLTYPE EnumDevices(DWORD device_type, typename Api::EnumDevicesCallback callback,
                                          LPVOID context, DWORD flags) override
    {
        refresh_script();
        std::string details = "type=" + std::to_string(device_type) + " flags=" + hex(flags);
        if (const auto failure = injected_failure("enum", nullptr))
            return done("enum", {}, *failure, details + " injected");
        if (callback == nullptr)
            return done("enum", {}, DIERR_INVALIDPARAM, details);

        int listed = 0;
        bool stopped = false;
        // Scripted devices have no force feedback, so asking for it lists nothing.
        if (lists_gamepads(device_type) && (flags & DIEDFL_FORCEFEEDBACK) == 0) {
            // A copy, so the callback may call back into us (CreateDevice) freely.
            for (const auto& device : attached_devices()) {
                typename Api::DeviceInstance instance{};
                instance.dwSize = sizeof instance;
                fill_device_instance(device, instance);
                ++listed;
                if (callback(&instance, context) == DIENUM_STOP) {
                    stopped = true;
                    break;
                }
            }
        }
        details += " listed=" + std::to_string(listed) + (stopped ? " stopped" : "");
        return done("enum", {}, DI_OK, details);
    }

    HRESULT STDMETHODCALLTYPE GetDeviceStatus(REFGUID guid) override
    {
        refresh_script();
        return done("getdevicestatus", guid_text(guid),
                    attached_device(guid) ? DI_OK : DI_NOTATTACHED);
    }

    HRESULT STDMETHODCALLTYPE RunControlPanel(HWND, DWORD) override
    {
        return done("runcontrolpanel", {}, E_NOTIMPL);
    }

    HRESULT STDMETHODCALLTYPE Initialize(HINSTANCE, DWORD version) override
    {
        return done("initialize", {}, DI_OK, "version=" + hex(version));
    }

    HRESULT STDMETHODCALLTYPE FindDevice(REFGUID, typename Api::Text, LPGUID) override
    {
        return done("finddevice", {}, E_NOTIMPL);
    }

    HRESULT STDMETHODCALLTYPE EnumDevicesBySemantics(typename Api::Text, typename Api::ActionFormatPtr,
                                                     typename Api::SemanticsCallback, LPVOID,
                                                     DWORD) override
    {
        return done("enumdevicesbysemantics", {}, E_NOTIMPL);
    }

    HRESULT STDMETHODCALLTYPE ConfigureDevices(LPDICONFIGUREDEVICESCALLBACK,
                                               typename Api::ConfigureParamsPtr, DWORD,
                                               LPVOID) override
    {
        return done("configuredevices", {}, E_NOTIMPL);
    }

private:
    ~DirectInput() = default;

    static HRESULT done(std::string_view operation, std::string_view subject, HRESULT result,
                        std::string_view details = {})
    {
        log_call(operation, subject, result, details);
        return result;
    }

    std::atomic<ULONG> refs_{1};
};

}  // namespace

template <class Api>
typename Api::DirectInput* new_direct_input()
{
    return new DirectInput<Api>();
}

template AnsiApi::DirectInput* new_direct_input<AnsiApi>();
template WideApi::DirectInput* new_direct_input<WideApi>();

}  // namespace dinput_standin
