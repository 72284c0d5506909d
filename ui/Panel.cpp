#include "ui/Panel.h"

#include "ui/Handle.h"

namespace ui {

void Panel::Create(Control& parent) {
    WindowParams params;
    SetClassName(params, L"UiPanel");
    params.caption = text_;
    params.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    params.parent = parent.Handle();
    params.background = nullptr;
    const Bounds bounds = GetBounds();
    params.x = bounds.left;
    params.y = bounds.top;
    params.width = bounds.width;
    params.height = bounds.height;
    CreateFromParams(params, &parent);
}

void Panel::SetBevel(Bevel bevel) {
    bevel_ = bevel;
    if (IsCreated()) {
        Realign();
        ::InvalidateRect(Handle(), nullptr, TRUE);
    }
}

void Panel::SetColor(PanelColor color) {
    color_ = color;
    if (IsCreated()) {
        ::InvalidateRect(Handle(), nullptr, TRUE);
    }
}

void Panel::SetText(std::wstring_view text) {
    text_ = text;
    if (IsCreated()) {
        // The window text too, so that the panel reads like any window from outside.
        ::SetWindowTextW(Handle(), text_.c_str());
        ::InvalidateRect(Handle(), nullptr, TRUE);
    }
}

std::wstring Panel::Text() const {
    return text_;
}

RECT Panel::AlignmentRect() const {
    RECT area = Window::AlignmentRect();
    if (bevel_ == Bevel::Lowered) {
        ::InflateRect(&area, -1, -1);
    }
    return area;
}

bool Panel::OnEraseBackground(HDC dc) {
    RECT client{};
    ::GetClientRect(Handle(), &client);
    HBRUSH brush = color_ == PanelColor::White ? static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH))
                                               : ::GetSysColorBrush(COLOR_BTNFACE);
    ::FillRect(dc, &client, brush);
    return true;
}

void Panel::OnPaint(HDC dc, const PAINTSTRUCT&) {
    RECT area{};
    ::GetClientRect(Handle(), &area);
    if (bevel_ == Bevel::Lowered) {
        ::DrawEdge(dc, &area, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    }
    if (text_.empty()) {
        return;
    }
    HGDIOBJ font = Font() != nullptr ? Font() : ::GetStockObject(DEFAULT_GUI_FONT);
    SelectedObject selected(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    ::DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &area,
                DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace ui
