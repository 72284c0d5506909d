#include "ui/Form.h"

#include "UiTestSupport.h"
#include "ui/Error.h"
#include "ui/ListView.h"
#include "ui/Panel.h"
#include "ui/ToolBar.h"
#include "ui/TreeView.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// A form that registers its own window class, as the program's main window does.
class NamedForm : public ui::testing::HostForm {
  public:
    using HostForm::HostForm;

  protected:
    void CreateParams(ui::WindowParams& params) override {
        HostForm::CreateParams(params);
        ui::SetClassName(params, L"KRV_UI_TEST");
    }
};

class FormTest : public ::testing::Test {
  protected:
    ui::Application application_;
};

TEST_F(FormTest, DerivedCreateParamsNameTheWindowClass) {
    NamedForm form;
    form.SetCaption(L"\u300AKorvanWisplet\u300B");
    form.Create();

    wchar_t className[64]{};
    ::GetClassNameW(form.Handle(), className, 64);
    EXPECT_STREQ(className, L"KRV_UI_TEST");
    EXPECT_EQ(::FindWindowW(L"KRV_UI_TEST", nullptr), form.Handle());
    EXPECT_EQ(form.Caption(), L"\u300AKorvanWisplet\u300B");
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(form.Handle(), GWL_STYLE));
    for (DWORD part : {WS_CAPTION, WS_SYSMENU, WS_MINIMIZEBOX, WS_MAXIMIZEBOX, WS_THICKFRAME}) {
        EXPECT_EQ(style & part, part) << std::hex << part;
    }
}

TEST_F(FormTest, ClassNameMustFitItsField) {
    ui::WindowParams params;
    EXPECT_THROW(ui::SetClassName(params, std::wstring(64, L'x')), ui::Error);
    ui::SetClassName(params, std::wstring(63, L'x'));
    EXPECT_EQ(params.className[62], L'x');
    EXPECT_EQ(params.className[63], L'\0');
}

TEST_F(FormTest, CreateShowAndResizeComeInOrderBeforeTheWindowIsVisible) {
    ui::Panel panel;
    std::vector<std::string> events;
    ui::testing::HostForm form([&](ui::testing::HostForm& host) {
        panel.SetAlign(ui::Align::Client);
        panel.Create(host);
    });
    auto note = [&](const char* event) {
        events.push_back(std::string(event) +
                         (::IsWindowVisible(form.Handle()) ? " visible" : " hidden"));
    };
    form.onCreate = [&] {
        EXPECT_TRUE(panel.IsCreated());
        note("create");
    };
    form.onShow = [&] { note("show"); };
    form.onResize = [&] { note("resize"); };
    form.SetClientSize(688, 446);
    form.Create();
    form.Show();

    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[0], "create hidden");
    EXPECT_EQ(events[1], "show hidden");
    EXPECT_EQ(events[2], "resize hidden");
    EXPECT_TRUE(::IsWindowVisible(form.Handle()));
    EXPECT_EQ(form.ClientSize().cx, 688);
    EXPECT_EQ(form.ClientSize().cy, 446);
    RECT window{};
    ::GetWindowRect(form.Handle(), &window);
    EXPECT_LE(std::abs((window.left + window.right) / 2 - ::GetSystemMetrics(SM_CXSCREEN) / 2), 1);
    EXPECT_LE(std::abs((window.top + window.bottom) / 2 - ::GetSystemMetrics(SM_CYSCREEN) / 2), 1);
}

struct ShowCase {
    std::string name;
    int command;
    bool zoomed;
    bool iconic;
};

class FormShow : public FormTest, public ::testing::WithParamInterface<ShowCase> {};

TEST_P(FormShow, OpensInTheStateAskedFor) {
    ui::Panel panel;
    ui::testing::HostForm form([&](ui::testing::HostForm& host) {
        panel.SetAlign(ui::Align::Client);
        panel.Create(host);
    });
    form.SetClientSize(300, 200);
    form.Create();

    form.Show(GetParam().command);

    EXPECT_TRUE(::IsWindowVisible(form.Handle()));
    EXPECT_EQ(::IsZoomed(form.Handle()) != FALSE, GetParam().zoomed);
    EXPECT_EQ(::IsIconic(form.Handle()) != FALSE, GetParam().iconic);
    if (GetParam().zoomed) {
        EXPECT_GT(form.ClientSize().cx, 300);
        EXPECT_EQ(panel.Width(), form.ClientSize().cx);
    }
}

