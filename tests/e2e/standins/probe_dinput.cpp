// Self-check for the dinput8 stand-in: loads dinput8.dll the way a program would find it
// (beside the exe, so under Wine run with WINEDLLOVERRIDES="dinput8=n,b"), drives it
// through a script, and prints PASS/FAIL per check. Exit code 0 only if all passed.

#include "common/clock.h"
#include "common/files.h"
#include "common/text.h"

#include <windows.h>
#include <dinput.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr char pad_a_guid[] = "{8E7A4F10-1C2B-4D3E-9F80-A1B2C3D4E5F6}";
constexpr char pad_a_lower[] = "{8e7a4f10-1c2b-4d3e-9f80-a1b2c3d4e5f6}";
constexpr char pad_b_guid[] = "{0B5C9D21-7E4F-4A60-8B1C-2D3E4F506172}";
constexpr GUID pad_a = {0x8E7A4F10, 0x1C2B, 0x4D3E, {0x9F, 0x80, 0xA1, 0xB2, 0xC3, 0xD4, 0xE5, 0xF6}};
constexpr GUID pad_b = {0x0B5C9D21, 0x7E4F, 0x4A60, {0x8B, 0x1C, 0x2D, 0x3E, 0x4F, 0x50, 0x61, 0x72}};
constexpr GUID unknown_pad = {0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}};

int failures = 0;

void check(bool ok, const std::string& what)
{
    std::printf("%s %s\n", ok ? "PASS" : "FAIL", what.c_str());
    std::fflush(stdout);
    if (!ok)
        ++failures;
}

void check_result(HRESULT actual, HRESULT expected, const std::string& what)
{
    char codes[64];
    std::snprintf(codes, sizeof codes, " (got 0x%08lX, want 0x%08lX)", static_cast<unsigned long>(actual),
                  static_cast<unsigned long>(expected));
    check(actual == expected, what + (actual == expected ? "" : codes));
}

std::wstring beside_exe(const wchar_t* name) { return e2e::joinPath(e2e::folderOfThisProgram(), name); }

