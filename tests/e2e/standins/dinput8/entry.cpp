// The one export: DirectInput8Create, hence the .def file that keeps the name undecorated.

#include "api_charset.h"
#include "call_log.h"
#include "direct_input.h"
#include "guid_text.h"
#include "script_watch.h"

#include <dinput.h>

#include <cstdio>
#include <string>

using namespace dinput_standin;

const wchar_t* dinput_standin::log_file_name() { return L"dinput_log.txt"; }

extern "C" HRESULT WINAPI DirectInput8Create(HINSTANCE instance, DWORD version, REFIID riid,
                                             LPVOID* out, LPUNKNOWN outer)
{
    refresh_script();
    char version_text[16];
    std::snprintf(version_text, sizeof version_text, "0x%04lX", static_cast<unsigned long>(version));
    const std::string details = std::string("version=") + version_text + " iid=" + guid_text(riid);
    const auto finish = [&](HRESULT result, const char* api) {
        log_call("create", {}, result, details + " api=" + api);
        return result;
    };
    if (out == nullptr)
        return finish(E_POINTER, "-");
    *out = nullptr;
    if (const auto failure = injected_failure("create", nullptr))
        return finish(*failure, "-");
    if (instance == nullptr)
        return finish(DIERR_INVALIDPARAM, "-");
    if (version < 0x0800)
        return finish(DIERR_OLDDIRECTINPUTVERSION, "-");
    if (version > 0x0800)
        return finish(DIERR_BETADIRECTINPUTVERSION, "-");
    if (outer != nullptr)
        return finish(DIERR_NOAGGREGATION, "-");
    if (riid == IID_IDirectInput8W) {
        *out = new_direct_input<WideApi>();
        return finish(DI_OK, "W");
    }
    if (riid == IID_IDirectInput8A || riid == IID_IUnknown) {
        *out = new_direct_input<AnsiApi>();
        return finish(DI_OK, "A");
    }
    return finish(DIERR_NOINTERFACE, "-");
}
