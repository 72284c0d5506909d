#include "ui/WebBrowser.h"

#include "UiTestSupport.h"
#include "ui/Application.h"
#include "ui/Error.h"
#include "ui/Handle.h"
#include "ui/Panel.h"

#include <exdispid.h>
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>

namespace {

// Where a child window lies, in its parent's client coordinates.
RECT BoundsInParent(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ExpectRect(const RECT& actual, LONG left, LONG top, LONG right, LONG bottom) {
    EXPECT_EQ(actual.left, left);
    EXPECT_EQ(actual.top, top);
    EXPECT_EQ(actual.right, right);
    EXPECT_EQ(actual.bottom, bottom);
}

// Delivers a notification to the sink the way the control does: arguments in reverse order.
HRESULT Notify(IDispatch* sink, DISPID member) {
    VARIANT url{};
    url.vt = VT_BSTR;
    url.bstrVal = SysAllocString(L"file:///C:/page.htm");
    VARIANT urlReference{};
    urlReference.vt = VT_BYREF | VT_VARIANT;
    urlReference.pvarVal = &url;
    VARIANT document{};
    document.vt = VT_DISPATCH;
    document.pdispVal = nullptr;
    VARIANT arguments[] = {urlReference, document};
    DISPPARAMS parameters{arguments, nullptr, 2, 0};
    HRESULT result = sink->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                  &parameters, nullptr, nullptr, nullptr);
    VariantClear(&url);
    return result;
}

// Lets the control do what it has queued, as the program's message loop would.
void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The browser sits in a white panel of a form, as the preview does.
class WebBrowser : public testing::Test {
  protected:
    WebBrowser()
        : form_([this](ui::testing::HostForm& host) {
              panel_.SetBounds({0, 0, 503, 147});
              panel_.SetBevel(ui::Bevel::Lowered);
              panel_.SetColor(ui::PanelColor::White);
              panel_.Create(host);
          }) {
        form_.SetClientSize(600, 400);
        form_.Create();
    }

    ui::WebBrowser& Browser() {
        if (!browser_) {
            browser_.emplace(panel_.Handle(), 112, 15, 258, 123);
        }
        return *browser_;
    }

    ui::OleInitialization ole_;
    ui::Application application_;
    ui::Panel panel_;
    ui::testing::HostForm form_;
    std::optional<ui::WebBrowser> browser_;
};

TEST_F(WebBrowser, CreatesItsOwnWindowInsideTheParentAtItsBounds) {
    HWND control = Browser().Handle();
    ASSERT_TRUE(IsWindow(control));
    EXPECT_EQ(GetParent(control), panel_.Handle());
    ExpectRect(BoundsInParent(control), 112, 15, 370, 138);
}

TEST_F(WebBrowser, WindowRegionClipsTheControl) {
    HWND control = Browser().Handle();
    ui::UniqueRegion region(CreateRectRgn(2, 2, 256, 121));
    ASSERT_TRUE(region);
    ASSERT_NE(SetWindowRgn(control, region.Get(), TRUE), 0);
    (void)region.Release();  // the window owns the region now
    RECT box{};
    EXPECT_EQ(GetWindowRgnBox(control, &box), SIMPLEREGION);
    ExpectRect(box, 2, 2, 256, 121);
}

struct MoveCase {
    const char* name;
    int left;
    int top;
};

void PrintTo(const MoveCase& to, std::ostream* out) {
    *out << to.left << ", " << to.top;
}

class WebBrowserMove : public WebBrowser, public testing::WithParamInterface<MoveCase> {};

TEST_P(WebBrowserMove, KeepsTheSize) {
    const MoveCase& to = GetParam();
    Browser().Move(to.left, to.top);
    EXPECT_EQ(Browser().Left(), to.left);
    EXPECT_EQ(Browser().Top(), to.top);
    EXPECT_EQ(Browser().Width(), 258);
    EXPECT_EQ(Browser().Height(), 123);
    ExpectRect(BoundsInParent(Browser().Handle()), to.left, to.top, to.left + 258, to.top + 123);
}

INSTANTIATE_TEST_SUITE_P(Cases, WebBrowserMove,
                         testing::Values(MoveCase{"Centred", 122, 12}, MoveCase{"Origin", 0, 0},
                                         MoveCase{"LeftOfTheParent", -3, 12},
                                         MoveCase{"PastTheParentsEdge", 400, 300}),
                         [](const testing::TestParamInfo<MoveCase>& info) {
                             return info.param.name;
                         });

TEST_F(WebBrowser, SetBoundsResizesTheControl) {
    Browser().SetBounds(10, 20, 300, 200);
    EXPECT_EQ(Browser().Width(), 300);
    EXPECT_EQ(Browser().Height(), 200);
    ExpectRect(BoundsInParent(Browser().Handle()), 10, 20, 310, 220);
}

TEST_F(WebBrowser, NavigatesToALocalFileAndStops) {
    wchar_t folder[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, folder), 0u);
    std::wstring page = std::wstring(folder) + L"webbrowser-test.htm";
    std::ofstream(page.c_str()) << "<html><body>page</body></html>";

