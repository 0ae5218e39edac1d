#include "app/main_window.h"

#include <algorithm>

#include "platform/win32/ansi_text.h"
#include "app/dpi_scale.h"
#include "app/frame_control.h"
#include "platform/win32/win32_errors.h"
#include "shell/startup.h"

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

}  // namespace

KestroWindow::KestroWindow(HINSTANCE instance, HICON icon, WindowState& state) : instance_(instance), icon_(icon), state_(state) {
    for (const auto& c : layout::controls()) {
        Native n;
        n.spec = &c;
        n.binding = bindingFor(state_, c.name);
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
    if (!RegisterClassExW(&wc)) {
        win32::reportLastError(L"RegisterClassExW (main window)");
        return false;
    }

    const std::wstring caption = win32::ansiToWide(layout::kCaption);
    window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kMainClass, caption.c_str(), kMainStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, 100, 100, nullptr, nullptr, instance_, this);
    if (!window_) {
        win32::reportLastError(L"CreateWindowExW (main window)");
        return false;
    }
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
    run([this, &started] { started = kestro::startUp(state_, *s_); });
    return started;
}

void KestroWindow::createControls() {
    for (auto& n : controls_) {
        const auto [className, style, exStyle] = nativeClassOf(*n.spec);
        const std::wstring caption = win32::ansiToWide(n.spec->caption);
        n.hwnd = CreateWindowExW(exStyle, className, caption.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
                                 0, 0, 0, 0, containerOf(*n.spec), reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout::controlId(n.spec->name))),
                                 instance_, nullptr);
        if (!n.hwnd) win32::reportLastError(L"CreateWindowExW (control)");
        if (n.spec->kind == Kind::PictureBox) SendMessageW(n.hwnd, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
        if (n.spec->kind == Kind::ComboBox) SetWindowTextW(n.hwnd, caption.c_str());
        // Frames, labels and lights lie beneath the other controls; the key
        // boxes that belong to the window lie over the frame.
        const bool beneath = n.spec->kind == Kind::Frame || n.spec->kind == Kind::Label || n.spec->kind == Kind::Indicator;
        if (beneath || n.spec->container.empty())
            SetWindowPos(n.hwnd, beneath ? HWND_BOTTOM : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        n.text = n.spec->caption;
        n.colour = kLightOff;
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
    if (timers_) timers_->follow(state_);
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
    } else if (b.light) {
        if (n.colour != colourOf(*b.light)) {
            n.colour = colourOf(*b.light);
            InvalidateRect(n.hwnd, nullptr, FALSE);
        }
    } else if (b.check || b.target) {
        const int checked = b.check ? *b.check : *b.target == b.option;
        if (n.check != checked) SendMessageW(n.hwnd, BM_SETCHECK, (n.check = checked) ? BST_CHECKED : BST_UNCHECKED, 0);
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
    if (!n || !n->binding.light) return;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    const HBRUSH fill = CreateSolidBrush(static_cast<COLORREF>(colourOf(*n->binding.light)));
    const HGDIOBJ oldBrush = SelectObject(item.hDC, fill);
    const HGDIOBJ oldPen = SelectObject(item.hDC, GetStockObject(BLACK_PEN));
    Ellipse(item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom);
    SelectObject(item.hDC, oldPen);
    SelectObject(item.hDC, oldBrush);
    DeleteObject(fill);
}

}  // namespace kestro
