// The program's one window: the category tree on the left, the history list with the tool bar
// and the preview panel on the right, the status line along the bottom.
#pragma once

#include "history_window/ApplicationEvents.h"
#include "history_window/PreviewBrowser.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"
#include "ui/Panel.h"
#include "ui/ToolBar.h"
#include "ui/TreeView.h"

#include <memory>
#include <string>
#include <vector>

// The executable's directory with exactly one trailing backslash; set when the window is made.
extern std::string AppDir;
// The link of the message read last.
extern std::string CurrentLink;
// The picture files written for the current preview; exists as long as the window.
extern std::unique_ptr<std::vector<std::string>> PictureFiles;

// The window class under which a running instance is found.
inline constexpr wchar_t kWindowClassName[] = L"KRV_HISTORY";

// The caption of the window and the application's title (GBK).
// 《KorvanWisplet》信息管理器
inline constexpr char kApplicationTitle[] =
    "\xa1\xb6KorvanWisplet\xa1\xb7\xd0\xc5\xcf\xa2\xb9\xdc\xc0\xed\xc6\xf7";

class Tfrm_ViewHistory : public ui::Form {
  public:
    Tfrm_ViewHistory();

    ui::Panel pnl_Status;
    ui::TreeView tv_History;
    ui::Panel pnl_Client;
    ui::ListView lv_History;
    ui::Panel pnl_Bottom;
    std::unique_ptr<PreviewBrowser> wb_Info;
    ui::ImageList ImageList_TreeView;
    ApplicationEvents ApplicationEvents1;
    ui::ToolBar ToolBar1;
    ui::ToolButton* tb_View = nullptr;
    ui::ToolButton* tb_DelInfo = nullptr;
    ui::ToolButton* tb_DelAll = nullptr;
    ui::ToolButton* ToolButton1 = nullptr;

    void FormCreate();
    void FormShow();
    void FormResize();
    void FormDestroy();
    void ApplicationEvents1Message(MSG& message, bool& handled);

    // Gives every leaf of the category tree its category number.
    void NumberCategories();

  protected:
    void CreateParams(ui::WindowParams& params) override;
    void CreateControls() override;

  private:
    void CreateCategoryTree();
    void CreateToolBar();
};
