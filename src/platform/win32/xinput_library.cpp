#include "platform/win32/xinput_library.h"

#include <initializer_list>

namespace kestro {

bool XInputLibrary::available() {
    if (tried_) return getState_ != nullptr;
    tried_ = true;
    // 1.4 comes with Windows 8 and later, 1.3 with the DirectX runtime, 9.1.0 with Vista and 7.
    for (const wchar_t* name : {L"xinput1_4.dll", L"xinput1_3.dll", L"xinput9_1_0.dll"}) {
        // Held for the life of the process, like the other controller objects.
        const HMODULE module = LoadLibraryW(name);
        if (!module) continue;
        getState_ = reinterpret_cast<GetStateFunction>(
            reinterpret_cast<void*>(GetProcAddress(module, "XInputGetState")));
        if (getState_) return true;
        FreeLibrary(module);
    }
    return false;
}

DWORD XInputLibrary::getState(DWORD slot, XINPUT_STATE& out) {
    if (!available()) return ERROR_DEVICE_NOT_CONNECTED;
    return getState_(slot, &out);
}

}  // namespace kestro
