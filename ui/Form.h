// A top-level window: the base of the program's forms. Settings made before Create() are kept
// and applied when the window is made.
#pragma once

#include "ui/Font.h"
#include "ui/Window.h"

#include <functional>
#include <string>
#include <string_view>

namespace ui {

class Form : public Window {
  public:
    // A form object that is deleted while its window exists takes the window with it without
    // onDestroy, since its derived parts are gone by then: Close or Destroy it first.
    Form() = default;

    // Makes the window: CreateParams, CreateControls, the first layout, then onCreate.
    // Runs once; Application::CreateForm calls it.
    void Create();

    // Shows the window with a ShowWindow command. The first time, onShow runs first and the
    // window is centred on the screen (also when it opens maximised: that is where it comes
    // back to), and only then does it become visible.
    void Show(int showCommand = SW_SHOWNORMAL);
    // Asks the window to close, as its close box does (WM_CLOSE).
    void Close();
    // Destroys the window now; onDestroy runs while the form's controls still exist.
    void Destroy();

    void SetCaption(std::wstring_view caption);
    std::wstring Caption() const;

    // Size of the client area in pixels; the window's frame is added to it.
    void SetClientSize(int width, int height);
    SIZE ClientSize() const;
    // Size of the whole window, frame included.
    void SetOuterSize(int width, int height);

    // Moves the focus to the next control that takes it with Tab (a visible, enabled tab stop),
    // in creation order through the panels, round from the last to the first; backward for
    // Shift+Tab. False when no control takes the focus. The message loop calls it for Tab.
    bool SelectNextControl(bool forward);

    // The font of the form, inherited by every control, also those created later.
    void SetFont(const FontDescription& font);

    std::function<void()> onCreate;
    std::function<void()> onShow;
    // After the aligned controls have been laid out for the new size. Not raised before
    // onCreate has run.
    std::function<void()> onResize;
    std::function<void()> onDestroy;

  protected:
    // Fills in the creation parameters of a main window: a sizeable top-level window with
    // caption, system menu, minimise and maximise boxes, the button-face background and the
    // application's icon. A derived form may change them (its window class name, say) after
    // calling this.
    virtual void CreateParams(WindowParams& params);

    // Creates the form's controls; runs once the form's window exists, before onCreate.
    virtual void CreateControls() {}

    void OnSize() override;
    void OnDestroy() override;

  private:
    void ApplyClientSize();
    void CentreOnScreen();

    std::wstring caption_;
    SIZE clientSize_{};
    SIZE outerSize_{};
    UniqueFont ownFont_;
    bool created_ = false;
    bool shown_ = false;
};

}  // namespace ui
