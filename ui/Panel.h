// A panel: a plain area that holds other controls, with an optional lowered bevel, a colour
// and a left-justified one-line text.
#pragma once

#include "ui/Window.h"

#include <string>
#include <string_view>

namespace ui {

enum class Bevel { None, Lowered };
enum class PanelColor { ButtonFace, White };

class Panel : public Window {
  public:
    Panel() = default;

    void Create(Control& parent);

    // These may be set before Create; they are applied when the window exists.
    void SetBevel(Bevel bevel);
    void SetColor(PanelColor color);
    void SetText(std::wstring_view text);
    std::wstring Text() const;

  protected:
    RECT AlignmentRect() const override;
    bool OnEraseBackground(HDC dc) override;
    void OnPaint(HDC dc, const PAINTSTRUCT& paint) override;

  private:
    Bevel bevel_ = Bevel::None;
    PanelColor color_ = PanelColor::ButtonFace;
    std::wstring text_;
};

}  // namespace ui
