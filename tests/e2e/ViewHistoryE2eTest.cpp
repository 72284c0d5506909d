// The real ViewHistory.exe, started from a scratch folder and watched from outside: start-up,
// the single-instance guard, the tree, the layout and the end of the process.
#include "tests/e2e/ProgramUnderTest.h"
#include "tests/e2e/RemoteControls.h"
#include "ui/Handle.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace e2e {
namespace {

constexpr DWORD kExitTimeoutMs = 10000;
// 《KorvanWisplet》信息管理器
const std::wstring kCaption = L"\u300aKorvanWisplet\u300b\u4fe1\u606f\u7ba1\u7406\u5668";

struct Layout {
    HWND main;
    HWND status;
    HWND tree;
    HWND client;
    HWND list;
    HWND toolBar;
    HWND bottom;
    HWND browser;
};

// The panels have no class of their own to tell them apart: each is found through what it holds.
Layout FindLayout(HWND main) {
    Layout layout{};
    layout.main = main;
    layout.tree = FindDescendant(main, L"SysTreeView32");
    layout.list = FindDescendant(main, L"SysListView32");
    layout.toolBar = FindDescendant(main, L"ToolbarWindow32");
    layout.browser = FindDescendant(main, L"Shell Embedding");
    layout.client = layout.list ? GetParent(layout.list) : nullptr;
    layout.bottom = layout.browser ? GetParent(layout.browser) : nullptr;
    for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (child != layout.tree && child != layout.client) {
            layout.status = child;
        }
    }
    return layout;
}

::testing::AssertionResult HasBounds(HWND window, int left, int top, int width, int height) {
    if (window == nullptr) {
        return ::testing::AssertionFailure() << "the control was not found";
    }
    const RECT r = BoundsInParent(window);
    if (r.left == left && r.top == top && r.right - r.left == width && r.bottom - r.top == height) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "bounds are (" << r.left << ", " << r.top << ", " << r.right - r.left << ", "
           << r.bottom - r.top << "), expected (" << left << ", " << top << ", " << width << ", "
           << height << ")";
}

// Waits until the window's message queue has handled everything sent before.
void Settle(HWND window) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
}

