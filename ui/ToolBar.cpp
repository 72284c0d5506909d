#include "ui/ToolBar.h"

#include "ui/Error.h"
#include "ui/Handle.h"

#include <commctrl.h>

#include <cwctype>

namespace ui {

namespace {

constexpr int kFirstCommandId = 100;
// The one lowered edge along the top, in the non-client area.
constexpr int kTopEdge = 1;

}  // namespace

wchar_t ToolButton::AccessKey() const noexcept {
    for (size_t at = 0; at + 1 < caption_.size(); ++at) {
        if (caption_[at] != L'&') {
            continue;
        }
        if (caption_[at + 1] == L'&') {
            ++at;  // "&&" shows one ampersand and marks nothing
            continue;
        }
        return static_cast<wchar_t>(std::towupper(caption_[at + 1]));
    }
    return 0;
}

void ToolButton::Click() {
    if (onClick) {
        onClick();
    }
}

void ToolBar::Create(Control& parent) {
    // The layout places the bar; the system neither sizes nor aligns it, and draws no divider.
    CreateNative(TOOLBARCLASSNAMEW,
                 TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0,
                 parent);
    ::SendMessageW(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(Handle(), TB_SETIMAGELIST, 0, 0);
    ::SendMessageW(Handle(), TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    // Make the system ask for the frame again, now that the subclass reserves the top edge.
    ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ToolBar::SetButtonSize(int width, int height) {
    RequireWindow("ToolBar::SetButtonSize");
    buttonWidth_ = width;
    buttonHeight_ = height;
    ApplyButtonSize();
}

void ToolBar::ApplyButtonSize() {
    if (buttonWidth_ <= 0) {
        return;
    }
    // The bar works out its buttons' size from the captions as they come: the size given wins.
    ::SendMessageW(Handle(), TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonWidth_, buttonHeight_));
    ::SendMessageW(Handle(), TB_SETBUTTONWIDTH, 0, MAKELPARAM(buttonWidth_, buttonWidth_));
    for (const ToolButton& button : buttons_) {
        if (!button.IsSeparator()) {
            TBBUTTONINFOW info{};
            info.cbSize = sizeof info;
            info.dwMask = TBIF_SIZE;
            info.cx = static_cast<WORD>(buttonWidth_);
            ::SendMessageW(Handle(), TB_SETBUTTONINFOW, static_cast<WPARAM>(button.commandId_),
                           reinterpret_cast<LPARAM>(&info));
        }
    }
}

void ToolBar::SetIndent(int pixels) {
    RequireWindow("ToolBar::SetIndent");
    ::SendMessageW(Handle(), TB_SETINDENT, static_cast<WPARAM>(pixels), 0);
}

ToolButton& ToolBar::AddButton(std::wstring caption) {
    RequireWindow("ToolBar::AddButton");
    ToolButton& button = buttons_.emplace_back(ToolButton::Key{}, kFirstCommandId + ButtonCount(),
                                               std::move(caption), false);
    InsertButton(button, 0);
    ApplyButtonSize();
    return button;
}

ToolButton& ToolBar::AddSeparator(int width) {
    RequireWindow("ToolBar::AddSeparator");
    ToolButton& separator =
        buttons_.emplace_back(ToolButton::Key{}, kFirstCommandId + ButtonCount(), L"", true);
    InsertButton(separator, width);
    return separator;
}

void ToolBar::InsertButton(const ToolButton& button, int separatorWidth) {
    TBBUTTON added{};
    // A separator's picture index is its width.
    added.iBitmap = button.IsSeparator() ? separatorWidth : I_IMAGENONE;
    added.idCommand = button.commandId_;
    added.fsState = TBSTATE_ENABLED;
    added.fsStyle = static_cast<BYTE>(button.IsSeparator() ? BTNS_SEP : BTNS_BUTTON);
    added.iString = button.IsSeparator() ? 0 : reinterpret_cast<INT_PTR>(button.Caption().c_str());
    if (!::SendMessageW(Handle(), TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&added))) {
        buttons_.pop_back();
        throw Error("Adding a tool button failed");
    }
}

RECT ToolBar::ButtonRect(int index) const {
    RequireWindow("ToolBar::ButtonRect");
    RECT rect{};
    if (!::SendMessageW(Handle(), TB_GETITEMRECT, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(&rect))) {
        throw Error("No tool button at index " + std::to_string(index));
    }
    return rect;
}

bool ToolBar::HandleAccessKey(wchar_t key) {
    if (!IsCreated() || !::IsWindowVisible(Handle()) || !::IsWindowEnabled(Handle())) {
        return false;
    }
    const auto wanted = static_cast<wchar_t>(std::towupper(key));
    for (ToolButton& button : buttons_) {
        if (!button.IsSeparator() && button.AccessKey() == wanted) {
            button.Click();
            return true;
        }
    }
    return false;
}

bool ToolBar::OnCommand(WORD id, WORD) {
    for (ToolButton& button : buttons_) {
        if (button.commandId_ == id && !button.IsSeparator()) {
            button.Click();
            return true;
        }
    }
    return false;
}

LRESULT ToolBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCALCSIZE: {
            const LRESULT result = DefaultHandling(message, wParam, lParam);
            RECT& client = wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                                  : *reinterpret_cast<RECT*>(lParam);
            client.top += kTopEdge;
            return result;
        }
        case WM_NCPAINT: {
            const LRESULT result = DefaultHandling(message, wParam, lParam);
            RECT window{};
            ::GetWindowRect(Handle(), &window);
            WindowDC frame(Handle(), true);
            RECT edge{0, 0, window.right - window.left, kTopEdge};
            ::FillRect(frame.Get(), &edge, ::GetSysColorBrush(COLOR_BTNSHADOW));
            return result;
        }
        case WM_ERASEBKGND: {
            // Opaque: the face colour, never the parent's background showing through.
            RECT client{};
            ::GetClientRect(Handle(), &client);
            ::FillRect(reinterpret_cast<HDC>(wParam), &client, ::GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        default:
            return DefaultHandling(message, wParam, lParam);
    }
}

}  // namespace ui
