// The system's web browser control (CLSID_WebBrowser) hosted in a child area of a window: one
// site object serves as its client site, in-place site and frame and as the sink of its
// DWebBrowserEvents2, and the host tears the control down in OLE order when it goes.
#pragma once

#include <windows.h>

#include <exdisp.h>
#include <ocidl.h>
#include <ole2.h>

#include <functional>
#include <string>
#include <string_view>

#include "ui/Application.h"
#include "ui/ComPtr.h"
#include "ui/Error.h"

namespace ui {

class WebBrowser {
  public:
    // Creates the control and activates it in place as a child of parent at the given bounds
    // (client coordinates of parent). COM must be initialised on this thread as a
    // single-threaded apartment. Raises ui::Error when the control cannot be created.
    // While it lives, the host is the running application's accelerator translator, so the
    // message loop offers it the keys typed into the page.
    WebBrowser(HWND parent, int left, int top, int width, int height);
    ~WebBrowser();
    // The site object points back at its host, so the host stays where it was made.
    WebBrowser(const WebBrowser&) = delete;
    WebBrowser& operator=(const WebBrowser&) = delete;

    // Starts loading url; the page arrives later, as messages of this thread. Flags, target
    // frame, post data and headers stay empty. A failing call raises ui::Error, as does a
    // failing Stop or SetBounds.
    void Navigate(std::wstring_view url);
    // Cancels a navigation or download still in progress.
    void Stop();

    void SetBounds(int left, int top, int width, int height);
    // Moves the control and keeps its size.
    void Move(int left, int top);
    int Left() const noexcept { return bounds_.left; }
    int Top() const noexcept { return bounds_.top; }
    int Width() const noexcept { return bounds_.right - bounds_.left; }
    int Height() const noexcept { return bounds_.bottom - bounds_.top; }

    // The control's own window (for a window region, for instance); activates the control in
    // place first if it has no window yet.
    HWND Handle();

    // Offers a keyboard message meant for the control's windows to the control, so that keys
    // work inside the page as in any hosted browser. True when the control handled it: the
    // message must then be neither translated nor dispatched.
    bool TranslateAccelerator(MSG& message);

    // Raised on the thread's message loop for every document-complete notification of the
    // control, whichever document or frame it names. An exception that escapes it goes to the
    // application's default error report, never into the control.
    std::function<void()> onDocumentComplete;

    // The sink that the control's events arrive at, as the control sees it.
    IDispatch* EventSink() const noexcept;

  private:
    class Site;

    void Create();
    void ActivateInPlace();
    HRESULT ApplyBounds();
    void RaiseDocumentComplete() noexcept;
    void TearDown() noexcept;

    HWND parent_;
    RECT bounds_;
    ComPtr<Site> site_;
    ComPtr<IWebBrowser2> browser_;
    ComPtr<IOleObject> oleObject_;
    ComPtr<IOleInPlaceObject> inPlaceObject_;
    ComPtr<IOleInPlaceActiveObject> activeObject_;
    ComPtr<IConnectionPoint> events_;
    DWORD eventsCookie_ = 0;
};

}  // namespace ui
