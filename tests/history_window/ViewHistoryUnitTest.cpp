#include "history_window/ViewHistory_Unit.h"

#include "platform/Platform.h"
#include "platform/win32/WideText.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/Application.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using platform::win32::Narrow;
using platform::win32::Widen;

// Posted after the messages under test: once it has arrived, everything before it was handled.
constexpr UINT kSentinel = WM_APP + 9;

struct Box {
    std::wstring text;
    std::wstring caption;
    UINT flags;
};

struct Received {
    UINT message;
    WPARAM wParam;
};

// Notes every message that reaches a window, ahead of the window's own procedure.
class MessageRecorder {
  public:
    explicit MessageRecorder(HWND window) : window_(window) {
        if (!::SetWindowSubclass(window_, &Record, kSubclassId,
                                 reinterpret_cast<DWORD_PTR>(this))) {
            throw std::runtime_error("SetWindowSubclass failed");
        }
    }
    ~MessageRecorder() {
        if (window_ != nullptr) {
            ::RemoveWindowSubclass(window_, &Record, kSubclassId);
        }
    }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    int Count(UINT message, WPARAM wParam) const {
        return static_cast<int>(std::count_if(
            received_.begin(), received_.end(),
            [&](const Received& r) { return r.message == message && r.wParam == wParam; }));
    }
    bool Saw(UINT message) const {
        return std::any_of(received_.begin(), received_.end(),
                           [&](const Received& r) { return r.message == message; });
    }
    bool SawKey(WPARAM key) const {
        return std::any_of(received_.begin(), received_.end(), [&](const Received& r) {
            return r.message >= WM_KEYFIRST && r.message <= WM_KEYLAST && r.wParam == key;
        });
    }
    void Clear() { received_.clear(); }

  private:
    static constexpr UINT_PTR kSubclassId = 0x4B52;

    static LRESULT CALLBACK Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR, DWORD_PTR data) noexcept {
        auto* self = reinterpret_cast<MessageRecorder*>(data);
        self->received_.push_back({message, wParam});
        if (message == WM_NCDESTROY) {
            ::RemoveWindowSubclass(window, &Record, kSubclassId);
            self->window_ = nullptr;
        }
        return ::DefSubclassProc(window, message, wParam, lParam);
    }

    HWND window_;
    std::vector<Received> received_;
};