INSTANTIATE_TEST_SUITE_P(Form, FormShow,
                         ::testing::Values(ShowCase{"Normal", SW_SHOWNORMAL, false, false},
                                           ShowCase{"Maximised", SW_SHOWMAXIMIZED, true, false},
                                           ShowCase{"MinimisedWithoutActivation",
                                                    SW_SHOWMINNOACTIVE, false, true}),
                         [](const auto& info) { return info.param.name; });

TEST_F(FormTest, OuterSizeIncludesTheFrame) {
    ui::testing::HostForm form;
    form.SetOuterSize(696, 480);
    form.Create();

    RECT window{};
    ::GetWindowRect(form.Handle(), &window);
    EXPECT_EQ(window.right - window.left, 696);
    EXPECT_EQ(window.bottom - window.top, 480);
    EXPECT_LT(form.ClientSize().cx, 696);
    EXPECT_LT(form.ClientSize().cy, 480);
}

struct TabCase {
    std::string name;
    int focusedAt;  // index into {tree, list}
    bool withShift;
    int expected;
};

class FormTab : public FormTest, public ::testing::WithParamInterface<TabCase> {};

TEST_P(FormTab, TabMovesTheFocusThroughTheTabStopsInCreationOrder) {
    // A tree on the left; on the right a panel with a list above a tool bar, which is no tab
    // stop.
    ui::TreeView tree;
    ui::Panel right;
    ui::ListView list;
    ui::ToolBar bar;
    ui::testing::HostForm form([&](ui::testing::HostForm& host) {
        tree.SetAlign(ui::Align::Left);
        tree.SetBounds({0, 0, 100, 10});
        tree.Create(host);
        right.SetAlign(ui::Align::Client);
        right.Create(host);
        list.SetAlign(ui::Align::Client);
        list.Create(right);
        bar.SetAlign(ui::Align::Bottom);
        bar.SetBounds({0, 0, 10, 21});
        bar.Create(right);
    });
    form.SetClientSize(300, 200);
    form.Create();
    form.Show();
    ui::testing::BringToFront(form.Handle());
    const HWND stops[] = {tree.Handle(), list.Handle()};
    ::SetFocus(stops[GetParam().focusedAt]);
    ASSERT_EQ(::GetFocus(), stops[GetParam().focusedAt]);

    ui::testing::PressKey(VK_TAB, GetParam().withShift);

    EXPECT_TRUE(ui::testing::ProcessUntil(
        application_, [&] { return ::GetFocus() == stops[GetParam().expected]; }));
}

INSTANTIATE_TEST_SUITE_P(Form, FormTab,
                         ::testing::Values(TabCase{"TreeToList", 0, false, 1},
                                           TabCase{"ListRoundToTree", 1, false, 0},
                                           TabCase{"ShiftFromTreeRoundToList", 0, true, 1},
                                           TabCase{"ShiftFromListToTree", 1, true, 0}),
                         [](const auto& info) { return info.param.name; });

TEST_F(FormTest, FontReachesEveryControlAlsoThoseMadeLater) {
    ui::Panel early;
    ui::ListView later;
    ui::testing::HostForm form([&](ui::testing::HostForm& host) { early.Create(host); });
    form.SetFont({L"SimSun", GB2312_CHARSET, 12});
    form.Create();
    later.Create(early);

    const HFONT first = form.Font();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(early.Font(), first);
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(later.Handle(), WM_GETFONT, 0, 0)), first);

    form.SetFont({L"SimSun", GB2312_CHARSET, 16});
    EXPECT_NE(form.Font(), first);
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(later.Handle(), WM_GETFONT, 0, 0)),
              form.Font());
    LOGFONTW description{};
    ::GetObjectW(form.Font(), sizeof description, &description);
    EXPECT_EQ(description.lfHeight, -16);
    EXPECT_EQ(description.lfCharSet, GB2312_CHARSET);
}

}  // namespace