// Written to a temporary name and renamed, so the DLL never reads half a file.
void write_script(const std::string& text)
{
    const std::wstring path = beside_exe(L"dinput_script.txt");
    const std::wstring temporary = path + L".tmp";
    {
        std::ofstream out(std::filesystem::path(temporary), std::ios::binary | std::ios::trunc);
        out << text;
    }
    MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

std::vector<std::string> log_lines()
{
    std::ifstream in(std::filesystem::path(beside_exe(L"dinput_log.txt")), std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Timestamp of the last log line containing `needle`, or -1.
std::int64_t last_logged(const std::string& needle)
{
    const auto lines = log_lines();
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        if (line->find(needle) != std::string::npos)
            return std::strtoll(line->c_str(), nullptr, 10);
    }
    return -1;
}

struct Seen {
    GUID guid;
    std::wstring name;
    DWORD type;
};

BOOL CALLBACK collect_wide(LPCDIDEVICEINSTANCEW instance, LPVOID context)
{
    static_cast<std::vector<Seen>*>(context)->push_back(
        {instance->guidInstance, instance->tszProductName, instance->dwDevType});
    return DIENUM_CONTINUE;
}

BOOL CALLBACK collect_ansi(LPCDIDEVICEINSTANCEA instance, LPVOID context)
{
    static_cast<std::vector<std::string>*>(context)->push_back(instance->tszInstanceName);
    return DIENUM_CONTINUE;
}

std::vector<Seen> enumerate(IDirectInput8W* input, HRESULT* result = nullptr)
{
    std::vector<Seen> seen;
    const HRESULT hr = input->EnumDevices(DI8DEVCLASS_GAMECTRL, collect_wide, &seen, DIEDFL_ATTACHEDONLY);
    if (result != nullptr)
        *result = hr;
    return seen;
}

std::string device_line(const char* guid, int x, int y, const char* buttons, const char* name)
{
    return std::string("device ") + guid + " " + std::to_string(x) + " " + std::to_string(y) + " " +
           buttons + " " + name + "\n";
}

using CreateFunction = HRESULT(WINAPI*)(HINSTANCE, DWORD, REFIID, LPVOID*, LPUNKNOWN);

void run_checks(CreateFunction create)
{
    IDirectInput8W* input = nullptr;
    check_result(create(GetModuleHandleW(nullptr), DIRECTINPUT_VERSION, IID_IDirectInput8W,
                        reinterpret_cast<void**>(&input), nullptr),
                 DI_OK, "DirectInput8Create gives IDirectInput8W");
    if (input == nullptr)
        return;
    const bool is_standin = last_logged("create - ok") >= 0;
    check(is_standin, "the stand-in answered, not the system dinput8 (its log has the create call)");
    if (!is_standin) {
        std::printf("HINT under Wine, run with WINEDLLOVERRIDES=\"dinput8=n,b\"\n");
        input->Release();
        return;
    }

    HRESULT hr = E_FAIL;
    auto seen = enumerate(input, &hr);
    check_result(hr, DI_OK, "EnumDevices succeeds");
    check(seen.size() == 2 && seen[0].guid == pad_a && seen[1].guid == pad_b,
          "EnumDevices lists both scripted pads in file order");
    check(!seen.empty() && seen[0].name == L"Pad One (wired)", "the product name is the scripted name, spaces kept");
    check(!seen.empty() && GET_DIDEVICE_TYPE(seen[0].type) == DI8DEVTYPE_GAMEPAD, "the pads are gamepads");

    IDirectInputDevice8W* missing = nullptr;
    check_result(input->CreateDevice(unknown_pad, &missing, nullptr), DIERR_DEVICENOTREG,
                 "CreateDevice refuses a guid that is not scripted");

    IDirectInputDevice8W* pad = nullptr;
    check_result(input->CreateDevice(pad_a, &pad, nullptr), DI_OK, "CreateDevice makes pad A");
    if (pad == nullptr)
        return;

    DIJOYSTATE state{};
    check_result(pad->GetDeviceState(sizeof state, &state), DIERR_NOTACQUIRED,
                 "GetDeviceState before Acquire is refused");
    check_result(pad->SetDataFormat(&c_dfDIJoystick), DI_OK, "SetDataFormat accepts c_dfDIJoystick");
    check_result(pad->SetCooperativeLevel(nullptr, DISCL_BACKGROUND | DISCL_NONEXCLUSIVE), DI_OK,
                 "SetCooperativeLevel background/non-exclusive without a window");
    check_result(pad->SetCooperativeLevel(nullptr, DISCL_FOREGROUND | DISCL_EXCLUSIVE), E_HANDLE,
                 "SetCooperativeLevel foreground without a window is refused");
    check_result(pad->Acquire(), DI_OK, "Acquire pad A");

    DIDEVCAPS caps{};
    caps.dwSize = sizeof caps;
    check_result(pad->GetCapabilities(&caps), DI_OK, "GetCapabilities");
    check((caps.dwFlags & DIDC_ATTACHED) && caps.dwButtons == 32, "capabilities: attached, 32 buttons");

    DIDEVICEINSTANCEW info{};
    info.dwSize = sizeof info;
    check_result(pad->GetDeviceInfo(&info), DI_OK, "GetDeviceInfo");
    check(info.guidInstance == pad_a && std::wstring(info.tszInstanceName) == L"Pad One (wired)",
          "GetDeviceInfo names pad A");

    const std::int64_t before = e2e::nowUsec();
    check_result(pad->Poll(), DI_NOEFFECT, "Poll succeeds (no polling needed)");
    check_result(pad->GetDeviceState(sizeof state, &state), DI_OK, "GetDeviceState");
    const std::int64_t after = e2e::nowUsec();
    check(state.lX == 1000 && state.lY == 65535, "axes are the scripted x and y");
    check(state.rgbButtons[0] == 0x80 && state.rgbButtons[1] == 0 && state.rgbButtons[2] == 0x80 &&
              state.rgbButtons[3] == 0,
          "buttons 0 and 2 pressed, the rest released");
    check(state.rgdwPOV[0] == 0xFFFFFFFF, "the absent hat reads centred");
    const std::int64_t logged = last_logged(std::string("getstate ") + pad_a_guid + " ok");
    check(before <= logged && logged <= after, "the DLL log uses this process's QueryPerformanceCounter clock");

    write_script(device_line(pad_a_guid, 32768, 0, "0001", "Pad One (wired)") +
                 device_line(pad_b_guid, 1, 2, "1", "Pad Two"));
    check_result(pad->GetDeviceState(sizeof state, &state), DI_OK, "GetDeviceState after a script change");
    check(state.lX == 32768 && state.lY == 0 && state.rgbButtons[0] == 0 && state.rgbButtons[3] == 0x80,
          "the new script values are read at once");

    // Same length, different bytes: must still be noticed.
    write_script(device_line(pad_a_guid, 32769, 0, "0001", "Pad One (wired)") +
                 device_line(pad_b_guid, 1, 2, "1", "Pad Two"));
    pad->GetDeviceState(sizeof state, &state);
    check(state.lX == 32769, "a same-size rewrite is noticed");

    write_script(device_line(pad_b_guid, 1, 2, "1", "Pad Two"));
    check_result(pad->GetDeviceState(sizeof state, &state), DIERR_INPUTLOST,
                 "GetDeviceState of an unplugged pad reports input lost");
    check_result(pad->GetDeviceState(sizeof state, &state), DIERR_INPUTLOST, "and keeps doing so while unplugged");
    check_result(pad->Acquire(), DIERR_UNPLUGGED, "Acquire of an unplugged pad reports unplugged");
    seen = enumerate(input);
    check(seen.size() == 1 && seen[0].guid == pad_b, "EnumDevices no longer lists the unplugged pad");
    check(last_logged(std::string("getstate ") + pad_a_guid + " inputlost") > 0, "the log records input lost");

    write_script(device_line(pad_a_lower, 5, 6, "1", "Pad One (wired)"));
    check_result(pad->GetDeviceState(sizeof state, &state), DIERR_NOTACQUIRED,
                 "a pad plugged back in needs a new Acquire");
    check_result(pad->Acquire(), DI_OK, "Acquire after plugging back in");
    check_result(pad->GetDeviceState(sizeof state, &state), DI_OK, "GetDeviceState after re-acquiring");
    check(state.lX == 5 && state.lY == 6, "values of the plugged-in pad (guid written in lower case)");

    write_script(device_line(pad_a_guid, 5, 6, "1", "Pad One (wired)") + "fail getstate\n");
    check_result(pad->GetDeviceState(sizeof state, &state), E_FAIL, "fail getstate makes GetDeviceState fail");
    write_script(device_line(pad_a_guid, 5, 6, "1", "Pad One (wired)") + "fail getstate " + pad_b_guid +
                 " 0x80070005\n");
    check_result(pad->GetDeviceState(sizeof state, &state), DI_OK, "a fail line for another pad leaves this one alone");

    write_script(device_line(pad_a_guid, 5, 6, "1", "Pad One (wired)") + "fail acquire 0x80070005\n");
    pad->Unacquire();
    check_result(pad->Acquire(), DIERR_OTHERAPPHASPRIO, "fail acquire with a chosen code");

    write_script(device_line(pad_a_guid, 5, 6, "1", "Pad One (wired)") + "fail enum\nfail createdevice\n");
    enumerate(input, &hr);
    check_result(hr, E_FAIL, "fail enum makes EnumDevices fail");
    IDirectInputDevice8W* second = nullptr;
    check_result(input->CreateDevice(pad_a, &second, nullptr), E_FAIL, "fail createdevice makes CreateDevice fail");

    write_script(device_line(pad_a_guid, 5, 6, "1", "Pad One (wired)") + "fail enmu\n");
    enumerate(input, &hr);
    check(hr == DI_OK && last_logged("scriptproblem - event line 2: unknown operation 'enmu'") > 0,
          "a misspelt fail line is reported in the log and ignored");

    check(pad->Release() == 0, "the device is freed on its last Release");
    check(input->Release() == 0, "the DirectInput object is freed on its last Release");

    IDirectInput8A* ansi = nullptr;
    check_result(create(GetModuleHandleW(nullptr), DIRECTINPUT_VERSION, IID_IDirectInput8A,
                        reinterpret_cast<void**>(&ansi), nullptr),
                 DI_OK, "DirectInput8Create gives IDirectInput8A");
    if (ansi != nullptr) {
        std::vector<std::string> names;
        ansi->EnumDevices(DI8DEVCLASS_GAMECTRL, collect_ansi, &names, DIEDFL_ATTACHEDONLY);
        check(names.size() == 1 && names[0] == "Pad One (wired)", "the ANSI interface lists the pad by name");
        ansi->Release();
    }
}

}  // namespace

int main()
{
    DeleteFileW(beside_exe(L"dinput_log.txt").c_str());
    write_script(device_line(pad_a_guid, 1000, 65535, "101", "Pad One (wired)") +
                 device_line(pad_b_guid, 0, 0, "0", "Pad Two"));

    const HMODULE library = LoadLibraryA("dinput8.dll");
    check(library != nullptr, "dinput8.dll loads");
    if (library == nullptr)
        return 1;
    // Not proof of anything under Wine: a builtin DLL standing in for a native one reports
    // the native one's path. The log check in run_checks is what tells them apart.
    std::wstring loaded(MAX_PATH, L'\0');
    loaded.resize(GetModuleFileNameW(library, loaded.data(), MAX_PATH));
    std::printf("INFO dinput8.dll reports its path as %s\n", e2e::narrow(loaded).c_str());
    const auto create = reinterpret_cast<CreateFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "DirectInput8Create")));
    check(create != nullptr, "DirectInput8Create is exported undecorated");
    if (create != nullptr)
        run_checks(create);

    std::printf("%s: %d check(s) failed\n", failures == 0 ? "ALL PASSED" : "FAILED", failures);
    return failures == 0 ? 0 : 1;
}
