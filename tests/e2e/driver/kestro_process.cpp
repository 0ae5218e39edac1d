#include "kestro_process.h"

#include "common/text.h"
#include "failure.h"
#include "files.h"
#include "shell/layout.h"
#include "start_program.h"
#include "window_search.h"
#include "window_text.h"

namespace e2e {

KestroProcess::KestroProcess(const std::wstring& program, const std::wstring& folder)
    : process_(startProgram(program, L"", folder)) {}

HWND KestroProcess::mainWindow() {
    if (main_ && IsWindow(main_)) return main_;
    const std::wstring caption = kMainCaption;
    // The application window comes after the main window has all its controls.
    require(
        [&] {
            main_ = findTopLevel(id(), kMainClass, &caption);
            return (main_ && findTopLevel(id(), kAppClass)) || !process_.running();
        },
        8000ms, "kestro.exe shows no main window");
    expect(main_ != nullptr, "kestro.exe ended before its main window appeared");
    return main_;
}

HWND KestroProcess::appWindow() {
    HWND app = nullptr;
    require([&] { return (app = findTopLevel(id(), kAppClass)) != nullptr; }, 8000ms,
            "kestro.exe has no application window");
    return app;
}

void KestroProcess::waitUntilStarted(Millis timeout) {
    const std::wstring title = kAppTitle;
    require([&] { return findTopLevel(id(), kAppClass, &title) != nullptr || !process_.running(); }, timeout,
            "kestro.exe does not finish starting");
    expect(process_.running(), "kestro.exe ended while starting");
}

bool KestroProcess::visible() { return IsWindowVisible(mainWindow()) != FALSE; }

HWND KestroProcess::control(std::string_view name) {
    const int id = kestro::layout::controlId(name);
    expect(id != 0, "the layout has no control named " + std::string(name));
    const HWND window = findDescendantById(mainWindow(), id);
    expect(window != nullptr, "the main window has no control " + std::string(name));
    return window;
}

std::wstring KestroProcess::text(std::string_view name) { return textOf(control(name)); }

bool KestroProcess::checked(std::string_view name) { return isChecked(control(name)); }

bool KestroProcess::enabled(std::string_view name) { return IsWindowEnabled(control(name)) != FALSE; }

void KestroProcess::waitForText(std::string_view name, const std::wstring& expected, Millis timeout) {
    std::wstring seen;
    if (!waitUntil([&] { return (seen = text(name)) == expected; }, timeout))
        fail(std::string(name) + " reads \"" + printable(narrow(seen)) + "\", expected \"" + narrow(expected) +
             "\" within " + std::to_string(timeout.count()) + " ms");
}

void KestroProcess::setText(std::string_view name, const std::wstring& text) { replaceText(control(name), text); }

HWND KestroProcess::comboEdit(std::string_view name) {
    const HWND edit = findDescendantByClass(control(name), L"Edit");
    expect(edit != nullptr, std::string(name) + " has no edit field");
    return edit;
}

void KestroProcess::typeOverCombo(std::string_view name, const std::wstring& text) {
    const HWND edit = comboEdit(name);
    sendOrFail(edit, EM_SETSEL, 0, -1);
    typeChars(edit, text);
}

void KestroProcess::typeIntoCombo(std::string_view name, const std::wstring& text) { typeChars(comboEdit(name), text); }

void KestroProcess::click(std::string_view name) { PostMessageW(control(name), BM_CLICK, 0, 0); }

void KestroProcess::power(WPARAM event) { sendOrFail(mainWindow(), WM_POWERBROADCAST, event, 0); }

void KestroProcess::tray(UINT mouseMessage) {
    expect(PostMessageW(appWindow(), kTrayCallback, 1, mouseMessage) != FALSE, "cannot post the tray callback");
}

}  // namespace e2e