// The main form quits the loop when it is destroyed; the quit must not linger for the next
// test of this process, since the loop would then never reach the input messages.
bool TakeQuitMessage() {
    MSG message{};
    return ::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

// An empty file in the temporary directory, deleted when the object goes.
class TemporaryFile {
  public:
    TemporaryFile() {
        wchar_t folder[MAX_PATH]{};
        wchar_t path[MAX_PATH]{};
        if (::GetTempPathW(MAX_PATH, folder) == 0 ||
            ::GetTempFileNameW(folder, L"krv", 0, path) == 0) {
            throw std::runtime_error("cannot create a temporary file");
        }
        path_ = path;
    }
    ~TemporaryFile() { ::DeleteFileW(path_.c_str()); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::wstring& Path() const noexcept { return path_; }

  private:
    std::wstring path_;
};

// Sends real keyboard input: each key pressed in order, then released in reverse order.
void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *key;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The program's window made as the program makes it: the application with its title creates
// the form, which is then shown and brought to the front.
class ViewHistoryTest : public ::testing::Test {
  protected:
    ViewHistoryTest() {
        application_.SetMessageBoxFunction(
            [this](HWND, const std::wstring& text, const std::wstring& caption, UINT flags) {
                boxes_.push_back({text, caption, flags});
                return IDOK;
            });
        application_.SetTitle(Widen(kApplicationTitle));
        form_ = &application_.CreateForm<Tfrm_ViewHistory>();
    }

    void TearDown() override {
        // Whatever escaped a handler was shown in a box.
        for (const Box& box : boxes_) {
            ADD_FAILURE() << "unexpected box: " << Narrow(box.text);
        }
    }

    void ShowForm() {
        form_->Show();
        ui::testing::BringToFront(form_->Handle());
        application_.ProcessMessages();
    }

    // Every window of the form that the message hook guards, by name.
    std::vector<std::pair<std::string, HWND>> Targets() {
        return {{"form", form_->Handle()},
                {"pnl_Status", form_->pnl_Status.Handle()},
                {"tv_History", form_->tv_History.Handle()},
                {"pnl_Client", form_->pnl_Client.Handle()},
                {"lv_History", form_->lv_History.Handle()},
                {"ToolBar1", form_->ToolBar1.Handle()},
                {"pnl_Bottom", form_->pnl_Bottom.Handle()},
                {"wb_Info", form_->wb_Info->Handle()}};
    }

    // Nodes' data in depth-first order.
    std::vector<std::optional<std::int32_t>> TreeData() const {
        std::vector<std::optional<std::int32_t>> data;
        for (int index = 0; index < form_->tv_History.NodeCount(); ++index) {
            data.push_back(form_->tv_History.Data(form_->tv_History.NodeAt(index)));
        }
        return data;
    }

    ui::OleInitialization ole_;
    ui::Application application_;
    Tfrm_ViewHistory* form_ = nullptr;
    std::vector<Box> boxes_;
};

// A message posted to every window of the form.
struct PostedCase {
    std::string name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool reaches;
};

void PrintTo(const PostedCase& c, std::ostream* os) {
    *os << c.name;
}

class ViewHistoryHook : public ViewHistoryTest, public ::testing::WithParamInterface<PostedCase> {};

TEST_P(ViewHistoryHook, DropsOnlyRightButtonAndF5ForEveryWindowOfTheForm) {
    const PostedCase& posted = GetParam();
    ShowForm();
    const auto targets = Targets();
    std::vector<std::unique_ptr<MessageRecorder>> recorders;
    for (const auto& [name, window] : targets) {
        ASSERT_NE(window, nullptr) << name;
        recorders.push_back(std::make_unique<MessageRecorder>(window));
    }

    for (const auto& [name, window] : targets) {
        ::PostMessageW(window, posted.message, posted.wParam, posted.lParam);
        ::PostMessageW(window, kSentinel, 0, 0);
    }
    ASSERT_TRUE(ui::testing::ProcessUntil(application_, [&] {
        return std::all_of(recorders.begin(), recorders.end(),
                           [](const auto& recorder) { return recorder->Saw(kSentinel); });
    }));

    for (std::size_t at = 0; at < targets.size(); ++at) {
        EXPECT_EQ(recorders[at]->Count(posted.message, posted.wParam), posted.reaches ? 1 : 0)
            << targets[at].first;
    }
}

TEST_P(ViewHistoryHook, NeverClearsTheHandledFlag) {
    const PostedCase& posted = GetParam();
    MSG message{form_->Handle(), posted.message, posted.wParam, posted.lParam, 0, {}};
    bool handled = false;
    form_->ApplicationEvents1Message(message, handled);
    EXPECT_EQ(handled, !posted.reaches);

    handled = true;
    form_->ApplicationEvents1Message(message, handled);
    EXPECT_TRUE(handled);
}

// Key-message lParams: repeat count 1, the key's scan code, bit 29 for Alt, bits 30-31 for a
// release.
constexpr LPARAM kF5Press = 0x003F0001;
constexpr LPARAM kF5Release = static_cast<LPARAM>(0xC03F0001u);
constexpr LPARAM kAltF5Press = 0x203F0001;
constexpr LPARAM kAltF5Release = static_cast<LPARAM>(0xE03F0001u);
constexpr LPARAM kClientPoint = MAKELPARAM(4, 4);

INSTANTIATE_TEST_SUITE_P(
    ViewHistory, ViewHistoryHook,
    ::testing::Values(
        PostedCase{"RightButtonDown", WM_RBUTTONDOWN, MK_RBUTTON, kClientPoint, false},
        PostedCase{"RightButtonUp", WM_RBUTTONUP, 0, kClientPoint, false},
        PostedCase{"F5Down", WM_KEYDOWN, VK_F5, kF5Press, false},
        PostedCase{"F5Up", WM_KEYUP, VK_F5, kF5Release, false},
        PostedCase{"RightDoubleClick", WM_RBUTTONDBLCLK, MK_RBUTTON, kClientPoint, true},
        PostedCase{"AltF5Down", WM_SYSKEYDOWN, VK_F5, kAltF5Press, true},
        PostedCase{"AltF5Up", WM_SYSKEYUP, VK_F5, kAltF5Release, true},
        PostedCase{"F6Down", WM_KEYDOWN, VK_F6, 0x00400001, true},
        // The character 't' has the same code as VK_F5.
        PostedCase{"CharT", WM_CHAR, VK_F5, 0x00140001, true},
        PostedCase{"MiddleButtonDown", WM_MBUTTONDOWN, MK_MBUTTON, kClientPoint, true}),
    [](const auto& info) { return info.param.name; });

enum class Focus { Tree, List };

// Gives the focus to the tree or the list and returns that control.
ui::Control& FocusOn(Tfrm_ViewHistory& form, Focus focus) {
    ui::Control& control = focus == Focus::Tree ? static_cast<ui::Control&>(form.tv_History)
                                                : static_cast<ui::Control&>(form.lv_History);
    control.SetFocus();
    return control;
}

struct KeyCase {
    std::string name;
    WORD modifier;  // 0: none
    Focus focus;
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << c.name;
}

class ViewHistoryF5 : public ViewHistoryTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(ViewHistoryF5, TypedF5NeverReachesTheFocusedControl) {
    ShowForm();
    ui::Control& focused = FocusOn(*form_, GetParam().focus);
    ASSERT_EQ(::GetFocus(), focused.Handle());
    MessageRecorder recorder(focused.Handle());

    if (GetParam().modifier != 0) {
        PressKeys({GetParam().modifier, VK_F5});
    } else {
        PressKeys({VK_F5});
    }
    // F6 follows as the mark that the keys before it have been handled.
    PressKeys({VK_F6});
    ASSERT_TRUE(ui::testing::ProcessUntil(application_,
                                          [&] { return recorder.Count(WM_KEYUP, VK_F6) == 1; }));

    EXPECT_FALSE(recorder.SawKey(VK_F5));
    if (GetParam().modifier != 0) {
        EXPECT_EQ(recorder.Count(WM_KEYDOWN, GetParam().modifier), 1);
        EXPECT_EQ(recorder.Count(WM_KEYUP, GetParam().modifier), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(ViewHistory, ViewHistoryF5,
                         ::testing::Values(KeyCase{"TreeF5", 0, Focus::Tree},
                                           KeyCase{"TreeShiftF5", VK_SHIFT, Focus::Tree},
                                           KeyCase{"TreeCtrlF5", VK_CONTROL, Focus::Tree},
                                           KeyCase{"ListF5", 0, Focus::List},
                                           KeyCase{"ListShiftF5", VK_SHIFT, Focus::List},
                                           KeyCase{"ListCtrlF5", VK_CONTROL, Focus::List}),
                         [](const auto& info) { return info.param.name; });

enum class Clicked { Tree, List, ToolBar, PreviewPanel };

struct RightClickCase {
    std::string name;
    Clicked clicked;
};

void PrintTo(const RightClickCase& c, std::ostream* os) {
    *os << c.name;
}

class ViewHistoryRightClick : public ViewHistoryTest,
                              public ::testing::WithParamInterface<RightClickCase> {
  protected:
    // The control clicked and a point of its client area that shows it.
    std::pair<HWND, POINT> Spot() {
        switch (GetParam().clicked) {
            case Clicked::Tree:
                return {
                    form_->tv_History.Handle(),
                    ui::testing::Centre(form_->tv_History.NodeRect(form_->tv_History.NodeAt(3)))};
            case Clicked::List:
                return {form_->lv_History.Handle(), {40, 60}};
            case Clicked::ToolBar:
                return {form_->ToolBar1.Handle(),
                        ui::testing::Centre(form_->ToolBar1.ButtonRect(0))};
            case Clicked::PreviewPanel:
                // Left of the browser, which sits in the panel's middle.
                return {form_->pnl_Bottom.Handle(), {6, 6}};
        }
        return {};
    }
};

TEST_P(ViewHistoryRightClick, NeitherPressNorReleaseReachesTheControl) {
    ShowForm();
    const auto [window, client] = Spot();
    POINT screen = client;
    ::ClientToScreen(window, &screen);
    ASSERT_EQ(::WindowFromPoint(screen), window);
    MessageRecorder recorder(window);
    ::SetCursorPos(screen.x, screen.y);
    ui::testing::ProcessUntil(
        application_, [&] { return recorder.Saw(WM_MOUSEMOVE); }, std::chrono::milliseconds(500));
    recorder.Clear();

    // A move away after the click marks the point where the click has been handled.
    INPUT inputs[3]{};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
    }
    inputs[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    inputs[2].mi.dwFlags = MOUSEEVENTF_MOVE;
    inputs[2].mi.dx = 3;
    ::SendInput(3, inputs, sizeof(INPUT));
    // A control that took the click may hold on to the mouse, so the move never comes: the
    // checks below still say what reached it.
    EXPECT_TRUE(ui::testing::ProcessUntil(application_, [&] { return recorder.Saw(WM_MOUSEMOVE); }))
        << "the move after the click did not arrive";

    EXPECT_FALSE(recorder.Saw(WM_RBUTTONDOWN));
    EXPECT_FALSE(recorder.Saw(WM_RBUTTONUP));
    EXPECT_FALSE(recorder.Saw(WM_CONTEXTMENU));
}

INSTANTIATE_TEST_SUITE_P(ViewHistory, ViewHistoryRightClick,
                         ::testing::Values(RightClickCase{"Tree", Clicked::Tree},
                                           RightClickCase{"List", Clicked::List},
                                           RightClickCase{"ToolBar", Clicked::ToolBar},
                                           RightClickCase{"PreviewPanel", Clicked::PreviewPanel}),
                         [](const auto& info) { return info.param.name; });

struct AccessKeyCase {
    std::string name;
    WORD key;
    Focus focus;
    std::string button;
};

void PrintTo(const AccessKeyCase& c, std::ostream* os) {
    *os << c.name;
}

class ViewHistoryAccessKey : public ViewHistoryTest,
                             public ::testing::WithParamInterface<AccessKeyCase> {};

TEST_P(ViewHistoryAccessKey, AltLetterPressesItsButton) {
    ShowForm();
    std::vector<std::string> clicked;
    for (auto [button, name] :
         {std::pair{form_->tb_View, "tb_View"}, std::pair{form_->tb_DelInfo, "tb_DelInfo"},
          std::pair{form_->tb_DelAll, "tb_DelAll"}}) {
        button->onClick = [&clicked, name] { clicked.push_back(name); };
    }
    ui::Control& focused = FocusOn(*form_, GetParam().focus);
    ASSERT_EQ(::GetFocus(), focused.Handle());
    MessageRecorder recorder(focused.Handle());

    ui::testing::PressAltWith(GetParam().key);
    PressKeys({VK_F6});
    ASSERT_TRUE(ui::testing::ProcessUntil(application_,
                                          [&] { return recorder.Count(WM_KEYUP, VK_F6) == 1; }));

    EXPECT_EQ(clicked, std::vector<std::string>{GetParam().button});
    EXPECT_EQ(::GetFocus(), focused.Handle());
}

INSTANTIATE_TEST_SUITE_P(
    ViewHistory, ViewHistoryAccessKey,
    ::testing::Values(AccessKeyCase{"TreeAltV", 'V', Focus::Tree, "tb_View"},
                      AccessKeyCase{"TreeAltD", 'D', Focus::Tree, "tb_DelInfo"},
                      AccessKeyCase{"TreeAltA", 'A', Focus::Tree, "tb_DelAll"},
                      AccessKeyCase{"ListAltV", 'V', Focus::List, "tb_View"},
                      AccessKeyCase{"ListAltD", 'D', Focus::List, "tb_DelInfo"},
                      AccessKeyCase{"ListAltA", 'A', Focus::List, "tb_DelAll"}),
    [](const auto& info) { return info.param.name; });

TEST_F(ViewHistoryTest, CreationSetsTheProgramDirectoryAndAnEmptyPictureList) {
    ShowForm();
    std::wstring executable(MAX_PATH, L'\0');
    executable.resize(::GetModuleFileNameW(nullptr, executable.data(), MAX_PATH));
    ASSERT_FALSE(executable.empty());
    const std::string expected = Narrow(executable.substr(0, executable.rfind(L'\\') + 1));

    EXPECT_EQ(AppDir, expected);
    ASSERT_GE(AppDir.size(), 2u);
    EXPECT_EQ(AppDir.back(), '\\');
    EXPECT_NE(AppDir[AppDir.size() - 2], '\\');
    ASSERT_NE(PictureFiles, nullptr);
    EXPECT_TRUE(PictureFiles->empty());
    EXPECT_EQ(form_->pnl_Status.Text(), L"");
    EXPECT_EQ(::GetWindowTextLengthW(form_->pnl_Status.Handle()), 0);
}

TEST_F(ViewHistoryTest, DestroyingTheWindowFreesThePictureListButNotItsFiles) {
    ShowForm();
    const TemporaryFile picture;
    ASSERT_NE(PictureFiles, nullptr);
    PictureFiles->push_back(Narrow(picture.Path()));

    form_->Destroy();

    EXPECT_EQ(PictureFiles, nullptr);
    EXPECT_NE(::GetFileAttributesW(picture.Path().c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(TakeQuitMessage());
}

TEST_F(ViewHistoryTest, ShowingExpandsTheGroupsAndNumbersTheLeaves) {
    ShowForm();
    const std::vector<std::optional<std::int32_t>> expected = {std::nullopt, 1, 2, 3, 4, 5,
                                                               std::nullopt, 6, 7};

    for (int run = 1; run <= 2; ++run) {
        EXPECT_EQ(TreeData(), expected) << "after numbering " << run << " time(s)";
        form_->NumberCategories();
    }
    for (int index : {0, 6}) {
        EXPECT_TRUE(form_->tv_History.IsExpanded(form_->tv_History.NodeAt(index))) << index;
    }
    // 病毒预警 (virus alerts) is category 4.
    EXPECT_EQ(form_->tv_History.Text(form_->tv_History.NodeAt(4)), L"\u75C5\u6BD2\u9884\u8B66");
}

// The program's form with an error escaping its start-up once its controls exist.
class FailingViewHistory : public Tfrm_ViewHistory {
  public:
    // Cannot open file "C:\历史\1=x.msg". Access denied
    static constexpr char kMessage[] =
        "Cannot open file \"C:\\\xc0\xfa\xca\xb7\\1=x.msg\". Access denied";

  protected:
    void CreateControls() override {
        Tfrm_ViewHistory::CreateControls();
        throw platform::Error(kMessage);
    }
};

TEST(ViewHistoryStartUp, ErrorIsShownInTheErrorBoxAndGivesExitCodeOne) {
    ui::Application application;
    std::vector<Box> boxes;
    application.SetMessageBoxFunction(
        [&](HWND, const std::wstring& text, const std::wstring& caption, UINT flags) {
            boxes.push_back({text, caption, flags});
            return IDOK;
        });

    const int exitCode = application.Execute([](ui::Application& app) {
        app.SetTitle(Widen(kApplicationTitle));
        app.CreateForm<FailingViewHistory>();
    });
    TakeQuitMessage();

    EXPECT_EQ(exitCode, 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Cannot open file \"C:\\\u5386\u53F2\\1=x.msg\". Access denied");
    // 《KorvanWisplet》信息管理器
    EXPECT_EQ(boxes[0].caption, L"\u300AKorvanWisplet\u300B\u4FE1\u606F\u7BA1\u7406\u5668");
    EXPECT_EQ(boxes[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(boxes[0].flags & MB_TYPEMASK, static_cast<UINT>(MB_OK));
    EXPECT_EQ(::FindWindowW(kWindowClassName, nullptr), nullptr);
    EXPECT_EQ(PictureFiles, nullptr);
}

}  // namespace
