// One move-only owner for every kind of system handle: the closing function and the invalid
// value are part of the type, so each kind gets a one-line alias and copying is a compile error.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <utility>

namespace ui {

template <typename H, auto Close, H Invalid = H{}>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(H owned) noexcept : handle_(owned) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    H Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Invalid; }

    // Gives up ownership, e.g. when a window region is handed to the system.
    [[nodiscard]] H Release() noexcept { return std::exchange(handle_, Invalid); }

    void Reset(H owned = Invalid) noexcept {
        if (H old = std::exchange(handle_, owned); old != Invalid) {
            Close(old);
        }
    }

  private:
    H handle_ = Invalid;
};

namespace detail {
inline void DeleteGdiObject(HGDIOBJ object) noexcept {
    ::DeleteObject(object);
}
inline void DestroyImageList(HIMAGELIST list) noexcept {
    ::ImageList_Destroy(list);
}
inline void DestroyIconHandle(HICON icon) noexcept {
    ::DestroyIcon(icon);
}
}  // namespace detail

using UniqueFont = UniqueHandle<HFONT, detail::DeleteGdiObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, detail::DeleteGdiObject>;
using UniqueBrush = UniqueHandle<HBRUSH, detail::DeleteGdiObject>;
using UniqueRegion = UniqueHandle<HRGN, detail::DeleteGdiObject>;
using UniqueImageList = UniqueHandle<HIMAGELIST, detail::DestroyImageList>;
using UniqueIcon = UniqueHandle<HICON, detail::DestroyIconHandle>;

// A device context borrowed from a window and given back to it: of the client area, or of the
// whole window (frame included) for drawing a non-client edge.
class WindowDC {
  public:
    explicit WindowDC(HWND window, bool wholeWindow = false);
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() { ::ReleaseDC(window_, dc_); }
    HDC Get() const noexcept { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// Selects a GDI object into a device context and puts the previous one back.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept
        : dc_(dc), previous_(::SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() { ::SelectObject(dc_, previous_); }

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace ui