    EXPECT_NO_THROW(Browser().Navigate(page));
    EXPECT_NO_THROW(Browser().Stop());
    PumpMessages();
    EXPECT_NO_THROW(Browser().Navigate(page));
    PumpMessages();
    EXPECT_NO_THROW(Browser().Stop());
    DeleteFileW(page.c_str());
}

struct NotificationCase {
    const char* name;
    DISPID member;
    int raised;
};

void PrintTo(const NotificationCase& notification, std::ostream* out) {
    *out << notification.name;
}

class WebBrowserNotification : public WebBrowser,
                               public testing::WithParamInterface<NotificationCase> {};

TEST_P(WebBrowserNotification, OnlyDocumentCompleteRaisesTheHandler) {
    int raised = 0;
    Browser().onDocumentComplete = [&raised] { ++raised; };
    IDispatch* sink = Browser().EventSink();
    ASSERT_NE(sink, nullptr);

    Notify(sink, GetParam().member);
    EXPECT_EQ(raised, GetParam().raised);
    Notify(sink, GetParam().member);
    EXPECT_EQ(raised, 2 * GetParam().raised);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WebBrowserNotification,
    testing::Values(NotificationCase{"DocumentComplete", DISPID_DOCUMENTCOMPLETE, 1},
                    NotificationCase{"NavigateError", DISPID_NAVIGATEERROR, 0},
                    NotificationCase{"NavigateComplete2", DISPID_NAVIGATECOMPLETE2, 0},
                    NotificationCase{"DownloadComplete", DISPID_DOWNLOADCOMPLETE, 0}),
    [](const testing::TestParamInfo<NotificationCase>& info) { return info.param.name; });

TEST_F(WebBrowser, SinkAnswersAsTheEventInterface) {
    IDispatch* sink = Browser().EventSink();
    ui::ComPtr<IDispatch> events;
    ASSERT_EQ(sink->QueryInterface(DIID_DWebBrowserEvents2, reinterpret_cast<void**>(events.Put())),
              S_OK);
    int raised = 0;
    Browser().onDocumentComplete = [&raised] { ++raised; };
    Notify(events.Get(), DISPID_DOCUMENTCOMPLETE);
    EXPECT_EQ(raised, 1);
}

TEST_F(WebBrowser, DocumentCompleteWithoutHandlerDoesNothing) {
    EXPECT_EQ(Notify(Browser().EventSink(), DISPID_DOCUMENTCOMPLETE), S_OK);
}

TEST_F(WebBrowser, HandlerErrorGoesToTheApplicationsReportNotIntoTheControl) {
    std::wstring shown;
    int boxes = 0;
    application_.SetMessageBoxFunction(
        [&](HWND, const std::wstring& text, const std::wstring&, UINT flags) {
            ++boxes;
            shown = text;
            EXPECT_EQ(flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
            return IDOK;
        });
    Browser().onDocumentComplete = [] { throw ui::Error("Cannot open file \"x\"."); };

    EXPECT_EQ(Notify(Browser().EventSink(), DISPID_DOCUMENTCOMPLETE), S_OK);
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(shown, L"Cannot open file \"x\".");
}

TEST_F(WebBrowser, DestroyingTheHostReleasesTheControl) {
    HWND first = Browser().Handle();
    ASSERT_TRUE(IsWindow(first));
    IDispatch* site = Browser().EventSink();
    site->AddRef();
    browser_.reset();
    PumpMessages();
    EXPECT_FALSE(IsWindow(first));
    // The last reference is the test's own: the control and its connection point let go.
    EXPECT_EQ(site->Release(), 0u);

    HWND second = Browser().Handle();
    EXPECT_TRUE(IsWindow(second));
    EXPECT_EQ(GetParent(second), panel_.Handle());
}

}  // namespace
