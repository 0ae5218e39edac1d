#include "platform/win32/win32_host_messages.h"

#include <windows.h>

#include "platform/portable/copy_data.h"

namespace kestro {
namespace {

// Long enough for a busy host, short enough that a hung one does not stall
// the controller for long.
constexpr UINT kSendTimeoutMs = 2000;

}  // namespace

WindowRef Win32HostMessages::findWindow(std::string_view title) {
    // A zero byte would end the title early and match a shorter one.
    if (title.find('\0') != std::string_view::npos) return 0;
    const std::string terminated(title);
    return reinterpret_cast<WindowRef>(FindWindowA(nullptr, terminated.c_str()));
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
                                             SMTO_ABORTIFHUNG | SMTO_BLOCK, kSendTimeoutMs, &answer);
    return sent != 0;
}

}  // namespace kestro
