#pragma once
#include <windows.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/window_state.h"
#include "platform/services.h"
#include "app/app_window.h"
#include "app/timer_driver.h"
#include "shell/control_bindings.h"
#include "shell/layout.h"

namespace kestro {

class Win32Tray;

// The main window "Kestro", built from the layout table and scaled to the
// monitor's DPI (main_window.cpp). Its messages and those of the
// application window become the program's events (main_window_events.cpp);
// after every event the controls and the real timers are brought in line
// with the window state.
class KestroWindow final : public AppWindowEvents {
public:
    KestroWindow(HINSTANCE instance, HICON icon, WindowState& state);
    KestroWindow(const KestroWindow&) = delete;
    KestroWindow& operator=(const KestroWindow&) = delete;

    // Creates the window, hidden, with all its controls.
    bool create();
    HWND handle() const { return window_; }
    // The services are made after the window, which some of them need.
    void attach(Services& s, Win32Tray& tray);
    // Runs the load handler; false when this instance must end at once.
    bool startUp();
    // From now on power broadcasts reach the program; the last step of start-up.
    void hookPowerBroadcasts() { powerHooked_ = true; }
    // Moves the focus in the window's own tab order; true when it did.
    bool handleTabKey(const MSG& msg);
    // The poll ticker's handle, and what the message loop runs when it is signalled.
    HANDLE pollHandle() { return timers_->pollHandle(); }
    void onPollDue();
    // Brings the controls and timers in line with the state.
    void afterEvent();

    // AppWindowEvents
    void onTrayCallback(UINT mouseMessage) override;
    void onTaskbarCreated() override;
    void onTrayRetry() override;
    void onComeForward() override;

private:
    struct Native {
        const layout::Control* spec = nullptr;
        ControlBinding binding;
        HWND hwnd = nullptr;
        // What the control shows now, so unchanged values are not set again.
        std::string text;
        std::vector<std::string> list;
        int index = -2;
        std::uint32_t colour = 0;
        int check = -1;
        bool enabled = true;
    };

    static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void createControls();
    void placeControls();
    void onCommand(Native& n, int code);
    void onTimer(UINT_PTR id);
    void drawIndicator(const DRAWITEMSTRUCT& item);
    void mirror(Native& n);
    Native* byId(int id);
    HWND containerOf(const layout::Control& c) const;
    std::string textOf(HWND control) const;

    // Handlers run to completion, one at a time. An event that arrives while
    // one runs (a message another program sends while the handler waits on a
    // send to the host, or one that comes inside a message box) runs after it.
    template <typename Handler>
    void run(Handler handler) {
        if (depth_ > 0) {
            deferred_.emplace_back(std::move(handler));
            return;
        }
        ++depth_;
        handler();
        while (!deferred_.empty()) {
            const std::function<void()> next = std::move(deferred_.front());
            deferred_.pop_front();
            next();
        }
        --depth_;
        afterEvent();
    }

    HINSTANCE instance_;
    HICON icon_;
    WindowState& state_;
    Services* s_ = nullptr;
    Win32Tray* tray_ = nullptr;
    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    UINT dpi_ = 96;
    std::vector<Native> controls_;
    std::optional<TimerDriver> timers_;
    int depth_ = 0;         // handlers running; a modal box or menu may be open inside one
    std::deque<std::function<void()>> deferred_;
    bool mirroring_ = false;  // our own SetWindowText calls are not user edits
    bool powerHooked_ = false;
};

}  // namespace kestro
