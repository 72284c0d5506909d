#include "ui/Application.h"

#include "UiTestSupport.h"
#include "ui/Error.h"
#include "ui/ListView.h"
#include "ui/Panel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kFirst = WM_APP + 1;
constexpr UINT kSecond = WM_APP + 2;
constexpr UINT kThird = WM_APP + 3;

struct Box {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT flags;
};

// A form that notes the application messages it receives and may throw on one of them.
class RecordingForm : public ui::testing::HostForm {
  public:
    using HostForm::HostForm;
    std::vector<UINT> received;
    UINT throwOn = 0;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message >= WM_APP && message < WM_APP + 0x100) {
            received.push_back(message);
            if (message == throwOn) {
                // "错误" in GBK, as the store's messages are.
                throw ui::Error("\xB4\xED\xCE\xF3: disk full");
            }
            return 0;
        }
        return HostForm::HandleMessage(message, wParam, lParam);
    }
};

class ApplicationTest : public ::testing::Test {
  protected:
    ApplicationTest() {
        application_.SetMessageBoxFunction(
            [this](HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
                boxes_.push_back({owner, text, caption, flags});
                return IDOK;
            });
    }

    ui::Application application_;
    std::vector<Box> boxes_;
};

TEST_F(ApplicationTest, HookSeesEveryMessageAndDropsTheMarkedOnes) {
    std::vector<UINT> seen;
    application_.onMessage = [&](MSG& message, bool& handled) {
        if (message.message >= WM_APP && message.message < WM_APP + 0x100) {
            seen.push_back(message.message);
            handled = message.message == kSecond;
        }
    };
    std::vector<UINT> received;
    application_.SetAcceleratorTranslator([](MSG&) { return false; });
    const int exitCode = application_.Execute([&](ui::Application& application) {
        auto& made = application.CreateForm<RecordingForm>();
        made.onDestroy = [&] { received = made.received; };
        for (UINT message : {kFirst, kSecond, kThird}) {
            ::PostMessageW(made.Handle(), message, 0, 0);
        }
        ::PostMessageW(made.Handle(), WM_CLOSE, 0, 0);
    });

    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(seen, (std::vector<UINT>{kFirst, kSecond, kThird}));
    EXPECT_EQ(received, (std::vector<UINT>{kFirst, kThird}));
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(ApplicationTest, TranslatorSeesWhatTheHookLetsThroughAndMayTakeIt) {
    application_.onMessage = [](MSG& message, bool& handled) {
        handled = handled || message.message == kFirst;
    };
    std::vector<UINT> offered;
    application_.SetAcceleratorTranslator([&](MSG& message) {
        if (message.message >= WM_APP && message.message < WM_APP + 0x100) {
            offered.push_back(message.message);
        }
        return message.message == kThird;
    });
    std::vector<UINT> received;
    application_.Execute([&](ui::Application& application) {
        auto& made = application.CreateForm<RecordingForm>();
        made.onDestroy = [&] { received = made.received; };
        for (UINT message : {kFirst, kSecond, kThird}) {
            ::PostMessageW(made.Handle(), message, 0, 0);
        }
        ::PostMessageW(made.Handle(), WM_CLOSE, 0, 0);
    });

    EXPECT_EQ(offered, (std::vector<UINT>{kSecond, kThird}));
    EXPECT_EQ(received, (std::vector<UINT>{kSecond}));
}

// Where an error escapes while the loop runs.
enum class ThrowSite { WindowProcedure, MessageHook, ControlClick };

std::string ThrowSiteName(const ::testing::TestParamInfo<ThrowSite>& info) {
    switch (info.param) {
        case ThrowSite::WindowProcedure:
            return "WindowProcedure";
        case ThrowSite::MessageHook:
            return "MessageHook";
        case ThrowSite::ControlClick:
            return "ControlClick";
    }
    return "Unknown";
}

class ApplicationErrors : public ApplicationTest,
                          public ::testing::WithParamInterface<ThrowSite> {};

TEST_P(ApplicationErrors, ErrorIsShownInABoxAndTheLoopGoesOn) {
    const ThrowSite site = GetParam();
    if (site == ThrowSite::MessageHook) {
        application_.onMessage = [](MSG& message, bool&) {
            if (message.message == kFirst) {
                throw ui::Error("\xB4\xED\xCE\xF3: disk full");
            }
        };
    }
    ui::ListView list;
    std::vector<UINT> received;
    HWND formWindow = nullptr;
    const int exitCode = application_.Execute([&](ui::Application& application) {
        application.SetTitle(L"\u6807\u9898");
        auto& form = application.CreateForm<RecordingForm>();
        formWindow = form.Handle();
        form.onDestroy = [&] { received = form.received; };
        if (site == ThrowSite::WindowProcedure) {
            form.throwOn = kFirst;
        }
        if (site == ThrowSite::ControlClick) {
            list.Create(form);
            list.onClick = [] { throw ui::Error("\xB4\xED\xCE\xF3: disk full"); };
            // The list reports a click to its parent, which hands it back to the list.
            NMHDR click{list.Handle(), 0, static_cast<UINT>(NM_CLICK)};
            ::SendMessageW(form.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
        }
        ::PostMessageW(form.Handle(), kFirst, 0, 0);
        ::PostMessageW(form.Handle(), kSecond, 0, 0);
        ::PostMessageW(form.Handle(), WM_CLOSE, 0, 0);
    });

    EXPECT_EQ(exitCode, 0);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, L"\u9519\u8BEF: disk full");  // 错误
    EXPECT_EQ(boxes_[0].caption, L"\u6807\u9898");
    EXPECT_EQ(boxes_[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(boxes_[0].owner, formWindow);
    // The message after the failing one still arrives.
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received.back(), kSecond);
}

INSTANTIATE_TEST_SUITE_P(Application, ApplicationErrors,
                         ::testing::Values(ThrowSite::WindowProcedure, ThrowSite::MessageHook,
                                           ThrowSite::ControlClick),
                         ThrowSiteName);

// Where an error escapes during start-up.
enum class StartUpFailure { BeforeTheForm, InOnCreate, NoMainForm };

std::string StartUpFailureName(const ::testing::TestParamInfo<StartUpFailure>& info) {
    switch (info.param) {
        case StartUpFailure::BeforeTheForm:
            return "BeforeTheForm";
        case StartUpFailure::InOnCreate:
            return "InOnCreate";
        case StartUpFailure::NoMainForm:
            return "NoMainForm";
    }
    return "Unknown";
}

class ApplicationStartUp : public ApplicationTest,
                           public ::testing::WithParamInterface<StartUpFailure> {};

TEST_P(ApplicationStartUp, ErrorIsShownAndGivesExitCodeOne) {
    const StartUpFailure failure = GetParam();
    bool destroyed = false;
    const int exitCode = application_.Execute([&](ui::Application& application) {
        application.SetTitle(L"Title");
        switch (failure) {
            case StartUpFailure::BeforeTheForm:
                throw ui::Error("Cannot create file \"x\". Access denied");
            case StartUpFailure::InOnCreate: {
                struct FailingForm : ui::Form {
                    bool* destroyed;
                    explicit FailingForm(bool* flag) : destroyed(flag) {
                        onCreate = [] {
                            throw ui::Error("Cannot create file \"x\". Access denied");
                        };
                        onDestroy = [this] { *destroyed = true; };
                    }
                };
                application.CreateForm<FailingForm>(&destroyed);
                break;
            }
            case StartUpFailure::NoMainForm:
                break;
        }
    });

    EXPECT_EQ(exitCode, 1);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].caption, L"Title");
    EXPECT_EQ(boxes_[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
    if (failure == StartUpFailure::NoMainForm) {
        EXPECT_EQ(boxes_[0].text, L"The application has no main form");
    } else {
        EXPECT_EQ(boxes_[0].text, L"Cannot create file \"x\". Access denied");
    }
    EXPECT_EQ(application_.MainForm(), nullptr);
    EXPECT_EQ(destroyed, failure == StartUpFailure::InOnCreate);
    EXPECT_EQ(::FindWindowW(L"UiForm", nullptr), nullptr);
    // No quit is left behind for a later loop of the thread.
    MSG quit{};
    EXPECT_FALSE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

INSTANTIATE_TEST_SUITE_P(Application, ApplicationStartUp,
                         ::testing::Values(StartUpFailure::BeforeTheForm,
                                           StartUpFailure::InOnCreate, StartUpFailure::NoMainForm),
                         StartUpFailureName);

TEST_F(ApplicationTest, NormalRunDestroysTheFormAndEndsWithZero) {
    bool destroyed = false;
    bool controlsStillThere = false;
    ui::Panel panel;
    const int exitCode = application_.Execute([&](ui::Application& application) {
        auto& form = application.CreateForm<RecordingForm>(
            [&](ui::testing::HostForm& host) { panel.Create(host); });
        form.onDestroy = [&] {
            destroyed = true;
            controlsStillThere = panel.IsCreated();
        };
        ::PostMessageW(form.Handle(), WM_CLOSE, 0, 0);
    });

    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(destroyed);
    EXPECT_TRUE(controlsStillThere);
    EXPECT_EQ(application_.MainForm(), nullptr);
    EXPECT_TRUE(boxes_.empty());
}

struct ShowCase {
    int requested;
    int expected;
};

class ApplicationShowState : public ::testing::TestWithParam<ShowCase> {};

TEST_P(ApplicationShowState, HonoursMaximisedAndMinimisedWithoutActivationOnly) {
    EXPECT_EQ(ui::MainFormShowCommand(GetParam().requested), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Application, ApplicationShowState,
                         ::testing::Values(ShowCase{SW_SHOWMAXIMIZED, SW_SHOWMAXIMIZED},
                                           ShowCase{SW_SHOWMINNOACTIVE, SW_SHOWMINNOACTIVE},
                                           ShowCase{SW_SHOWNORMAL, SW_SHOWNORMAL},
                                           ShowCase{SW_SHOWDEFAULT, SW_SHOWNORMAL},
                                           ShowCase{SW_SHOWMINIMIZED, SW_SHOWNORMAL},
                                           ShowCase{SW_MINIMIZE, SW_SHOWNORMAL},
                                           ShowCase{SW_HIDE, SW_SHOWNORMAL},
                                           ShowCase{SW_SHOWNOACTIVATE, SW_SHOWNORMAL}));

}  // namespace
