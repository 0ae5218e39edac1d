#include "device_identity.h"

#include "common/text.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

namespace dinput_standin {

namespace {

// Real product GUIDs carry the USB vendor/product ids in Data1 and "PIDVID" in Data4;
// programs that look for that pattern should see it here too.
GUID product_guid(const GUID& instance)
{
    constexpr unsigned long vendor_id = 0x1209;  // pid.codes, a shared open-source vendor id
    const unsigned long product_id = instance.Data1 & 0xFFFF;
    return GUID{(product_id << 16) | vendor_id, 0, 0, {0, 0, 'P', 'I', 'D', 'V', 'I', 'D'}};
}

template <class Instance>
void fill_common(const ScriptedDevice& device, Instance& instance)
{
    instance.guidInstance = device.guid;
    instance.guidProduct = product_guid(device.guid);
    instance.dwDevType = gamepad_device_type;
    instance.guidFFDriver = GUID{};
    instance.wUsagePage = 0x01;  // HID generic desktop
    instance.wUsage = 0x05;      // HID game pad
}

}  // namespace

std::wstring device_path(const ScriptedDevice& device)
{
    wchar_t path[160];
    std::swprintf(path, sizeof path / sizeof path[0],
                  L"\\\\?\\hid#vid_1209&pid_%04lx%ls#7&%08lx&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}",
                  static_cast<unsigned long>(device.guid.Data1 & 0xFFFF), device.xinput ? L"&ig_00" : L"",
                  static_cast<unsigned long>(device.guid.Data1));
    return path;
}

void fill_device_instance(const ScriptedDevice& device, DIDEVICEINSTANCEA& instance)
{
    fill_common(device, instance);
    // The name is UTF-8 in the script; ANSI callers get it in their code page.
    // Short enough that even a double-byte code page cannot overflow MAX_PATH.
    std::wstring wide = e2e::widen(device.name);
    wide.resize(std::min<size_t>(wide.size(), (MAX_PATH - 1) / 2));
    char name[MAX_PATH] = {};
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, name, MAX_PATH - 1, nullptr, nullptr);
    std::memcpy(instance.tszInstanceName, name, sizeof name);
    std::memcpy(instance.tszProductName, name, sizeof name);
}

void fill_device_instance(const ScriptedDevice& device, DIDEVICEINSTANCEW& instance)
{
    fill_common(device, instance);
    std::wstring wide = e2e::widen(device.name);
    wide.resize(std::min<size_t>(wide.size(), MAX_PATH - 1));
    std::fill(std::begin(instance.tszInstanceName), std::end(instance.tszInstanceName), L'\0');
    std::fill(std::begin(instance.tszProductName), std::end(instance.tszProductName), L'\0');
    std::copy(wide.begin(), wide.end(), instance.tszInstanceName);
    std::copy(wide.begin(), wide.end(), instance.tszProductName);
}

}  // namespace dinput_standin
