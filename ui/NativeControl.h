// A system control (tree view, list view, tool bar) wrapped by the framework. The control is
// subclassed, so that messages it posts to itself and messages of its own come to the
// object's HandleMessage; exceptions that escape there are reported like those of a Window.
#pragma once

#include "ui/Control.h"

namespace ui {

class NativeControl : public Control {
  public:
    ~NativeControl() override;

  protected:
    NativeControl() = default;

    // Creates a child window of the system class, visible, as the next child of parent.
    void CreateNative(const wchar_t* className, DWORD style, DWORD exStyle, Control& parent);

    // Every message of the control; the default passes it on to the control itself.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

    // Raises onClick later, from the message loop: native controls report a click before they
    // have moved the selection, and a click handler must see the selection the click made.
    void PostDeferredClick();
    virtual void OnDeferredClick() {}

    // Throws ui::Error when the control has no window yet.
    void RequireWindow(const char* operation) const;

  private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);
};

}  // namespace ui
