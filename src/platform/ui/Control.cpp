#include "platform/ui/Control.h"

#include "platform/ui/Application.h"
#include "platform/ui/Hint.h"

#include <algorithm>
#include <set>
#include <stdexcept>
#include <unordered_map>

namespace orvane::ui {
namespace {

// Which control a window belongs to. Kept here rather than on the window, where any
// process could put a pointer of its choosing; per thread, as windows are.
std::unordered_map<HWND, Control*>& Controls() {
    thread_local std::unordered_map<HWND, Control*> controls;
    return controls;
}

// Windows of ours with a message being handled now, and how many deep.
std::unordered_map<HWND, int>& Busy() {
    thread_local std::unordered_map<HWND, int> busy;
    return busy;
}

bool SentFromAnotherThread() {
    return (InSendMessageEx(nullptr) & (ISMEX_SEND | ISMEX_NOTIFY | ISMEX_CALLBACK)) != 0;
}

bool IsNotification(UINT message) {
    return message == WM_COMMAND || message == WM_NOTIFY ||
           (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
}

} // namespace

Control::Control() = default;

Control::~Control() {
    hint_.reset();
    for (Control* child : children_) child->parent_ = nullptr;
    if (parent_) std::erase(parent_->children_, this);
    if (window_) {
        RemoveWindowSubclass(window_, SubclassProc, 0);
        Controls().erase(window_);
        DestroyWindow(std::exchange(window_, nullptr));
    }
}

Control* Control::FromHandle(HWND window) {
    const auto found = Controls().find(window);
    return found == Controls().end() ? nullptr : found->second;
}

Control* Control::NotifyingChild(HWND window) const {
    Control* child = FromHandle(window);
    return child && IsChild(window_, window) ? child : nullptr;
}

const wchar_t* Control::OwnClass(const wchar_t* name, UINT style) {
    static std::set<std::wstring> registered;
    if (registered.insert(name).second) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = style;
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = name;
        windowClass.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
        RegisterClassExW(&windowClass);
    }
    return name;
}

Control::Params Control::ChildOf(Control& parent, const wchar_t* className, DWORD style,
                                 bool parentColor) {
    Params params;
    params.ClassName = className;
    params.Style = style | WS_VISIBLE;
    params.Parent = &parent;
    params.ParentColor = parentColor;
    return params;
}

void Control::Create(const Params& params) {
    parent_ = params.Parent;
    parentColor_ = createdParentColor_ = params.ParentColor;
    paintBackground_ = params.PaintBackground;
    HWND parentWindow = parent_ ? parent_->ClientWindow() : params.Owner;
    DWORD style = params.Style | (parent_ ? WS_CHILD : 0);
    window_ = CreateWindowExW(params.ExStyle, params.ClassName, L"", style, params.Bounds.left,
                              params.Bounds.top, params.Bounds.right - params.Bounds.left,
                              params.Bounds.bottom - params.Bounds.top, parentWindow, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (!window_) throw std::runtime_error("CreateWindowEx failed");
    Controls()[window_] = this;
    SetWindowSubclass(window_, SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
    if (parent_) {
        parent_->children_.push_back(this);
        font_ = parent_->font_;
    }
    ApplyFont();
}

LRESULT CALLBACK Control::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR self) {
    auto* control = reinterpret_cast<Control*>(self);
    // Our controls notify from this thread; what comes from elsewhere may name any window
    // and carry any pointer, so none of it is read. A control of ours that handles another
    // program's message (a text set into an edit) notifies within it, and is believed.
    if (IsNotification(message) && SentFromAnotherThread() && !NotifiesWhileBusy(message, lParam))
        return 0;
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, SubclassProc, 0);
        Controls().erase(window);
        control->window_ = nullptr;
        return DefSubclassProc(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    // Counted by window: the handler may end the control itself.
    ++Busy()[window];
    Guarded([&] { result = control->WndProc(message, wParam, lParam); });
    if (--Busy()[window] == 0) Busy().erase(window);
    return result;
}

bool Control::NotifiesWhileBusy(UINT message, LPARAM lParam) {
    // A WM_NOTIFY's sender is known only from the pointer it carries.
    if (message == WM_NOTIFY) return false;
    const HWND sender = reinterpret_cast<HWND>(lParam);
    return FromHandle(sender) && Busy().contains(sender);
}

LRESULT Control::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(window_, message, wParam, lParam);
}

LRESULT Control::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (lParam) {
            if (Control* child = NotifyingChild(reinterpret_cast<HWND>(lParam))) {
                child->Command(HIWORD(wParam));
                return 0;
            }
        } else if (HIWORD(wParam) == 0 && App().DispatchMenuCommand(LOWORD(wParam))) {
            return 0;
        }
        break;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (Control* child = NotifyingChild(header->hwndFrom)) {
            if (auto result = child->Notify(*header)) return *result;
        }
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        if (Control* child = NotifyingChild(reinterpret_cast<HWND>(lParam))) {
            // The default sets the system's text colour; the child's own colours come after.
            const LRESULT standard = DefaultProc(message, wParam, lParam);
            HBRUSH brush = child->CtlColor(reinterpret_cast<HDC>(wParam));
            return brush ? reinterpret_cast<LRESULT>(brush) : standard;
        }
        break;
    case WM_ERASEBKGND:
        if (paintBackground_) {
            RECT area;
            GetClientRect(window_, &area);
            FillRect(reinterpret_cast<HDC>(wParam), &area, BackgroundBrush());
            return 1;
        }
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (OnKeyDown) {
            WORD key = static_cast<WORD>(wParam);
            OnKeyDown(key);
            if (key == 0) return 0;
            wParam = key;
        }
        break;
    default:
        break;
    }
    return DefaultProc(message, wParam, lParam);
}