// Gives the main window a client area of the given width, keeping its height.
void SetClientWidth(HWND main, int width) {
    RECT outer{};
    RECT client{};
    GetWindowRect(main, &outer);
    GetClientRect(main, &client);
    const int frame = (outer.right - outer.left) - client.right;
    SetWindowPos(main, nullptr, 0, 0, width + frame, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Settle(main);
}

class ViewHistoryTest : public ::testing::Test {
  protected:
    void SetUp() override { CloseAllInstances(); }
    void TearDown() override { CloseAllInstances(); }

    ScratchFolder folder_;
};

TEST_F(ViewHistoryTest, OpensItsWindowUnderTheClassNameWithTheCaption) {
    Program program(folder_.Executable());
    const HWND main = WaitForMainWindow(program.ProcessId());
    EXPECT_EQ(ClassName(main), L"KRV_HISTORY");
    EXPECT_EQ(WindowText(main), kCaption);
    EXPECT_TRUE(IsWindowVisible(main));
}

TEST_F(ViewHistoryTest, SecondStartEndsAtOnceAndLeavesTheFirstWindowAlone) {
    Program first(folder_.Executable());
    const HWND main = WaitForMainWindow(first.ProcessId());
    ShowWindow(main, SW_MINIMIZE);
    Settle(main);
    RECT before{};
    GetWindowRect(main, &before);

    Program second(folder_.Executable());
    EXPECT_EQ(second.WaitForExit(kExitTimeoutMs), 0u);

    EXPECT_EQ(CountMainWindows(), 1);
    EXPECT_TRUE(IsIconic(main)) << "the running window was restored";
    RECT after{};
    GetWindowRect(main, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_FALSE(first.WaitForExit(0).has_value());
}

// Any top-level window of the class stops a start, whatever its caption and visibility.
TEST_F(ViewHistoryTest, HiddenWindowOfTheClassStopsAStart) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"KRV_HISTORY";
    ASSERT_NE(RegisterClassW(&windowClass), 0);
    const HWND impostor = CreateWindowExW(0, L"KRV_HISTORY", L"something else", WS_OVERLAPPED, 0, 0,
                                          10, 10, nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(impostor, nullptr);

    Program program(folder_.Executable());
    EXPECT_EQ(program.WaitForExit(kExitTimeoutMs), 0u);
    EXPECT_EQ(CountMainWindows(), 1);

    DestroyWindow(impostor);
    UnregisterClassW(L"KRV_HISTORY", windowClass.hInstance);
}

TEST_F(ViewHistoryTest, ClosingTheWindowEndsTheProcessWithExitCodeZero) {
    Program program(folder_.Executable());
    const HWND main = WaitForMainWindow(program.ProcessId());
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(kExitTimeoutMs), 0u);
    EXPECT_EQ(CountMainWindows(), 0);
}

struct ShowStateCase {
    WORD requested;
    bool zoomed;
    bool iconic;
};

void PrintTo(const ShowStateCase& c, std::ostream* out) {
    *out << "show state " << c.requested;
}

class ViewHistoryShowStateTest : public ViewHistoryTest,
                                 public ::testing::WithParamInterface<ShowStateCase> {};

TEST_P(ViewHistoryShowStateTest, OpensInTheRequestedShowState) {
    Program program(folder_.Executable(), GetParam().requested);
    const HWND main = WaitForMainWindow(program.ProcessId());
    Settle(main);
    EXPECT_EQ(IsZoomed(main) != FALSE, GetParam().zoomed);
    EXPECT_EQ(IsIconic(main) != FALSE, GetParam().iconic);
    EXPECT_TRUE(IsWindowVisible(main));
}

INSTANTIATE_TEST_SUITE_P(ShowStates, ViewHistoryShowStateTest,
                         ::testing::Values(ShowStateCase{SW_SHOWMAXIMIZED, true, false},
                                           ShowStateCase{SW_SHOWMINNOACTIVE, false, true},
                                           ShowStateCase{SW_SHOWNORMAL, false, false},
                                           ShowStateCase{SW_HIDE, false, false}));

TEST_F(ViewHistoryTest, EveryNodeIsExpandedAndTheLeavesAreNumberedOneToSeven) {
    Program program(folder_.Executable());
    const HWND main = WaitForMainWindow(program.ProcessId());
    const HWND tree = FindDescendant(main, L"SysTreeView32");
    ASSERT_NE(tree, nullptr);

    struct Expected {
        const wchar_t* text;
        int level;
        LPARAM number;
        int image;
    };
    const Expected expected[] = {
        {L"Korvan\u5b98\u65b9\u4fe1\u606f", 0, 0, 0},  // Korvan官方信息
        {L"Korvan\u5408\u8ba2\u672c", 1, 1, 1},        // Korvan合订本
        {L"\u65b0\u4e66\u4e0a\u5e02", 1, 2, 1},        // 新书上市
        {L"\u4e1a\u754c\u65b0\u95fb", 0, 3, 0},        // 业界新闻
        {L"\u75c5\u6bd2\u9884\u8b66", 0, 4, 0},        // 病毒预警
        {L"\u7535\u5b50\u56fe\u4e66", 0, 5, 0},        // 电子图书
        {L"BBS\u7cbe\u534e\u8d34", 0, 0, 0},           // BBS精华贴
        {L"\u6280\u672f\u7c7b", 1, 6, 0},              // 技术类
        {L"\u5a31\u4e50\u7c7b", 1, 7, 0},              // 娱乐类
    };
    const auto nodes = ReadTree(tree);
    ASSERT_EQ(nodes.size(), std::size(expected));
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(nodes[i].text, expected[i].text);
        EXPECT_EQ(nodes[i].level, expected[i].level);
        EXPECT_EQ(nodes[i].data, expected[i].number);
        EXPECT_EQ(nodes[i].image, expected[i].image);
        EXPECT_EQ(nodes[i].selectedImage, expected[i].image);
        if (nodes[i].hasChildren) {
            EXPECT_TRUE(nodes[i].expanded);
        }
    }
}

