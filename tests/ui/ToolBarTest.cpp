#include "ui/ToolBar.h"

#include "UiTestSupport.h"
#include "ui/ListView.h"
#include "ui/TreeView.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct AccessKeyCase {
    std::wstring caption;
    wchar_t expected;
};

class ToolBarAccessKey : public ::testing::TestWithParam<AccessKeyCase> {};

TEST_P(ToolBarAccessKey, IsTheLetterAfterTheAmpersand) {
    ui::Application application;
    ui::ToolBar bar;
    ui::testing::HostForm form([&](ui::testing::HostForm& host) { bar.Create(host); });
    form.Create();

    EXPECT_EQ(bar.AddButton(GetParam().caption).AccessKey(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    ToolBar, ToolBarAccessKey,
    ::testing::Values(AccessKeyCase{L"\u67E5\u770B(&V)", L'V'}, AccessKeyCase{L"&delete", L'D'},
                      AccessKeyCase{L"a&&b", 0}, AccessKeyCase{L"a&&b&c", L'C'},
                      AccessKeyCase{L"plain", 0}, AccessKeyCase{L"trailing&", 0}));

// The program's bar: a list above, the bar at the bottom with three buttons and a separator.
class ToolBarTest : public ::testing::Test {
  protected:
    ToolBarTest()
        : form_([this](ui::testing::HostForm& host) {
              list_.SetAlign(ui::Align::Client);
              list_.Create(host);
              bar_.SetAlign(ui::Align::Bottom);
              bar_.SetBounds({0, 0, 10, 21});
              bar_.Create(host);
          }) {
        form_.SetClientSize(503, 300);
        form_.Create();
        bar_.SetButtonSize(103, 20);
        bar_.SetIndent(5);
        for (const wchar_t* caption : {L"\u67E5\u770B(&V)", L"", L"\u5220\u9664\u4FE1\u606F(&D)",
                                       L"\u5220\u9664\u6240\u6709\u4FE1\u606F(&A)"}) {
            const int index = bar_.ButtonCount();
            ui::ToolButton& button =
                *caption == L'\0' ? bar_.AddSeparator(8) : bar_.AddButton(caption);
            button.onClick = [this, index] { clicked_.push_back(index); };
        }
        form_.Show();
        ui::testing::BringToFront(form_.Handle());
    }

    ui::Application application_;
    ui::ListView list_;
    ui::ToolBar bar_;
    ui::testing::HostForm form_;
    std::vector<int> clicked_;
};

TEST_F(ToolBarTest, ButtonsSitWhereTheLayoutPutsThem) {
    struct Expected {
        int left;
        int width;
    };
    const Expected expected[] = {{5, 103}, {108, 8}, {116, 103}, {219, 103}};
    for (int index = 0; index < bar_.ButtonCount(); ++index) {
        const RECT rect = bar_.ButtonRect(index);
        EXPECT_EQ(rect.left, expected[index].left) << "button " << index;
        EXPECT_EQ(rect.right - rect.left, expected[index].width) << "button " << index;
    }
    EXPECT_EQ(bar_.ButtonRect(0).bottom - bar_.ButtonRect(0).top, 20);
    EXPECT_EQ(bar_.GetBounds(), (ui::Bounds{0, 279, 503, 21}));
}

TEST_F(ToolBarTest, MouseClickRaisesTheButtonsHandler) {
    ui::testing::ClickAt(bar_.Handle(), ui::testing::Centre(bar_.ButtonRect(2)));
    ASSERT_TRUE(ui::testing::ProcessUntil(application_, [&] { return !clicked_.empty(); }));

    EXPECT_EQ(clicked_, (std::vector<int>{2}));
}

struct AltCase {
    std::string name;
    WORD key;
    std::vector<int> expected;
};

class ToolBarAlt : public ToolBarTest, public ::testing::WithParamInterface<AltCase> {};

TEST_P(ToolBarAlt, AltLetterPressesItsButtonWithTheFocusInTheList) {
    list_.SetFocus();
    ASSERT_EQ(::GetFocus(), list_.Handle());
    // A message the test posts after the keys marks the point where they have all been handled.
    bool keysDone = false;
    application_.onMessage = [&](MSG& message, bool&) {
        keysDone = keysDone || message.message == WM_APP + 9;
    };

    ui::testing::PressAltWith(GetParam().key);
    ui::testing::ProcessUntil(
        application_, [&] { return !clicked_.empty(); }, std::chrono::milliseconds(500));
    ::PostMessageW(form_.Handle(), WM_APP + 9, 0, 0);
    ASSERT_TRUE(ui::testing::ProcessUntil(application_, [&] { return keysDone; }));

    EXPECT_EQ(clicked_, GetParam().expected);
    // The key was taken: the window did not enter its menu mode.
    EXPECT_EQ(::GetFocus(), list_.Handle());
}

INSTANTIATE_TEST_SUITE_P(ToolBar, ToolBarAlt,
                         ::testing::Values(AltCase{"V", 'V', {0}}, AltCase{"D", 'D', {2}},
                                           AltCase{"A", 'A', {3}}, AltCase{"NoButton", 'X', {}}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
