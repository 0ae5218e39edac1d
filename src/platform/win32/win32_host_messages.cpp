#include "platform/win32/win32_host_messages.h"

#include <windows.h>

#include <iterator>

#include "platform/portable/ascii_case.h"
#include "platform/portable/copy_data.h"
#include "platform/win32/win32_errors.h"

namespace kestro {
namespace {

// Long enough for a busy host, short enough that a hung one does not stall
// the controller for long.
constexpr UINT kSendTimeoutMs = 2000;

// Explorer titles these with the folder's name, so a folder called
// "DashOrbit" is open whenever the user looks at the host's own files.
bool isShellFolderWindow(HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return ascii::sameIgnoringCase(std::wstring_view(name), L"CabinetWClass") ||
           ascii::sameIgnoringCase(std::wstring_view(name), L"ExploreWClass");
}

// More windows of one title than anyone has open; bounds the walk should
// the window order change under it.
constexpr int kMaxSameTitle = 64;

}  // namespace

WindowRef Win32HostMessages::findWindow(std::string_view title) {
    // A zero byte would end the title early and match a shorter one.
    if (title.find('\0') != std::string_view::npos) return 0;
    const std::string terminated(title);
    // FindWindowEx compares titles without sending a message, so a hung window cannot stall the search.
    HWND window = nullptr;
    for (int i = 0; i < kMaxSameTitle; ++i) {
        window = FindWindowExA(nullptr, window, nullptr, terminated.c_str());
        if (!window) return 0;
        if (!isShellFolderWindow(window)) return reinterpret_cast<WindowRef>(window);
    }
    return 0;
}

bool Win32HostMessages::sendCopyData(WindowRef window, std::uint32_t tag, std::string_view bytes) {
    std::optional<CopyData> payload = makeCopyData(tag, bytes);
    if (window == 0 || !payload) return false;
    COPYDATASTRUCT data{};
    data.dwData = payload->tag;
    data.cbData = payload->count;
    data.lpData = payload->buffer.data();

    DWORD_PTR answer = 0;
    const LRESULT sent = SendMessageTimeoutA(reinterpret_cast<HWND>(window), WM_COPYDATA, 0,
                                             reinterpret_cast<LPARAM>(&data),
                                             SMTO_NORMAL | SMTO_ABORTIFHUNG, kSendTimeoutMs, &answer);
    // A hung or busy host times out; one running as administrator refuses us (access denied).
    if (sent == 0) win32::reportLastError(L"SendMessageTimeoutA (WM_COPYDATA to the host)");
    return sent != 0;
}

}  // namespace kestro
