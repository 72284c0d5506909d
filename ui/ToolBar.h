// A flat tool bar of text-only buttons with captions beside (list style), opaque in the
// button face colour, with a single lowered edge along its top. A caption's "&" marks its
// access key: Alt and that letter press the button wherever the focus is in the window.
#pragma once

#include "ui/NativeControl.h"

#include <deque>
#include <functional>
#include <string>
#include <utility>

namespace ui {

class ToolButton {
    struct Key {
        explicit Key() = default;
    };

  public:
    // Made by ToolBar only (the key is private to it).
    ToolButton(Key, int commandId, std::wstring caption, bool separator)
        : commandId_(commandId), caption_(std::move(caption)), separator_(separator) {}
    ToolButton(const ToolButton&) = delete;
    ToolButton& operator=(const ToolButton&) = delete;

    const std::wstring& Caption() const noexcept { return caption_; }
    bool IsSeparator() const noexcept { return separator_; }
    // The upper-case letter after "&" in the caption, or 0.
    wchar_t AccessKey() const noexcept;

    // Raises onClick as a click on the button does.
    void Click();

    std::function<void()> onClick;

  private:
    friend class ToolBar;

    int commandId_;
    std::wstring caption_;
    bool separator_;
};

class ToolBar : public NativeControl {
  public:
    ToolBar() = default;

    // Every method below needs the window: Create first.
    void Create(Control& parent);

    // Size of every button in pixels.
    void SetButtonSize(int width, int height);
    // Distance of the first button from the left edge.
    void SetIndent(int pixels);

    // Adds a button at the right end. The reference stays valid as long as the tool bar.
    ToolButton& AddButton(std::wstring caption);
    ToolButton& AddSeparator(int width);

    int ButtonCount() const noexcept { return static_cast<int>(buttons_.size()); }
    ToolButton& Button(int index) { return buttons_.at(static_cast<size_t>(index)); }
    // The button's bounds in client coordinates.
    RECT ButtonRect(int index) const;

    bool HandleAccessKey(wchar_t key) override;
    bool OnCommand(WORD id, WORD code) override;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void InsertButton(const ToolButton& button, int separatorWidth);
    void ApplyButtonSize();

    std::deque<ToolButton> buttons_;
    int buttonWidth_ = 0;
    int buttonHeight_ = 0;
};

}  // namespace ui
