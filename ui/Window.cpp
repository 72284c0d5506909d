#include "ui/Window.h"

#include "ui/Application.h"
#include "ui/Error.h"

#include <algorithm>
#include <exception>

namespace ui {

namespace {

// BeginPaint and EndPaint as one scope.
class PaintScope {
  public:
    explicit PaintScope(HWND window) : window_(window), dc_(::BeginPaint(window, &paint_)) {}
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    ~PaintScope() { ::EndPaint(window_, &paint_); }
    HDC Dc() const noexcept { return dc_; }
    const PAINTSTRUCT& Paint() const noexcept { return paint_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

}  // namespace

void SetClassName(WindowParams& params, std::wstring_view name) {
    if (name.size() >= params.className.size()) {
        throw Error("Window class name too long");
    }
    params.className.fill(L'\0');
    std::ranges::copy(name, params.className.begin());
}

Window::~Window() {
    // The derived object is gone: no message may reach a handler of it any more.
    if (HWND window = Handle()) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
}

void Window::CreateFromParams(const WindowParams& params, Control* parent) {
    if (IsCreated()) {
        throw Error("The window exists already");
    }
    if (params.className.back() != L'\0' || params.className.front() == L'\0') {
        throw Error("Window class name missing or not terminated");
    }
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (!::GetClassInfoExW(instance, params.className.data(), &existing)) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = params.classStyle;
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = instance;
        windowClass.hIcon = params.icon;
        windowClass.hIconSm = params.smallIcon;
        windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = params.background;
        windowClass.lpszClassName = params.className.data();
        ThrowLastErrorIf(::RegisterClassExW(&windowClass) == 0, "RegisterClassEx");
    }
    HWND window = ::CreateWindowExW(params.exStyle, params.className.data(), params.caption.c_str(),
                                    params.style, params.x, params.y, params.width, params.height,
                                    params.parent, nullptr, instance, this);
    ThrowLastErrorIf(window == nullptr, "CreateWindowEx");
    Attach(window, parent);
}

LRESULT CALLBACK Window::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* creation = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* created = static_cast<Window*>(creation->lpCreateParams);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        created->SetHandle(window);
    }
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    try {
        result = self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        ReportException(std::current_exception());
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->Detach();
    }
    return result;
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NOTIFY:
            return OnNotifyMessage(wParam, lParam);
        case WM_COMMAND:
            return OnCommandMessage(wParam, lParam);
        case WM_SIZE:
            OnSize();
            return 0;
        case WM_ERASEBKGND:
            if (OnEraseBackground(reinterpret_cast<HDC>(wParam))) {
                return 1;
            }
            break;
        case WM_PAINT: {
            PaintScope paint(Handle());
            OnPaint(paint.Dc(), paint.Paint());
            return 0;
        }
        case WM_DESTROY:
            OnDestroy();
            return 0;
        default:
            break;
    }
    return DefaultHandling(message, wParam, lParam);
}

LRESULT Window::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(Handle(), message, wParam, lParam);
}

LRESULT Window::OnNotifyMessage(WPARAM wParam, LPARAM lParam) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    LRESULT result = 0;
    if (Control* source = FromHandle(header->hwndFrom);
        source != nullptr && source->OnNotify(*header, result)) {
        return result;
    }
    return DefaultHandling(WM_NOTIFY, wParam, lParam);
}

LRESULT Window::OnCommandMessage(WPARAM wParam, LPARAM lParam) {
    if (Control* source = FromHandle(reinterpret_cast<HWND>(lParam));
        source != nullptr && source->OnCommand(LOWORD(wParam), HIWORD(wParam))) {
        return 0;
    }
    return DefaultHandling(WM_COMMAND, wParam, lParam);
}

void Window::OnSize() {
    Realign();
}

bool Window::OnEraseBackground(HDC) {
    return false;
}

void Window::OnPaint(HDC, const PAINTSTRUCT&) {}

}  // namespace ui
