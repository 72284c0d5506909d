// A window of a class that the framework registers itself. One static window procedure serves
// every such window: the object arrives in lpCreateParams at WM_NCCREATE, is kept in
// GWLP_USERDATA, and every later message goes to the object's virtual HandleMessage, whose
// default sends each kind of message to its own small handler. An exception that escapes a
// handler is caught there and reported by the application (ui/Application.h).
#pragma once

#include "ui/Control.h"

#include <array>
#include <string>

namespace ui {

// What a window is created with. className is a fixed field of 64 characters (at most 63 and
// a terminating zero); the class is registered on first use with the icon, cursor, background
// and class style given here.
struct WindowParams {
    std::array<wchar_t, 64> className{};
    std::wstring caption;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    int width = CW_USEDEFAULT;
    int height = CW_USEDEFAULT;
    HWND parent = nullptr;
    UINT classStyle = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
};

// Copies a class name into the fixed field, the rest filled with zeros; throws ui::Error when
// it does not fit.
void SetClassName(WindowParams& params, std::wstring_view name);

class Window : public Control {
  public:
    // Takes the window with it, without running any handler: the derived object is gone.
    ~Window() override;

  protected:
    Window() = default;

    // Registers params.className (once per process) and creates the window, with this object
    // as its creation parameter. A child window joins parent's children.
    void CreateFromParams(const WindowParams& params, Control* parent);

    // The one entry for every message after WM_NCCREATE. The default dispatches to the
    // handlers below and passes everything else to DefWindowProc.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

    // Reflects the notification to the child that raised it.
    virtual LRESULT OnNotifyMessage(WPARAM wParam, LPARAM lParam);
    // Reflects a control's command to the control; menus and accelerators are not used.
    virtual LRESULT OnCommandMessage(WPARAM wParam, LPARAM lParam);
    // Lays the aligned children out again for the new size.
    virtual void OnSize();
    // Fills the background; return false to leave it to DefWindowProc.
    virtual bool OnEraseBackground(HDC dc);
    virtual void OnPaint(HDC dc, const PAINTSTRUCT& paint);
    virtual void OnDestroy() {}

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace ui
