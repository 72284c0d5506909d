#include "history_window/ViewHistory_Unit.h"

#include "message_store/Categories.h"
#include "message_store/CommonUtils.h"
#include "message_store/Gbk.h"
#include "platform/Platform.h"
#include "platform/win32/WideText.h"
#include "resource.h"
#include "ui/Dpi.h"
#include "ui/Handle.h"

#include <string_view>

std::string AppDir;
std::string CurrentLink;
std::unique_ptr<std::vector<std::string>> PictureFiles;

using platform::win32::Widen;
using ui::Scale;

namespace {

// 宋体
constexpr char kFontFace[] = "\xcb\xce\xcc\xe5";
// 日期（时间）
constexpr char kDateColumn[] = "\xc8\xd5\xc6\xda\xa3\xa8\xca\xb1\xbc\xe4\xa3\xa9";
// 标题
constexpr char kTitleColumn[] = "\xb1\xea\xcc\xe2";
// 查看(&V)
constexpr char kViewCaption[] = "\xb2\xe9\xbf\xb4(&V)";
// 删除信息(&D)
constexpr char kDeleteCaption[] = "\xc9\xbe\xb3\xfd\xd0\xc5\xcf\xa2(&D)";
// 删除所有信息(&A)
constexpr char kDeleteAllCaption[] = "\xc9\xbe\xb3\xfd\xcb\xf9\xd3\xd0\xd0\xc5\xcf\xa2(&A)";

// The layout at 96 dots per inch; every figure is scaled for the screen.
constexpr int kClientWidth = 688;
constexpr int kClientHeight = 446;
constexpr int kFontHeight = 12;
constexpr ui::Bounds kStatusBounds{0, 427, 688, 19};
constexpr ui::Bounds kTreeBounds{0, 0, 185, 427};
constexpr ui::Bounds kClientBounds{185, 0, 503, 427};
constexpr ui::Bounds kListBounds{0, 0, 503, 259};
constexpr ui::Bounds kToolBarBounds{0, 259, 503, 21};
constexpr ui::Bounds kBottomBounds{0, 280, 503, 147};
constexpr ui::Bounds kBrowserBounds{112, 15, 258, 123};
constexpr int kTreeIndent = 35;
constexpr int kDateColumnWidth = 100;
constexpr int kTitleColumnWidth = 50;
constexpr int kButtonWidth = 103;
constexpr int kButtonHeight = 20;
constexpr int kToolBarIndent = 5;
constexpr int kSeparatorWidth = 8;
constexpr int kTreeImageSize = 16;
// The browser's outer edge that never shows, on every side.
constexpr int kBrowserClip = 2;
// Pixels of this colour in the tree's pictures are transparent.
constexpr COLORREF kTreeImageMask = RGB(255, 0, 255);

ui::Bounds Scaled(const ui::Bounds& bounds) {
    return {Scale(bounds.left), Scale(bounds.top), Scale(bounds.width), Scale(bounds.height)};
}

void Place(ui::Control& control, ui::Align align, const ui::Bounds& bounds) {
    control.SetAlign(align);
    control.SetBounds(Scaled(bounds));
}

}  // namespace

Tfrm_ViewHistory::Tfrm_ViewHistory()
    : ImageList_TreeView(Scale(kTreeImageSize), Scale(kTreeImageSize)) {
    SetCaption(Widen(kApplicationTitle));
    SetClientSize(Scale(kClientWidth), Scale(kClientHeight));
    SetFont({Widen(kFontFace), GB2312_CHARSET, Scale(kFontHeight)});
    onCreate = [this] { FormCreate(); };
    onShow = [this] { FormShow(); };
    onResize = [this] { FormResize(); };
    onDestroy = [this] { FormDestroy(); };
    ApplicationEvents1.onMessage = [this](MSG& message, bool& handled) {
        ApplicationEvents1Message(message, handled);
    };
}

void Tfrm_ViewHistory::CreateParams(ui::WindowParams& params) {
    ui::Form::CreateParams(params);
    ui::SetClassName(params, kWindowClassName);
}

