#include "ui/Form.h"

#include "ui/Application.h"
#include "ui/Error.h"

#include <algorithm>
#include <vector>

namespace ui {

void Form::CreateParams(WindowParams& params) {
    SetClassName(params, L"UiForm");
    params.caption = caption_;
    params.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    params.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    if (const Application* application = Application::Current()) {
        params.icon = application->Icon();
        params.smallIcon = application->SmallIcon();
    }
}

void Form::Create() {
    WindowParams params;
    CreateParams(params);
    CreateFromParams(params, nullptr);
    if (clientSize_.cx > 0 || outerSize_.cx > 0) {
        ApplyClientSize();
    }
    CreateControls();
    Realign();
    created_ = true;
    if (onCreate) {
        onCreate();
    }
}

void Form::Show(int showCommand) {
    if (!IsCreated()) {
        throw Error("Form::Show: the form has no window");
    }
    if (!shown_) {
        shown_ = true;
        if (onShow) {
            onShow();
        }
        CentreOnScreen();
        OnSize();
    }
    ::ShowWindow(Handle(), showCommand);
    ::UpdateWindow(Handle());
}

void Form::Close() {
    if (IsCreated()) {
        ::SendMessageW(Handle(), WM_CLOSE, 0, 0);
    }
}

void Form::Destroy() {
    if (IsCreated()) {
        ::DestroyWindow(Handle());
    }
}

void Form::SetCaption(std::wstring_view caption) {
    caption_ = caption;
    if (IsCreated()) {
        ThrowLastErrorIf(!::SetWindowTextW(Handle(), caption_.c_str()), "SetWindowText");
    }
}

std::wstring Form::Caption() const {
    if (!IsCreated()) {
        return caption_;
    }
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(Handle())) + 1, L'\0');
    text.resize(static_cast<size_t>(
        ::GetWindowTextW(Handle(), text.data(), static_cast<int>(text.size()))));
    return text;
}

void Form::SetClientSize(int width, int height) {
    clientSize_ = {width, height};
    outerSize_ = {};
    if (IsCreated()) {
        ApplyClientSize();
    }
}

SIZE Form::ClientSize() const {
    if (!IsCreated()) {
        return clientSize_;
    }
    RECT client{};
    ::GetClientRect(Handle(), &client);
    return {client.right, client.bottom};
}

void Form::SetOuterSize(int width, int height) {
    outerSize_ = {width, height};
    clientSize_ = {};
    if (IsCreated()) {
        ApplyClientSize();
    }
}

void Form::ApplyClientSize() {
    SIZE outer = outerSize_;
    if (clientSize_.cx > 0) {
        RECT frame{0, 0, clientSize_.cx, clientSize_.cy};
        ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(Handle(), GWL_STYLE)),
                             FALSE, static_cast<DWORD>(::GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
        outer = {frame.right - frame.left, frame.bottom - frame.top};
    }
    ::SetWindowPos(Handle(), nullptr, 0, 0, outer.cx, outer.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::CentreOnScreen() {
    RECT window{};
    ::GetWindowRect(Handle(), &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    ::SetWindowPos(Handle(), nullptr, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                   (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

void CollectTabStops(const Control& parent, std::vector<HWND>& stops) {
    for (const Control* child : parent.Children()) {
        HWND window = child->Handle();
        if (window == nullptr || !::IsWindowVisible(window) || !::IsWindowEnabled(window)) {
            continue;
        }
        if ((::GetWindowLongPtrW(window, GWL_STYLE) & WS_TABSTOP) != 0) {
            stops.push_back(window);
        }
        CollectTabStops(*child, stops);
    }
}

}  // namespace

bool Form::SelectNextControl(bool forward) {
    std::vector<HWND> stops;
    CollectTabStops(*this, stops);
    if (stops.empty()) {
        return false;
    }
    HWND focus = ::GetFocus();
    const auto current = std::ranges::find_if(
        stops, [focus](HWND stop) { return stop == focus || ::IsChild(stop, focus); });
    const auto count = static_cast<std::ptrdiff_t>(stops.size());
    std::ptrdiff_t next = forward ? 0 : count - 1;
    if (current != stops.end()) {
        const std::ptrdiff_t at = current - stops.begin();
        next = forward ? (at + 1) % count : (at + count - 1) % count;
    }
    ::SetFocus(stops[static_cast<size_t>(next)]);
    return true;
}

void Form::SetFont(const FontDescription& font) {
    ownFont_ = CreateFontFrom(font);
    ApplyFont(ownFont_.Get());
}

void Form::OnSize() {
    Window::OnSize();
    if (created_ && onResize) {
        onResize();
    }
}

void Form::OnDestroy() {
    if (onDestroy) {
        onDestroy();
    }
    if (Application* application = Application::Current()) {
        application->FormDestroyed(*this);
    }
}

}  // namespace ui