HBRUSH Control::CtlColor(HDC dc) {
    SetTextColor(dc, font_.Color);
    if (!Color()) return nullptr;
    SetBkColor(dc, *Color());
    return BackgroundBrush();
}

HBRUSH Control::BackgroundBrush() {
    const COLORREF color = Color().value_or(GetSysColor(COLOR_BTNFACE));
    if (!brush_ || brushColor_ != color) {
        brush_.Reset(CreateSolidBrush(color));
        brushColor_ = color;
    }
    return brush_.Get();
}

RECT Control::Bounds() const {
    RECT bounds{};
    GetWindowRect(window_, &bounds);
    if (parent_)
        MapWindowPoints(nullptr, parent_->ClientWindow(), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

int Control::Width() const {
    RECT bounds = Bounds();
    return bounds.right - bounds.left;
}

int Control::Height() const {
    RECT bounds = Bounds();
    return bounds.bottom - bounds.top;
}

void Control::SetBounds(int left, int top, int width, int height) {
    // Placing a window where it already is still costs its messages and repaints.
    const RECT now = Bounds();
    if (now.left == left && now.top == top && now.right - now.left == width &&
        now.bottom - now.top == height) {
        return;
    }
    SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (parent_) parent_->ChildBoundsChanged();
}

int Control::ClientWidth() const {
    RECT area{};
    GetClientRect(window_, &area);
    return area.right;
}

int Control::ClientHeight() const {
    RECT area{};
    GetClientRect(window_, &area);
    return area.bottom;
}

void Control::SetClientSize(int width, int height) {
    RECT area{0, 0, width, height};
    AdjustWindowRectEx(&area, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)),
                       GetMenu(window_) != nullptr,
                       static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
    SetBounds(Left(), Top(), area.right - area.left, area.bottom - area.top);
}

bool Control::Visible() const {
    return (GetWindowLongPtrW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Control::SetVisible(bool visible) {
    ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
    if (parent_) parent_->ChildBoundsChanged();
}

bool Control::Enabled() const {
    return IsWindowEnabled(window_) != FALSE;
}

void Control::SetEnabled(bool enabled) {
    EnableWindow(window_, enabled);
}

std::wstring Control::Text() const {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window_)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Control::SetText(const std::wstring& text) {
    SetWindowTextW(window_, text.c_str());
}

void Control::SetFont(const Font& font) {
    parentFont_ = false;
    InheritFont(font);
}

void Control::InheritFont(const Font& font) {
    font_ = font;
    ApplyFont();
    for (Control* child : children_) {
        if (child->parentFont_) child->InheritFont(font);
    }
}

void Control::ApplyFont() {
    platform::UniqueFont created = font_.Create();
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(created.Get()), TRUE);
    fontHandle_ = std::move(created);
}

void Control::SetColor(COLORREF color) {
    color_ = color;
    parentColor_ = false;
    InvalidateRect(window_, nullptr, TRUE);
}

void Control::ResetColor() {
    color_.reset();
    parentColor_ = createdParentColor_;
    InvalidateRect(window_, nullptr, TRUE);
}

std::optional<COLORREF> Control::Color() const {
    if (color_) return color_;
    if (parentColor_ && parent_) return parent_->Color();
    return std::nullopt;
}

void Control::SetFocus() {
    ::SetFocus(window_);
}

void Control::Invalidate() {
    InvalidateRect(window_, nullptr, FALSE);
}

void Control::SetControlId(int id) {
    SetWindowLongPtrW(window_, GWLP_ID, id);
}

void Control::SetHint(const std::wstring& text) {
    if (hint_)
        hint_->SetText(text);
    else
        hint_ = std::make_unique<Hint>(window_, text);
}

std::wstring Control::HintText() const {
    return hint_ ? hint_->Text() : std::wstring();
}

} // namespace orvane::ui