void Tfrm_ViewHistory::CreateControls() {
    // Aligned controls take their edges in the order they are made, which is also the tab order.
    Place(pnl_Status, ui::Align::Bottom, kStatusBounds);
    pnl_Status.SetBevel(ui::Bevel::Lowered);
    pnl_Status.SetColor(ui::PanelColor::ButtonFace);
    pnl_Status.Create(*this);

    Place(tv_History, ui::Align::Left, kTreeBounds);
    tv_History.Create(*this);
    CreateCategoryTree();

    Place(pnl_Client, ui::Align::Client, kClientBounds);
    pnl_Client.Create(*this);

    Place(lv_History, ui::Align::Client, kListBounds);
    lv_History.Create(pnl_Client);
    lv_History.AddColumn(Widen(kDateColumn), Scale(kDateColumnWidth));
    lv_History.AddColumn(Widen(kTitleColumn), Scale(kTitleColumnWidth));

    Place(pnl_Bottom, ui::Align::Bottom, kBottomBounds);
    pnl_Bottom.SetBevel(ui::Bevel::Lowered);
    pnl_Bottom.SetColor(ui::PanelColor::White);
    pnl_Bottom.Create(pnl_Client);
    const ui::Bounds browser = Scaled(kBrowserBounds);
    wb_Info = std::make_unique<PreviewBrowser>(pnl_Bottom.Handle(), browser.left, browser.top,
                                               browser.width, browser.height);

    Place(ToolBar1, ui::Align::Bottom, kToolBarBounds);
    ToolBar1.Create(pnl_Client);
    CreateToolBar();
}

void Tfrm_ViewHistory::CreateCategoryTree() {
    ImageList_TreeView.AddMaskedResource(IDB_TREE_IMAGES, kTreeImageMask);
    tv_History.SetImageList(ImageList_TreeView);
    tv_History.SetIndent(Scale(kTreeIndent));
    ui::TreeNode parents[2] = {nullptr, nullptr};
    for (const krv::CategoryRow& row : krv::kCategoryTable) {
        const ui::TreeNode parent = row.level == 0 ? nullptr : parents[row.level - 1];
        const ui::TreeNode node =
            tv_History.AddNode(Widen(row.caption), parent, row.imageIndex, row.imageIndex);
        if (row.level + 1 < static_cast<int>(std::size(parents))) {
            parents[row.level] = node;
        }
    }
}

void Tfrm_ViewHistory::CreateToolBar() {
    ToolBar1.SetButtonSize(Scale(kButtonWidth), Scale(kButtonHeight));
    ToolBar1.SetIndent(Scale(kToolBarIndent));
    tb_View = &ToolBar1.AddButton(Widen(kViewCaption));
    ToolButton1 = &ToolBar1.AddSeparator(Scale(kSeparatorWidth));
    tb_DelInfo = &ToolBar1.AddButton(Widen(kDeleteCaption));
    tb_DelAll = &ToolBar1.AddButton(Widen(kDeleteAllCaption));
}

void Tfrm_ViewHistory::FormCreate() {
    const std::string executable = platform::ExecutablePath();
    const std::size_t lastBackslash = krv::FindLastDelimiter(executable, "\\");
    const std::string directory = lastBackslash == std::string::npos
                                      ? std::string()
                                      : executable.substr(0, lastBackslash + 1);
    AppDir = krv::AppendBackslash(directory);
    PictureFiles = std::make_unique<std::vector<std::string>>();
}

void Tfrm_ViewHistory::FormShow() {
    // Only the inner part of the browser shows; the window owns the region once it is set.
    const int clip = Scale(kBrowserClip);
    ui::UniqueRegion region(
        CreateRectRgn(clip, clip, wb_Info->Width() - clip, wb_Info->Height() - clip));
    if (region && SetWindowRgn(wb_Info->Handle(), region.Get(), TRUE) != 0) {
        static_cast<void>(region.Release());
    }
    tv_History.ExpandAll();
    NumberCategories();
}

void Tfrm_ViewHistory::FormResize() {
    // Integer division truncates toward zero, also when the panel is narrower than the browser.
    wb_Info->Move((pnl_Bottom.Width() - wb_Info->Width()) / 2,
                  (pnl_Bottom.Height() - wb_Info->Height()) / 2);
}

void Tfrm_ViewHistory::FormDestroy() {
    PictureFiles.reset();
}

void Tfrm_ViewHistory::ApplicationEvents1Message(MSG& message, bool& handled) {
    switch (message.message) {
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            handled = true;
            break;
        case WM_KEYDOWN:
        case WM_KEYUP:
            if (message.wParam == VK_F5) {
                handled = true;
            }
            break;
        default:
            break;
    }
}

void Tfrm_ViewHistory::NumberCategories() {
    krv::NumberCategoryLeaves(
        static_cast<std::size_t>(tv_History.NodeCount()),
        [this](std::size_t index) {
            return tv_History.HasChildren(tv_History.NodeAt(static_cast<int>(index)));
        },
        [this](std::size_t index, int number) {
            tv_History.SetData(tv_History.NodeAt(static_cast<int>(index)), number);
        });
}