TEST_F(ViewHistoryTest, LaysOutTheControlsAtTheDesignSize) {
    Program program(folder_.Executable());
    const Layout layout = FindLayout(WaitForMainWindow(program.ProcessId()));
    RECT client{};
    GetClientRect(layout.main, &client);
    EXPECT_EQ(client.right, 688);
    EXPECT_EQ(client.bottom, 446);
    EXPECT_TRUE(HasBounds(layout.status, 0, 427, 688, 19));
    EXPECT_TRUE(HasBounds(layout.tree, 0, 0, 185, 427));
    EXPECT_TRUE(HasBounds(layout.client, 185, 0, 503, 427));
    EXPECT_TRUE(HasBounds(layout.list, 0, 0, 503, 259));
    EXPECT_TRUE(HasBounds(layout.toolBar, 0, 259, 503, 21));
    EXPECT_TRUE(HasBounds(layout.bottom, 0, 280, 503, 147));
    EXPECT_TRUE(HasBounds(layout.browser, 122, 12, 258, 123));
    EXPECT_EQ(WindowText(layout.status), L"");
}

struct ResizeCase {
    int panelWidth;
    int browserLeft;
};

void PrintTo(const ResizeCase& c, std::ostream* out) {
    *out << "panel width " << c.panelWidth;
}

class ViewHistoryResizeTest : public ViewHistoryTest,
                              public ::testing::WithParamInterface<ResizeCase> {};

// The browser keeps its size and is centred in the preview panel, its left edge truncated toward
// zero when the panel is narrower than the browser.
TEST_P(ViewHistoryResizeTest, CentresTheBrowserInThePreviewPanel) {
    Program program(folder_.Executable());
    const Layout layout = FindLayout(WaitForMainWindow(program.ProcessId()));
    SetClientWidth(layout.main, 185 + GetParam().panelWidth);
    ASSERT_TRUE(HasBounds(layout.bottom, 0, 280, GetParam().panelWidth, 147));
    EXPECT_TRUE(HasBounds(layout.browser, GetParam().browserLeft, 12, 258, 123));
}

INSTANTIATE_TEST_SUITE_P(PanelWidths, ViewHistoryResizeTest,
                         ::testing::Values(ResizeCase{251, -3}, ResizeCase{257, 0},
                                           ResizeCase{259, 0}, ResizeCase{260, 1},
                                           ResizeCase{503, 122}, ResizeCase{800, 271}));

TEST_F(ViewHistoryTest, MaximisingWidensTheRightHandAreaAndRecentresTheBrowser) {
    Program program(folder_.Executable());
    const Layout layout = FindLayout(WaitForMainWindow(program.ProcessId()));
    ShowWindow(layout.main, SW_MAXIMIZE);
    Settle(layout.main);
    RECT client{};
    GetClientRect(layout.main, &client);
    ASSERT_GT(client.right, 688);
    const int panelWidth = client.right - 185;
    EXPECT_TRUE(HasBounds(layout.list, 0, 0, panelWidth, client.bottom - 19 - 147 - 21));
    EXPECT_TRUE(HasBounds(layout.bottom, 0, client.bottom - 19 - 147, panelWidth, 147));
    EXPECT_TRUE(HasBounds(layout.browser, (panelWidth - 258) / 2, 12, 258, 123));
}

TEST_F(ViewHistoryTest, OnlyTheInnerPartOfTheBrowserShows) {
    Program program(folder_.Executable());
    const Layout layout = FindLayout(WaitForMainWindow(program.ProcessId()));
    ASSERT_NE(layout.browser, nullptr);
    ui::UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(layout.browser, region.Get()), ERROR);
    RECT box{};
    GetRgnBox(region.Get(), &box);
    EXPECT_EQ(box.left, 2);
    EXPECT_EQ(box.top, 2);
    EXPECT_EQ(box.right - box.left, 254);
    EXPECT_EQ(box.bottom - box.top, 119);
}

}  // namespace
}  // namespace e2e
