#include "ui/Control.h"

#include <algorithm>

namespace ui {

namespace {

// Marks the windows that the framework made; a window property, so that no other window's
// GWLP_USERDATA is ever taken for one of our objects.
constexpr wchar_t kObjectProperty[] = L"ui.Control";

}  // namespace

Control::~Control() {
    for (Control* child : children_) {
        child->parent_ = nullptr;
    }
    const bool wasAligned = window_ != nullptr && align_ != Align::None;
    if (HWND window = window_) {
        Detach();
        ::DestroyWindow(window);
    }
    if (parent_ != nullptr) {
        std::erase(parent_->children_, this);
        // The space this control took goes to the others.
        if (wasAligned) {
            parent_->Realign();
        }
    }
}

Control* Control::FromHandle(HWND window) noexcept {
    if (window == nullptr) {
        return nullptr;
    }
    return static_cast<Control*>(::GetPropW(window, kObjectProperty));
}

void Control::Attach(HWND window, Control* parent) {
    window_ = window;
    ::SetPropW(window, kObjectProperty, this);
    if (parent != nullptr && parent_ != parent) {
        parent_ = parent;
        parent->children_.push_back(this);
    }
    if (font_ == nullptr && parent != nullptr) {
        font_ = parent->font_;
    }
    if (font_ != nullptr) {
        ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
    if (parent != nullptr && align_ != Align::None) {
        parent->Realign();
    }
}

void Control::Detach() noexcept {
    if (window_ != nullptr) {
        ::RemovePropW(window_, kObjectProperty);
        window_ = nullptr;
    }
}

void Control::SetAlign(Align align) {
    align_ = align;
    if (window_ != nullptr && parent_ != nullptr) {
        parent_->Realign();
    }
}

void Control::SetBounds(const Bounds& bounds) {
    bounds_ = bounds;
    if (window_ == nullptr) {
        return;
    }
    if (align_ != Align::None && parent_ != nullptr) {
        parent_->Realign();
    } else {
        ::SetWindowPos(window_, nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Control::SetPosition(int left, int top) {
    Bounds moved = GetBounds();
    moved.left = left;
    moved.top = top;
    SetBounds(moved);
}

Bounds Control::GetBounds() const {
    if (window_ == nullptr) {
        return bounds_;
    }
    RECT rect{};
    ::GetWindowRect(window_, &rect);
    // Child windows count from their parent's client area, top-level ones from the screen.
    if (HWND parent = ::GetAncestor(window_, GA_PARENT); parent != ::GetDesktopWindow()) {
        ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    }
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void Control::SetFocus() {
    if (window_ != nullptr) {
        ::SetFocus(window_);
    }
}

RECT Control::AlignmentRect() const {
    RECT client{};
    ::GetClientRect(window_, &client);
    return client;
}

void Control::Realign() {
    if (window_ == nullptr) {
        return;
    }
    RECT remaining = AlignmentRect();
    for (Align kind : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client}) {
        for (Control* child : children_) {
            if (child->align_ == kind && child->window_ != nullptr) {
                LayOutChild(*child, remaining);
            }
        }
    }
}

void Control::LayOutChild(Control& child, RECT& remaining) {
    const int width = std::max(0, static_cast<int>(remaining.right - remaining.left));
    const int height = std::max(0, static_cast<int>(remaining.bottom - remaining.top));
    Bounds placed = child.bounds_;
    switch (child.align_) {
        case Align::Top:
            placed = {remaining.left, remaining.top, width, child.bounds_.height};
            remaining.top += placed.height;
            break;
        case Align::Bottom:
            placed = {remaining.left, remaining.bottom - child.bounds_.height, width,
                      child.bounds_.height};
            remaining.bottom -= placed.height;
            break;
        case Align::Left:
            placed = {remaining.left, remaining.top, child.bounds_.width, height};
            remaining.left += placed.width;
            break;
        case Align::Right:
            placed = {remaining.right - child.bounds_.width, remaining.top, child.bounds_.width,
                      height};
            remaining.right -= placed.width;
            break;
        case Align::Client:
            placed = {remaining.left, remaining.top, width, height};
            break;
        case Align::None:
            return;
    }
    child.bounds_ = placed;
    ::SetWindowPos(child.window_, nullptr, placed.left, placed.top, std::max(0, placed.width),
                   std::max(0, placed.height), SWP_NOZORDER | SWP_NOACTIVATE);
}

void Control::ApplyFont(HFONT font) {
    font_ = font;
    if (window_ != nullptr) {
        ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    for (Control* child : children_) {
        child->ApplyFont(font);
    }
}

bool Control::HandleAccessKey(wchar_t key) {
    return std::ranges::any_of(children_,
                               [key](Control* child) { return child->HandleAccessKey(key); });
}

bool Control::OnNotify(NMHDR&, LRESULT&) {
    return false;
}

bool Control::OnCommand(WORD, WORD) {
    return false;
}

}  // namespace ui
