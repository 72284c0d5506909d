// The framework's handle kinds, each an alias of the one move-only owner, and the borrowed
// device context and selected object of drawing code.
#pragma once

#include "platform/win32/UniqueHandle.h"

#include <windows.h>

#include <commctrl.h>

namespace ui {

using platform::win32::UniqueHandle;

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
