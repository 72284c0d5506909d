#include "ui/WebBrowser.h"

#include <exdispid.h>

#include <climits>
#include <memory>

namespace ui {

namespace {

struct BstrFree {
    void operator()(BSTR text) const noexcept { SysFreeString(text); }
};
using Bstr = std::unique_ptr<OLECHAR, BstrFree>;

}  // namespace

// The control's one partner: client site, in-place site, in-place frame and event sink. It is
// reference counted by the control as much as by the host, so it may outlive the host; the host
// detaches it when it goes and late calls then find no host.
class WebBrowser::Site final : public IOleClientSite,
                               public IOleInPlaceSite,
                               public IOleInPlaceFrame,
                               public IDispatch {
  public:
    explicit Site(WebBrowser& host) : host_(&host) {}
    Site(const Site&) = delete;
    Site& operator=(const Site&) = delete;

    void Detach() noexcept { host_ = nullptr; }
    IOleClientSite* ClientSite() noexcept { return this; }
    IDispatch* Sink() noexcept { return this; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
            *object = static_cast<IOleClientSite*>(this);
        } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
            *object = static_cast<IOleInPlaceSite*>(this);
        } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
            *object = static_cast<IOleInPlaceFrame*>(this);
        } else if (iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2) {
            *object = static_cast<IDispatch*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = --references_;
        if (left == 0) {
            // The last reference owns the object, as COM objects own themselves.
            std::unique_ptr<Site> self(this);
        }
        return left;
    }

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
        if (moniker != nullptr) {
            *moniker = nullptr;
        }
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override {
        if (container != nullptr) {
            *container = nullptr;
        }
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(WINBOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow, shared by the in-place site and the frame
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (window == nullptr) {
            return E_POINTER;
        }
        *window = host_ != nullptr ? host_->parent_ : nullptr;
        return host_ != nullptr ? S_OK : E_UNEXPECTED;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(WINBOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override {
        return host_ != nullptr ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                               LPRECT position, LPRECT clip,
                                               LPOLEINPLACEFRAMEINFO frameInfo) override {
        if (frame == nullptr || doc == nullptr || position == nullptr || clip == nullptr ||
            frameInfo == nullptr) {
            return E_POINTER;
        }
        *doc = nullptr;
        if (host_ == nullptr) {
            *frame = nullptr;
            return E_UNEXPECTED;
        }
        *frame = this;
        AddRef();
        *position = host_->bounds_;
        *clip = host_->bounds_;
        frameInfo->fMDIApp = FALSE;
        frameInfo->hwndFrame = GetAncestor(host_->parent_, GA_ROOT);
        frameInfo->haccel = nullptr;
        frameInfo->cAccelEntries = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(WINBOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
    // The host decides where the control lies; a request of the control's own gets the host's
    // bounds back.
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override {
        return host_ != nullptr ? host_->ApplyBounds() : E_UNEXPECTED;
    }

    // IOleInPlaceUIWindow and IOleInPlaceFrame: no menus, tool space or status bar to share.
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override {
        return INPLACE_E_NOTOOLSPACE;
    }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override {
        return INPLACE_E_NOTOOLSPACE;
    }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(WINBOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    // IDispatch: the DWebBrowserEvents2 sink. The control also asks its client site for ambient
    // properties through this interface; none is offered, so it keeps its defaults.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info != nullptr) {
            *info = nullptr;
        }
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                     EXCEPINFO*, UINT*) override {
        if (member != DISPID_DOCUMENTCOMPLETE) {
            return DISP_E_MEMBERNOTFOUND;
        }
        if (host_ != nullptr) {
            host_->RaiseDocumentComplete();
        }
        return S_OK;
    }

  private:
    ~Site() = default;
    friend std::default_delete<Site>;

    ULONG references_ = 1;
    WebBrowser* host_;
};

WebBrowser::WebBrowser(HWND parent, int left, int top, int width, int height)
    : parent_(parent), bounds_{left, top, left + width, top + height} {
    try {
        Create();
    } catch (...) {
        TearDown();
        throw;
    }
    if (Application* application = Application::Current()) {
        application->SetAcceleratorTranslator(
            [this](MSG& message) { return TranslateAccelerator(message); });
    }
}

WebBrowser::~WebBrowser() {
    if (Application* application = Application::Current()) {
        application->SetAcceleratorTranslator({});
    }
    TearDown();
}

void WebBrowser::Create() {
    site_ = ComPtr<Site>::Attach(std::make_unique<Site>(*this).release());
    ThrowIfFailed(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(browser_.Put())),
                  "Creating the web browser");
    ThrowIfFailed(browser_.As(oleObject_), "Creating the web browser");
    ThrowIfFailed(oleObject_->SetClientSite(site_->ClientSite()), "Setting the web browser's site");

    ComPtr<IConnectionPointContainer> points;
    ThrowIfFailed(browser_.As(points), "Connecting to the web browser's events");
    ThrowIfFailed(points->FindConnectionPoint(DIID_DWebBrowserEvents2, events_.Put()),
                  "Connecting to the web browser's events");
    ThrowIfFailed(events_->Advise(site_->Sink(), &eventsCookie_),
                  "Connecting to the web browser's events");

    ActivateInPlace();
}

void WebBrowser::ActivateInPlace() {
    ThrowIfFailed(oleObject_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_->ClientSite(), 0,
                                     parent_, &bounds_),
                  "Activating the web browser");
    ThrowIfFailed(oleObject_.As(inPlaceObject_), "Activating the web browser");
    ThrowIfFailed(browser_.As(activeObject_), "Activating the web browser");
}

HRESULT WebBrowser::ApplyBounds() {
    return inPlaceObject_ ? inPlaceObject_->SetObjectRects(&bounds_, &bounds_) : S_OK;
}

void WebBrowser::RaiseDocumentComplete() noexcept {
    try {
        if (onDocumentComplete) {
            onDocumentComplete();
        }
    } catch (...) {
        ReportException(std::current_exception());
    }
}

void WebBrowser::TearDown() noexcept {
    // Each step is taken whatever the one before it returned: the control must let go of the
    // site even when it refuses part of the farewell, and there is no one left to tell.
    if (inPlaceObject_) {
        inPlaceObject_->InPlaceDeactivate();
    }
    if (events_ && eventsCookie_ != 0) {
        events_->Unadvise(eventsCookie_);
        eventsCookie_ = 0;
    }
    if (oleObject_) {
        oleObject_->Close(OLECLOSE_NOSAVE);
        oleObject_->SetClientSite(nullptr);
    }
    activeObject_.Reset();
    inPlaceObject_.Reset();
    events_.Reset();
    oleObject_.Reset();
    browser_.Reset();
    if (site_) {
        site_->Detach();
    }
    site_.Reset();
}

void WebBrowser::Navigate(std::wstring_view url) {
    if (url.size() > UINT_MAX) {
        ThrowSystemError("Navigate", static_cast<DWORD>(E_INVALIDARG));
    }
    Bstr address(SysAllocStringLen(url.data(), static_cast<UINT>(url.size())));
    if (!address) {
        ThrowSystemError("Navigate", static_cast<DWORD>(E_OUTOFMEMORY));
    }
    VARIANT flags{}, targetFrame{}, postData{}, headers{};
    ThrowIfFailed(browser_->Navigate(address.get(), &flags, &targetFrame, &postData, &headers),
                  "Navigate");
}

void WebBrowser::Stop() {
    ThrowIfFailed(browser_->Stop(), "Stop");
}

void WebBrowser::SetBounds(int left, int top, int width, int height) {
    bounds_ = {left, top, left + width, top + height};
    ThrowIfFailed(ApplyBounds(), "Moving the web browser");
}

void WebBrowser::Move(int left, int top) {
    SetBounds(left, top, Width(), Height());
}

HWND WebBrowser::Handle() {
    HWND window = nullptr;
    if (FAILED(inPlaceObject_->GetWindow(&window)) || window == nullptr) {
        ActivateInPlace();
        ThrowIfFailed(inPlaceObject_->GetWindow(&window), "Finding the web browser's window");
    }
    return window;
}

bool WebBrowser::TranslateAccelerator(MSG& message) {
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST || !activeObject_) {
        return false;
    }
    // Keys typed into other controls of the program are theirs, not the page's.
    HWND own = nullptr;
    if (FAILED(inPlaceObject_->GetWindow(&own)) || own == nullptr ||
        (message.hwnd != own && !IsChild(own, message.hwnd))) {
        return false;
    }
    return activeObject_->TranslateAccelerator(&message) == S_OK;
}

IDispatch* WebBrowser::EventSink() const noexcept {
    return site_->Sink();
}

}  // namespace ui
