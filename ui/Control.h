// The base of everything the framework puts on the screen: a window of its own class (Window)
// or a system control (NativeControl). It knows its parent and children, lays out aligned
// children the way VCL does, hands the inherited font down, and receives the notifications
// that its parent reflects back to it.
#pragma once

#include <windows.h>

#include <vector>

namespace ui {

// Where a control sits in its parent's client area. Aligned controls are laid out in this
// order of kinds: top, bottom, left, right, client; within a kind in creation order, the first
// one nearest to the edge. Top and bottom keep their height, left and right their width;
// client controls take what is left. None keeps the control's own bounds.
enum class Align { None, Top, Bottom, Left, Right, Client };

// Outer bounds in pixels, relative to the parent's client area.
struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Bounds&, const Bounds&) = default;
};

class Control {
  public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    // Destroys the control's window if it still exists (child windows otherwise die with their
    // parent's, after their objects are gone); the parent lays out again without it.
    virtual ~Control();

    HWND Handle() const noexcept { return window_; }
    bool IsCreated() const noexcept { return window_ != nullptr; }
    Control* Parent() const noexcept { return parent_; }
    const std::vector<Control*>& Children() const noexcept { return children_; }

    // The object behind a window that the framework made, or null for any other window.
    static Control* FromHandle(HWND window) noexcept;

    Align GetAlign() const noexcept { return align_; }
    // Lays out the parent again when the control already exists.
    void SetAlign(Align align);

    // Bounds may be set before the window exists; they are applied when it is created. For an
    // aligned control they give the extent that the alignment keeps (height or width).
    void SetBounds(const Bounds& bounds);
    void SetPosition(int left, int top);
    Bounds GetBounds() const;
    int Left() const { return GetBounds().left; }
    int Top() const { return GetBounds().top; }
    int Width() const { return GetBounds().width; }
    int Height() const { return GetBounds().height; }

    // The font the control draws with: its form's, inherited when the control is created.
    HFONT Font() const noexcept { return font_; }

    void SetFocus();

    // Lays out the aligned children in the client area.
    void Realign();

    // An Alt+key press from the application's message loop, offered to every control of the
    // window that has the focus. True when a control took it (the key is then dropped).
    virtual bool HandleAccessKey(wchar_t key);

    // A notification (WM_NOTIFY) or command (WM_COMMAND) that this control raised, reflected
    // back to it by its parent. True when handled; result is the message's result then.
    virtual bool OnNotify(NMHDR& header, LRESULT& result);
    virtual bool OnCommand(WORD id, WORD code);

  protected:
    Control() = default;

    // Binds a window just created to this object: the child joins its parent's children in
    // creation order, takes its bounds and the parent's font, and the parent lays out again.
    void Attach(HWND window, Control* parent);
    // The window as soon as it exists (WM_NCCREATE), before Attach.
    void SetHandle(HWND window) noexcept { window_ = window; }
    // The window is gone (WM_NCDESTROY): forget it.
    void Detach() noexcept;

    // Sends the font to the window and to every child that exists.
    void ApplyFont(HFONT font);

    // The part of the client area that aligned children share (a bevel stays clear).
    virtual RECT AlignmentRect() const;

  private:
    void LayOutChild(Control& child, RECT& remaining);

    HWND window_ = nullptr;
    Control* parent_ = nullptr;
    std::vector<Control*> children_;
    Align align_ = Align::None;
    Bounds bounds_;
    HFONT font_ = nullptr;
};

}  // namespace ui
