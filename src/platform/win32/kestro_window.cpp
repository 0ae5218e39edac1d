#include "platform/win32/kestro_window.h"

#include <algorithm>

#include "controller/discovery.h"
#include "controller/power.h"
#include "platform/win32/ansi_text.h"
#include "platform/win32/dpi_scale.h"
#include "platform/win32/frame_control.h"
#include "platform/win32/win32_tray.h"
#include "settings/target_options.h"
#include "shell/startup.h"
#include "shell/window_events.h"

namespace kestro {
namespace {

constexpr wchar_t kMainClass[] = L"KestroMain";
constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// Combo boxes are created with room for their drop-down list.
constexpr int kComboListTwips = 3000;

using layout::Kind;

struct NativeClass {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

NativeClass nativeClassOf(const layout::Control& c) {
    const DWORD align = c.align == layout::Align::Right ? SS_RIGHT : c.align == layout::Align::Centre ? SS_CENTER : SS_LEFT;
    switch (c.kind) {
        case Kind::Frame: return {kFrameClass, WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT};
        case Kind::Label: return {L"STATIC", align | SS_NOPREFIX, 0};
        case Kind::ComboBox: return {L"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0};
        case Kind::TextBox: return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case Kind::Indicator: return {L"STATIC", SS_OWNERDRAW, 0};
        case Kind::CheckBox: return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
        case Kind::CommandButton: return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
        case Kind::OptionButton: return {L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP, 0};
        case Kind::PictureBox: return {L"STATIC", SS_ICON | SS_CENTERIMAGE, 0};
    }
    return {L"STATIC", 0, 0};
}

// Controls the user can move the focus to.
bool takesFocus(Kind kind) {
    return kind == Kind::ComboBox || kind == Kind::TextBox || kind == Kind::CheckBox ||
           kind == Kind::CommandButton || kind == Kind::OptionButton;
}

}  // namespace

KestroWindow::KestroWindow(HINSTANCE instance, HICON icon, Kestro& k) : instance_(instance), icon_(icon), k_(k) {
    for (const auto& c : layout::controls()) {
        Native n;
        n.spec = &c;
        n.binding = bindingFor(k_, c.name);
        controls_.push_back(std::move(n));
    }
}

bool KestroWindow::create() {
    registerFrameClass(instance_);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance_;
    wc.hIcon = icon_;
    wc.hIconSm = icon_;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kMainClass;
    RegisterClassExW(&wc);

    const std::wstring caption = win32::ansiToWide(layout::kCaption);
    window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kMainClass, caption.c_str(), kMainStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, 100, 100, nullptr, nullptr, instance_, this);
    if (!window_) return false;
    timers_.emplace(window_);
    dpi_ = win32::dpiOf(window_);
    createControls();
    placeControls();
    return true;
}

void KestroWindow::attach(Services& s, Win32Tray& tray) {
    s_ = &s;
    tray_ = &tray;
}

bool KestroWindow::startUp() {
    bool started = false;
    run([&] { started = Form_Load(k_, *s_); });
    return started;
}

void KestroWindow::createControls() {
    for (auto& n : controls_) {
        const auto [className, style, exStyle] = nativeClassOf(*n.spec);
        const std::wstring caption = win32::ansiToWide(n.spec->caption);
        n.hwnd = CreateWindowExW(exStyle, className, caption.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
                                 0, 0, 0, 0, containerOf(*n.spec), reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout::controlId(n.spec->name))),
                                 instance_, nullptr);
        if (n.spec->kind == Kind::PictureBox) SendMessageW(n.hwnd, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
        if (n.spec->kind == Kind::ComboBox) SetWindowTextW(n.hwnd, caption.c_str());
        // Frames, labels and lights lie beneath the other controls; the key
        // boxes that belong to the window lie over the frame.
        const bool beneath = n.spec->kind == Kind::Frame || n.spec->kind == Kind::Label || n.spec->kind == Kind::Indicator;
        if (beneath || n.spec->container.empty())
            SetWindowPos(n.hwnd, beneath ? HWND_BOTTOM : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        n.text = n.spec->caption;
        n.colour = kReleased;
    }
}

// Sizes the window and every control for the monitor's DPI.
void KestroWindow::placeControls() {
    if (font_) DeleteObject(font_);
    font_ = win32::messageFont(dpi_);
    const auto px = [this](int twips) { return win32::twipsToPixels(twips, dpi_); };
    for (auto& n : controls_) {
        const auto& c = *n.spec;
        const int height = c.kind == Kind::ComboBox ? c.height + kComboListTwips : c.height;
        MoveWindow(n.hwnd, px(c.left), px(c.top), px(c.width), px(height), FALSE);
        SendMessageW(n.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
    const RECT client{0, 0, px(layout::kClientWidth), px(layout::kClientHeight)};
    const RECT outer = win32::outerRect(client, kMainStyle, WS_EX_CONTROLPARENT, dpi_);
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, TRUE);
}

HWND KestroWindow::containerOf(const layout::Control& c) const {
    if (c.container.empty()) return window_;
    for (const auto& n : controls_)
        if (n.spec->name == c.container) return n.hwnd;
    return window_;
}

KestroWindow::Native* KestroWindow::byId(int id) {
    const auto i = static_cast<std::size_t>(id - layout::kFirstControlId);
    return id >= layout::kFirstControlId && i < controls_.size() ? &controls_[i] : nullptr;
}

std::string KestroWindow::textOf(HWND control) const {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return win32::wideToAnsi(text);
}

// ---------------------------------------------------------------------------
// State to controls

void KestroWindow::afterEvent() {
    mirroring_ = true;
    for (auto& n : controls_) mirror(n);
    mirroring_ = false;
    if (timers_) timers_->follow(k_);
}

void KestroWindow::mirror(Native& n) {
    const ControlBinding& b = n.binding;
    const auto setText = [&](const std::string& text) {
        if (n.text == text) return;
        n.text = text;
        SetWindowTextW(n.hwnd, win32::ansiToWide(text).c_str());
    };
    if (b.text) {
        setText(b.text->text);
        if (n.enabled != b.text->enabled) EnableWindow(n.hwnd, n.enabled = b.text->enabled);
    } else if (b.caption) {
        setText(*b.caption);
    } else if (b.colour) {
        if (n.colour != *b.colour) {
            n.colour = *b.colour;
            InvalidateRect(n.hwnd, nullptr, FALSE);
        }
    } else if (b.check) {
        if (n.check != *b.check) SendMessageW(n.hwnd, BM_SETCHECK, (n.check = *b.check) ? BST_CHECKED : BST_UNCHECKED, 0);
    } else if (b.option) {
        if (n.check != int(*b.option)) SendMessageW(n.hwnd, BM_SETCHECK, (n.check = *b.option) ? BST_CHECKED : BST_UNCHECKED, 0);
    } else if (b.combo) {
        if (n.list != b.combo->list) {
            n.list = b.combo->list;
            SendMessageW(n.hwnd, CB_RESETCONTENT, 0, 0);
            for (const auto& entry : n.list)
                SendMessageW(n.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::ansiToWide(entry).c_str()));
            n.index = -2;
            n.text.clear();
            SetWindowTextW(n.hwnd, L"");
        }
        if (n.index != b.combo->listIndex) {
            SendMessageW(n.hwnd, CB_SETCURSEL, static_cast<WPARAM>(n.index = b.combo->listIndex), 0);
            n.text = textOf(n.hwnd);  // selecting sets the edit text too
        }
        if (n.text != b.combo->text) {
            setText(b.combo->text);
            // Keeps the caret after the text while the user is typing a name.
            const auto end = static_cast<WORD>(std::min<std::size_t>(n.text.size(), 0xFFFF));
            SendMessageW(n.hwnd, CB_SETEDITSEL, 0, MAKELPARAM(end, end));
        }
    }
}

void KestroWindow::drawIndicator(const DRAWITEMSTRUCT& item) {
    const Native* n = byId(static_cast<int>(item.CtlID));
    if (!n || !n->binding.colour) return;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    const HBRUSH fill = CreateSolidBrush(static_cast<COLORREF>(*n->binding.colour));
    const HGDIOBJ oldBrush = SelectObject(item.hDC, fill);
    const HGDIOBJ oldPen = SelectObject(item.hDC, GetStockObject(BLACK_PEN));
    Ellipse(item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom);
    SelectObject(item.hDC, oldPen);
    SelectObject(item.hDC, oldBrush);
    DeleteObject(fill);
}

// ---------------------------------------------------------------------------
// Events

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
            if (s_ && lParam) onCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_TIMER:
            onTimer(wParam);
            return 0;
        case WM_DRAWITEM:
            drawIndicator(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_POWERBROADCAST:
            // Seen by the program, then handled exactly as it would be without it.
            if (powerHooked_ && s_) run([&] { powerproc(k_, static_cast<std::uint32_t>(wParam)); });
            break;
        case WM_SYSCOMMAND:
            // The title bar's minimize button hides the window to the tray.
            if ((wParam & 0xFFF0) == SC_MINIMIZE && s_) {
                run([&] { Command1_Click(*s_); });
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
            if (s_) run([&] { mnuClose_Click(*s_); });
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
    // A tick that comes while a handler waits in a message box or menu is
    // dropped: handlers run to completion, one at a time.
    if (!s_ || depth_ > 0 || !TimerDriver::fromTimerId(id, timer)) return;
    // With the precise ticker running, the window timer only stands in for
    // it while another message loop runs; the tick still keeps its schedule.
    PollTicker& ticker = timers_->ticker();
    if (timer == TimerId::checkbut && ticker.running() && !ticker.tickIfDue()) return;
    run([&] { onTimerTick(k_, *s_, timer); });
}

void KestroWindow::onPollDue() {
    if (!s_ || depth_ > 0 || !timers_->ticker().tickIfDue()) return;
    run([&] { onTimerTick(k_, *s_, TimerId::checkbut); });
}

void KestroWindow::onCommand(int id, int code) {
    Native* n = byId(id);
    if (!n || mirroring_) return;
    Services& s = *s_;
    const std::string_view name = n->spec->name;
    const ControlBinding& b = n->binding;
    if (b.text && code == EN_CHANGE) {
        // Key texts take effect at once; no handler runs.
        b.text->text = n->text = textOf(n->hwnd);
    } else if (b.combo && code == CBN_EDITCHANGE) {
        b.combo->text = n->text = textOf(n->hwnd);
        b.combo->listIndex = -1;
        n->index = -1;
        if (name == "Combo2") run([&] { Combo2_Change(k_, s); });
    } else if (b.combo && code == CBN_SELCHANGE) {
        const auto i = static_cast<int>(SendMessageW(n->hwnd, CB_GETCURSEL, 0, 0));
        if (i >= 0 && static_cast<std::size_t>(i) < b.combo->list.size()) {
            b.combo->listIndex = n->index = i;
            b.combo->text = n->text = b.combo->list[static_cast<std::size_t>(i)];
        }
    } else if (code == BN_CLICKED) {
        if (name == "Check1") {
            const int value = SendMessageW(n->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
            run([&] { setCheck1(k_, s, value); });
        } else if (name == "Option1") {
            run([&] { setOption1(k_, s, true); });
        } else if (name == "Option2") {
            run([&] { setOption2(k_, s, true); });
        } else if (name == "cmsave") {
            run([&] { cmsave_Click(k_, s); });
        } else if (name == "Command1") {
            run([&] { Command1_Click(s); });
        }
    }
}

bool KestroWindow::handleTabKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || !IsChild(window_, msg.hwnd)) return false;
    // The focus may sit in a combo box's inner edit field.
    const HWND focus = msg.hwnd;
    const Native* current = nullptr;
    for (const auto& n : controls_)
        if (n.hwnd == focus || n.hwnd == GetParent(focus)) current = &n;
    const int from = current ? current->spec->tabIndex : -1;
    const bool backwards = GetKeyState(VK_SHIFT) < 0;

    // Controls beyond the visible client area are left out of the tab order.
    const auto reachable = [&](const Native& n) {
        if (!takesFocus(n.spec->kind) || !IsWindowEnabled(n.hwnd)) return false;
        const layout::Control* frame = n.spec->container.empty() ? nullptr : layout::find(n.spec->container);
        return (frame ? frame->left : 0) + n.spec->left < layout::kClientWidth;
    };
    const Native* best = nullptr;
    const Native* wrap = nullptr;
    for (const auto& n : controls_) {
        if (!reachable(n)) continue;
        const int t = n.spec->tabIndex;
        if (backwards) {
            if (t < from && (!best || t > best->spec->tabIndex)) best = &n;
            if (!wrap || t > wrap->spec->tabIndex) wrap = &n;
        } else {
            if (t > from && (!best || t < best->spec->tabIndex)) best = &n;
            if (!wrap || t < wrap->spec->tabIndex) wrap = &n;
        }
    }
    const Native* next = best ? best : wrap;
    if (!next) return false;
    SetFocus(next->hwnd);
    if (next->spec->kind == Kind::TextBox) SendMessageW(next->hwnd, EM_SETSEL, 0, -1);
    return true;
}

// ---------------------------------------------------------------------------
// MainWindow and the application window's events

void KestroWindow::show() { ShowWindow(window_, SW_SHOW); }

void KestroWindow::hide() { ShowWindow(window_, SW_HIDE); }

bool KestroWindow::visible() const { return IsWindowVisible(window_) != FALSE; }

void KestroWindow::bringToFront() {
    if (IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
    SetForegroundWindow(window_);
    BringWindowToTop(window_);
}

void KestroWindow::quit() {
    DestroyWindow(window_);
    ExitProcess(0);
}

void KestroWindow::onTrayCallback(UINT mouseMessage) {
    if (s_) run([&] { trayCallback(*s_, mouseMessage); });
}

void KestroWindow::onTaskbarCreated() {
    if (tray_) tray_->addAgain();
}

void KestroWindow::onTrayRetry() {
    if (tray_) tray_->retry();
}

void KestroWindow::onComeForward() {
    show();
    bringToFront();
}

}  // namespace kestro
