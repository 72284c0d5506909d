#include "ui/NativeControl.h"

#include "ui/Application.h"
#include "ui/Error.h"

#include <commctrl.h>

#include <exception>
#include <string>

namespace ui {

namespace {

constexpr UINT_PTR kSubclassId = 1;
// Posted by a control to itself; the control classes use only WM_USER numbers.
constexpr UINT kDeferredClick = WM_APP + 0x101;

void InitialiseCommonControls() {
    static const bool initialised = [] {
        INITCOMMONCONTROLSEX classes{sizeof classes,
                                     ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
        return ::InitCommonControlsEx(&classes) != FALSE;
    }();
    if (!initialised) {
        throw Error("InitCommonControlsEx failed");
    }
}

}  // namespace

NativeControl::~NativeControl() {
    if (HWND window = Handle()) {
        ::RemoveWindowSubclass(window, SubclassProc, kSubclassId);
    }
}

void NativeControl::CreateNative(const wchar_t* className, DWORD style, DWORD exStyle,
                                 Control& parent) {
    if (IsCreated()) {
        throw Error("The control exists already");
    }
    if (!parent.IsCreated()) {
        throw Error("The parent of a control must exist first");
    }
    InitialiseCommonControls();
    const Bounds bounds = GetBounds();
    HWND window = ::CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_VISIBLE | style,
                                    bounds.left, bounds.top, bounds.width, bounds.height,
                                    parent.Handle(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ThrowLastErrorIf(window == nullptr, "CreateWindowEx");
    if (!::SetWindowSubclass(window, SubclassProc, kSubclassId,
                             reinterpret_cast<DWORD_PTR>(this))) {
        ::DestroyWindow(window);
        throw Error("SetWindowSubclass failed");
    }
    Attach(window, &parent);
}

LRESULT CALLBACK NativeControl::SubclassProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<NativeControl*>(data);
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(window, SubclassProc, kSubclassId);
        self->Detach();
        return ::DefSubclassProc(window, message, wParam, lParam);
    }
    try {
        if (message == kDeferredClick) {
            self->OnDeferredClick();
            return 0;
        }
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        ReportException(std::current_exception());
        return 0;
    }
}

LRESULT NativeControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultHandling(message, wParam, lParam);
}

LRESULT NativeControl::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefSubclassProc(Handle(), message, wParam, lParam);
}

void NativeControl::PostDeferredClick() {
    ThrowLastErrorIf(!::PostMessageW(Handle(), kDeferredClick, 0, 0), "PostMessage");
}

void NativeControl::RequireWindow(const char* operation) const {
    if (!IsCreated()) {
        throw Error(std::string(operation) + ": the control has no window");
    }
}

}  // namespace ui
