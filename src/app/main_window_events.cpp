#include "app/main_window.h"

#include <dbt.h>

#include "controller/discovery.h"
#include "controller/power.h"
#include "platform/win32/win32_tray.h"
#include "shell/control_events.h"
#include "shell/startup.h"
#include "shell/tab_order.h"
#include "shell/window_events.h"

namespace kestro {

using layout::Kind;

LRESULT CALLBACK KestroWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<KestroWindow*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<KestroWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->handleMessage(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT KestroWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            // Only notifications of our controls, and none caused by our own updates.
            if (Native* n = byId(LOWORD(wParam)); n && s_ && lParam && !mirroring_) onCommand(*n, HIWORD(wParam));
            return 0;
        case WM_TIMER:
            onTimer(wParam);
            return 0;
        case WM_DRAWITEM:
            drawIndicator(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_POWERBROADCAST:
            // Seen by the program, then handled exactly as it would be without it.
            if (powerHooked_ && s_) run([this, event = static_cast<std::uint32_t>(wParam)] { onPowerMessage(state_, event); });
            break;
        case WM_DEVICECHANGE:
            // Sent to every top-level window whenever a device comes or goes.
            if (wParam == DBT_DEVNODES_CHANGED && s_) run([this] { deviceChangeNoticed(state_); });
            return TRUE;
        case WM_SYSCOMMAND:
            // The title bar's minimize button hides the window to the tray.
            if ((wParam & 0xFFF0) == SC_MINIMIZE && s_) {
                run([this] { onMinimizeClicked(*s_); });
                return 0;
            }
            break;
        case WM_ENTERSIZEMOVE:
        case WM_ENTERMENULOOP:
            timers_->setOutsideOurLoop(true);
            break;
        case WM_EXITSIZEMOVE:
        case WM_EXITMENULOOP:
            timers_->setOutsideOurLoop(false);
            break;
        case WM_CLOSE:
            if (s_) run([this] { closeProgram(*s_); });
            return 0;
        case WM_DPICHANGED: {
            dpi_ = HIWORD(wParam);
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            placeControls();
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void KestroWindow::onTimer(UINT_PTR id) {
    TimerId timer;
    // A tick that comes while a handler runs (waiting in a message box or
    // menu, or on a send to the host) is dropped, not deferred: ticks do not
    // pile up.
    if (!s_ || depth_ > 0 || !TimerDriver::fromTimerId(id, timer)) return;
    // With the precise ticker running, the window timer only stands in for
    // it while another message loop runs; the tick still keeps its schedule.
    if (timer == TimerId::Poll && timers_->tickerRunning() && !timers_->pollDue()) return;
    run([this, timer] { onTimerTick(state_, *s_, timer); });
}

void KestroWindow::onPollDue() {
    if (!s_ || depth_ > 0 || !timers_->pollDue()) return;
    run([this] { onTimerTick(state_, *s_, TimerId::Poll); });
}

// A notification of one of our controls becomes an event of the program.
// What the control shows now is noted first, so that bringing the controls
// in line with the state afterwards does not set it again.
void KestroWindow::onCommand(Native& n, int code) {
    ControlEvent event{ControlAction::Click, {}, 0};
    switch (n.spec->kind) {
        case Kind::TextBox:
            if (code != EN_CHANGE) return;
            event = {ControlAction::TextChanged, n.text = textOf(n.hwnd), 0};
            break;
        case Kind::ComboBox:
            if (code == CBN_EDITCHANGE) {
                n.index = -1;
                event = {ControlAction::TextChanged, n.text = textOf(n.hwnd), 0};
            } else if (code == CBN_SELCHANGE) {
                n.index = static_cast<int>(SendMessageW(n.hwnd, CB_GETCURSEL, 0, 0));
                event = {ControlAction::SelectionChanged, {}, n.index};
                // The edit field takes the entry's text only after this notification.
                const auto& list = n.binding.combo->list;
                if (n.index >= 0 && static_cast<std::size_t>(n.index) < list.size())
                    n.text = list[static_cast<std::size_t>(n.index)];
            } else {
                return;
            }
            break;
        case Kind::CheckBox:
            if (code != BN_CLICKED) return;
            event = {ControlAction::CheckChanged, {}, SendMessageW(n.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0};
            break;
        case Kind::CommandButton:
        case Kind::OptionButton:
            if (code != BN_CLICKED) return;
            break;
        default:
            return;
    }
    run([this, control = n.spec->name, event] { onControlEvent(state_, *s_, control, event); });
}

bool KestroWindow::handleTabKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || !IsChild(window_, msg.hwnd)) return false;
    // The focus may sit in a combo box's inner edit field.
    const Native* current = nullptr;
    for (const auto& n : controls_)
        if (n.hwnd == msg.hwnd || n.hwnd == GetParent(msg.hwnd)) current = &n;
    const layout::Control* next = layout::nextTabStop(
        current ? current->spec : nullptr, GetKeyState(VK_SHIFT) < 0, [this](const layout::Control& c) {
            const Native* n = byId(layout::controlId(c.name));
            return n && IsWindowEnabled(n->hwnd);
        });
    const Native* target = next ? byId(layout::controlId(next->name)) : nullptr;
    if (!target) return false;
    SetFocus(target->hwnd);
    if (next->kind == Kind::TextBox) SendMessageW(target->hwnd, EM_SETSEL, 0, -1);
    return true;
}

// ---------------------------------------------------------------------------
// The application window's events

void KestroWindow::onTrayCallback(UINT mouseMessage) {
    if (s_) run([this, mouseMessage] { trayCallback(*s_, mouseMessage); });
}

void KestroWindow::onTaskbarCreated() {
    if (tray_) tray_->addAgain();
}

void KestroWindow::onTrayRetry() {
    if (tray_) tray_->retry();
}

void KestroWindow::onComeForward() {
    if (!s_) return;
    s_->window.show();
    s_->window.bringToFront();
}

}  // namespace kestro
