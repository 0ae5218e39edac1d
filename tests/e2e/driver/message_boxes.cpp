#include "message_boxes.h"

#include "common/text.h"
#include "failure.h"
#include "window_search.h"
#include "window_text.h"

namespace e2e {

HWND findMessageBox(DWORD pid, const std::wstring& title) {
    for (const HWND box : topLevelWindows(pid, L"#32770"))
        if (IsWindowVisible(box) && storedCaption(box) == title) return box;
    return nullptr;
}

HWND anyMessageBox(DWORD pid) {
    for (const HWND box : topLevelWindows(pid, L"#32770"))
        if (IsWindowVisible(box)) return box;
    return nullptr;
}

std::wstring messageOf(HWND box) {
    std::wstring message;
    for (const HWND child : descendants(box)) {
        if (classOf(child) != L"Static") continue;
        const std::wstring text = textOf(child);
        if (text.empty()) continue;
        if (!message.empty()) message += L' ';
        message += text;
    }
    return message;
}

void answerMessageBox(DWORD pid, const std::wstring& title, const std::wstring& message, Millis timeout) {
    HWND box = nullptr;
    if (!waitUntil([&] { return (box = findMessageBox(pid, title)) != nullptr; }, timeout)) {
        const HWND other = anyMessageBox(pid);
        fail("no \"" + narrow(title) + "\" message box" +
             (other ? " (a box titled \"" + narrow(storedCaption(other)) + "\" is shown)" : std::string()));
    }
    const std::wstring seen = messageOf(box);
    expect(seen == message, "the \"" + narrow(title) + "\" box says \"" + narrow(seen) + "\", expected \"" +
                                narrow(message) + "\"");
    const HWND ok = GetDlgItem(box, IDOK);
    expect(ok != nullptr, "the \"" + narrow(title) + "\" box has no OK button");
    // Posted: the box's owner may run a long handler once the box is gone.
    PostMessageW(ok, BM_CLICK, 0, 0);
    require([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 3000ms,
            "the \"" + narrow(title) + "\" box stays after OK");
}

}  // namespace e2e
