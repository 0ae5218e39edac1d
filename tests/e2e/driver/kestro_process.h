#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "common/child_process.h"
#include "waiting.h"

namespace e2e {

inline constexpr wchar_t kMainClass[] = L"KestroMain";
inline constexpr wchar_t kMainCaption[] = L"Dash Orbit Kestro control v3.0 by Vornak";
inline constexpr wchar_t kAppClass[] = L"KestroApplication";
inline constexpr wchar_t kAppTitle[] = L"Kestro v3.0";
inline constexpr wchar_t kConnected[] = L"Established Communication with";
inline constexpr wchar_t kUnplugged[] = L"device unplugged";
inline constexpr UINT kTrayCallback = WM_APP + 1;

// A running kestro.exe, looked at and worked only from outside: its windows'
// texts and states, clicks and typing by window messages, tray callbacks and
// power broadcasts as the system would send them.
class KestroProcess {
public:
    KestroProcess(const std::wstring& program, const std::wstring& folder);

    ChildProcess& process() { return process_; }
    DWORD id() const { return process_.id(); }

    // The main window, waiting for it to exist (shown or not).
    HWND mainWindow();
    // The hidden window that takes the tray callbacks.
    HWND appWindow();
    // Start-up is over once the program has titled its application window.
    void waitUntilStarted(Millis timeout = 8000ms);
    bool visible();

    HWND control(std::string_view name);
    std::wstring text(std::string_view name);
    bool checked(std::string_view name);
    bool enabled(std::string_view name);
    void waitForText(std::string_view name, const std::wstring& expected, Millis timeout);

    // WM_SETTEXT into a text box, which reports EN_CHANGE as typing would.
    void setText(std::string_view name, const std::wstring& text);
    // Selects all of a combo box's edit text and types over it, one WM_CHAR at a time.
    void typeOverCombo(std::string_view name, const std::wstring& text);
    // Types into a combo box's edit field where its caret is.
    void typeIntoCombo(std::string_view name, const std::wstring& text);
    // A posted BM_CLICK: the handler may open a modal box, which must not block the driver.
    void click(std::string_view name);

    void power(WPARAM event);
    void tray(UINT mouseMessage);

private:
    HWND comboEdit(std::string_view name);

    ChildProcess process_;
    HWND main_ = nullptr;
};

}  // namespace e2e
